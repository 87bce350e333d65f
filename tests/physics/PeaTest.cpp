#include "physics/Pea.h"
#include "PhysicsTestBodies.h"
#include "physics/CameraPlayer.h"
#include "physics/PeaPhysicsObject.h"
#include "physics/PhysicsWorld.h"
#include "physics/PseudoRandom.h"

#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <cmath>
#include <gtest/gtest.h>

using namespace physics_test;

namespace {

bool isFinite(const btVector3& v) {
    return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z());
}

// The three draws a pea is about to take from the program-wide generator, in their order.
struct Draws {
    double u1, u2, u3;
};

Draws nextDraws() {
    PseudoRandom preview = pseudoRandom;
    const double u1 = preview.nextFraction();
    const double u2 = preview.nextFraction();
    const double u3 = preview.nextFraction();
    return {u1, u2, u3};
}

TEST(PeaPhysicsObject, SpeedMassAndBouncinessComeFromThreeDrawsInOrder) {
    for (int pea = 0; pea < 20; ++pea) {
        const Draws u = nextDraws();
        PeaPhysicsObject physics(0.15f, {3, 1, -4}, 7.0f, 11.0f, 1.0f);
        btRigidBody& body = *physics.getRigidBody();

        const btVector3 expectedVelocity = btVector3(-0.6, 0, 0.8) * 11.0 * (1 + u.u1);
        EXPECT_LT((body.getLinearVelocity() - expectedVelocity).length(), 1e-5) << pea;
        EXPECT_NEAR(1.0 / body.getInvMass(), 7.0 + 10.0 * u.u2, 1e-5) << pea;
        EXPECT_NEAR(body.getRestitution(), 0.5 + 0.2 * u.u3, 1e-6) << pea;
    }
}

TEST(PeaPhysicsObject, TheBodyKeepsTheNominalInertiaAndItsSurfaceSettings) {
    PeaPhysicsObject physics(0.15f, {10, 3, 0}, 7.0f, 11.0f, 1.0f);
    const btRigidBody& body = *physics.getRigidBody();
    // A solid sphere: 2/5 m r^2 with the nominal 7, whatever mass was drawn.
    const double inertia = 0.4 * 7.0 * 0.15f * 0.15f;
    EXPECT_NEAR(body.getLocalInertia().x(), inertia, 1e-6);
    EXPECT_DOUBLE_EQ(body.getFriction(), 1.0);
    EXPECT_DOUBLE_EQ(body.getRollingFriction(), 0.05);
    EXPECT_DOUBLE_EQ(body.getSpinningFriction(), 0.05);
    EXPECT_DOUBLE_EQ(body.getLinearDamping(), 0.0);
    EXPECT_DOUBLE_EQ(body.getAngularDamping(), 0.0);
    EXPECT_EQ(physics.getOwner(), nullptr);
    EXPECT_EQ(physics.getTransformMatrix()[3], glm::vec4(10, 3, 0, 1));
}

TEST(PeaPhysicsObject, APeaOnTheVerticalAxisOnlyFallsAndATinyOffsetStillAims) {
    PhysicsWorld world;
    PeaPhysicsObject onAxis(0.15f, {0, 5, 0}, 7.0f, 11.0f, 1.0f);
    PeaPhysicsObject besideAxis(0.15f, {1e-30f, 5, 0}, 7.0f, 11.0f, 1.0f);
    onAxis.addToPhysicsWorld(&world);
    besideAxis.addToPhysicsWorld(&world);
    runFrames(world, 30);
    const btVector3 fall = onAxis.getRigidBody()->getLinearVelocity();
    ASSERT_TRUE(isFinite(fall));
    EXPECT_EQ(fall.x(), 0.0);
    EXPECT_EQ(fall.z(), 0.0);
    EXPECT_LT(fall.y(), 0.0);
    EXPECT_TRUE(isFinite(onAxis.getRigidBody()->getWorldTransform().getOrigin()));

    const btVector3 flight = besideAxis.getRigidBody()->getLinearVelocity();
    ASSERT_TRUE(isFinite(flight));
    EXPECT_LE(flight.x(), -11.0);
}

TEST(PeaPhysicsObject, LeavesItsWorldWhenDestroyed) {
    PhysicsWorld world;
    auto physics = std::make_shared<PeaPhysicsObject>(0.15f, glm::vec3(10, 3, 0), 7.0f, 11.0f, 1.0f);
    physics->addToPhysicsWorld(&world);
    EXPECT_EQ(physics->getRigidBody()->getUserPointer(), physics.get());
    const glm::vec3 above(10, 10, 0);
    const glm::vec3 below(10, -10, 0);
    EXPECT_NEAR(world.rayTestDistance(above, below), 7.0f - 0.15f, 1e-3f);

    physics.reset();
    EXPECT_EQ(world.rayTestDistance(above, below), kMiss);
}

TEST(Pea, ExpiresWhenItsAgeReachesExactlyTenSeconds) {
    Pea pea(0.15f, {10, 3, 0}, 7.0f, 11.0f);
    EXPECT_EQ(pea.getPhysics().getPea(), &pea);
    for (int update = 1; update <= 19; ++update) {
        pea.update(0.5);
        ASSERT_TRUE(pea.isAlive()) << update;
    }
    pea.update(0.5);
    EXPECT_FALSE(pea.isAlive());
}

TEST(Pea, HittingThePlayerPushesItButNeverFinishesTheGame) {
    // The player outlives the world, as the program-wide one does.
    CameraPlayer player({0, 0, 0}, -90.0f, 0.0f);
    PhysicsWorld world;
    player.addToPhysicsWorld(&world);
    Pea pea(0.15f, {3, 0, 0}, 7.0f, 11.0f);
    pea.addToPhysicsWorld(&world);
    for (int frame = 0; frame < 60; ++frame) {
        world.step(kFrame);
        world.processCollisions();
    }
    EXPECT_LT(player.getRigidBody()->getLinearVelocity().x(), -0.1) << "the pea hit the player";
    EXPECT_FALSE(player.isFinished());
}

} // namespace
