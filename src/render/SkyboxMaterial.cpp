#include "render/SkyboxMaterial.h"

#include "render/Shader.h"
#include "render/Texture.h"

#include <GL/glew.h>
#include <utility>

SkyboxMaterial::SkyboxMaterial(std::shared_ptr<Shader> shader, std::shared_ptr<Texture> texture)
    : Material(std::move(shader)), texture(std::move(texture)) {}

void SkyboxMaterial::apply(const std::shared_ptr<Shader>& program) {
    texture->bind(0);
    program->setUniform("skybox", 0);
    glDisable(GL_DEPTH_TEST);
}
