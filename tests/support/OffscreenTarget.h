#pragma once

#include <GL/glew.h>
#include <glm/glm.hpp>
#include <vector>

// A small RGBA8 colour and depth framebuffer that tests draw into and read back; it is bound,
// cleared (to transparent black unless told otherwise) and sets the viewport while it lives.
// Depth testing starts off, whatever earlier tests left, so that repeated draws at one depth
// all land.
class OffscreenTarget {
public:
    explicit OffscreenTarget(int size) : OffscreenTarget(size, size) {}

    OffscreenTarget(int width, int height, glm::vec4 clearColor = glm::vec4(0.0f))
        : width(width), height(height), clearColor(clearColor) {
        glGenRenderbuffers(2, renderbuffers);
        glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers[0]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
        glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers[1]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffers[0]);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, renderbuffers[1]);
        glViewport(0, 0, width, height);
        glDisable(GL_DEPTH_TEST);
        clear();
    }
    ~OffscreenTarget() {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteRenderbuffers(2, renderbuffers);
    }
    OffscreenTarget(const OffscreenTarget&) = delete;
    OffscreenTarget& operator=(const OffscreenTarget&) = delete;

    void clear() {
        glClearColor(clearColor.r, clearColor.g, clearColor.b, clearColor.a);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    // Pixel (x, y) counted from the bottom-left corner.
    glm::u8vec4 pixel(int x, int y) const {
        glm::u8vec4 value;
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &value);
        return value;
    }

    // Number of pixels something was drawn to over a transparent clear (alpha above zero).
    int coveredPixels() const {
        std::vector<glm::u8vec4> pixels(static_cast<std::size_t>(width * height));
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        int covered = 0;
        for (const glm::u8vec4& value : pixels) {
            covered += value.a > 0 ? 1 : 0;
        }
        return covered;
    }

    const int width;
    const int height;

private:
    const glm::vec4 clearColor;
    GLuint framebuffer = 0;
    GLuint renderbuffers[2] = {};
};
