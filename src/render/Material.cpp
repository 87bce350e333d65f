#include "render/Material.h"

#include "render/Shader.h"

#include <utility>

Material::Material(std::shared_ptr<Shader> shader) : shader(std::move(shader)) {}

void Material::setupDraw(const glm::mat4& modelMatrix) {
    setupDraw(shader, modelMatrix);
}

void Material::setupDraw(const std::shared_ptr<Shader>& program, const glm::mat4& modelMatrix) {
    program->use();
    apply(program);
    program->setUniform("modelMatrix", modelMatrix);
    program->setUniform("normalMatrix", glm::transpose(glm::inverse(modelMatrix)));
}
