#pragma once

#include <memory>
#include <span>
#include <string>

// An image decoded by stb_image: 8 bits per channel, rows top to bottom and tightly packed, never
// flipped. Empty when the file could not be read or decoded.
class DecodedImage {
public:
    // channels 0 keeps the file's own channel count; 1 to 4 converts to that many.
    static DecodedImage fromFile(const std::string& path, int channels);
    static DecodedImage fromMemory(std::span<const unsigned char> bytes, int channels);

    explicit operator bool() const { return pixels != nullptr; }
    int getWidth() const { return width; }
    int getHeight() const { return height; }
    // Channels of the decoded pixels: the file's own, or the count asked for.
    int getChannels() const { return channels; }
    const unsigned char* getPixels() const { return pixels.get(); }

private:
    struct PixelsFree {
        void operator()(unsigned char* data) const;
    };

    DecodedImage(unsigned char* data, int width, int height, int fileChannels, int channelsAskedFor);

    std::unique_ptr<unsigned char, PixelsFree> pixels;
    int width = 0;
    int height = 0;
    int channels = 0;
};
