#include "GlmAssertions.h"
#include "scene/DirectionalLight.h"
#include "scene/PointLight.h"

#include <cmath>
#include <glm/gtc/matrix_access.hpp>
#include <gtest/gtest.h>
#include <limits>

namespace {

const glm::mat3 kWhite(1.0f);

glm::vec3 project(const glm::mat4& lightSpace, glm::vec3 world) {
    const glm::vec4 clip = lightSpace * glm::vec4(world, 1.0f);
    return glm::vec3(clip) / clip.w;
}

TEST(DirectionalLightTest, StoresTheDirectionAsUnitVector) {
    EXPECT_TRUE(vecNear(DirectionalLight(kWhite, glm::vec3(0.0f, -2.0f, 0.0f)).getDirection(),
                        glm::vec3(0.0f, -1.0f, 0.0f), 1e-5f));
    EXPECT_TRUE(vecNear(DirectionalLight(kWhite, glm::vec3(3.0f, 0.0f, -4.0f)).getDirection(),
                        glm::vec3(0.6f, 0.0f, -0.8f), 1e-5f));
}

// A light shining straight down looks from (0, 50, 0) with +z as the top of its view, so
// world x runs against view x and world z along view y. The box is 60 wide, off-centre,
// from 10 above the eye to 70 below it.
TEST(DirectionalLightTest, ShadowBoxIsFixedAboveTheLevel) {
    const DirectionalLight light(kWhite, glm::vec3(0.0f, -2.0f, 0.0f));
    const struct {
        glm::vec3 world;
        glm::vec3 lightSpace;
    } corners[] = {
        {{-40.0f, 0.0f, -40.0f}, {1.0f, -1.0f, 0.5f}},
        {{20.0f, 0.0f, 20.0f}, {-1.0f, 1.0f, 0.5f}},
        {{-10.0f, 0.0f, -10.0f}, {0.0f, 0.0f, 0.5f}},
        {{0.0f, 60.0f, 0.0f}, {-1.0f / 3.0f, 1.0f / 3.0f, -1.0f}},
        {{0.0f, -20.0f, 0.0f}, {-1.0f / 3.0f, 1.0f / 3.0f, 1.0f}},
    };
    for (const auto& corner : corners) {
        SCOPED_TRACE(corner.world.x);
        EXPECT_TRUE(vecNear(project(light.getLightSpaceMatrix(), corner.world), corner.lightSpace, 1e-5f));
    }
}

// With the light along the view's up vector, or without a direction, the light still gets a
// usable view: finite, invertible, and farther along the light means deeper.
TEST(DirectionalLightTest, DegenerateDirectionsStillGiveAUsableShadowView) {
    const glm::vec3 directions[] = {{0.0f, 0.0f, 1.0f}, {0.0f, 0.0f, -3.0f}, {0.0f, 0.0f, 0.0f}};
    for (const glm::vec3 direction : directions) {
        SCOPED_TRACE(direction.z);
        const DirectionalLight light(kWhite, direction);
        const glm::mat4& matrix = light.getLightSpaceMatrix();
        for (int column = 0; column < 4; ++column) {
            for (int row = 0; row < 4; ++row) {
                EXPECT_TRUE(std::isfinite(matrix[column][row]));
            }
        }
        EXPECT_GT(std::abs(glm::determinant(matrix)), 1e-9f);
        EXPECT_NEAR(glm::length(light.getDirection()), 1.0f, 1e-6f);

        const glm::vec3 eye(0.0f, 50.0f, 0.0f);
        const float nearer = project(matrix, eye + 10.0f * light.getDirection()).z;
        const float farther = project(matrix, eye + 40.0f * light.getDirection()).z;
        EXPECT_LT(nearer, farther);
    }
}

TEST(DirectionalLightTest, WithoutUsableDirectionShinesStraightDown) {
    const float infinity = std::numeric_limits<float>::infinity();
    const glm::vec3 unusable[] = {glm::vec3(0.0f), glm::vec3(infinity, -1.0f, 0.0f),
                                  glm::vec3(0.0f, std::nanf(""), 0.0f)};
    const DirectionalLight down(kWhite, glm::vec3(0.0f, -1.0f, 0.0f));
    for (const glm::vec3 direction : unusable) {
        SCOPED_TRACE(testing::Message() << direction.x << ", " << direction.y << ", " << direction.z);
        const DirectionalLight light(kWhite, direction);
        EXPECT_TRUE(vecNear(light.getDirection(), down.getDirection(), 1e-5f));
        for (int column = 0; column < 4; ++column) {
            EXPECT_TRUE(vecNear(glm::vec3(glm::column(light.getLightSpaceMatrix(), column)),
                                glm::vec3(glm::column(down.getLightSpaceMatrix(), column)), 1e-5f));
        }
    }
}

TEST(PointLightTest, CastsNoShadow) {
    PointLight light(kWhite, glm::vec3(1.0f, 2.0f, 3.0f), glm::vec3(1.0f, 0.1f, 0.01f));
    EXPECT_EQ(light.createShadowMap(), nullptr);
}

} // namespace
