#pragma once

#include "render/Geometry.h"

#include <glm/glm.hpp>
#include <vector>

// Vertex data computed by code: one position, normal and uv per vertex, three indices per triangle.
struct MeshData {
    std::vector<glm::vec3> positions;
    std::vector<unsigned> indices;
    std::vector<glm::vec3> normals;
    std::vector<glm::vec2> uvs;
};

// A mesh whose vertices come from code rather than a file; one buffer per attribute, indexed.
class GeneratedGeometry : public Geometry {
public:
    ~GeneratedGeometry() override;

    void draw() override;
    void drawInstanced(int instanceCount) override;
    // Computes the mesh; called once, by the first bind.
    virtual MeshData generate() = 0;

    unsigned getIndexCount() const { return indexCount; }

protected:
    void setupBuffers() override;

private:
    GLuint positionBuffer = 0;
    GLuint normalBuffer = 0;
    GLuint uvBuffer = 0;
    GLuint indexBuffer = 0;
    unsigned indexCount = 0;
};
