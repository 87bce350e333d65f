#pragma once

#include <GL/glew.h>
#include <LinearMath/btIDebugDraw.h>
#include <glm/glm.hpp>
#include <vector>

// Lets the physics world draw itself: collects the coloured segments the world emits between
// clear and flush, then draws them as GL lines in one call. The caller binds the physics debug
// program and sets its camera uniforms. Library warnings go to the console.
class PhysicsDebugDrawer : public btIDebugDraw {
public:
    PhysicsDebugDrawer();
    ~PhysicsDebugDrawer() override;
    PhysicsDebugDrawer(const PhysicsDebugDrawer&) = delete;
    PhysicsDebugDrawer& operator=(const PhysicsDebugDrawer&) = delete;

    void drawLine(const btVector3& from, const btVector3& to, const btVector3& fromColor,
                  const btVector3& toColor) override;
    void drawLine(const btVector3& from, const btVector3& to, const btVector3& color) override;
    void drawContactPoint(const btVector3&, const btVector3&, btScalar, int, const btVector3&) override {}
    void reportErrorWarning(const char* warningString) override;
    void draw3dText(const btVector3&, const char*) override {}
    void setDebugMode(int debugMode) override { this->debugMode = debugMode; }
    int getDebugMode() const override { return debugMode; }

    // Forgets the collected lines, keeping the storage for the next frame.
    void clear();
    // Uploads the collected lines and draws them.
    void flush();

private:
    int debugMode = 0;
    GLuint vertexArray = 0;
    GLuint positionBuffer = 0;
    GLuint colorBuffer = 0;
    GLuint indexBuffer = 0;
    GLsizei count = 0;
    std::vector<glm::vec3> positions;
    std::vector<glm::vec3> colors;
    std::vector<GLuint> indices;
};
