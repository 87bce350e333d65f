#include "GlImages.h"
#include "GlTest.h"
#include "TestPrograms.h"

#include "render/BloomChain.h"
#include "render/Shader.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>

namespace {

class BloomChainGLTest : public GlTest {
protected:
    static std::vector<glm::vec4> uniformImage(int width, int height, glm::vec4 color) {
        return std::vector<glm::vec4>(static_cast<size_t>(width * height), color);
    }

    static float largestRed(const std::vector<glm::vec4>& pixels) {
        return std::max_element(pixels.begin(), pixels.end(),
                                [](glm::vec4 a, glm::vec4 b) { return a.r < b.r; })
            ->r;
    }

    static std::shared_ptr<Shader> gameBlur() {
        return std::make_shared<Shader>("assets/shader/bloomblur.comp");
    }

    static std::vector<glm::vec4> bloomOf(const std::shared_ptr<Shader>& brightFilter, int width, int height,
                                          const std::vector<glm::vec4>& image) {
        BloomChain chain(brightFilter, gameBlur(), width, height);
        const GLuint source = makeFloatTexture(width, height, image);
        const std::vector<glm::vec4> bloom = readTexture(chain.run(source), width, height);
        glDeleteTextures(1, &source);
        return bloom;
    }
};

// The blur the bloom is meant to be: ten passes of the 9-tap Gaussian (sigma 2) along the rows,
// then ten along the columns, each pass repeating the edge texels beyond the border.
std::vector<glm::vec4> referenceBlur(std::vector<glm::vec4> image, int width, int height) {
    constexpr std::array<float, 5> kWeights{0.2041637f, 0.1801738f, 0.1238315f, 0.0662822f, 0.0276306f};
    const auto blurLines = [&](int length, int lines, auto index) {
        for (int pass = 0; pass < 10; ++pass) {
            const std::vector<glm::vec4> previous = image;
            for (int line = 0; line < lines; ++line) {
                for (int at = 0; at < length; ++at) {
                    glm::vec4 sum = kWeights[0] * previous[index(at, line)];
                    for (int offset = 1; offset <= 4; ++offset) {
                        sum += kWeights[static_cast<size_t>(offset)] *
                               (previous[index(std::max(at - offset, 0), line)] +
                                previous[index(std::min(at + offset, length - 1), line)]);
                    }
                    image[index(at, line)] = sum;
                }
            }
        }
    };
    blurLines(width, height, [width](int x, int y) { return static_cast<size_t>(y * width + x); });
    blurLines(height, width, [width](int y, int x) { return static_cast<size_t>(y * width + x); });
    return image;
}

// Rows longer than one work group's stretch and a few columns: the blur must match the ten
// chained passes everywhere, at the image's edges and where work groups meet.
TEST_F(BloomChainGLTest, BlursLikeTenChainedGaussianPassesInEachDirection) {
    constexpr int kWidth = 1000;
    constexpr int kHeight = 24;
    const TempDirectory files;
    const auto copy =
        makeQuadProgram(files, "copy", "void main() { fragColor = texture(textureSampler, uv); }");
    std::vector<glm::vec4> image = uniformImage(kWidth, kHeight, glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
    unsigned seed = 7;
    for (glm::vec4& pixel : image) {
        seed = seed * 1103515245u + 12345u;
        pixel.r = (seed >> 16) % 7 == 0 ? static_cast<float>((seed >> 8) % 64) : 0.0f;
        pixel.g = pixel.r * 0.5f;
    }
    const std::vector<glm::vec4> expected = referenceBlur(image, kWidth, kHeight);
    const std::vector<glm::vec4> blurred = bloomOf(copy, kWidth, kHeight, image);
    for (size_t i = 0; i < blurred.size(); ++i) {
        const int x = static_cast<int>(i) % kWidth;
        const int y = static_cast<int>(i) / kWidth;
        ASSERT_NEAR(blurred[i].r, expected[i].r, 2e-3f * (1.0f + expected[i].r)) << "at " << x << ", " << y;
        ASSERT_NEAR(blurred[i].g, expected[i].g, 2e-3f * (1.0f + expected[i].g)) << "at " << x << ", " << y;
    }
}

TEST_F(BloomChainGLTest, ABrightSpotSpreadsIntoAGlowAndADarkImageStaysDark) {
    constexpr int kSize = 256;
    constexpr int kSpot = 4;
    constexpr int kCentre = kSize / 2;
    const auto brightFilter =
        std::make_shared<Shader>("assets/shader/quad.vert", "assets/shader/brightfilter.frag");
    std::vector<glm::vec4> image = uniformImage(kSize, kSize, glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
    for (int y = kCentre - kSpot; y < kCentre + kSpot; ++y) {
        for (int x = kCentre - kSpot; x < kCentre + kSpot; ++x) {
            image[static_cast<size_t>(y * kSize + x)] = glm::vec4(20.0f, 20.0f, 20.0f, 1.0f);
        }
    }
    const auto at = [](const std::vector<glm::vec4>& pixels, int x, int y) {
        return pixels[static_cast<size_t>(y * kSize + x)].r;
    };
    const std::vector<glm::vec4> glow = bloomOf(brightFilter, kSize, kSize, image);
    EXPECT_GT(at(glow, kCentre, kCentre), 0.0f);
    EXPECT_GT(at(glow, kCentre + 3 * kSpot, kCentre), 0.0f)
        << "the glow reaches beyond the spot horizontally";
    EXPECT_GT(at(glow, kCentre, kCentre - 3 * kSpot), 0.0f) << "and vertically";
    EXPECT_LT(at(glow, kCentre + 3 * kSpot, kCentre), at(glow, kCentre, kCentre)) << "and fades outwards";
    EXPECT_NEAR(at(glow, 20, 20), 0.0f, 1e-3f) << "far corners stay dark";

    const std::vector<glm::vec4> dark =
        bloomOf(brightFilter, kSize, kSize, uniformImage(kSize, kSize, glm::vec4(0.2f, 0.2f, 0.2f, 1.0f)));
    EXPECT_LT(largestRed(dark), 1e-3f);
}

// A size the driver cannot make (far beyond any texture limit) is reported once, when the
// chain is made; running it afterwards draws nothing, raises no GL error and yields no texture.
TEST_F(BloomChainGLTest, AnImpossibleSizeIsReportedOnceAndTheChainThenDoesNothing) {
    const TempDirectory files;
    const auto copy =
        makeQuadProgram(files, "copy", "void main() { fragColor = texture(textureSampler, uv); }");
    testing::internal::CaptureStdout();
    BloomChain chain(copy, gameBlur(), 100000, 800);
    const std::string creation = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(chain.isComplete());
    EXPECT_NE(creation.find("ERROR: the bloom render target could not be made"), std::string::npos)
        << creation;

    while (glGetError() != GL_NO_ERROR) {
    }
    testing::internal::CaptureStdout();
    EXPECT_EQ(chain.run(0), 0u);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    chain.resize(64, 64);
    EXPECT_TRUE(chain.isComplete()) << "a later size it can make brings it back";
}

} // namespace
