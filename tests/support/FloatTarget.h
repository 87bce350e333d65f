#pragma once

#include "GlImages.h"

#include <GL/glew.h>
#include <glm/glm.hpp>
#include <vector>

// A square float texture filled with one colour and attached to a framebuffer of its own, for
// passes that draw into a float image; leaves the window's framebuffer bound.
class FloatTarget {
public:
    FloatTarget(int size, glm::vec4 fill)
        : texture(makeFloatTexture(
              size, size,
              std::vector<glm::vec4>(static_cast<size_t>(size) * static_cast<size_t>(size), fill))) {
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    }
    ~FloatTarget() {
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteTextures(1, &texture);
    }
    FloatTarget(const FloatTarget&) = delete;
    FloatTarget& operator=(const FloatTarget&) = delete;

    GLuint getTexture() const { return texture; }
    GLuint getFramebuffer() const { return framebuffer; }

private:
    GLuint texture;
    GLuint framebuffer = 0;
};
