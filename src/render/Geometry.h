#pragma once

#include <GL/glew.h>
#include <cstddef>
#include <vector>

// A mesh in GPU memory: a vertex array object with its buffers, created on the first bind and
// drawn once or instanced. Attribute locations: 0 position, 1 normal (the quad: uv),
// 2 tangent, 3 bitangent, 4 uv; 5 to 8 stay free for per-instance data.
class Geometry {
public:
    Geometry() = default;
    // Deletes the vertex array object; subclasses delete their buffers first.
    virtual ~Geometry();
    Geometry(const Geometry&) = delete;
    Geometry& operator=(const Geometry&) = delete;

    // Binds the vertex array object, creating and filling it on first use. It stays bound.
    void bind();
    // One draw of the whole mesh.
    virtual void draw();
    // One instanced draw of the whole mesh.
    virtual void drawInstanced(int instanceCount);

protected:
    // Creates and fills the buffers and describes the attributes while the vertex array is bound.
    virtual void setupBuffers() = 0;

    // Draws indexed triangles of the bound vertex array once or instanced.
    static void drawTriangles(unsigned indexCount);
    static void drawTrianglesInstanced(unsigned indexCount, int instanceCount);
    // Makes a buffer of static data and leaves it bound to the target.
    static GLuint uploadBuffer(GLenum target, const void* data, std::size_t bytes);
    // Makes a tightly packed float buffer and attaches it to an attribute location.
    static GLuint uploadAttribute(GLuint location, GLint components, const void* data, std::size_t bytes);
    // Makes the index buffer of the bound vertex array.
    static GLuint uploadIndices(const std::vector<unsigned>& indices);

    // Deletes the vertex array object if it was made; the next bind makes it again.
    void deleteVertexArray();

    bool initialized = false;
    GLuint vao = 0;
};
