#pragma once

#include "render/Texture.h"

#include <array>
#include <memory>
#include <string>

// A looping video of 120 numbered image files, all decoded to RGBA at the first bind and held
// in memory; update shows the next frame every 1/30 s, at most one frame per call.
class VideoTexture : public Texture {
public:
    static constexpr int kFrameCount = 120;

    // Frame i is read from prefix + i in three digits + suffix.
    VideoTexture(std::string prefix, std::string suffix);

    GLenum target() const override { return GL_TEXTURE_2D; }

    // Advances the playing time; ignored until the first bind has loaded the frames.
    void update(double deltaSeconds);

    const std::string& getFramePath(int index) const { return framePaths[static_cast<std::size_t>(index)]; }
    int getCurrentFrame() const { return currentFrame; }
    double getElapsed() const { return elapsed; }

protected:
    void upload() override;

private:
    struct PixelsFree {
        void operator()(unsigned char* pixels) const;
    };
    using Pixels = std::unique_ptr<unsigned char, PixelsFree>;

    // Decodes one frame; null, after printing the failure line, if it is missing or its size
    // differs from the frames before it.
    Pixels decodeFrame(int index, bool& sizeKnown);
    void setSampling();

    std::array<std::string, kFrameCount> framePaths;
    int width = 1280;
    int height = 720;
    bool loaded = false;
    std::array<Pixels, kFrameCount> frames;
    int currentFrame = 0;
    double frameDuration = 1.0 / 30.0;
    double elapsed = 0.0;
};
