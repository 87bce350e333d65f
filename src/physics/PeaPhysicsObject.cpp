#include "physics/PeaPhysicsObject.h"

#include "physics/BodyPose.h"
#include "physics/PhysicsWorld.h"
#include "physics/PseudoRandom.h"

#include <BulletCollision/CollisionShapes/btSphereShape.h>
#include <LinearMath/btDefaultMotionState.h>

namespace {

constexpr btScalar kRollingFriction = 0.05;
constexpr btScalar kSpinningFriction = 0.05;

// Horizontal unit vector from a point towards the vertical axis at its height; zero on the axis
// itself, where there is no such direction. Computed in double so that no tiny offset underflows.
btVector3 directionToAxis(glm::vec3 position) {
    const btVector3 toAxis(-btScalar(position.x), 0, -btScalar(position.z));
    const btScalar length = toAxis.length();
    return length > 0 ? toAxis / length : btVector3(0, 0, 0);
}

} // namespace

PeaPhysicsObject::PeaPhysicsObject(float radius, glm::vec3 position, float mass, float speed, float friction)
    : shape(std::make_unique<btSphereShape>(radius)) {
    // The inertia follows the nominal mass, whatever the body ends up weighing.
    btVector3 localInertia(0, 0, 0);
    shape->calculateLocalInertia(mass, localInertia);
    motionState =
        std::make_unique<btDefaultMotionState>(btTransform(btQuaternion::getIdentity(), toBullet(position)));

    const btScalar u1 = pseudoRandom.nextFraction();
    const btScalar u2 = pseudoRandom.nextFraction();
    const btScalar u3 = pseudoRandom.nextFraction();

    const btScalar bodyMass = mass + 5 * (2 * u2);
    btRigidBody::btRigidBodyConstructionInfo info(bodyMass, motionState.get(), shape.get(), localInertia);
    info.m_linearDamping = 0;
    info.m_angularDamping = 0;
    info.m_friction = friction;
    info.m_rollingFriction = kRollingFriction;
    info.m_spinningFriction = kSpinningFriction;
    info.m_restitution = 0.5 + 0.2 * u3;
    body = std::make_unique<btRigidBody>(info);

    // The impulse is divided by the same mass: the pea starts at speed * (1 + u1).
    body->applyCentralImpulse(directionToAxis(position) * speed * bodyMass * (1 + 0.5 * (2 * u1)));
}

PeaPhysicsObject::~PeaPhysicsObject() {
    PhysicsWorld::removeRigidBody(world, body.get());
}

glm::mat4 PeaPhysicsObject::getTransformMatrix() {
    btTransform transform;
    motionState->getWorldTransform(transform);
    return toGlm(transform);
}

void PeaPhysicsObject::addToPhysicsWorld(PhysicsWorld* newWorld) {
    PhysicsWorld::moveRigidBody(world, newWorld, body.get(), this);
}

void PeaPhysicsObject::setPosition(glm::vec3 position) {
    moveBodyOrigin(*body, *motionState, position);
}

void PeaPhysicsObject::onCollision(PhysicsObject*) {}

glm::vec3 PeaPhysicsObject::getPosition() {
    return getBodyOrigin(*motionState);
}
