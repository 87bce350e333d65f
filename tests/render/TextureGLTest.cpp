#include "GlImages.h"
#include "GlTest.h"
#include "OffscreenTarget.h"
#include "TestPrograms.h"
#include "render/ImageDecoder.h"
#include "render/ImageTexture.h"
#include "render/QuadGeometry.h"
#include "render/Shader.h"
#include "render/ShadowmapTexture.h"
#include "render/VideoTexture.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <stb_image_write.h>
#include <vector>

namespace {

constexpr int kWidth = 3;
constexpr int kHeight = 2;

// Distinct bytes for every channel of every texel, rows top to bottom as image files store them.
std::vector<unsigned char> testPixels(int channels) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(kWidth * kHeight * channels));
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<unsigned char>(20 + 9 * i);
    }
    return pixels;
}

GLint levelParameter(GLint level, GLenum parameter) {
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, parameter, &value);
    return value;
}

GLint integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

std::vector<unsigned char> boundImage(GLenum format, int channels) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(kWidth * kHeight * channels));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

class TextureGLTest : public GlTest {
protected:
    std::string writePng(const std::string& name, int channels) {
        const std::vector<unsigned char> pixels = testPixels(channels);
        stbi_write_png(files.path(name).c_str(), kWidth, kHeight, channels, pixels.data(), kWidth * channels);
        return files.path(name);
    }

    // Binds a new image texture and returns what the first bind printed.
    std::string bindImage(ImageTexture& texture) {
        testing::internal::CaptureStdout();
        texture.bind(0);
        return testing::internal::GetCapturedStdout();
    }

    TempDirectory files;
};

TEST_F(TextureGLTest, ImagesUploadInTheFormatOfTheirChannelCountUnflippedWithMipmaps) {
    // Texel (0, 0) as a shader reads it: the first bytes of the file's first row.
    const struct {
        int channels;
        GLenum format;
        glm::u8vec4 sampled;
        GLenum storageFormat;
    } cases[] = {{1, GL_RED, {20, 20, 20, 255}, GL_R8},
                 {2, GL_RG, {20, 20, 20, 29}, GL_RG8},
                 {3, GL_RGB, {20, 29, 38, 255}, GL_RGB8},
                 {4, GL_RGBA, {20, 29, 38, 47}, GL_RGBA8}};
    const auto sampler = makeQuadProgram(
        files, "texel", "void main() { fragColor = texelFetch(textureSampler, ivec2(0), 0); }\n");
    sampler->setUniform("textureSampler", 0);
    ImageDecoder decoder;
    for (const auto& c : cases) {
        for (const bool decodedAhead : {false, true}) {
            SCOPED_TRACE(std::to_string(c.channels) +
                         (decodedAhead ? " channels, decoded ahead" : " channels"));
            // The default unpack alignment of 4 must not skew rows three texels wide.
            glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
            ImageTexture texture(writePng("image" + std::to_string(c.channels) + ".png", c.channels));
            if (decodedAhead) {
                texture.decodeAhead(decoder);
            }
            EXPECT_EQ(bindImage(texture), "");
            EXPECT_EQ(levelParameter(0, GL_TEXTURE_INTERNAL_FORMAT), static_cast<GLint>(c.storageFormat));
            EXPECT_EQ(levelParameter(0, GL_TEXTURE_WIDTH), kWidth);
            EXPECT_EQ(levelParameter(0, GL_TEXTURE_HEIGHT), kHeight);
            EXPECT_EQ(levelParameter(1, GL_TEXTURE_WIDTH), 1) << "mipmaps";
            EXPECT_EQ(boundImage(c.format, c.channels), testPixels(c.channels));
            GLint minFilter = 0;
            glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
            EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);

            OffscreenTarget target(1);
            glDisable(GL_BLEND);
            sampler->use();
            screenQuad.draw();
            EXPECT_EQ(target.pixel(0, 0), c.sampled) << "grey reads as grey, its alpha as alpha";
        }
    }
}

TEST_F(TextureGLTest, AJpegIsRgb) {
    const std::vector<unsigned char> pixels = testPixels(3);
    stbi_write_jpg(files.path("photo.jpg").c_str(), kWidth, kHeight, 3, pixels.data(), 90);
    ImageTexture texture(files.path("photo.jpg"));
    EXPECT_EQ(bindImage(texture), "");
    EXPECT_EQ(levelParameter(0, GL_TEXTURE_INTERNAL_FORMAT), GL_RGB8);
}

