#pragma once

#include "render/Material.h"

// An unlit surface of one colour: the markers of point lights and the peas.
class LightObjectMaterial : public Material {
public:
    LightObjectMaterial(std::shared_ptr<Shader> shader, glm::vec3 color);

    void apply(const std::shared_ptr<Shader>& program) override;
    void addShadowMap(std::shared_ptr<Texture>) override {}

private:
    glm::vec3 color;
};
