#pragma once

#include "render/Geometry.h"

// The full-screen quad of the post-processing passes: a triangle strip over the whole of
// normalised device space with uv (0, 0) at the bottom-left, position at 0 and uv at 1.
class QuadGeometry : public Geometry {
public:
    QuadGeometry() = default;
    ~QuadGeometry() override;

    // Deletes the GL objects while the context still exists: the program-wide quad outlives it.
    // A later draw makes them again.
    void release();

    void draw() override;
    void drawInstanced(int instanceCount) override;

protected:
    void setupBuffers() override;

private:
    GLuint vbo = 0;
};

// The one quad every full-screen pass draws; it holds no GL objects until first drawn and is
// released with the rest of the game's GL objects.
extern QuadGeometry screenQuad;
