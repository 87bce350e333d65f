#pragma once

#include <GL/glew.h>
#include <functional>
#include <glm/glm.hpp>
#include <vector>

// Float images in and out of textures and framebuffers, and the GL state tests read back.

// An RGBA16F texture of the given pixels, rows from the bottom up.
inline GLuint makeFloatTexture(int width, int height, const std::vector<glm::vec4>& pixels) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA16F, width, height, 0, GL_RGBA, GL_FLOAT, pixels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return texture;
}

inline std::vector<glm::vec4> readTexture(GLuint texture, int width, int height) {
    std::vector<glm::vec4> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_FLOAT, pixels.data());
    return pixels;
}

// The bound read framebuffer's colour, rows from the bottom up.
inline std::vector<glm::vec4> readFramebuffer(int width, int height) {
    std::vector<glm::vec4> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    glReadPixels(0, 0, width, height, GL_RGBA, GL_FLOAT, pixels.data());
    return pixels;
}

inline GLint boundFramebuffer() {
    GLint framebuffer = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
    return framebuffer;
}

inline GLint currentProgram() {
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    return program;
}

// The 2D texture bound on a unit, which is left active.
inline GLuint boundOnUnit(unsigned unit) {
    glActiveTexture(GL_TEXTURE0 + unit);
    GLint texture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    return static_cast<GLuint>(texture);
}

// The number of primitives that reach the rasteriser while draw runs.
inline GLuint primitivesGenerated(const std::function<void()>& draw) {
    GLuint query = 0;
    glGenQueries(1, &query);
    glBeginQuery(GL_PRIMITIVES_GENERATED, query);
    draw();
    glEndQuery(GL_PRIMITIVES_GENERATED);
    GLuint primitives = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &primitives);
    glDeleteQueries(1, &query);
    return primitives;
}
