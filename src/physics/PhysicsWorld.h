#pragma once

#include <functional>
#include <glm/glm.hpp>
#include <memory>

class btBroadphaseInterface;
class btCollisionDispatcher;
class btDefaultCollisionConfiguration;
class btDiscreteDynamicsWorld;
class btRigidBody;
class btSequentialImpulseConstraintSolver;
class PhysicsDebugDrawer;
class PhysicsObject;

// The rigid-body simulation of the level: stepped once per frame, it reports touching bodies to their
// physics objects and answers the player's ground rays.
class PhysicsWorld {
public:
    // The most simulated time one frame advances the world by, in seconds: the world keeps real time
    // down to two frames per second, and a stalled frame (a dragged window, a breakpoint) moves it on
    // by no more than that.
    static constexpr double kMaxStepTime = 0.5;

    // Told after every simulated step about each touching pair that pushed each other apart: the two
    // bodies' objects, the point of their strongest contact and how much that push changed their
    // speed towards each other (m/s), which for a fresh hit is about the speed they met with.
    using ImpactListener =
        std::function<void(PhysicsObject& first, PhysicsObject& second, glm::vec3 point, float speedChange)>;

    PhysicsWorld();
    ~PhysicsWorld();
    PhysicsWorld(const PhysicsWorld&) = delete;
    PhysicsWorld& operator=(const PhysicsWorld&) = delete;

    // Advances the simulation by the frame time in fixed 1/60 s steps, at most kMaxStepTime of it;
    // the rest of a longer frame is dropped. Forces applied before the call act during all its steps.
    void step(double dt);
    // Tells both bodies of every touching pair about each other.
    void processCollisions();
    // Distance from `from` to the closest body on the segment to `to`; the largest finite float on a miss.
    float rayTestDistance(glm::vec3 from, glm::vec3 to);

    // Puts a body into the simulation; its contacts are reported to `owner`.
    void addRigidBody(btRigidBody* body, PhysicsObject* owner);
    // Takes `body` out of `world` if that world still holds it. A world takes out every body left in it
    // when it is destroyed, so a body that is still in a world proves that world alive; owners may
    // therefore outlive the world they were added to.
    static void removeRigidBody(PhysicsWorld* world, btRigidBody* body);
    // Takes `body` out of the world it is in, if any, and puts it into `newWorld`, which becomes `world`.
    static void moveRigidBody(PhysicsWorld*& world, PhysicsWorld* newWorld, btRigidBody* body,
                              PhysicsObject* owner);

    // The one listener for impacts; none by default.
    void setImpactListener(ImpactListener listener);
    // Hands the contacts of the step just simulated to the impact listener; the simulation calls it.
    void reportImpacts();

    // Attaches a debug drawer with the library's debug-mode bits; it stays for the world's lifetime.
    void enableDebugDrawing(int mode);
    // Draws the bodies' wireframes with the bound physics debug program; nothing before it is enabled.
    void debugDraw();

private:
    // Members are destroyed bottom-up: the dynamics world goes before the parts it was built from,
    // and the debug drawer it points at goes last.
    std::unique_ptr<PhysicsDebugDrawer> debugDrawer;
    std::unique_ptr<btDefaultCollisionConfiguration> collisionConfiguration;
    std::unique_ptr<btCollisionDispatcher> dispatcher;
    std::unique_ptr<btBroadphaseInterface> broadphase;
    std::unique_ptr<btSequentialImpulseConstraintSolver> solver;
    std::unique_ptr<btDiscreteDynamicsWorld> dynamicsWorld;
    ImpactListener impactListener;
};
