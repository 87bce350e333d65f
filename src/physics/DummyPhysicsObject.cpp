#include "physics/DummyPhysicsObject.h"

DummyPhysicsObject::DummyPhysicsObject(glm::mat4 transform) : transform(transform) {}

glm::mat4 DummyPhysicsObject::getTransformMatrix() {
    return transform;
}

void DummyPhysicsObject::addToPhysicsWorld(PhysicsWorld*) {}

void DummyPhysicsObject::setPosition(glm::vec3) {}

void DummyPhysicsObject::onCollision(PhysicsObject*) {}

// Not the drawing position: whatever stands on a placeholder starts at the origin.
glm::vec3 DummyPhysicsObject::getPosition() {
    return glm::vec3(0.0f);
}
