#pragma once

#include "render/Geometry.h"

struct aiMesh;

// A mesh of the imported level. The aiMesh is read only by the first bind, which the import
// does while the scene still exists; the pointer is dropped right after.
class ModelGeometry : public Geometry {
public:
    explicit ModelGeometry(const aiMesh* mesh);
    ~ModelGeometry() override;

    void draw() override;
    void drawInstanced(int instanceCount) override;

    unsigned getIndexCount() const { return indexCount; }
    const aiMesh* getMesh() const { return mesh; }

protected:
    void setupBuffers() override;

private:
    static constexpr GLuint kNoBuffer = ~0u;

    const aiMesh* mesh;
    GLuint positionBuffer = kNoBuffer;
    GLuint normalBuffer = kNoBuffer;
    GLuint tangentBuffer = kNoBuffer;
    GLuint bitangentBuffer = kNoBuffer;
    GLuint uvBuffer = kNoBuffer;
    GLuint indexBuffer = kNoBuffer;
    unsigned indexCount = ~0u;
};
