#pragma once

#include <glm/glm.hpp>

class Object;
class PhysicsWorld;

// The simulated side of a scene object: a body that may live in a physics world and that tells its
// owner where to draw. Physics objects are always made with std::make_shared of their concrete class
// and released through it, hence no virtual destructor.
class PhysicsObject {
public:
    // The model matrix with which the owner is drawn.
    virtual glm::mat4 getTransformMatrix() = 0;
    // Registers the body with a world, taking it out of a previous one.
    virtual void addToPhysicsWorld(PhysicsWorld* world) = 0;
    // Teleports the body's origin, keeping its rotation.
    virtual void setPosition(glm::vec3 position) = 0;
    // Remembers the object that carries this body.
    virtual void setOwner(Object* newOwner) { owner = newOwner; }
    // The object that carries this body, none for bodies of their own (peas).
    virtual Object* getOwner() { return owner; }
    // This body touches the other one in the current frame.
    virtual void onCollision(PhysicsObject* other) = 0;
    // The current origin of the body.
    virtual glm::vec3 getPosition() = 0;

protected:
    ~PhysicsObject() = default;

    Object* owner = nullptr;
};
