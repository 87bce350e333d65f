#include "GlmAssertions.h"
#include "PhysicsTestBodies.h"

#include "physics/DummyPhysicsObject.h"
#include "physics/ModelPhysicsObject.h"
#include "physics/PhysicsWorld.h"

#include <algorithm>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

using namespace physics_test;

namespace {

// An L-shaped slab 0.2 thick whose missing quarter is x, z in [1, 2].
std::unique_ptr<aiMesh> makeLShape() {
    return makePrism({{0.0f, 0.0f}, {2.0f, 0.0f}, {2.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, 2.0f}, {0.0f, 2.0f}},
                     0.2f);
}

// (1.3, 1.3) lies in the missing quarter but inside the hull, whose edge there runs from (2, 1) to (1, 2).
TEST(ModelPhysicsObjectTest, ConcaveMeshCollidesAsItsHull) {
    PhysicsWorld world;
    auto slab = std::make_shared<ModelPhysicsObject>(makeLShape().get(), glm::mat4(1.0f), 0.0f, 0.5f);
    slab->addToPhysicsWorld(&world);
    auto box = std::make_shared<ModelPhysicsObject>(makeBox(glm::vec3(0.1f)).get(),
                                                    translation(glm::vec3(1.3f, 0.5f, 1.3f)), 1.0f, 0.5f);
    box->addToPhysicsWorld(&world);

    EXPECT_LT(world.rayTestDistance(glm::vec3(1.3f, 1.0f, 1.3f), glm::vec3(1.3f, -1.0f, 1.3f)), 0.81f);
    runFrames(world, 120);
    const glm::vec3 rest = box->getPosition();
    EXPECT_GT(rest.y, 0.2f) << "the box rests on the hull";
    EXPECT_LT(rest.y, 0.5f);
    EXPECT_GT(std::min(rest.x, rest.z), 1.0f) << "over the missing quarter";
}

TEST(ModelPhysicsObjectTest, NodeScaleWidensTheHullButNotTheBody) {
    const glm::vec3 origin(3.0f, 1.0f, -2.0f);
    // Rotated a quarter turn about y, so the doubled x axis of the mesh runs along world z.
    const glm::mat4 node =
        glm::scale(glm::rotate(translation(origin), glm::radians(90.0f), glm::vec3(0, 1, 0)),
                   glm::vec3(2.0f, 1.0f, 1.0f));
    PhysicsWorld world;
    auto box = std::make_shared<ModelPhysicsObject>(makeBox(glm::vec3(0.5f)).get(), node, 0.0f, 0.5f);
    box->addToPhysicsWorld(&world);

    EXPECT_EQ(box->getPosition(), origin);
    EXPECT_TRUE(matNear(box->getTransformMatrix(), node, 1e-5f));
    EXPECT_NEAR(glm::length(glm::vec3(box->getTransformMatrix()[0])), 2.0f, 1e-5f);

    const glm::vec3 down(0.0f, -3.0f, 0.0f);
    const glm::vec3 overWideEnd = origin + glm::vec3(0.0f, 1.5f, 0.9f);
    const glm::vec3 pastWideEnd = origin + glm::vec3(0.0f, 1.5f, 1.1f);
    const glm::vec3 pastNarrowSide = origin + glm::vec3(0.6f, 1.5f, 0.0f);
    EXPECT_LT(world.rayTestDistance(overWideEnd, overWideEnd + down), 1.01f);
    EXPECT_EQ(world.rayTestDistance(pastWideEnd, pastWideEnd + down), kMiss);
    EXPECT_EQ(world.rayTestDistance(pastNarrowSide, pastNarrowSide + down), kMiss);
}

TEST(ModelPhysicsObjectTest, MassZeroNeverMoves) {
    PhysicsWorld world;
    const glm::vec3 origin(0.0f, 5.0f, 0.0f);
    auto block =
        std::make_shared<ModelPhysicsObject>(makeBox(glm::vec3(0.5f)).get(), translation(origin), 0.0f, 0.5f);
    block->addToPhysicsWorld(&world);
    block->getRigidBody()->applyCentralImpulse(btVector3(100.0, 100.0, 0.0));
    block->getRigidBody()->applyCentralForce(btVector3(0.0, 1000.0, 0.0));
    runFrames(world, 60);
    EXPECT_EQ(block->getPosition(), origin);
}

TEST(ModelPhysicsObjectTest, SetPositionKeepsTheVelocityOfAFallingBody) {
    PhysicsWorld world;
    auto block = std::make_shared<ModelPhysicsObject>(makeBox(glm::vec3(0.5f)).get(),
                                                      translation(glm::vec3(0.0f, 50.0f, 0.0f)), 1.0f, 0.5f);
    block->addToPhysicsWorld(&world);
    runFrames(world, 30);
    const glm::vec3 falling = velocityOf(block->getRigidBody());
    ASSERT_LT(falling.y, -4.0f);

    block->setPosition(glm::vec3(7.0f, 80.0f, 1.0f));
    EXPECT_EQ(block->getPosition(), glm::vec3(7.0f, 80.0f, 1.0f));
    EXPECT_EQ(velocityOf(block->getRigidBody()), falling);
    runFrames(world, 2);
    EXPECT_LT(block->getPosition().y, 80.0f + falling.y * kFrame) << "it keeps falling from there";
}

// A level may hold nodes scaled to nothing along an axis or mirrored: their bodies still stand where
// the node does, draw with the node's own matrix and fall like any other.
TEST(ModelPhysicsObjectTest, FlattenedAndMirroredNodesKeepTheirMatrix) {
    const glm::vec3 origin(1.0f, 4.0f, -3.0f);
    const glm::mat4 turned = glm::rotate(translation(origin), glm::radians(30.0f), glm::vec3(0, 1, 0));
    const struct {
        const char* what;
        glm::mat4 node;
    } cases[] = {
        {"flattened along y", glm::scale(turned, glm::vec3(1.0f, 0.0f, 1.0f))},
        {"flattened along x and z", glm::scale(turned, glm::vec3(0.0f, 2.0f, 0.0f))},
        {"mirrored in x", glm::scale(turned, glm::vec3(-1.0f, 1.0f, 1.0f))},
        {"mirrored in z and doubled", glm::scale(turned, glm::vec3(2.0f, 2.0f, -2.0f))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PhysicsWorld world;
        auto block = std::make_shared<ModelPhysicsObject>(makeBox(glm::vec3(0.5f)).get(), c.node, 1.0f, 0.5f);
        block->addToPhysicsWorld(&world);
        EXPECT_TRUE(vecNear(block->getPosition(), origin, 1e-5f));
        EXPECT_TRUE(matNear(block->getTransformMatrix(), c.node, 1e-5f));

        runFrames(world, 30);
        const glm::vec3 fallen = block->getPosition();
        EXPECT_FALSE(glm::any(glm::isnan(fallen)) || glm::any(glm::isinf(fallen)));
        EXPECT_LT(fallen.y, origin.y);
    }
}

// Mirrored in x, the L-shaped slab's missing quarter lies at negative x.
TEST(ModelPhysicsObjectTest, AMirroredNodeMirrorsTheHull) {
    PhysicsWorld world;
    auto slab = std::make_shared<ModelPhysicsObject>(
        makeLShape().get(), glm::scale(glm::mat4(1.0f), glm::vec3(-1.0f, 1.0f, 1.0f)), 0.0f, 0.5f);
    slab->addToPhysicsWorld(&world);
    const glm::vec3 down(0.0f, -2.0f, 0.0f);
    const glm::vec3 overSlab(-0.5f, 1.0f, 1.5f);
    const glm::vec3 beyondItsMirror(0.5f, 1.0f, 0.5f);
    EXPECT_LT(world.rayTestDistance(overSlab, overSlab + down), 0.81f);
    EXPECT_EQ(world.rayTestDistance(beyondItsMirror, beyondItsMirror + down), kMiss);
}

// Faces that are not triangles of this mesh stay out of the hull instead of reading past its arrays.
TEST(ModelPhysicsObjectTest, OnlyTrianglesWithinTheMeshFormTheHull) {
    auto mesh = makeMesh({{0, 0, 0}, {1, 0, 0}, {0, 0, 1}, {5, 0, 5}, {0, 3, 0}},
                         {{0, 1, 2}, {0, 1}, {0, 2, 99}, {0, 1, 2, 3}, {1, 2, 4}, {0, 4, 2}});
    PhysicsWorld world;
    auto hull = std::make_shared<ModelPhysicsObject>(mesh.get(), glm::mat4(1.0f), 0.0f, 0.5f);
    hull->addToPhysicsWorld(&world);
    EXPECT_LT(world.rayTestDistance(glm::vec3(0.2f, 5.0f, 0.2f), glm::vec3(0.2f, -1.0f, 0.2f)), 5.0f);
    EXPECT_EQ(world.rayTestDistance(glm::vec3(2.0f, 5.0f, 2.0f), glm::vec3(2.0f, -1.0f, 2.0f)), kMiss)
        << "the quad's far corner is not part of the hull";
}

TEST(DummyPhysicsObjectTest, DrawsWhereItWasPlacedButStandsAtTheOrigin) {
    const glm::mat4 placed = glm::scale(translation(glm::vec3(4.0f, 5.0f, 6.0f)), glm::vec3(3.0f));
    auto dummy = std::make_shared<DummyPhysicsObject>(placed);
    PhysicsWorld world;
    dummy->addToPhysicsWorld(&world);
    dummy->setPosition(glm::vec3(1.0f, 2.0f, 3.0f));
    world.step(kFrame);
    EXPECT_EQ(dummy->getPosition(), glm::vec3(0.0f));
    EXPECT_EQ(dummy->getTransformMatrix(), placed);
}

} // namespace
