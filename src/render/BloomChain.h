#pragma once

#include <GL/glew.h>
#include <array>
#include <memory>
#include <vector>

class Shader;

// Extracts and blurs the bright parts of an image: runs a list of full-screen passes that
// ping-pong between two 16-bit float targets, each pass reading what the previous one wrote.
class BloomChain {
public:
    // The pass list is kept by reference; its owner keeps it alive as long as the chain.
    BloomChain(const std::vector<std::shared_ptr<Shader>>& passes, int width, int height);
    ~BloomChain();
    BloomChain(const BloomChain&) = delete;
    BloomChain& operator=(const BloomChain&) = delete;

    // Runs every pass, the first on the source; returns the texture the last pass wrote.
    GLuint run(GLuint sourceTexture);

private:
    const std::vector<std::shared_ptr<Shader>>& passes;
    std::array<GLuint, 2> framebuffers{};
    std::array<GLuint, 2> textures{};
};
