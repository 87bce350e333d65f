#pragma once

#include "render/DecodedImage.h"
#include "render/Texture.h"

#include <array>
#include <future>
#include <string>
#include <vector>

class ImageDecoder;

// A looping video of 120 numbered image files at 30 frames a second. Update keeps the video on
// time: it moves on by every frame whose time has passed and shows the last of them, so a slow
// machine skips frames rather than playing the video slowly. The first bind reads the files and
// keeps them compressed; the frames the next updates will show at the current pace are decoded to
// RGBA ahead of their turn, and a frame is uploaded into the one texture when shown.
class VideoTexture : public Texture {
public:
    static constexpr int kFrameCount = 120;

    // Frame i is read from prefix + i in three digits + suffix.
    VideoTexture(std::string prefix, std::string suffix);
    // Waits for the decodes in flight, which read this texture's frames.
    ~VideoTexture() override;

    GLenum target() const override { return GL_TEXTURE_2D; }

    // Decodes the frames on the decoder's workers, which must outlive the texture; without it each
    // frame is decoded when it is shown.
    void decodeAhead(ImageDecoder& decoder);

    // Advances the playing time; ignored until the first bind has loaded the frames.
    void update(double deltaSeconds);

    const std::string& getFramePath(int index) const { return framePaths[static_cast<std::size_t>(index)]; }
    int getCurrentFrame() const { return currentFrame; }
    double getElapsed() const { return elapsed; }

protected:
    void upload() override;

private:
    // Frames decoded before their turn.
    static constexpr int kFramesAhead = 2;

    struct FrameAhead {
        int frame = -1;
        std::future<DecodedImage> image;
    };

    // Reads every frame file; the frames that cannot be used are reported and left empty.
    void readFrames();
    // Starts decoding the frame; no result for a frame that cannot be used.
    std::future<DecodedImage> decodeFrame(int index);
    // Uploads the frame, waiting for its decode; a frame that cannot be used keeps the previous image.
    void showFrame(int index);
    // The number of frames whose whole duration has passed, taken off the elapsed time; whole loops
    // of the video are left out. At least one when more than a frame's duration has elapsed.
    int takeFramesDue();
    // The decode started ahead for the frame, or one started now.
    std::future<DecodedImage> takeDecodeOf(int index);
    // Starts decoding the frames the next updates show if the video keeps moving by stride frames.
    void decodeAheadOf(int shown, int stride);
    bool isAheadOf(int frame, int shown, int stride) const;
    void setSampling();

    std::array<std::string, kFrameCount> framePaths;
    ImageDecoder* decoder = nullptr;
    int width = 1280;
    int height = 720;
    bool loaded = false;
    // The frame files as read; empty for a frame that cannot be used.
    std::array<std::vector<unsigned char>, kFrameCount> compressedFrames;
    std::array<FrameAhead, kFramesAhead> framesAhead;
    int currentFrame = 0;
    double frameDuration = 1.0 / 30.0;
    double elapsed = 0.0;
};
