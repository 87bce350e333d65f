#include "render/QuadGeometry.h"

#include <array>

QuadGeometry screenQuad;

namespace {

// x, y, z, u, v per vertex, in triangle-strip order.
constexpr std::array<float, 20> kQuadVertices = {
    -1.0f, 1.0f,  0.0f, 0.0f, 1.0f, //
    -1.0f, -1.0f, 0.0f, 0.0f, 0.0f, //
    1.0f,  1.0f,  0.0f, 1.0f, 1.0f, //
    1.0f,  -1.0f, 0.0f, 1.0f, 0.0f,
};
constexpr GLsizei kStride = 5 * sizeof(float);

} // namespace

QuadGeometry::~QuadGeometry() {
    release();
}

void QuadGeometry::release() {
    if (initialized) {
        glDeleteBuffers(1, &vbo);
    }
    deleteVertexArray();
}

void QuadGeometry::draw() {
    bind();
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
}

void QuadGeometry::drawInstanced(int instanceCount) {
    bind();
    glDrawArraysInstanced(GL_TRIANGLE_STRIP, 0, 4, instanceCount);
}

void QuadGeometry::setupBuffers() {
    vbo = uploadBuffer(GL_ARRAY_BUFFER, kQuadVertices.data(), sizeof(kQuadVertices));
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, kStride, nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, kStride,
                          reinterpret_cast<const void*>(3 * sizeof(float)));
}
