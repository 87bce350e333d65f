#include "render/LightObjectMaterial.h"

#include "render/Shader.h"

#include <GL/glew.h>
#include <utility>

LightObjectMaterial::LightObjectMaterial(std::shared_ptr<Shader> shader, glm::vec3 color)
    : Material(std::move(shader)), color(color) {}

void LightObjectMaterial::apply(const std::shared_ptr<Shader>& program) {
    program->setUniform("lightColor", color);
    glEnable(GL_DEPTH_TEST);
}
