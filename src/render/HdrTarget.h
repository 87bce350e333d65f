#pragma once

#include <GL/glew.h>

// The off-screen high-dynamic-range image the scene is drawn into: a 16-bit float colour
// texture with a depth-stencil renderbuffer. Made once; constructing it does no GL work.
class HdrTarget {
public:
    HdrTarget() = default;
    ~HdrTarget();
    HdrTarget(const HdrTarget&) = delete;
    HdrTarget& operator=(const HdrTarget&) = delete;

    // Makes the GL objects at the given size and leaves the framebuffer bound. Runs once.
    void create(int width, int height);
    // Gives the colour texture and the depth-stencil buffer a new size; checks the target again.
    void resize(int width, int height);
    // False when the target could not be made; the scene is then not drawn.
    bool isComplete() const { return complete; }
    // Binds the target, sets the viewport to its size, clears colour and depth and turns depth
    // testing on; returns the colour texture.
    GLuint bind();

private:
    void allocate();

    bool created = false;
    bool complete = false;
    int width = 0;
    int height = 0;
    GLuint framebuffer = 0xFFFFFFFF;
    GLuint colorTexture = 0xFFFFFFFF;
    GLuint depthStencil = 0xFFFFFFFF;
};
