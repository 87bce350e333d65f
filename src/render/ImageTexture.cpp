#include "render/ImageTexture.h"

#include <iostream>
#include <stb_image.h>
#include <utility>

namespace {

GLenum formatFor(int channels, const std::string& path) {
    switch (channels) {
    case 1:
        return GL_RED;
    case 3:
        return GL_RGB;
    case 4:
        return GL_RGBA;
    default:
        std::cout << "Unknown color components from texture: " << path << std::endl;
        return GL_RED;
    }
}

} // namespace

ImageTexture::ImageTexture(std::string path) : path(std::move(path)) {}

void ImageTexture::upload() {
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 0);
    if (pixels == nullptr) {
        std::cout << "Texture failed to load at path: " << path << std::endl;
        return;
    }
    const GLenum format = formatFor(channels, path);
    // Rows of decoded images are tightly packed whatever their width.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(target(), 0, static_cast<GLint>(format), width, height, 0, format, GL_UNSIGNED_BYTE, pixels);
    glTexParameteri(target(), GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(target(), GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(target(), GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(target(), GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glGenerateMipmap(target());
    stbi_image_free(pixels);
}
