#pragma once

#include "scene/Light.h"

#include <GL/glew.h>
#include <glm/glm.hpp>

// A light from infinitely far away, shining along one direction. It casts shadows through a
// fixed box of the level seen from above, so its light-space matrix never changes.
class DirectionalLight : public Light {
public:
    static constexpr int kShadowMapSize = 4096;

    // color's columns are the ambient, diffuse and specular colours.
    DirectionalLight(glm::mat3 color, glm::vec3 direction);
    ~DirectionalLight() override;

    std::shared_ptr<Texture> createShadowMap() override;
    void renderShadowMap(std::shared_ptr<Shader> program,
                         std::vector<std::shared_ptr<Object>> objects) override;
    void setUniforms(std::shared_ptr<Shader> program) override;

    glm::vec3 getDirection() const { return direction; }
    const glm::mat4& getLightSpaceMatrix() const { return lightSpaceMatrix; }

private:
    static glm::vec3 normalizedDirection(glm::vec3 direction);
    static glm::mat4 computeLightSpaceMatrix(glm::vec3 direction);

    glm::mat3 color;
    glm::vec3 direction;
    glm::mat4 lightSpaceMatrix;
    int shadowMapSize = kShadowMapSize;
    bool framebufferCreated = false;
    GLuint shadowFramebuffer = ~0u;
};
