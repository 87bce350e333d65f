#include "physics/PhysicsWorld.h"

#include "physics/BulletConversions.h"
#include "physics/PhysicsDebugDrawer.h"
#include "physics/PhysicsObject.h"

#include <BulletCollision/NarrowPhaseCollision/btRaycastCallback.h>
#include <btBulletDynamicsCommon.h>
#include <limits>
#include <utility>

namespace {

const double kStepsPerSecond = 60.0;
const btScalar kFixedStep = 1.0 / kStepsPerSecond;
const int kMaxSubSteps = static_cast<int>(PhysicsWorld::kMaxStepTime * kStepsPerSecond);
// Frame times that add up to a whole number of steps (three frames of 1/3 s, 144 of 1/144 s) often sum
// to a rounding error less; a nanosecond more per frame lets such a step run in its own frame, not a
// frame late, while the world gains no more than a millisecond in a million frames.
const btScalar kRoundingSlack = 1e-9;

void reportStepImpacts(btDynamicsWorld* world, btScalar) {
    static_cast<PhysicsWorld*>(world->getWorldUserInfo())->reportImpacts();
}

// The change of the two bodies' speed towards each other that an impulse along the contact normal makes.
float speedChange(const btPersistentManifold& manifold, btScalar impulse) {
    const btRigidBody* first = btRigidBody::upcast(manifold.getBody0());
    const btRigidBody* second = btRigidBody::upcast(manifold.getBody1());
    return static_cast<float>(impulse * (first->getInvMass() + second->getInvMass()));
}

} // namespace

PhysicsWorld::PhysicsWorld()
    : collisionConfiguration(std::make_unique<btDefaultCollisionConfiguration>()),
      dispatcher(std::make_unique<btCollisionDispatcher>(collisionConfiguration.get())),
      broadphase(std::make_unique<btDbvtBroadphase>()),
      solver(std::make_unique<btSequentialImpulseConstraintSolver>()),
      dynamicsWorld(std::make_unique<btDiscreteDynamicsWorld>(dispatcher.get(), broadphase.get(),
                                                              solver.get(), collisionConfiguration.get())) {
    dynamicsWorld->setGravity(btVector3(0.0, -10.0, 0.0));
}

PhysicsWorld::~PhysicsWorld() {
    // The program-wide player outlives the world; emptying the world lets every owner see that its body
    // is no longer in it (see removeRigidBody).
    for (int i = dynamicsWorld->getNumCollisionObjects() - 1; i >= 0; --i) {
        dynamicsWorld->removeCollisionObject(dynamicsWorld->getCollisionObjectArray()[i]);
    }
}

void PhysicsWorld::step(double dt) {
    dynamicsWorld->stepSimulation(dt + kRoundingSlack, kMaxSubSteps, kFixedStep);
}

void PhysicsWorld::processCollisions() {
    const int manifoldCount = dispatcher->getNumManifolds();
    for (int i = 0; i < manifoldCount; ++i) {
        const btPersistentManifold* manifold = dispatcher->getManifoldByIndexInternal(i);
        if (manifold->getNumContacts() == 0) {
            continue;
        }
        auto* first = static_cast<PhysicsObject*>(manifold->getBody0()->getUserPointer());
        auto* second = static_cast<PhysicsObject*>(manifold->getBody1()->getUserPointer());
        first->onCollision(second);
        second->onCollision(first);
    }
}

float PhysicsWorld::rayTestDistance(glm::vec3 from, glm::vec3 to) {
    const btVector3 start = toBullet(from);
    const btVector3 end = toBullet(to);
    btCollisionWorld::ClosestRayResultCallback closestHit(start, end);
    // The library's default ray cast misses the near face of thick convex meshes (a 1 m floor slab
    // reports its underside or nothing); the GJK cast finds the surface bodies actually rest on.
    closestHit.m_flags = btTriangleRaycastCallback::kF_UseGjkConvexCastRaytest;
    dynamicsWorld->rayTest(start, end, closestHit);
    if (!closestHit.hasHit()) {
        return std::numeric_limits<float>::max();
    }
    return static_cast<float>(start.distance(closestHit.m_hitPointWorld));
}

void PhysicsWorld::addRigidBody(btRigidBody* body, PhysicsObject* owner) {
    body->setUserPointer(owner);
    dynamicsWorld->addRigidBody(body);
}

void PhysicsWorld::removeRigidBody(PhysicsWorld* world, btRigidBody* body) {
    if (body->isInWorld()) {
        world->dynamicsWorld->removeRigidBody(body);
    }
}

void PhysicsWorld::moveRigidBody(PhysicsWorld*& world, PhysicsWorld* newWorld, btRigidBody* body,
                                 PhysicsObject* owner) {
    removeRigidBody(world, body);
    world = newWorld;
    newWorld->addRigidBody(body, owner);
}

void PhysicsWorld::setImpactListener(ImpactListener listener) {
    impactListener = std::move(listener);
    dynamicsWorld->setInternalTickCallback(reportStepImpacts, this);
}

void PhysicsWorld::reportImpacts() {
    if (!impactListener) {
        return;
    }
    const int manifoldCount = dispatcher->getNumManifolds();
    for (int i = 0; i < manifoldCount; ++i) {
        const btPersistentManifold* manifold = dispatcher->getManifoldByIndexInternal(i);
        // The pair's whole push is spread over its contact points; it is heard where it is strongest.
        const btManifoldPoint* strongest = nullptr;
        btScalar impulse = 0.0;
        for (int c = 0; c < manifold->getNumContacts(); ++c) {
            const btManifoldPoint& point = manifold->getContactPoint(c);
            impulse += point.getAppliedImpulse();
            if (strongest == nullptr || point.getAppliedImpulse() > strongest->getAppliedImpulse()) {
                strongest = &point;
            }
        }
        if (impulse <= 0.0) {
            continue;
        }
        impactListener(*static_cast<PhysicsObject*>(manifold->getBody0()->getUserPointer()),
                       *static_cast<PhysicsObject*>(manifold->getBody1()->getUserPointer()),
                       toGlm(strongest->getPositionWorldOnB()), speedChange(*manifold, impulse));
    }
}

void PhysicsWorld::enableDebugDrawing(int mode) {
    debugDrawer = std::make_unique<PhysicsDebugDrawer>();
    dynamicsWorld->setDebugDrawer(debugDrawer.get());
    debugDrawer->setDebugMode(mode);
}

void PhysicsWorld::debugDraw() {
    if (!debugDrawer) {
        return;
    }
    debugDrawer->clear();
    dynamicsWorld->debugDrawWorld();
    debugDrawer->flush();
}
