#include "render/Texture.h"

Texture::~Texture() {
    if (created) {
        glDeleteTextures(1, &textureId);
    }
}

void Texture::bind(unsigned unit) {
    glActiveTexture(GL_TEXTURE0 + unit);
    if (!created) {
        glGenTextures(1, &textureId);
    }
    glBindTexture(target(), textureId);
    if (!created) {
        created = true;
        upload();
    }
}
