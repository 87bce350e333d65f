#include "render/ShadowmapTexture.h"

ShadowmapTexture::ShadowmapTexture(int size, GLuint shadowFramebuffer)
    : size(size), shadowFramebuffer(shadowFramebuffer) {}

void ShadowmapTexture::upload() {
    // 16 bits resolve the light's 80 m depth range to about 1.2 mm, finer than the smallest shadow
    // bias, and halve the map's memory (a 4096 x 4096 map is 32 MiB instead of 64).
    glTexImage2D(target(), 0, GL_DEPTH_COMPONENT16, size, size, 0, GL_DEPTH_COMPONENT, GL_FLOAT, nullptr);
    glTexParameteri(target(), GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(target(), GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(target(), GL_TEXTURE_WRAP_S, GL_CLAMP_TO_BORDER);
    glTexParameteri(target(), GL_TEXTURE_WRAP_T, GL_CLAMP_TO_BORDER);
    // Lookups outside the light's view read the far depth and so are never in shadow.
    const GLfloat farDepth[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glTexParameterfv(target(), GL_TEXTURE_BORDER_COLOR, farDepth);

    glBindFramebuffer(GL_FRAMEBUFFER, shadowFramebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, target(), getId(), 0);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}
