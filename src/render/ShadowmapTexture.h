#pragma once

#include "render/Texture.h"

// The square depth texture of a directional light's shadow map. Its first bind attaches it to
// the light's framebuffer, which the light owns.
class ShadowmapTexture : public Texture {
public:
    ShadowmapTexture(int size, GLuint shadowFramebuffer);

    GLenum target() const override { return GL_TEXTURE_2D; }

protected:
    void upload() override;

private:
    int size;
    GLuint shadowFramebuffer;
};
