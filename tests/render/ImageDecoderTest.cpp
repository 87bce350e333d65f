#include "render/ImageDecoder.h"
#include "TempDirectory.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <stb_image_write.h>
#include <vector>

namespace {

// Files of distinct sizes and contents, each a few texels, in every channel count.
class ImageDecoderTest : public testing::Test {
protected:
    static constexpr int kImageCount = 24;

    void SetUp() override {
        for (int i = 0; i < kImageCount; ++i) {
            const int channels = 1 + i % 4;
            const int width = 1 + i;
            std::vector<unsigned char> pixels(static_cast<std::size_t>(width * 2 * channels));
            for (std::size_t b = 0; b < pixels.size(); ++b) {
                pixels[b] = static_cast<unsigned char>(i * 7 + b);
            }
            paths.push_back(files.path("image" + std::to_string(i) + ".png"));
            stbi_write_png(paths.back().c_str(), width, 2, channels, pixels.data(), width * channels);
        }
    }

    static std::vector<unsigned char> bytesOf(const DecodedImage& image) {
        const std::size_t size =
            static_cast<std::size_t>(image.getWidth() * image.getHeight() * image.getChannels());
        return std::vector<unsigned char>(image.getPixels(), image.getPixels() + size);
    }

    static void expectSame(const DecodedImage& decoded, const DecodedImage& expected) {
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded.getWidth(), expected.getWidth());
        EXPECT_EQ(decoded.getHeight(), expected.getHeight());
        EXPECT_EQ(decoded.getChannels(), expected.getChannels());
        EXPECT_EQ(bytesOf(decoded), bytesOf(expected));
    }

    static void expectSame(const MipmapChain& decoded, const MipmapChain& expected) {
        ASSERT_TRUE(decoded);
        ASSERT_EQ(decoded.getLevelCount(), expected.getLevelCount());
        EXPECT_EQ(decoded.getChannels(), expected.getChannels());
        for (int level = 0; level < decoded.getLevelCount(); ++level) {
            const std::size_t size = static_cast<std::size_t>(
                decoded.getWidth(level) * decoded.getHeight(level) * decoded.getChannels());
            EXPECT_EQ(
                std::vector<unsigned char>(decoded.getPixels(level), decoded.getPixels(level) + size),
                std::vector<unsigned char>(expected.getPixels(level), expected.getPixels(level) + size));
        }
    }

    static std::vector<unsigned char> fileBytes(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        return std::vector<unsigned char>(std::istreambuf_iterator<char>(file),
                                          std::istreambuf_iterator<char>());
    }

    TempDirectory files;
    std::vector<std::string> paths;
};

TEST_F(ImageDecoderTest, DecodesManyFilesAndBuffersAtOnceAsTheCallingThreadWould) {
    std::vector<std::vector<unsigned char>> buffers;
    for (const std::string& path : paths) {
        buffers.push_back(fileBytes(path));
    }
    for (const unsigned workers : {0u, 1u, 4u}) {
        SCOPED_TRACE(std::to_string(workers) + " workers");
        ImageDecoder decoder(workers);
        EXPECT_EQ(decoder.getWorkerCount(), workers);
        std::vector<std::future<MipmapChain>> fromFiles;
        std::vector<std::future<DecodedImage>> fromMemory;
        for (std::size_t i = 0; i < paths.size(); ++i) {
            fromFiles.push_back(decoder.decodeFileWithMipmaps(paths[i]));
            fromMemory.push_back(decoder.decodeMemory(buffers[i], 4));
        }
        for (std::size_t i = 0; i < paths.size(); ++i) {
            expectSame(fromFiles[i].get(), MipmapChain(DecodedImage::fromFile(paths[i], 0)));
            expectSame(fromMemory[i].get(), DecodedImage::fromFile(paths[i], 4));
        }
    }
}

TEST_F(ImageDecoderTest, WithoutWorkersTheResultIsReadyAtOnce) {
    ImageDecoder decoder(0);
    std::future<MipmapChain> decoded = decoder.decodeFileWithMipmaps(paths[0]);
    EXPECT_EQ(decoded.wait_for(std::chrono::seconds(0)), std::future_status::ready);
}

TEST_F(ImageDecoderTest, FilesThatAreNoImagesGiveEmptyResults) {
    const std::string garbage = files.write("garbage.png", "not an image");
    std::vector<unsigned char> truncated = fileBytes(paths[5]);
    truncated.resize(40);
    ImageDecoder decoder(2);
    EXPECT_FALSE(decoder.decodeFileWithMipmaps(files.path("missing.png")).get());
    EXPECT_FALSE(decoder.decodeFileWithMipmaps(garbage).get());
    EXPECT_FALSE(decoder.decodeMemory(truncated, 4).get());
    EXPECT_FALSE(decoder.decodeMemory({}, 4).get());
}

TEST_F(ImageDecoderTest, DestroyingTheDecoderFinishesEveryDecodeAskedFor) {
    std::vector<std::future<MipmapChain>> decoded;
    {
        ImageDecoder decoder(1);
        for (int round = 0; round < 4; ++round) {
            for (const std::string& path : paths) {
                decoded.push_back(decoder.decodeFileWithMipmaps(path));
            }
        }
    }
    for (std::size_t i = 0; i < decoded.size(); ++i) {
        ASSERT_EQ(decoded[i].wait_for(std::chrono::seconds(0)), std::future_status::ready);
        EXPECT_TRUE(decoded[i].get()) << i;
    }
}

} // namespace
