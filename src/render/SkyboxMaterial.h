#pragma once

#include "render/Material.h"

// The sky sphere's image. The sky is drawn without depth testing, so it neither tests nor writes
// depth and paints over what the pass drew before it; every other material turns depth testing
// back on.
class SkyboxMaterial : public Material {
public:
    SkyboxMaterial(std::shared_ptr<Shader> shader, std::shared_ptr<Texture> texture);

    void apply(const std::shared_ptr<Shader>& program) override;
    void addShadowMap(std::shared_ptr<Texture>) override {}

private:
    std::shared_ptr<Texture> texture;
};
