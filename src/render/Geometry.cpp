#include "render/Geometry.h"

Geometry::~Geometry() {
    if (initialized) {
        glDeleteVertexArrays(1, &vao);
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

GLuint Geometry::uploadAttribute(GLuint location, GLint components, const void* data, std::size_t bytes) {
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), data, GL_STATIC_DRAW);
    glEnableVertexAttribArray(location);
    glVertexAttribPointer(location, components, GL_FLOAT, GL_FALSE, 0, nullptr);
    return buffer;
}

GLuint Geometry::uploadIndices(const std::vector<unsigned>& indices) {
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(unsigned)),
                 indices.data(), GL_STATIC_DRAW);
    return buffer;
}
