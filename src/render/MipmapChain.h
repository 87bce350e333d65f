#pragma once

#include "render/DecodedImage.h"

#include <cstddef>
#include <vector>

// A decoded image and every smaller level down to 1 x 1, as a texture's mipmaps: each level half
// the size of the one before, rounded down, every texel the average of the 2 x 2 texels it covers
// (edge texels repeat where an odd size leaves one out), rounded as a bilinear blit at the block's
// centre rounds, so that the levels match what glGenerateMipmap gives on a GPU-less driver texel
// for texel. Made off the main thread, so that the upload only copies.
class MipmapChain {
public:
    explicit MipmapChain(DecodedImage image);

    // False if the image could not be decoded; it then has no levels.
    explicit operator bool() const { return static_cast<bool>(image); }
    int getChannels() const { return image.getChannels(); }
    int getLevelCount() const { return static_cast<int>(levels.size()); }
    int getWidth(int level) const { return levels[static_cast<std::size_t>(level)].width; }
    int getHeight(int level) const { return levels[static_cast<std::size_t>(level)].height; }
    // Rows tightly packed, as in the decoded image.
    const unsigned char* getPixels(int level) const;

private:
    struct Level {
        int width;
        int height;
        // Where the level starts in smallerLevels; level 0 is the decoded image itself.
        std::size_t offset;
    };

    DecodedImage image;
    std::vector<Level> levels;
    std::vector<unsigned char> smallerLevels;
};
