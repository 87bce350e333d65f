#include "GlImages.h"
#include "GlTest.h"
#include "TestPrograms.h"

#include "render/BloomChain.h"
#include "render/Shader.h"

#include <algorithm>
#include <array>
#include <cmath>
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
        passes = {brightFilter,
                  std::make_shared<Shader>("assets/shader/quad.vert", "assets/shader/blurhorizontal.frag"),
                  std::make_shared<Shader>("assets/shader/quad.vert", "assets/shader/blurvertical.frag")};
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

// The blur the bloom stands for: ten passes of the 9-tap Gaussian (sigma 2) along the rows, then
// ten along the columns, each pass repeating the edge texels beyond the border.
std::vector<glm::vec4> tenChainedGaussians(std::vector<glm::vec4> image, int size) {
    constexpr std::array<float, 5> kWeights{0.2041637f, 0.1801738f, 0.1238315f, 0.0662822f, 0.0276306f};
    const auto blurLines = [&](auto index) {
        for (int pass = 0; pass < 10; ++pass) {
            const std::vector<glm::vec4> previous = image;
            for (int line = 0; line < size; ++line) {
                for (int at = 0; at < size; ++at) {
                    glm::vec4 sum = kWeights[0] * previous[index(at, line)];
                    for (int offset = 1; offset <= 4; ++offset) {
                        sum += kWeights[static_cast<size_t>(offset)] *
                               (previous[index(std::max(at - offset, 0), line)] +
                                previous[index(std::min(at + offset, size - 1), line)]);
                    }
                    image[index(at, line)] = sum;
                }
            }
        }
    };
    blurLines([size](int x, int y) { return static_cast<size_t>(y * size + x); });
    blurLines([size](int y, int x) { return static_cast<size_t>(y * size + x); });
    return image;
}

// Scattered bright texels: the two wide passes match the twenty small ones to a percent of the
// brightest glow. (Light at the image's very edge blooms more strongly in the wide passes, which
// repeat the edge texel once where the small ones repeat it ten times.)
TEST_F(GameBloomGLTest, TheTwoBlurPassesMatchTenChainedGaussiansInEachDirection) {
    std::vector<glm::vec4> image = uniformImage(kSize, glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
    unsigned seed = 7;
    constexpr int kMargin = 24;
    for (int y = kMargin; y < kSize - kMargin; ++y) {
        for (int x = kMargin; x < kSize - kMargin; ++x) {
            seed = seed * 1103515245u + 12345u;
            image[static_cast<size_t>(y * kSize + x)].r =
                (seed >> 16) % 97 == 0 ? 2.0f + static_cast<float>((seed >> 8) % 60) : 0.0f;
        }
    }
    const std::vector<glm::vec4> blurred = bloomOf(image);
    const std::vector<glm::vec4> filtered = [&] {
        const std::vector<std::shared_ptr<Shader>> brightOnly = {passes[0]};
        BloomChain chain(brightOnly, kSize, kSize);
        const GLuint source = makeFloatTexture(kSize, kSize, image);
        std::vector<glm::vec4> result = readTexture(chain.run(source), kSize, kSize);
        glDeleteTextures(1, &source);
        return result;
    }();
    const std::vector<glm::vec4> expected = tenChainedGaussians(filtered, kSize);
    const float brightest = largestRed(expected);
    ASSERT_GT(brightest, 0.1f);
    for (size_t i = 0; i < blurred.size(); ++i) {
        ASSERT_NEAR(blurred[i].r, expected[i].r, 0.01f * brightest)
            << "at " << i % kSize << ", " << i / kSize << " filtered " << filtered[i].r;
    }
}

// A size the driver cannot make (far beyond any texture limit) is reported once, when the chain
// is made; running it then draws nothing, raises no GL error and yields no texture.
TEST_F(GameBloomGLTest, AnImpossibleSizeIsReportedOnceAndTheChainThenDoesNothing) {
    testing::internal::CaptureStdout();
    BloomChain chain(passes, 100000, 800);
    const std::string creation = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(chain.isComplete());
    EXPECT_EQ(creation.rfind("ERROR: the bloom render target could not be made", 0), 0u) << creation;
    EXPECT_EQ(std::count(creation.begin(), creation.end(), '\n'), 1) << creation;
    while (glGetError() != GL_NO_ERROR) {
    }
    testing::internal::CaptureStdout();
    EXPECT_EQ(chain.run(0), 0u);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    chain.resize(kSize, kSize);
    EXPECT_TRUE(chain.isComplete()) << "a size it can make brings it back";
}

} // namespace
