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
    // Binds the target, clears colour and depth and turns depth testing on; returns the colour texture.
    GLuint bind();

private:
    bool created = false;
    GLuint framebuffer = 0xFFFFFFFF;
    GLuint colorTexture = 0xFFFFFFFF;
    GLuint depthStencil = 0xFFFFFFFF;
};
