#pragma once

#include "physics/PhysicsObject.h"

#include <memory>

class Pea;
class btRigidBody;
class btSphereShape;
struct btDefaultMotionState;

// The body of one pea: a small dynamic sphere launched horizontally towards the level's vertical
// axis, with a random speed, mass and bounciness drawn from the program-wide generator.
class PeaPhysicsObject : public PhysicsObject {
public:
    // Mass and speed are nominal: the body weighs between mass and mass + 10 and starts at between
    // speed and twice speed. A pea starting on the vertical axis has no direction and only falls.
    PeaPhysicsObject(float radius, glm::vec3 position, float mass, float speed, float friction);
    ~PeaPhysicsObject();
    PeaPhysicsObject(const PeaPhysicsObject&) = delete;
    PeaPhysicsObject& operator=(const PeaPhysicsObject&) = delete;

    glm::mat4 getTransformMatrix() override;
    void addToPhysicsWorld(PhysicsWorld* newWorld) override;
    void setPosition(glm::vec3 position) override;
    void onCollision(PhysicsObject* other) override;
    glm::vec3 getPosition() override;

    // The pea this body belongs to; set by the pea right after creating it.
    void setPea(Pea* owningPea) { pea = owningPea; }
    Pea* getPea() const { return pea; }

    btRigidBody* getRigidBody() { return body.get(); }

private:
    std::unique_ptr<btSphereShape> shape;
    std::unique_ptr<btDefaultMotionState> motionState;
    std::unique_ptr<btRigidBody> body;
    PhysicsWorld* world = nullptr;
    Pea* pea = nullptr;
};
