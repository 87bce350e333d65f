#include "render/VideoTexture.h"
#include "render/ImageDecoder.h"
#include "render/ImageTexture.h"

#include <gtest/gtest.h>

// No GL context exists in this program; these stand in for the driver's entry points so that a
// texture calling them here is caught.
namespace {
int textureCalls = 0;
}
extern "C" {
void GLAPIENTRY glGenTextures(GLsizei, GLuint*) {
    ++textureCalls;
}
void GLAPIENTRY glDeleteTextures(GLsizei, const GLuint*) {
    ++textureCalls;
}
}

namespace {

TEST(VideoTexture, FrameNamesCarryThreeDigitsBetweenPrefixAndSuffix) {
    const VideoTexture video("dir/video_", ".png");
    const struct {
        int index;
        const char* path;
    } cases[] = {
        {0, "dir/video_000.png"},  {9, "dir/video_009.png"},   {10, "dir/video_010.png"},
        {99, "dir/video_099.png"}, {100, "dir/video_100.png"}, {119, "dir/video_119.png"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(video.getFramePath(c.index), c.path);
    }
}

TEST(VideoTexture, UpdateBeforeTheFirstBindChangesNothing) {
    VideoTexture video("missing/video_", ".png");
    video.update(0.5);
    video.update(0.5);
    EXPECT_EQ(video.getElapsed(), 0.0);
    EXPECT_EQ(video.getCurrentFrame(), 0);
    EXPECT_FALSE(video.isCreated());
}

TEST(Texture, DestroyingATextureNeverBoundMakesNoGlCall) {
    textureCalls = 0;
    {
        ImageDecoder decoder;
        const ImageTexture image("missing/image.png");
        const VideoTexture video("missing/video_", ".png");
        ImageTexture decodedImage("missing/image.png");
        decodedImage.decodeAhead(decoder);
        VideoTexture decodedVideo("missing/video_", ".png");
        decodedVideo.decodeAhead(decoder);
        EXPECT_FALSE(image.isCreated());
        EXPECT_FALSE(decodedImage.isCreated());
    }
    EXPECT_EQ(textureCalls, 0);
}

} // namespace
