#pragma once

#include <glm/glm.hpp>
#include <memory>

class PeaPhysicsObject;
class PhysicsWorld;

// One pea in flight: a body of its own and an age; it expires after its lifetime.
class Pea {
public:
    // Creates the body at once; it enters no world until addToPhysicsWorld.
    Pea(float radius, glm::vec3 position, float mass, float speed);
    Pea(const Pea&) = delete;
    Pea& operator=(const Pea&) = delete;

    void update(double dt);
    bool isAlive() const;
    glm::mat4 getTransformMatrix();
    void addToPhysicsWorld(PhysicsWorld* world);

    PeaPhysicsObject& getPhysics() { return *physics; }

private:
    static constexpr float kFriction = 1.0f;

    std::shared_ptr<PeaPhysicsObject> physics;
    float lifetime = 10.0f;
    float age = 0.0f;
};
