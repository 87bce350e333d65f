#include "render/Geometry.h"

Geometry::~Geometry() {
    deleteVertexArray();
}

void Geometry::deleteVertexArray() {
    if (initialized) {
        glDeleteVertexArrays(1, &vao);
        initialized = false;
    }
}

void Geometry::bind() {
    const bool firstBind = !initialized;
    if (firstBind) {
        glGenVertexArrays(1, &vao);
    }
    glBindVertexArray(vao);
    if (firstBind) {
        initialized = true;
        setupBuffers();
    }
}

void Geometry::draw() {
    bind();
}

void Geometry::drawInstanced(int) {
    bind();
}

void Geometry::drawTriangles(unsigned indexCount) {
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indexCount), GL_UNSIGNED_INT, nullptr);
}

void Geometry::drawTrianglesInstanced(unsigned indexCount, int instanceCount) {
    glDrawElementsInstanced(GL_TRIANGLES, static_cast<GLsizei>(indexCount), GL_UNSIGNED_INT, nullptr,
                            instanceCount);
}

GLuint Geometry::uploadBuffer(GLenum target, const void* data, std::size_t bytes) {
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(target, buffer);
    glBufferData(target, static_cast<GLsizeiptr>(bytes), data, GL_STATIC_DRAW);
    return buffer;
}

GLuint Geometry::uploadAttribute(GLuint location, GLint components, const void* data, std::size_t bytes) {
    const GLuint buffer = uploadBuffer(GL_ARRAY_BUFFER, data, bytes);
    glEnableVertexAttribArray(location);
    glVertexAttribPointer(location, components, GL_FLOAT, GL_FALSE, 0, nullptr);
    return buffer;
}

GLuint Geometry::uploadIndices(const std::vector<unsigned>& indices) {
    return uploadBuffer(GL_ELEMENT_ARRAY_BUFFER, indices.data(), indices.size() * sizeof(unsigned));
}
