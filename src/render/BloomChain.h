#pragma once

#include <GL/glew.h>
#include <array>
#include <glm/glm.hpp>
#include <memory>

class Shader;

// Extracts and blurs the bright parts of an image into two 16-bit float textures of the chain's
// size: a full-screen bright-filter pass, then a compute blur along the rows and one along the
// columns (each the ten Gaussian passes of the blur program in one go).
class BloomChain {
public:
    BloomChain(std::shared_ptr<Shader> brightFilter, std::shared_ptr<Shader> blur, int width, int height);
    ~BloomChain();
    BloomChain(const BloomChain&) = delete;
    BloomChain& operator=(const BloomChain&) = delete;

    // Gives both textures the new size; checks the target again.
    void resize(int width, int height);
    // False when the bright filter's target could not be made; the chain then does nothing.
    bool isComplete() const { return complete; }

    // Reads the source at the chain's size and returns the texture that holds the blurred bright
    // parts, or 0 (which samples as black) when the chain is incomplete. Sets the viewport to
    // the chain's size.
    GLuint run(GLuint sourceTexture);

private:
    void allocate();
    void blur(GLuint source, GLuint target, glm::ivec2 direction);

    std::shared_ptr<Shader> brightFilter;
    std::shared_ptr<Shader> blurProgram;
    int width;
    int height;
    GLuint framebuffer = 0;
    std::array<GLuint, 2> textures{};
    bool complete = false;
};
