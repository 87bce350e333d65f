#pragma once

#include "physics/PhysicsObject.h"

#include <glm/glm.hpp>

// A body outside any simulation: it is drawn with the transform the test gives it, stands at
// the position it is given and remembers the world it was added to.
class StubBody : public PhysicsObject {
public:
    explicit StubBody(glm::vec3 position = glm::vec3(0.0f)) : position(position) {}

    glm::mat4 getTransformMatrix() override { return transform; }
    void addToPhysicsWorld(PhysicsWorld* newWorld) override { world = newWorld; }
    void setPosition(glm::vec3 newPosition) override { position = newPosition; }
    void onCollision(PhysicsObject*) override {}
    glm::vec3 getPosition() override { return position; }

    glm::mat4 transform{1.0f};
    glm::vec3 position;
    PhysicsWorld* world = nullptr;
};
