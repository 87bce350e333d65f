#include "render/VideoTexture.h"

#include <iostream>
#include <stb_image.h>

namespace {

constexpr int kRgbaChannels = 4;

std::string frameNumber(int index) {
    return std::string(index < 100 ? "0" : "") + (index < 10 ? "0" : "") + std::to_string(index);
}

} // namespace

void VideoTexture::PixelsFree::operator()(unsigned char* pixels) const {
    stbi_image_free(pixels);
}

VideoTexture::VideoTexture(std::string prefix, std::string suffix) {
    for (int i = 0; i < kFrameCount; ++i) {
        framePaths[static_cast<std::size_t>(i)] = prefix + frameNumber(i) + suffix;
    }
}

void VideoTexture::upload() {
    width = 1280;
    height = 720;
    loaded = true;
    bool sizeKnown = false;
    for (int i = 0; i < kFrameCount; ++i) {
        frames[static_cast<std::size_t>(i)] = decodeFrame(i, sizeKnown);
    }
    glTexImage2D(target(), 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    setSampling();
}

VideoTexture::Pixels VideoTexture::decodeFrame(int index, bool& sizeKnown) {
    const std::string& path = framePaths[static_cast<std::size_t>(index)];
    int frameWidth = 0;
    int frameHeight = 0;
    int fileChannels = 0;
    // Every frame becomes RGBA so that each upload reads exactly width * height * 4 bytes.
    Pixels pixels(stbi_load(path.c_str(), &frameWidth, &frameHeight, &fileChannels, kRgbaChannels));
    if (pixels && !sizeKnown) {
        width = frameWidth;
        height = frameHeight;
        sizeKnown = true;
    }
    if (!pixels || frameWidth != width || frameHeight != height) {
        std::cout << "Texture failed to load at path: " << path << std::endl;
        return nullptr;
    }
    return pixels;
}

void VideoTexture::setSampling() {
    glTexParameteri(target(), GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(target(), GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(target(), GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(target(), GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

void VideoTexture::update(double deltaSeconds) {
    if (!loaded) {
        return;
    }
    elapsed += deltaSeconds;
    if (elapsed <= frameDuration) {
        return;
    }
    elapsed -= frameDuration;
    bind(0);
    // A frame that failed to load leaves the previous image on screen.
    if (const Pixels& pixels = frames[static_cast<std::size_t>(currentFrame)]) {
        glTexSubImage2D(target(), 0, 0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.get());
    }
    setSampling();
    currentFrame = (currentFrame + 1) % kFrameCount;
}
