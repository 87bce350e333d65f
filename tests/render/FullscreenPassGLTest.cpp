#include "FloatTarget.h"
#include "GlImages.h"
#include "GlTest.h"
#include "TestPrograms.h"

#include "render/FullscreenPass.h"
#include "render/Shader.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr int kSize = 16;

class FullscreenPassGLTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        glViewport(0, 0, kSize, kSize);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        target = std::make_unique<FloatTarget>(kSize, glm::vec4(9.0f));
    }

    void TearDown() override { glDeleteTextures(static_cast<GLsizei>(sources.size()), sources.data()); }

    GLuint uniformTexture(glm::vec4 color) {
        sources.push_back(makeFloatTexture(kSize, kSize, std::vector<glm::vec4>(kSize * kSize, color)));
        return sources.back();
    }

    TempDirectory files;
    std::unique_ptr<FloatTarget> target;
    std::vector<GLuint> sources;
};

TEST_F(FullscreenPassGLTest, CoversTheClearedTargetFilledWithTheSourceOnUnitZero) {
    const auto copy =
        makeQuadProgram(files, "copy", "void main() { fragColor = texture(textureSampler, uv); }");
    copy->setUniform("textureSampler", 3);
    const GLuint source = uniformTexture(glm::vec4(0.5f, 2.0f, 0.25f, 1.0f));
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glEnable(GL_DEPTH_TEST);
    glActiveTexture(GL_TEXTURE2);

    drawFullscreenPass(copy, source, target->getFramebuffer());

    EXPECT_EQ(boundFramebuffer(), static_cast<GLint>(target->getFramebuffer()));
    for (const glm::vec4& pixel : readFramebuffer(kSize, kSize)) {
        ASSERT_EQ(pixel, glm::vec4(0.5f, 2.0f, 0.25f, 1.0f));
    }
    GLint polygonMode[2] = {};
    GLint activeUnit = 0;
    glGetIntegerv(GL_POLYGON_MODE, polygonMode);
    glGetIntegerv(GL_ACTIVE_TEXTURE, &activeUnit);
    EXPECT_EQ(polygonMode[0], GL_FILL);
    EXPECT_EQ(activeUnit, GL_TEXTURE0);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(copy->getUniformInt("textureSampler"), 0);
}

// A pass that blends out nothing: it draws transparent black, so only the clear shows.
TEST_F(FullscreenPassGLTest, ClearsTheTargetBeforeDrawing) {
    const auto transparent = makeQuadProgram(files, "transparent", "void main() { fragColor = vec4(0.0); }");
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    drawFullscreenPass(transparent, uniformTexture(glm::vec4(1.0f)), target->getFramebuffer());
    glDisable(GL_BLEND);
    EXPECT_EQ(readFramebuffer(kSize, kSize)[0], glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
}

// The composition samples the HDR image on unit 0 and the bloom on unit 1 and scales by "exposure".
TEST_F(FullscreenPassGLTest, ToneMappingReadsTheHdrImageOnUnitZeroAndTheBloomOnUnitOne) {
    const auto toneMapping = makeQuadProgram(files, "tonemapping", R"(
uniform sampler2D bloomResult;
uniform float exposure;
void main() { fragColor = vec4(exposure * texture(textureSampler, uv).rgb + texture(bloomResult, uv).rgb, 1.0); })");
    const GLuint hdr = uniformTexture(glm::vec4(0.25f, 0.0f, 0.0f, 1.0f));
    const GLuint bloom = uniformTexture(glm::vec4(0.0f, 0.5f, 0.0f, 1.0f));

    toneMapToWindow(toneMapping, 2.0f, hdr, bloom);

    EXPECT_EQ(boundFramebuffer(), 0);
    const glm::vec4 pixel = readFramebuffer(kSize, kSize)[0];
    EXPECT_NEAR(pixel.r, 0.5f, 0.01f);
    EXPECT_NEAR(pixel.g, 0.5f, 0.01f);
}

TEST_F(FullscreenPassGLTest, TheGameToneMappingWithExposureZeroGivesABlackWindow) {
    const auto toneMapping =
        std::make_shared<Shader>("assets/shader/quad.vert", "assets/shader/tonemapping.frag");
    const GLuint hdr = uniformTexture(glm::vec4(4.0f, 2.0f, 1.0f, 1.0f));
    const GLuint bloom = uniformTexture(glm::vec4(4.0f, 2.0f, 1.0f, 1.0f));

    toneMapToWindow(toneMapping, 1.0f, hdr, bloom);
    ASSERT_GT(readFramebuffer(kSize, kSize)[0].r, 0.1f) << "exposure 1 shows the image";
    toneMapToWindow(toneMapping, 0.0f, hdr, bloom);
    for (const glm::vec4& pixel : readFramebuffer(kSize, kSize)) {
        ASSERT_EQ(glm::vec3(pixel), glm::vec3(0.0f));
    }
}

} // namespace
