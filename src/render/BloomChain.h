#pragma once

#include <GL/glew.h>
#include <array>
#include <memory>
#include <vector>

class Shader;

// Extracts and blurs the bright parts of an image: runs a list of full-screen passes that
// ping-pong between two 16-bit float targets of the chain's size, each pass reading what the
// previous one wrote.
class BloomChain {
public:
    // The pass list is kept by reference; its owner keeps it alive as long as the chain.
    BloomChain(const std::vector<std::shared_ptr<Shader>>& passes, int width, int height);
    ~BloomChain();
    BloomChain(const BloomChain&) = delete;
    BloomChain& operator=(const BloomChain&) = delete;

    // Gives both targets the new size and checks them again.
    void resize(int width, int height);
    // False when a target could not be made; the chain then draws nothing.
    bool isComplete() const { return complete; }

    // Runs every pass at the chain's size (it sets the viewport), the first on the source; returns
    // the texture the last pass wrote. An incomplete chain returns 0, which samples as black.
    GLuint run(GLuint sourceTexture);

private:
    void allocate();

    const std::vector<std::shared_ptr<Shader>>& passes;
    int width;
    int height;
    std::array<GLuint, 2> framebuffers{};
    std::array<GLuint, 2> textures{};
    bool complete = false;
};