TEST_F(TextureGLTest, MissingOrUndecodableFilesAreReportedAndLeaveAnEmptyTexture) {
    const std::string paths[] = {files.path("missing.png"), files.write("garbage.png", "not an image")};
    ImageDecoder decoder;
    for (const std::string& path : paths) {
        for (const bool decodedAhead : {false, true}) {
            ImageTexture texture(path);
            if (decodedAhead) {
                texture.decodeAhead(decoder);
            }
            EXPECT_EQ(bindImage(texture), "Texture failed to load at path: " + path + "\n");
            EXPECT_TRUE(texture.isCreated());
            EXPECT_EQ(levelParameter(0, GL_TEXTURE_WIDTH), 0);
            EXPECT_EQ(bindImage(texture), "") << "a failed texture is not retried";
            EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        }
    }
}

TEST_F(TextureGLTest, TheFirstBindUploadsOnceAndLaterBindsOnlyBind) {
    static int uploads = 0;
    static PFNGLTEXSTORAGE2DPROC realTexStorage = glTexStorage2D;
    uploads = 0;
    glTexStorage2D = [](GLenum target, GLsizei levels, GLenum format, GLsizei width, GLsizei height) {
        ++uploads;
        realTexStorage(target, levels, format, width, height);
    };
    ImageTexture texture(writePng("image.png", 4));
    texture.bind(3);
    const int uploadsAfterFirstBind = uploads;
    const GLint activeAfterFirstBind = integer(GL_ACTIVE_TEXTURE);
    const GLint boundOnThree = integer(GL_TEXTURE_BINDING_2D);
    texture.bind(5);
    glTexStorage2D = realTexStorage;

    EXPECT_EQ(uploadsAfterFirstBind, 1);
    EXPECT_EQ(activeAfterFirstBind, GL_TEXTURE3);
    EXPECT_EQ(boundOnThree, static_cast<GLint>(texture.getId()));
    EXPECT_EQ(uploads, 1);
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE5);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(texture.getId()));
    glActiveTexture(GL_TEXTURE0);
}

TEST_F(TextureGLTest, AShadowMapIsAttachedToItsFramebufferAndReadsFarDepthOutsideItsSquare) {
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    {
        ShadowmapTexture shadowMap(16, framebuffer);
        shadowMap.bind(0);
        EXPECT_EQ(boundFramebuffer(), 0);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
        glViewport(0, 0, 16, 16);
        glClearDepth(0.25);
        glClear(GL_DEPTH_BUFFER_BIT);
        glClearDepth(1.0);

        OffscreenTarget target(4);
        const auto sampler =
            makeProgram(files, "s",
                        "#version 430 core\nlayout(location = 0) in vec3 position;\n"
                        "void main() { gl_Position = vec4(position, 1.0); }\n",
                        "#version 430 core\nuniform sampler2D shadowMap;\n"
                        "uniform vec3 coordinate;\nout vec4 color;\n"
                        "void main() { color = vec4(texture(shadowMap, coordinate.xy).r); }\n");
        sampler->setUniform("shadowMap", 0);
        const struct {
            glm::vec3 coordinate;
            int depth;
        } cases[] = {{{0.5f, 0.5f, 0.0f}, 64},
                     {{1.5f, 0.5f, 0.0f}, 255},
                     {{-0.5f, 0.5f, 0.0f}, 255},
                     {{0.5f, 2.0f, 0.0f}, 255},
                     {{0.5f, -0.1f, 0.0f}, 255}};
        for (const auto& c : cases) {
            sampler->setUniform("coordinate", c.coordinate);
            screenQuad.draw();
            EXPECT_NEAR(target.pixel(1, 1).r, c.depth, 1) << c.coordinate.x << ", " << c.coordinate.y;
        }
    }
    glDeleteFramebuffers(1, &framebuffer);
}

// 120 frames of 2 x 2 texels whose red channel is twice the frame number, decoded on the main
// thread or, with the parameter true, ahead on worker threads as the game does.
class VideoTextureGLTest : public TextureGLTest, public testing::WithParamInterface<bool> {
protected:
    static constexpr int kFrameSize = 2;
    static constexpr double kFrameDuration = 1.0 / 30.0;

