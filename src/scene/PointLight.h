#pragma once

#include "scene/Light.h"

#include <glm/glm.hpp>

// A light at one position whose strength falls off with distance. It casts no shadows.
class PointLight : public Light {
public:
    // color's columns are the ambient, diffuse and specular colours; attenuation holds the
    // constant, linear and quadratic coefficients.
    PointLight(glm::mat3 color, glm::vec3 position, glm::vec3 attenuation);

    std::shared_ptr<Texture> createShadowMap() override;
    void renderShadowMap(std::shared_ptr<Shader> program,
                         std::vector<std::shared_ptr<Object>> objects) override;
    void setUniforms(std::shared_ptr<Shader> program) override;

    glm::vec3 getPosition() const { return position; }
    glm::vec3 getAttenuation() const { return attenuation; }
    const glm::mat3& getColor() const { return color; }

private:
    glm::mat3 color;
    glm::vec3 position;
    glm::vec3 attenuation;
};
