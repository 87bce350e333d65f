#pragma once

#include "render/Geometry.h"

// The full-screen quad of the post-processing passes: a triangle strip over the whole of
// normalised device space with uv (0, 0) at the bottom-left, position at 0 and uv at 1.
class QuadGeometry : public Geometry {
public:
    QuadGeometry() = default;
    ~QuadGeometry() override;

    void draw() override;
    void drawInstanced(int instanceCount) override;

protected:
    void setupBuffers() override;

private:
    GLuint vbo = 0;
};

// The one quad every full-screen pass draws; it holds no GL objects until first drawn.
extern QuadGeometry screenQuad;