    void SetUp() override {
        TextureGLTest::SetUp();
        if (GetParam()) {
            video.decodeAhead(decoder);
        }
    }

    static unsigned char red(int frame) { return static_cast<unsigned char>(2 * frame); }

    void writeFrame(int frame, int size, int channels) {
        std::vector<unsigned char> pixels(static_cast<std::size_t>(size * size * channels), 255);
        for (std::size_t i = 0; i < pixels.size(); i += static_cast<std::size_t>(channels)) {
            pixels[i] = red(frame);
        }
        stbi_write_png(video.getFramePath(frame).c_str(), size, size, channels, pixels.data(),
                       size * channels);
    }

    void writeAllFrames() {
        for (int frame = 0; frame < VideoTexture::kFrameCount; ++frame) {
            writeFrame(frame, kFrameSize, 4);
        }
    }

    std::string load() {
        testing::internal::CaptureStdout();
        video.bind(0);
        return testing::internal::GetCapturedStdout();
    }

    // Red of the texel the video currently shows.
    int shownRed() {
        video.bind(0);
        std::vector<unsigned char> texels(static_cast<std::size_t>(kFrameSize * kFrameSize * 3));
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
        return texels[0];
    }

    // One update just long enough to show the next frame; returns what it printed.
    std::string advance() {
        const int before = video.getCurrentFrame();
        testing::internal::CaptureStdout();
        video.update(kFrameDuration - video.getElapsed() + 1e-9);
        const std::string output = testing::internal::GetCapturedStdout();
        EXPECT_EQ(video.getCurrentFrame(), (before + 1) % VideoTexture::kFrameCount);
        return output;
    }

    std::string failureLine(int frame) {
        return "Texture failed to load at path: " + video.getFramePath(frame) + "\n";
    }

    ImageDecoder decoder;
    VideoTexture video{files.path("video_"), ".png"};
};

INSTANTIATE_TEST_SUITE_P(Decoding, VideoTextureGLTest, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "AheadOnWorkers" : "WhenShown";
                         });

TEST_P(VideoTextureGLTest, FramesAdvanceEveryThirtiethOfASecond) {
    writeAllFrames();
    EXPECT_EQ(load(), "");
    EXPECT_EQ(levelParameter(0, GL_TEXTURE_WIDTH), kFrameSize);

    video.update(0.02);
    EXPECT_EQ(video.getCurrentFrame(), 0);
    video.update(0.02);
    EXPECT_EQ(video.getCurrentFrame(), 1);
    EXPECT_NEAR(video.getElapsed(), 0.04 - kFrameDuration, 1e-12);
    EXPECT_EQ(shownRed(), red(0));

    video.update(kFrameDuration - video.getElapsed());
    EXPECT_EQ(video.getCurrentFrame(), 1) << "reaching the frame duration exactly does not advance";

    // With the duration already elapsed, 31.5 durations in all: 31 frames are due.
    video.update(1.0 + 0.5 * kFrameDuration);
    EXPECT_EQ(video.getCurrentFrame(), 32) << "a long frame moves on by every frame it covers";
    EXPECT_EQ(shownRed(), red(31)) << "and shows the last of them";
    EXPECT_NEAR(video.getElapsed(), 0.5 * kFrameDuration, 1e-9);
    video.update(0.0);
    EXPECT_EQ(video.getCurrentFrame(), 32);

    video.update(2.0 * VideoTexture::kFrameCount * kFrameDuration + 0.6 * kFrameDuration);
    EXPECT_EQ(video.getCurrentFrame(), 33) << "whole loops of the video are skipped";
    EXPECT_EQ(shownRed(), red(32));
}

