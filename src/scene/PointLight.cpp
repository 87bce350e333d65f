#include "scene/PointLight.h"

#include "render/Shader.h"

PointLight::PointLight(glm::mat3 color, glm::vec3 position, glm::vec3 attenuation)
    : color(color), position(position), attenuation(attenuation) {}

std::shared_ptr<Texture> PointLight::createShadowMap() {
    return nullptr;
}

void PointLight::renderShadowMap(std::shared_ptr<Shader>, std::vector<std::shared_ptr<Object>>) {}

void PointLight::setUniforms(std::shared_ptr<Shader> program) {
    const int index = program->getUniformInt("numPointLights");
    const auto element = static_cast<unsigned>(index);
    program->setUniform("pointLights", element, "position", position);
    program->setUniform("pointLights", element, "color", color);
    program->setUniform("pointLights", element, "attenuation", attenuation);
    program->setUniform("numPointLights", index + 1);
}
