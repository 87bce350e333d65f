#include "render/DecodedImage.h"

#include <climits>
#include <stb_image.h>

void DecodedImage::PixelsFree::operator()(unsigned char* data) const {
    stbi_image_free(data);
}

DecodedImage::DecodedImage(unsigned char* data, int width, int height, int fileChannels, int channelsAskedFor)
    : pixels(data), width(width), height(height),
      channels(channelsAskedFor != 0 ? channelsAskedFor : fileChannels) {}

DecodedImage DecodedImage::fromFile(const std::string& path, int channels) {
    int width = 0;
    int height = 0;
    int fileChannels = 0;
    unsigned char* data = stbi_load(path.c_str(), &width, &height, &fileChannels, channels);
    return DecodedImage(data, width, height, fileChannels, channels);
}

DecodedImage DecodedImage::fromMemory(std::span<const unsigned char> bytes, int channels) {
    int width = 0;
    int height = 0;
    int fileChannels = 0;
    // stb_image takes the length as an int; nothing larger is an image it could decode anyway.
    const int length = bytes.size() > INT_MAX ? INT_MAX : static_cast<int>(bytes.size());
    unsigned char* data =
        stbi_load_from_memory(bytes.data(), length, &width, &height, &fileChannels, channels);
    return DecodedImage(data, width, height, fileChannels, channels);
}