// The same stretch of time, played at any update rate, ends on the same frame; at the slowest
// rates the frames in between are skipped, and the ones decoded ahead follow the pace.
TEST_P(VideoTextureGLTest, TheVideoKeepsTimeAtEveryUpdateRate) {
    writeAllFrames();
    load();
    const double stretch = 2.0 + 0.5 * kFrameDuration; // 60.5 frame durations
    int start = 0;
    for (int updatesPerSecond : {3, 7, 10, 30, 60, 144}) {
        SCOPED_TRACE(std::to_string(updatesPerSecond) + " updates a second");
        const int updates = static_cast<int>(std::lround(stretch * updatesPerSecond));
        for (int i = 0; i < updates; ++i) {
            video.update(stretch / updates);
        }
        const int end = (start + 60) % VideoTexture::kFrameCount;
        ASSERT_EQ(video.getCurrentFrame(), end);
        EXPECT_EQ(shownRed(), red((end + VideoTexture::kFrameCount - 1) % VideoTexture::kFrameCount));
        // Back onto a frame boundary for the next rate.
        video.update(kFrameDuration - video.getElapsed() + 1e-9);
        start = video.getCurrentFrame();
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_P(VideoTextureGLTest, PlaybackShowsEveryFrameInOrderAndWrapsAfterTheLast) {
    writeAllFrames();
    load();
    for (int frame = 0; frame < VideoTexture::kFrameCount; ++frame) {
        advance();
        ASSERT_EQ(shownRed(), red(frame));
    }
    EXPECT_EQ(video.getCurrentFrame(), 0);
    advance();
    EXPECT_EQ(shownRed(), red(0));
}

TEST_P(VideoTextureGLTest, BadFramesAreReportedOnceAndKeepThePreviousImage) {
    writeAllFrames();
    std::filesystem::remove(video.getFramePath(0));
    std::filesystem::remove(video.getFramePath(5));
    writeFrame(7, kFrameSize + 1, 4);
    writeFrame(8, kFrameSize, 3);
    // Its header still names a 2 x 2 image; the pixel data is cut off.
    std::filesystem::resize_file(video.getFramePath(9), 40);
    EXPECT_EQ(load(), failureLine(0) + failureLine(5) +
                          "Video frame has the wrong size (3 x 3 instead of 2 x 2) at path: " +
                          video.getFramePath(7) + "\n");
    EXPECT_EQ(levelParameter(0, GL_TEXTURE_WIDTH), kFrameSize);

    const struct {
        int frame;
        int shown;
        std::string output;
    } steps[] = {{0, -1, ""}, {1, 1, ""}, {2, 2, ""}, {3, 3, ""}, {4, 4, ""},
                 {5, 4, ""},  {6, 6, ""}, {7, 6, ""}, {8, 8, ""}, {9, 8, failureLine(9)},
                 {10, 10, ""}};
    for (int loop = 0; loop < 2; ++loop) {
        for (const auto& step : steps) {
            SCOPED_TRACE("frame " + std::to_string(step.frame) + " in loop " + std::to_string(loop));
            ASSERT_EQ(video.getCurrentFrame(), step.frame);
            EXPECT_EQ(advance(), loop == 0 ? step.output : "") << "a bad frame is reported once";
            if (step.shown >= 0) {
                EXPECT_EQ(shownRed(), red(step.shown));
            }
        }
        while (video.getCurrentFrame() != 0) {
            advance();
        }
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_P(VideoTextureGLTest, TheSizeTheFramesShareWinsOverAnOddFirstFrame) {
    writeAllFrames();
    writeFrame(0, kFrameSize + 2, 4);
    EXPECT_EQ(load(), "Video frame has the wrong size (4 x 4 instead of 2 x 2) at path: " +
                          video.getFramePath(0) + "\n");
    EXPECT_EQ(levelParameter(0, GL_TEXTURE_WIDTH), kFrameSize);
    EXPECT_EQ(levelParameter(0, GL_TEXTURE_HEIGHT), kFrameSize);
    for (int frame = 0; frame < 4; ++frame) {
        EXPECT_EQ(advance(), "");
    }
    EXPECT_EQ(shownRed(), red(3)) << "the frames after the odd one play";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_P(VideoTextureGLTest, AVideoWithoutFramesReportsEachAndPlaysNothing) {
    std::string expected;
    for (int frame = 0; frame < VideoTexture::kFrameCount; ++frame) {
        expected += failureLine(frame);
    }
    EXPECT_EQ(load(), expected);
    EXPECT_EQ(levelParameter(0, GL_TEXTURE_WIDTH), 1280);
    EXPECT_EQ(levelParameter(0, GL_TEXTURE_HEIGHT), 720);
    EXPECT_EQ(advance(), "");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
