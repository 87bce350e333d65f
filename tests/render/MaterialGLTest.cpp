#include "GlImages.h"
#include "GlTest.h"
#include "TestPrograms.h"
#include "render/LightObjectMaterial.h"
#include "render/PBRTextureMaterial.h"
#include "render/Shader.h"
#include "render/SkyboxMaterial.h"
#include "render/Texture.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

const char* const kVertexSource = R"(#version 430 core
layout(location = 0) in vec3 position;
uniform mat4 modelMatrix;
uniform mat4 normalMatrix;
void main() { gl_Position = normalMatrix * modelMatrix * vec4(position, 1.0); }
)";

// Reads every sampler and constant a material sets.
const char* const kFragmentSource = R"(#version 430 core
uniform sampler2D albedoTexture;
uniform sampler2D normalTexture;
uniform sampler2D rmaTexture;
uniform sampler2D shadowMaps[2];
uniform sampler2D skybox;
uniform vec3 lightColor;
out vec4 color;
void main() {
    vec2 uv = gl_FragCoord.xy;
    color = texture(albedoTexture, uv) + texture(normalTexture, uv) + texture(rmaTexture, uv) +
            texture(shadowMaps[0], uv) + texture(shadowMaps[1], uv) + texture(skybox, uv) + vec4(lightColor, 1.0);
}
)";

// A one-texel texture that needs no file.
class BlankTexture : public Texture {
public:
    GLenum target() const override { return GL_TEXTURE_2D; }

protected:
    void upload() override {
        const unsigned char texel[] = {10, 20, 30, 40};
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
    }
};

void unbindUnits() {
    for (unsigned unit = 0; unit < 8; ++unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    glActiveTexture(GL_TEXTURE0);
}

class MaterialGLTest : public GlTest {
protected:
    std::shared_ptr<Shader> makeProgram(const std::string& fragmentSource = kFragmentSource) {
        return ::makeProgram(files, "m", kVertexSource, fragmentSource);
    }

    TempDirectory files;
};

TEST_F(MaterialGLTest, ATexturedMaterialBindsItsMapsAndOneUnitPerShadowMap) {
    for (unsigned shadowCount : {0u, 2u}) {
        const auto program = makeProgram();
        std::vector<std::shared_ptr<Texture>> textures;
        for (unsigned i = 0; i < 3 + shadowCount; ++i) {
            textures.push_back(std::make_shared<BlankTexture>());
        }
        PBRTextureMaterial material(program, textures[0], textures[1], textures[2]);
        for (unsigned i = 3; i < textures.size(); ++i) {
            material.addShadowMap(textures[i]);
        }
        unbindUnits();
        glDisable(GL_DEPTH_TEST);

        material.apply(program);

        for (unsigned unit = 0; unit < textures.size(); ++unit) {
            EXPECT_EQ(boundOnUnit(unit), textures[unit]->getId())
                << shadowCount << " shadow maps, unit " << unit;
        }
        EXPECT_EQ(boundOnUnit(3 + shadowCount), 0u) << shadowCount << " shadow maps";
        EXPECT_EQ(program->getUniformInt("albedoTexture"), 0);
        EXPECT_EQ(program->getUniformInt("normalTexture"), 1);
        EXPECT_EQ(program->getUniformInt("rmaTexture"), 2);
        EXPECT_EQ(program->getUniformInt("shadowMaps[0]"), shadowCount > 0 ? 3 : 0);
        EXPECT_EQ(program->getUniformInt("shadowMaps[1]"), shadowCount > 1 ? 4 : 0);
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    }
    glActiveTexture(GL_TEXTURE0);
}

TEST_F(MaterialGLTest, ApplyingToAProgramWithoutTheSamplersIsHarmless) {
    const auto program = makeProgram();
    const auto shadowProgram = makeProgram("#version 430 core\nvoid main() {}\n");
    PBRTextureMaterial material(program, std::make_shared<BlankTexture>(), std::make_shared<BlankTexture>(),
                                std::make_shared<BlankTexture>());
    material.addShadowMap(std::make_shared<BlankTexture>());
    testing::internal::CaptureStdout();
    material.setupDraw(shadowProgram, glm::mat4(1.0f));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(MaterialGLTest, OnlyTheSkySwitchesDepthTestingOff) {
    const auto program = makeProgram();
    const auto sky = std::make_shared<BlankTexture>();
    SkyboxMaterial skyMaterial(program, sky);
    LightObjectMaterial lightMaterial(program, glm::vec3(0.05f, 0.25f, 0.0f));
    PBRTextureMaterial texturedMaterial(program, std::make_shared<BlankTexture>(),
                                        std::make_shared<BlankTexture>(), std::make_shared<BlankTexture>());
    const struct {
        const char* name;
        Material& material;
        bool depthTest;
    } sequence[] = {{"sky", skyMaterial, false},
                    {"light object", lightMaterial, true},
                    {"sky", skyMaterial, false},
                    {"textured", texturedMaterial, true}};
    unbindUnits();
    for (const auto& step : sequence) {
        step.material.apply(program);
        EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), step.depthTest ? GL_TRUE : GL_FALSE)
            << "after the " << step.name;
    }

    skyMaterial.apply(program);
    EXPECT_EQ(boundOnUnit(0), sky->getId());
    EXPECT_EQ(program->getUniformInt("skybox"), 0);
    lightMaterial.apply(program);
    EXPECT_EQ(uniformValue<glm::vec3>(*program, "lightColor"), glm::vec3(0.05f, 0.25f, 0.0f));
    glDisable(GL_DEPTH_TEST);
}

TEST_F(MaterialGLTest, SetupDrawUploadsTheModelMatrixAndTheFullNormalMatrix) {
    const auto own = makeProgram();
    const auto other = makeProgram();
    LightObjectMaterial material(own, glm::vec3(1.0f));
    const struct {
        const char* name;
        glm::mat4 model;
        glm::mat4 normal;
    } cases[] = {
        {"identity", glm::mat4(1.0f), glm::mat4(1.0f)},
        {"scale 2", glm::scale(glm::mat4(1.0f), glm::vec3(2.0f)),
         glm::scale(glm::mat4(1.0f), glm::vec3(0.5f))},
        {"translation", glm::translate(glm::mat4(1.0f), glm::vec3(1.0f, 2.0f, 3.0f)),
         glm::transpose(glm::translate(glm::mat4(1.0f), glm::vec3(-1.0f, -2.0f, -3.0f)))},
    };
    for (const auto& c : cases) {
        glUseProgram(0);
        material.setupDraw(c.model);
        EXPECT_EQ(currentProgram(), static_cast<GLint>(own->getProgramId())) << c.name;
        EXPECT_EQ(uniformValue<glm::mat4>(*own, "modelMatrix"), c.model) << c.name;
        EXPECT_EQ(uniformValue<glm::mat4>(*own, "normalMatrix"), c.normal) << c.name;

        material.setupDraw(other, c.model);
        EXPECT_EQ(currentProgram(), static_cast<GLint>(other->getProgramId())) << c.name;
        EXPECT_EQ(uniformValue<glm::mat4>(*other, "normalMatrix"), c.normal) << c.name;
    }
    glDisable(GL_DEPTH_TEST);
}

} // namespace
