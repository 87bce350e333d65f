#pragma once

#include "physics/PhysicsObject.h"

// Stand-in body for objects that take no part in the simulation: it only remembers where to draw.
class DummyPhysicsObject : public PhysicsObject {
public:
    explicit DummyPhysicsObject(glm::mat4 transform);

    glm::mat4 getTransformMatrix() override;
    void addToPhysicsWorld(PhysicsWorld* world) override;
    void setPosition(glm::vec3 position) override;
    void onCollision(PhysicsObject* other) override;
    glm::vec3 getPosition() override;

private:
    glm::mat4 transform;
};
