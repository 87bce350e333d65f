#include "render/ImageTexture.h"

#include "render/ImageDecoder.h"

#include <array>
#include <iostream>
#include <utility>

namespace {

struct PixelFormat {
    GLenum storageFormat;
    GLenum format;
    // Where red, green, blue and alpha are read from when the texture is sampled.
    std::array<GLint, 4> swizzle;
};

// Indexed by the channel count less one. Grey is spread over red, green and blue; a second grey
// channel is alpha.
constexpr std::array<PixelFormat, 4> kFormats = {{
    {GL_R8, GL_RED, {GL_RED, GL_RED, GL_RED, GL_ONE}},
    {GL_RG8, GL_RG, {GL_RED, GL_RED, GL_RED, GL_GREEN}},
    {GL_RGB8, GL_RGB, {GL_RED, GL_GREEN, GL_BLUE, GL_ONE}},
    {GL_RGBA8, GL_RGBA, {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}},
}};

} // namespace

ImageTexture::ImageTexture(std::string path) : path(std::move(path)) {}

void ImageTexture::decodeAhead(ImageDecoder& decoder) {
    decoded = decoder.decodeFileWithMipmaps(path);
}

void ImageTexture::upload() {
    const MipmapChain image = decoded.valid() ? decoded.get() : MipmapChain(DecodedImage::fromFile(path, 0));
    if (!image) {
        std::cout << "Texture failed to load at path: " << path << std::endl;
        return;
    }
    // stb_image gives one to four channels.
    const PixelFormat& pixelFormat = kFormats[static_cast<std::size_t>(image.getChannels() - 1)];
    glTexStorage2D(target(), image.getLevelCount(), pixelFormat.storageFormat, image.getWidth(0),
                   image.getHeight(0));
    // Rows of decoded images are tightly packed whatever their width.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int level = 0; level < image.getLevelCount(); ++level) {
        glTexSubImage2D(target(), level, 0, 0, image.getWidth(level), image.getHeight(level),
                        pixelFormat.format, GL_UNSIGNED_BYTE, image.getPixels(level));
    }
    glTexParameteriv(target(), GL_TEXTURE_SWIZZLE_RGBA, pixelFormat.swizzle.data());
    glTexParameteri(target(), GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(target(), GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(target(), GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(target(), GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}
