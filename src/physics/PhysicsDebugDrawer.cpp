#include "physics/PhysicsDebugDrawer.h"

#include "physics/BulletConversions.h"

#include <iostream>

namespace {

// Re-specifies the bound array buffer with this frame's values and points a location at it.
void uploadAttribute(GLuint location, GLuint buffer, const std::vector<glm::vec3>& values) {
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(values.size() * sizeof(glm::vec3)), values.data(),
                 GL_STREAM_DRAW);
    glEnableVertexAttribArray(location);
    glVertexAttribPointer(location, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
}

} // namespace

PhysicsDebugDrawer::PhysicsDebugDrawer() {
    glGenVertexArrays(1, &vertexArray);
    glGenBuffers(1, &positionBuffer);
    glGenBuffers(1, &colorBuffer);
    glGenBuffers(1, &indexBuffer);
}

PhysicsDebugDrawer::~PhysicsDebugDrawer() {
    glDeleteVertexArrays(1, &vertexArray);
    glDeleteBuffers(1, &positionBuffer);
    glDeleteBuffers(1, &colorBuffer);
    glDeleteBuffers(1, &indexBuffer);
}

void PhysicsDebugDrawer::drawLine(const btVector3& from, const btVector3& to, const btVector3& fromColor,
                                  const btVector3& toColor) {
    positions.push_back(toGlm(from));
    positions.push_back(toGlm(to));
    colors.push_back(toGlm(fromColor));
    colors.push_back(toGlm(toColor));
    indices.push_back(static_cast<GLuint>(count++));
    indices.push_back(static_cast<GLuint>(count++));
}

void PhysicsDebugDrawer::drawLine(const btVector3& from, const btVector3& to, const btVector3& color) {
    drawLine(from, to, color, color);
}

void PhysicsDebugDrawer::reportErrorWarning(const char* warningString) {
    std::cout << "[Bullet] " << warningString << std::endl;
}

void PhysicsDebugDrawer::clear() {
    positions.clear();
    colors.clear();
    indices.clear();
    count = 0;
}

void PhysicsDebugDrawer::flush() {
    glBindVertexArray(vertexArray);
    uploadAttribute(0, positionBuffer, positions);
    uploadAttribute(1, colorBuffer, colors);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(GLuint)),
                 indices.data(), GL_STATIC_DRAW);
    glDrawElements(GL_LINES, count, GL_UNSIGNED_INT, nullptr);
}
