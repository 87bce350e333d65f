#include "render/ModelGeometry.h"

#include <assimp/mesh.h>
#include <vector>

ModelGeometry::ModelGeometry(const aiMesh* mesh) : mesh(mesh) {}

ModelGeometry::~ModelGeometry() {
    if (initialized) {
        const GLuint buffers[] = {positionBuffer,  normalBuffer, tangentBuffer,
                                  bitangentBuffer, uvBuffer,     indexBuffer};
        glDeleteBuffers(6, buffers);
    }
}

void ModelGeometry::draw() {
    bind();
    drawTriangles(indexCount);
}

void ModelGeometry::drawInstanced(int instanceCount) {
    bind();
    drawTrianglesInstanced(indexCount, instanceCount);
}

void ModelGeometry::setupBuffers() {
    const std::size_t bytes = std::size_t{mesh->mNumVertices} * sizeof(aiVector3D);
    positionBuffer = uploadAttribute(0, 3, mesh->mVertices, bytes);
    normalBuffer = uploadAttribute(1, 3, mesh->mNormals, bytes);
    tangentBuffer = uploadAttribute(2, 3, mesh->mTangents, bytes);
    bitangentBuffer = uploadAttribute(3, 3, mesh->mBitangents, bytes);
    uvBuffer = uploadAttribute(4, 3, mesh->mTextureCoords[0], bytes);

    std::vector<unsigned> indices;
    for (unsigned face = 0; face < mesh->mNumFaces; ++face) {
        const aiFace& corners = mesh->mFaces[face];
        indices.insert(indices.end(), corners.mIndices, corners.mIndices + corners.mNumIndices);
    }
    indexBuffer = uploadIndices(indices);
    indexCount = static_cast<unsigned>(indices.size());
    mesh = nullptr;
}
