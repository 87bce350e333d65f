#include "render/MipmapChain.h"

#include <algorithm>
#include <utility>

namespace {

std::size_t byteCount(int width, int height, int channels) {
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
           static_cast<std::size_t>(channels);
}

// Averages each 2 x 2 block of the source into one texel of the target: the two texels of each
// row, then the two rows, each step rounding a half up.
void halve(const unsigned char* source, int sourceWidth, int sourceHeight, int channels,
           unsigned char* target, int width, int height) {
    const std::size_t rowBytes = byteCount(sourceWidth, 1, channels);
    for (int y = 0; y < height; ++y) {
        const unsigned char* upper =
            source + rowBytes * static_cast<std::size_t>(std::min(2 * y, sourceHeight - 1));
        const unsigned char* lower =
            source + rowBytes * static_cast<std::size_t>(std::min(2 * y + 1, sourceHeight - 1));
        for (int x = 0; x < width; ++x) {
            const std::size_t left = byteCount(std::min(2 * x, sourceWidth - 1), 1, channels);
            const std::size_t right = byteCount(std::min(2 * x + 1, sourceWidth - 1), 1, channels);
            for (std::size_t c = 0; c < static_cast<std::size_t>(channels); ++c) {
                const int upperMean = (upper[left + c] + upper[right + c] + 1) / 2;
                const int lowerMean = (lower[left + c] + lower[right + c] + 1) / 2;
                *target++ = static_cast<unsigned char>((upperMean + lowerMean + 1) / 2);
            }
        }
    }
}

} // namespace

MipmapChain::MipmapChain(DecodedImage decoded) : image(std::move(decoded)) {
    if (!image) {
        return;
    }
    levels.push_back({image.getWidth(), image.getHeight(), 0});
    std::size_t smallerBytes = 0;
    while (levels.back().width > 1 || levels.back().height > 1) {
        const int width = std::max(1, levels.back().width / 2);
        const int height = std::max(1, levels.back().height / 2);
        levels.push_back({width, height, smallerBytes});
        smallerBytes += byteCount(width, height, getChannels());
    }
    smallerLevels.resize(smallerBytes);
    for (std::size_t level = 1; level < levels.size(); ++level) {
        const Level& larger = levels[level - 1];
        const Level& smaller = levels[level];
        halve(getPixels(static_cast<int>(level - 1)), larger.width, larger.height, getChannels(),
              smallerLevels.data() + smaller.offset, smaller.width, smaller.height);
    }
}

const unsigned char* MipmapChain::getPixels(int level) const {
    if (level == 0) {
        return image.getPixels();
    }
    return smallerLevels.data() + levels[static_cast<std::size_t>(level)].offset;
}
