#include "render/MipmapChain.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>
#include <vector>

namespace {

// The texels as stb_image decodes them from a PNG made of them.
DecodedImage imageOf(int width, int height, int channels, const std::vector<unsigned char>& texels) {
    std::vector<unsigned char> png;
    stbi_write_png_to_func(
        [](void* context, void* data, int size) {
            auto* bytes = static_cast<unsigned char*>(data);
            static_cast<std::vector<unsigned char>*>(context)->insert(
                static_cast<std::vector<unsigned char>*>(context)->end(), bytes, bytes + size);
        },
        &png, width, height, channels, texels.data(), width * channels);
    return DecodedImage::fromMemory(png, 0);
}

std::vector<unsigned char> levelTexels(const MipmapChain& chain, int level) {
    const unsigned char* pixels = chain.getPixels(level);
    return std::vector<unsigned char>(pixels, pixels + chain.getWidth(level) * chain.getHeight(level) *
                                                           chain.getChannels());
}

TEST(MipmapChain, EachLevelAveragesTheTwoByTwoTexelsItCoversAsABilinearBlitDoes) {
    const struct {
        const char* what;
        int width;
        int height;
        int channels;
        std::vector<unsigned char> texels;
        // Every level after the image itself: width, height, texels.
        std::vector<std::tuple<int, int, std::vector<unsigned char>>> levels;
    } cases[] = {
        {"4 x 2 grey", 4, 2, 1, {0, 4, 8, 12, 100, 104, 200, 204}, {{2, 1, {52, 106}}, {1, 1, {79}}}},
        {"each halving rounds a half up", 2, 2, 1, {0, 1, 2, 2}, {{1, 1, {2}}}},
        {"a lone odd texel rounds up twice", 2, 2, 1, {0, 0, 0, 1}, {{1, 1, {1}}}},
        {"channels apart", 2, 1, 2, {10, 200, 20, 100}, {{1, 1, {15, 150}}}},
        {"odd size keeps the texels of the first 2 x 2",
         3,
         3,
         1,
         {0, 4, 250, 8, 12, 250, 250, 250, 250},
         {{1, 1, {6}}}},
        {"one texel wide", 1, 4, 1, {0, 2, 10, 30}, {{1, 2, {1, 20}}, {1, 1, {11}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const MipmapChain chain(imageOf(c.width, c.height, c.channels, c.texels));
        ASSERT_TRUE(chain);
        ASSERT_EQ(chain.getLevelCount(), static_cast<int>(c.levels.size()) + 1);
        EXPECT_EQ(levelTexels(chain, 0), c.texels);
        for (std::size_t level = 0; level < c.levels.size(); ++level) {
            const auto& [width, height, texels] = c.levels[level];
            const int index = static_cast<int>(level) + 1;
            EXPECT_EQ(chain.getWidth(index), width) << index;
            EXPECT_EQ(chain.getHeight(index), height) << index;
            EXPECT_EQ(levelTexels(chain, index), texels) << index;
        }
    }
}

TEST(MipmapChain, ALevelHalvesEachSideRoundingDownUntilBothAreOne) {
    const MipmapChain chain(imageOf(12, 3, 3, std::vector<unsigned char>(12 * 3 * 3, 7)));
    const int sizes[][2] = {{12, 3}, {6, 1}, {3, 1}, {1, 1}};
    ASSERT_EQ(chain.getLevelCount(), 4);
    for (int level = 0; level < 4; ++level) {
        EXPECT_EQ(chain.getWidth(level), sizes[level][0]);
        EXPECT_EQ(chain.getHeight(level), sizes[level][1]);
        EXPECT_EQ(levelTexels(chain, level),
                  std::vector<unsigned char>(sizes[level][0] * sizes[level][1] * 3, 7));
    }
}

TEST(MipmapChain, AnImageThatCouldNotBeDecodedHasNoLevels) {
    const MipmapChain chain(DecodedImage::fromFile("missing.png", 0));
    EXPECT_FALSE(chain);
    EXPECT_EQ(chain.getLevelCount(), 0);
}

} // namespace
