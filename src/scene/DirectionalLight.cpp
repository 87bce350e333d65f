#include "scene/DirectionalLight.h"

#include "render/Shader.h"
#include "render/ShadowmapTexture.h"
#include "scene/Object.h"

#include <cmath>
#include <glm/gtc/matrix_transform.hpp>

namespace {

// The shadow box is fixed in the level: seen from high above the origin, off-centre so that it
// covers the playing area, reaching from behind the eye to below the floor.
const glm::vec3 kEye(0.0f, 50.0f, 0.0f);
const glm::vec3 kUp(0.0f, 0.0f, 1.0f);
// Used instead of kUp when the light shines along it, where kUp fixes no orientation.
const glm::vec3 kFallbackUp(0.0f, 1.0f, 0.0f);
const glm::vec3 kStraightDown(0.0f, -1.0f, 0.0f);
constexpr float kLeft = -20.0f;
constexpr float kRight = 40.0f;
constexpr float kBottom = -40.0f;
constexpr float kTop = 20.0f;
constexpr float kNear = -10.0f;
constexpr float kFar = 70.0f;
constexpr float kParallelLimit = 1e-6f;

} // namespace

DirectionalLight::DirectionalLight(glm::mat3 color, glm::vec3 direction)
    : color(color), direction(normalizedDirection(direction)),
      lightSpaceMatrix(computeLightSpaceMatrix(this->direction)) {}

DirectionalLight::~DirectionalLight() {
    if (framebufferCreated) {
        glDeleteFramebuffers(1, &shadowFramebuffer);
    }
}

// A level light without a direction shines straight down, like a noon sun, rather than feeding
// NaNs to the shaders.
glm::vec3 DirectionalLight::normalizedDirection(glm::vec3 direction) {
    const float length = glm::length(direction);
    return std::isfinite(length) && length > 0.0f ? direction / length : kStraightDown;
}

glm::mat4 DirectionalLight::computeLightSpaceMatrix(glm::vec3 direction) {
    const bool alongUp = glm::length(glm::cross(direction, kUp)) < kParallelLimit;
    const glm::mat4 view = glm::lookAt(kEye, kEye + direction, alongUp ? kFallbackUp : kUp);
    const glm::mat4 projection = glm::ortho(kLeft, kRight, kBottom, kTop, kNear, kFar);
    return projection * view;
}

std::shared_ptr<Texture> DirectionalLight::createShadowMap() {
    if (!framebufferCreated) {
        glGenFramebuffers(1, &shadowFramebuffer);
        framebufferCreated = true;
    }
    return std::make_shared<ShadowmapTexture>(shadowMapSize, shadowFramebuffer);
}

void DirectionalLight::renderShadowMap(std::shared_ptr<Shader> program,
                                       std::vector<std::shared_ptr<Object>> objects) {
    if (!framebufferCreated) {
        return;
    }
    program->use();
    program->setUniform("lightSpaceMatrix", lightSpaceMatrix);

    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glViewport(0, 0, shadowMapSize, shadowMapSize);
    glBindFramebuffer(GL_FRAMEBUFFER, shadowFramebuffer);
    glEnable(GL_DEPTH_TEST);
    glClear(GL_DEPTH_BUFFER_BIT);

    for (const auto& object : objects) {
        object->drawWithShader(program);
    }

    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
}

void DirectionalLight::setUniforms(std::shared_ptr<Shader> program) {
    const int index = program->getUniformInt("numDirectionalLights");
    const auto element = static_cast<unsigned>(index);
    program->setUniform("directionalLights", element, "direction", direction);
    program->setUniform("directionalLights", element, "color", color);
    program->setUniform("directionalLights", element, "lightSpaceMatrix", lightSpaceMatrix);
    program->setUniform("numDirectionalLights", index + 1);
}
