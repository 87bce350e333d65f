#include "physics/Pea.h"

#include "physics/PeaPhysicsObject.h"

Pea::Pea(float radius, glm::vec3 position, float mass, float speed)
    : physics(std::make_shared<PeaPhysicsObject>(radius, position, mass, speed, kFriction)) {
    physics->setPea(this);
}

void Pea::update(double dt) {
    age = static_cast<float>(age + dt);
}

bool Pea::isAlive() const {
    return lifetime > age;
}

glm::mat4 Pea::getTransformMatrix() {
    return physics->getTransformMatrix();
}

void Pea::addToPhysicsWorld(PhysicsWorld* world) {
    physics->addToPhysicsWorld(world);
}
