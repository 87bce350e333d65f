#pragma once

#include "render/DecodedImage.h"
#include "render/Texture.h"

#include <array>
#include <future>
#include <string>
#include <vector>

class ImageDecoder;

// A looping video of 120 numbered image files; update shows the next frame every 1/30 s, at most
// one frame per call. The first bind reads the files and keeps them compressed; each frame is
// decoded to RGBA a few frames before its turn and uploaded into the one texture when shown.
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
    // Frames decoded before their turn; the decode of frame i sits in slot i modulo this.
    static constexpr int kFramesAhead = 2;
    static_assert(kFrameCount % kFramesAhead == 0, "a frame keeps its slot when the video loops");

    // Reads every frame file; the frames that cannot be used are reported and left empty.
    void readFrames();
    // Starts decoding the frame; no result for a frame that cannot be used.
    std::future<DecodedImage> decodeFrame(int index);
    // Uploads the frame, waiting for its decode; a frame that cannot be used keeps the previous image.
    void showFrame(int index);
    void setSampling();

    std::array<std::string, kFrameCount> framePaths;
    ImageDecoder* decoder = nullptr;
    int width = 1280;
    int height = 720;
    bool loaded = false;
    // The frame files as read; empty for a frame that cannot be used.
    std::array<std::vector<unsigned char>, kFrameCount> compressedFrames;
    std::array<std::future<DecodedImage>, kFramesAhead> framesAhead;
    int currentFrame = 0;
    double frameDuration = 1.0 / 30.0;
    double elapsed = 0.0;
};
