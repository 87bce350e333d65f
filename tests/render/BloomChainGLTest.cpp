#include "GlImages.h"
#include "GlTest.h"
#include "TestPrograms.h"

#include "render/BloomChain.h"
#include "render/Shader.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

class BloomChainGLTest : public GlTest {
protected:
    using Passes = std::vector<std::shared_ptr<Shader>>;

    static GLint colorAttachment(GLint framebuffer) {
        GLint texture = 0;
        glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(framebuffer));
        glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0,
                                              GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &texture);
        return texture;
    }

    static std::vector<glm::vec4> uniformImage(int size, glm::vec4 color) {
        return std::vector<glm::vec4>(static_cast<size_t>(size * size), color);
    }

    static float largestRed(const std::vector<glm::vec4>& pixels) {
        return std::max_element(pixels.begin(), pixels.end(),
                                [](glm::vec4 a, glm::vec4 b) { return a.r < b.r; })
            ->r;
    }
};

// Every pass adds a sixteenth to red, so the result counts the passes that fed into each other.
TEST_F(BloomChainGLTest, PassOneReadsTheSourceIntoTargetOneAndEachPassReadsThePreviousOne) {
    constexpr int kSize = 16;
    glViewport(0, 0, kSize, kSize);
    const TempDirectory files;
    const auto increment = makeQuadProgram(files, "increment", R"(
void main() { fragColor = texture(textureSampler, uv) + vec4(0.0625, 0.0, 0.0, 0.0); })");
    Passes passes;
    BloomChain chain(passes, kSize, kSize);
    const GLint framebuffer1 = boundFramebuffer();
    const GLuint source =
        makeFloatTexture(kSize, kSize, uniformImage(kSize, glm::vec4(0.25f, 0.0f, 0.0f, 1.0f)));

    for (const int passCount : {1, 2, 21}) {
        passes.assign(static_cast<size_t>(passCount), increment);
        const GLuint result = chain.run(source);
        const GLint lastTarget = boundFramebuffer();
        EXPECT_EQ(lastTarget == framebuffer1, passCount % 2 == 1) << passCount << " passes";
        EXPECT_EQ(static_cast<GLuint>(colorAttachment(lastTarget)), result) << passCount << " passes";
        EXPECT_FLOAT_EQ(readTexture(result, kSize, kSize)[0].r, 0.25f + 0.0625f * passCount) << passCount;
    }
    EXPECT_FLOAT_EQ(readTexture(source, kSize, kSize)[0].r, 0.25f);

    passes.clear();
    EXPECT_EQ(chain.run(source), source);
    glDeleteTextures(1, &source);
}

class GameBloomGLTest : public BloomChainGLTest {
protected:
    static constexpr int kSize = 256;

    void SetUp() override {
        BloomChainGLTest::SetUp();
        glViewport(0, 0, kSize, kSize);
        const auto brightFilter =
            std::make_shared<Shader>("assets/shader/quad.vert", "assets/shader/brightfilter.frag");
        const auto horizontalBlur =
            std::make_shared<Shader>("assets/shader/quad.vert", "assets/shader/blurhorizontal.frag");
        const auto verticalBlur =
            std::make_shared<Shader>("assets/shader/quad.vert", "assets/shader/blurvertical.frag");
        passes.push_back(brightFilter);
        for (int i = 0; i < 10; ++i) {
            passes.push_back(horizontalBlur);
            passes.push_back(verticalBlur);
        }
    }

    std::vector<glm::vec4> bloomOf(const std::vector<glm::vec4>& image) {
        BloomChain chain(passes, kSize, kSize);
        const GLuint source = makeFloatTexture(kSize, kSize, image);
        const std::vector<glm::vec4> bloom = readTexture(chain.run(source), kSize, kSize);
        glDeleteTextures(1, &source);
        return bloom;
    }

    static glm::vec4 at(const std::vector<glm::vec4>& image, int x, int y) {
        return image[static_cast<size_t>(y * kSize + x)];
    }

    Passes passes;
};

TEST_F(GameBloomGLTest, ABrightSpotSpreadsIntoAGlowAndADarkImageStaysDark) {
    constexpr int kSpot = 4;
    constexpr int kCentre = kSize / 2;
    std::vector<glm::vec4> image = uniformImage(kSize, glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
    for (int y = kCentre - kSpot; y < kCentre + kSpot; ++y) {
        for (int x = kCentre - kSpot; x < kCentre + kSpot; ++x) {
            image[static_cast<size_t>(y * kSize + x)] = glm::vec4(20.0f, 20.0f, 20.0f, 1.0f);
        }
    }
    const std::vector<glm::vec4> glow = bloomOf(image);
    EXPECT_GT(at(glow, kCentre, kCentre).r, 0.0f);
    EXPECT_GT(at(glow, kCentre + 3 * kSpot, kCentre).r, 0.0f)
        << "the glow reaches beyond the spot horizontally";
    EXPECT_GT(at(glow, kCentre, kCentre - 3 * kSpot).r, 0.0f) << "and vertically";
    EXPECT_LT(at(glow, kCentre + 3 * kSpot, kCentre).r, at(glow, kCentre, kCentre).r) << "and fades outwards";
    EXPECT_NEAR(at(glow, 20, 20).r, 0.0f, 1e-3f) << "far corners stay dark";

    const std::vector<glm::vec4> dark = bloomOf(uniformImage(kSize, glm::vec4(0.2f, 0.2f, 0.2f, 1.0f)));
    EXPECT_LT(largestRed(dark), 1e-3f);
}

} // namespace
