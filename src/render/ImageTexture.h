#pragma once

#include "render/Texture.h"

#include <string>

// One image file (JPEG or PNG, 8 bits per channel) with a full mipmap chain. Colour is kept as
// decoded, in a linear format; the shaders decide how to read it.
class ImageTexture : public Texture {
public:
    explicit ImageTexture(std::string path);

    GLenum target() const override { return GL_TEXTURE_2D; }

protected:
    void upload() override;

private:
    std::string path;
};
