#pragma once

#include "render/MipmapChain.h"
#include "render/Texture.h"

#include <future>
#include <string>

class ImageDecoder;

// One image file (JPEG or PNG, 8 bits per channel) with a full mipmap chain, made when it is decoded. Colour
// is kept as decoded, in a linear format; the shaders decide how to read it. Grey images read as grey, grey
// with alpha keeps its alpha.
class ImageTexture : public Texture {
public:
    explicit ImageTexture(std::string path);

    GLenum target() const override { return GL_TEXTURE_2D; }

    // Starts decoding the file and making its mipmaps on the decoder's workers, so that the first
    // bind only uploads; without it the first bind does all of it.
    void decodeAhead(ImageDecoder& decoder);

protected:
    void upload() override;

private:
    std::string path;
    std::future<MipmapChain> decoded;
};
