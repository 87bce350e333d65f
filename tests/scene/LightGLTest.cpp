#include "GlImages.h"
#include "GlTest.h"
#include "SceneTestPrograms.h"
#include "physics/DummyPhysicsObject.h"
#include "render/LightObjectMaterial.h"
#include "render/SphereGeometry.h"
#include "render/Texture.h"
#include "scene/ConcreteObject.h"
#include "scene/DirectionalLight.h"
#include "scene/PointLight.h"

#include <array>
#include <glm/gtc/matrix_transform.hpp>

namespace {

const glm::mat3 kColorA(glm::vec3(0.1f), glm::vec3(0.2f), glm::vec3(0.3f));
const glm::mat3 kColorB(glm::vec3(0.4f), glm::vec3(0.5f), glm::vec3(0.6f));
const glm::mat3 kColorP(glm::vec3(0.7f), glm::vec3(0.8f), glm::vec3(0.9f));

class LightGLTest : public GlTest {
protected:
    template <typename Value> Value uniform(const std::string& name) {
        EXPECT_NE(lightsProgram->getUniformLocation(name), -1) << name;
        return uniformValue<Value>(*lightsProgram, name);
    }

    std::array<GLint, 4> viewport() {
        std::array<GLint, 4> box{};
        glGetIntegerv(GL_VIEWPORT, box.data());
        return box;
    }

    // A sphere of radius 0.5 standing on the floor's level at (x, 0, z).
    std::shared_ptr<Object> ball(float x, float z) {
        return std::make_shared<ConcreteObject>(
            "ball", std::make_shared<SphereGeometry>(16, 16, 0.5f),
            std::make_shared<LightObjectMaterial>(flatProgram, glm::vec3(1.0f)),
            std::make_shared<DummyPhysicsObject>(glm::translate(glm::mat4(1.0f), glm::vec3(x, 0.0f, z))));
    }

    // Reads one texel of a depth texture through a framebuffer of its own.
    float depthAt(const std::shared_ptr<Texture>& shadowMap, int x, int y) {
        GLuint reader = 0;
        glGenFramebuffers(1, &reader);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, reader);
        glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, shadowMap->getId(),
                               0);
        glReadBuffer(GL_NONE);
        float depth = -1.0f;
        glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &reader);
        return depth;
    }

    void SetUp() override {
        GlTest::SetUp();
        lightsProgram = makeProgram(folder, "lights", scene_test::kFlatVertex, scene_test::kLightsFragment);
        flatProgram = scene_test::makeFlatProgram(folder);
    }

    TempDirectory folder;
    std::shared_ptr<Shader> lightsProgram;
    std::shared_ptr<Shader> flatProgram;
};

// Each light takes the next free element of its kind, found by reading the counter back.
TEST_F(LightGLTest, LightsFillTheUniformArraysInListOrder) {
    const std::vector<std::shared_ptr<Light>> lights = {
        std::make_shared<DirectionalLight>(kColorA, glm::vec3(0.0f, -1.0f, 0.0f)),
        std::make_shared<PointLight>(kColorP, glm::vec3(1.0f, 2.0f, 3.0f), glm::vec3(1.0f, 0.5f, 0.25f)),
        std::make_shared<DirectionalLight>(kColorB, glm::vec3(2.0f, 0.0f, 0.0f)),
    };
    lightsProgram->use();
    lightsProgram->setUniform("numDirectionalLights", 0);
    lightsProgram->setUniform("numPointLights", 0);
    for (const auto& light : lights) {
        light->setUniforms(lightsProgram);
    }

    EXPECT_EQ(lightsProgram->getUniformInt("numDirectionalLights"), 2);
    EXPECT_EQ(lightsProgram->getUniformInt("numPointLights"), 1);
    EXPECT_EQ(uniform<glm::vec3>("directionalLights[0].direction"), glm::vec3(0.0f, -1.0f, 0.0f));
    EXPECT_EQ(uniform<glm::mat3>("directionalLights[0].color"), kColorA);
    EXPECT_EQ(uniform<glm::vec3>("directionalLights[1].direction"), glm::vec3(1.0f, 0.0f, 0.0f));
    EXPECT_EQ(uniform<glm::mat3>("directionalLights[1].color"), kColorB);
    EXPECT_EQ(uniform<glm::mat4>("directionalLights[1].lightSpaceMatrix"),
              std::static_pointer_cast<DirectionalLight>(lights[2])->getLightSpaceMatrix());
    EXPECT_EQ(uniform<glm::vec3>("pointLights[0].position"), glm::vec3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(uniform<glm::mat3>("pointLights[0].color"), kColorP);
    EXPECT_EQ(uniform<glm::vec3>("pointLights[0].attenuation"), glm::vec3(1.0f, 0.5f, 0.25f));
}

// The shadow map sees the level from straight above: its centre texel looks down on
// (-10, y, -10), where a ball's top (y = 0.5, 49.5 below the eye) lies at depth
// ((49.5 - 30) / 40 + 1) / 2; where nothing stands the map keeps the far depth.
TEST_F(LightGLTest, ShadowPassDrawsEveryObjectAndRestoresTheWindow) {
    DirectionalLight light(kColorA, glm::vec3(0.0f, -1.0f, 0.0f));
    const std::shared_ptr<Texture> shadowMap = light.createShadowMap();
    ASSERT_NE(shadowMap, nullptr);
    shadowMap->bind(0);

    GLuint other = 0;
    glGenFramebuffers(1, &other);
    glBindFramebuffer(GL_FRAMEBUFFER, other);
    glViewport(3, 4, 100, 50);
    light.renderShadowMap(flatProgram, {ball(-10.0f, -10.0f), ball(20.0f, 20.0f)});

    EXPECT_EQ(viewport(), (std::array<GLint, 4>{3, 4, 100, 50}));
    EXPECT_EQ(boundFramebuffer(), 0);
    const int centre = DirectionalLight::kShadowMapSize / 2;
    const int last = DirectionalLight::kShadowMapSize - 1;
    EXPECT_NEAR(depthAt(shadowMap, centre, centre), 0.74375f, 1e-3f);
    EXPECT_NEAR(depthAt(shadowMap, 0, last), 0.74375f, 1e-2f);
    EXPECT_FLOAT_EQ(depthAt(shadowMap, last, 0), 1.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glDeleteFramebuffers(1, &other);
}

TEST_F(LightGLTest, WithoutShadowMapTheShadowPassChangesNoState) {
    DirectionalLight light(kColorA, glm::vec3(0.0f, -1.0f, 0.0f));
    PointLight lamp(kColorP, glm::vec3(0.0f), glm::vec3(1.0f, 0.0f, 0.0f));
    GLuint other = 0;
    glGenFramebuffers(1, &other);
    glBindFramebuffer(GL_FRAMEBUFFER, other);
    glViewport(1, 2, 30, 40);
    glDisable(GL_DEPTH_TEST);
    lightsProgram->use();

    light.renderShadowMap(flatProgram, {ball(0.0f, 0.0f)});
    lamp.renderShadowMap(flatProgram, {ball(0.0f, 0.0f)});

    EXPECT_EQ(currentProgram(), static_cast<GLint>(lightsProgram->getProgramId()));
    EXPECT_EQ(viewport(), (std::array<GLint, 4>{1, 2, 30, 40}));
    EXPECT_EQ(boundFramebuffer(), static_cast<GLint>(other));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &other);
}

} // namespace
