#include "render/GeneratedGeometry.h"

GeneratedGeometry::~GeneratedGeometry() {
    if (initialized) {
        const GLuint buffers[] = {positionBuffer, normalBuffer, uvBuffer, indexBuffer};
        glDeleteBuffers(4, buffers);
    }
}

void GeneratedGeometry::draw() {
    // The first bind sets indexCount, so it comes before the count is read.
    bind();
    drawTriangles(indexCount);
}

void GeneratedGeometry::drawInstanced(int instanceCount) {
    bind();
    drawTrianglesInstanced(indexCount, instanceCount);
}

void GeneratedGeometry::setupBuffers() {
    const MeshData mesh = generate();
    indexCount = static_cast<unsigned>(mesh.indices.size());
    positionBuffer = uploadAttribute(0, 3, mesh.positions.data(), mesh.positions.size() * sizeof(glm::vec3));
    normalBuffer = uploadAttribute(1, 3, mesh.normals.data(), mesh.normals.size() * sizeof(glm::vec3));
    uvBuffer = uploadAttribute(4, 2, mesh.uvs.data(), mesh.uvs.size() * sizeof(glm::vec2));
    indexBuffer = uploadIndices(mesh.indices);
}
