#pragma once

#include <GL/glew.h>
#include <filesystem>
#include <fstream>
#include <glm/glm.hpp>
#include <string>
#include <unistd.h>
#include <vector>

// Helpers of the post-processing and HUD GL tests: float images in and out of textures and
// framebuffers, and small throw-away GLSL files.

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

// Writes a file of this process under the temporary directory and returns its path.
inline std::string writeTempFile(const std::string& name, const std::string& contents) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("zelvira_test_" + std::to_string(getpid()) + "_" + name);
    std::ofstream(path) << contents;
    return path.string();
}

// A vertex program for the full-screen quad (position at 0, uv at 1).
inline std::string writeQuadVertexShader() {
    return writeTempFile("quad.vert", R"(#version 430 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec2 uvIn;
out vec2 uv;
void main() {
    uv = uvIn;
    gl_Position = vec4(position, 1.0);
}
)");
}

// A fragment program for the full-screen quad with the given body; `uv` and "textureSampler" exist.
inline std::string writeQuadFragmentShader(const std::string& name, const std::string& body) {
    return writeTempFile(name, "#version 430 core\nin vec2 uv;\nout vec4 fragColor;\n"
                               "uniform sampler2D textureSampler;\n" +
                                   body);
}
