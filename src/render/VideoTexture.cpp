#include "render/VideoTexture.h"

#include "render/ImageDecoder.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <fstream>
#include <iostream>
#include <map>
#include <span>
#include <stb_image.h>

namespace {

// Every frame becomes RGBA so that each upload reads exactly width * height * 4 bytes.
constexpr int kRgbaChannels = 4;

std::string frameNumber(int index) {
    return std::string(index < 100 ? "0" : "") + (index < 10 ? "0" : "") + std::to_string(index);
}

// The whole file; empty if it cannot be read.
std::vector<unsigned char> readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const std::streamoff length = file ? static_cast<std::streamoff>(file.tellg()) : 0;
    std::vector<unsigned char> bytes(length > 0 ? static_cast<std::size_t>(length) : 0);
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
        return {};
    }
    return bytes;
}

// Width and height; (0, 0) for a frame that cannot be used.
using FrameSize = std::pair<int, int>;

// The size an image file declares, (0, 0) if it is no image stb_image reads.
FrameSize declaredSize(const std::vector<unsigned char>& bytes) {
    int width = 0;
    int height = 0;
    int channels = 0;
    if (bytes.empty() || bytes.size() > INT_MAX ||
        !stbi_info_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels)) {
        return {0, 0};
    }
    return {width, height};
}

// The size most frames share; ties go to the earlier frame.
FrameSize commonSize(std::span<const FrameSize> sizes) {
    std::map<FrameSize, int> frameCounts;
    FrameSize common{0, 0};
    int commonCount = 0;
    for (const FrameSize& size : sizes) {
        if (size.first == 0) {
            continue;
        }
        const int count = ++frameCounts[size];
        if (count > commonCount) {
            common = size;
            commonCount = count;
        }
    }
    return common;
}

} // namespace

VideoTexture::VideoTexture(std::string prefix, std::string suffix) {
    for (int i = 0; i < kFrameCount; ++i) {
        framePaths[static_cast<std::size_t>(i)] = prefix + frameNumber(i) + suffix;
    }
}

VideoTexture::~VideoTexture() {
    for (FrameAhead& ahead : framesAhead) {
        if (ahead.image.valid()) {
            ahead.image.wait();
        }
    }
}

void VideoTexture::decodeAhead(ImageDecoder& imageDecoder) {
    decoder = &imageDecoder;
}

void VideoTexture::upload() {
    loaded = true;
    readFrames();
    glTexImage2D(target(), 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    setSampling();
    for (int i = 0; i < kFramesAhead; ++i) {
        framesAhead[static_cast<std::size_t>(i)] = {i, decodeFrame(i)};
    }
}

void VideoTexture::readFrames() {
    std::array<FrameSize, kFrameCount> sizes;
    for (std::size_t i = 0; i < compressedFrames.size(); ++i) {
        compressedFrames[i] = readFile(framePaths[i]);
        sizes[i] = declaredSize(compressedFrames[i]);
    }
    const FrameSize videoSize = commonSize(sizes);
    if (videoSize.first > 0) {
        width = videoSize.first;
        height = videoSize.second;
    }
    for (std::size_t i = 0; i < compressedFrames.size(); ++i) {
        const bool readable = sizes[i].first > 0;
        if (readable && sizes[i] == videoSize) {
            continue;
        }
        if (readable) {
            std::cout << "Video frame has the wrong size (" << sizes[i].first << " x " << sizes[i].second
                      << " instead of " << width << " x " << height << ") at path: " << framePaths[i]
                      << std::endl;
        } else {
            std::cout << "Texture failed to load at path: " << framePaths[i] << std::endl;
        }
        compressedFrames[i] = {};
    }
}

std::future<DecodedImage> VideoTexture::decodeFrame(int index) {
    const std::vector<unsigned char>& bytes = compressedFrames[static_cast<std::size_t>(index)];
    if (bytes.empty()) {
        return {};
    }
    if (decoder != nullptr) {
        return decoder->decodeMemory(bytes, kRgbaChannels);
    }
    std::promise<DecodedImage> decoded;
    decoded.set_value(DecodedImage::fromMemory(bytes, kRgbaChannels));
    return decoded.get_future();
}

void VideoTexture::showFrame(int index) {
    std::future<DecodedImage> decode = takeDecodeOf(index);
    if (!decode.valid()) {
        return;
    }
    const DecodedImage frame = decode.get();
    if (!frame) {
        std::cout << "Texture failed to load at path: " << framePaths[static_cast<std::size_t>(index)]
                  << std::endl;
        compressedFrames[static_cast<std::size_t>(index)] = {};
        return;
    }
    glTexSubImage2D(target(), 0, 0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, frame.getPixels());
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
    const int framesDue = takeFramesDue();
    const int shown = (currentFrame + framesDue - 1) % kFrameCount;
    bind(0);
    showFrame(shown);
    setSampling();
    currentFrame = (shown + 1) % kFrameCount;
    decodeAheadOf(shown, framesDue);
}

int VideoTexture::takeFramesDue() {
    // Strictly past: an elapsed time of exactly n durations moves on by n - 1 frames.
    const double due = std::ceil(elapsed / frameDuration) - 1.0;
    elapsed = std::max(elapsed - due * frameDuration, 0.0);
    const int framesInLastLoop = static_cast<int>(std::fmod(due, kFrameCount));
    return framesInLastLoop == 0 ? kFrameCount : framesInLastLoop;
}

std::future<DecodedImage> VideoTexture::takeDecodeOf(int index) {
    for (FrameAhead& ahead : framesAhead) {
        if (ahead.frame == index) {
            ahead.frame = -1;
            return std::move(ahead.image);
        }
    }
    return decodeFrame(index);
}

bool VideoTexture::isAheadOf(int frame, int shown, int stride) const {
    for (int step = 1; step <= kFramesAhead; ++step) {
        if (frame == (shown + step * stride) % kFrameCount) {
            return true;
        }
    }
    return false;
}

void VideoTexture::decodeAheadOf(int shown, int stride) {
    for (int step = 1; step <= kFramesAhead; ++step) {
        const int frame = (shown + step * stride) % kFrameCount;
        const auto holds = [frame](const FrameAhead& ahead) {
            return ahead.frame == frame;
        };
        if (std::any_of(framesAhead.begin(), framesAhead.end(), holds)) {
            continue;
        }
        // A slot the new pace no longer needs; its decode is finished first, as its worker reads
        // this texture's frames. At a steady pace the slot is the one just shown, already taken.
        const auto unneeded = [&](const FrameAhead& ahead) {
            return !isAheadOf(ahead.frame, shown, stride);
        };
        FrameAhead& slot = *std::find_if(framesAhead.begin(), framesAhead.end(), unneeded);
        if (slot.image.valid()) {
            slot.image.wait();
        }
        slot = {frame, decodeFrame(frame)};
    }
}
