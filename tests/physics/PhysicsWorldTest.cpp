#include "GlmAssertions.h"
#include "PhysicsTestBodies.h"

#include "physics/CameraPlayer.h"
#include "physics/PhysicsWorld.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace physics_test;

namespace {

// A mesh body that records who it was told it touches.
class RecordingBody : public ModelPhysicsObject {
public:
    using ModelPhysicsObject::ModelPhysicsObject;
    void onCollision(PhysicsObject* other) override { touched.push_back(other); }
    std::vector<PhysicsObject*> touched;
};

std::shared_ptr<RecordingBody> makeRecordingBox(glm::vec3 centre, float mass) {
    return std::make_shared<RecordingBody>(makeBox(glm::vec3(0.5f)).get(), translation(centre), mass, 0.5f);
}

TEST(PhysicsWorldTest, RayThatHitsNothingReturnsLargestFiniteFloat) {
    PhysicsWorld world;
    EXPECT_EQ(world.rayTestDistance(glm::vec3(0.0f, 1.0f, 0.0f), glm::vec3(0.0f, -1.0f, 0.0f)), kMiss);
}

// The floor is a 1 m slab, thick enough that the library's default ray cast would miss its top face.
TEST(PhysicsWorldTest, RayReturnsDistanceToFloorBelow) {
    PhysicsWorld world;
    auto floor = makeFloor(world);
    // Bodies rest on the hull grown by the collision margin, and so do rays.
    const float surface = static_cast<float>(floor->getRigidBody()->getCollisionShape()->getMargin());
    for (float x : {0.0f, 3.3f, -9.5f}) {
        const glm::vec3 start(x, surface + 0.8f, 0.2f);
        EXPECT_NEAR(world.rayTestDistance(start, start - glm::vec3(0.0f, 1.3f, 0.0f)), 0.8f, 1e-4f) << x;
        EXPECT_EQ(world.rayTestDistance(start, start - glm::vec3(0.0f, 0.7f, 0.0f)), kMiss)
            << "a ray that ends above the floor hits nothing";
    }
}

TEST(PhysicsWorldTest, FrameTimeRunsAsManyFixedStepsAsItHoldsUpToTheCap) {
    PhysicsWorld world;
    auto box = makeRecordingBox(glm::vec3(0.0f, 100.0f, 0.0f), 1.0f);
    box->addToPhysicsWorld(&world);

    world.step(0.25);
    EXPECT_NEAR(velocityOf(box->getRigidBody()).y, -2.5f, 1e-4f) << "a quarter second is 15 steps";

    world.step(0.5 * kFrame);
    EXPECT_NEAR(velocityOf(box->getRigidBody()).y, -2.5f, 1e-4f) << "half a step is not due yet";
    world.step(0.5 * kFrame);
    EXPECT_NEAR(velocityOf(box->getRigidBody()).y, -2.5f - 10.0f / 60.0f, 1e-4f);

    box->getRigidBody()->setLinearVelocity(btVector3(0.0, 0.0, 0.0));
    world.step(2.0);
    EXPECT_NEAR(velocityOf(box->getRigidBody()).y, -10.0 * PhysicsWorld::kMaxStepTime, 1e-4f)
        << "a stalled frame advances the world by the cap only";
}

// Each run drives the real world and player frame by frame, as the game does: the player's keys
// once per frame, then the step, then the contacts.
class FrameRateRun {
public:
    explicit FrameRateRun(int framesPerSecond) : frameTime(1.0 / framesPerSecond), fps(framesPerSecond) {
        player.addToPhysicsWorld(&world);
        box->addToPhysicsWorld(&world);
    }

    // Holds the keys (W, S, A, D, J for the jump) for whole seconds of wall time.
    void hold(const std::string& held, int seconds) {
        PlayerKeys keys;
        keys.forward = held.find('W') != std::string::npos;
        keys.jump = held.find('J') != std::string::npos;
        for (int frame = 0; frame < seconds * fps; ++frame) {
            player.processKeyboard(keys, frameTime);
            world.step(frameTime);
            world.processCollisions();
        }
    }

    // Where the bodies are seen, between the last two fixed steps.
    glm::vec3 playerPosition() { return player.getPosition(); }
    glm::vec3 boxPosition() { return box->getPosition(); }

private:
    double frameTime;
    int fps;
    PhysicsWorld world;
    // Reaches from z = 2 to z = -18, ahead of the player, who looks along -z.
    std::shared_ptr<ModelPhysicsObject> floor = makeFloor(world, glm::vec2(0.0f, -8.0f), 1.0f);
    CameraPlayer player{glm::vec3(0.0f, 1.0f, 0.0f), -90.0f, 0.0f};
    std::shared_ptr<RecordingBody> box = makeRecordingBox(glm::vec3(50.0f, 100.0f, 0.0f), 1.0f);
};

struct FrameRateCase {
    const char* name;
    // What happens over the run's wall time; returns where the body under test ends.
    glm::vec3 (*run)(FrameRateRun& run);
};

class FrameRateTest : public ::testing::TestWithParam<FrameRateCase> {};

// The same wall time gives the same world at every frame rate, from three frames per second up.
TEST_P(FrameRateTest, SameWallTimeLandsAtTheSamePlaceAtEveryFrameRate) {
    FrameRateRun reference(60);
    const glm::vec3 expected = GetParam().run(reference);
    for (int fps : {3, 6, 10, 30, 144}) {
        FrameRateRun run(fps);
        const glm::vec3 landed = GetParam().run(run);
        EXPECT_TRUE(vecNear(landed, expected, 0.03f)) << fps << " frames per second";
    }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, FrameRateTest,
                         ::testing::Values(FrameRateCase{"FallingBody",
                                                         [](FrameRateRun& run) {
                                                             run.hold("", 2);
                                                             return run.boxPosition();
                                                         }},
                                           FrameRateCase{"WalkingWithWHeld",
                                                         [](FrameRateRun& run) {
                                                             run.hold("", 1);
                                                             run.hold("W", 2);
                                                             return run.playerPosition();
                                                         }},
                                           FrameRateCase{"ChargedJump",
                                                         [](FrameRateRun& run) {
                                                             run.hold("", 1);
                                                             run.hold("WJ", 1);
                                                             run.hold("", 3);
                                                             return run.playerPosition();
                                                         }}),
                         [](const ::testing::TestParamInfo<FrameRateCase>& info) {
                             return std::string(info.param.name);
                         });

class CollisionDeliveryTest : public ::testing::Test {
protected:
    void SetUp() override {
        floor->addToPhysicsWorld(&world);
        box->addToPhysicsWorld(&world);
        farAway->addToPhysicsWorld(&world);
        runFrames(world, 30);
    }

    void forgetContacts() {
        for (RecordingBody* body : {floor.get(), box.get(), farAway.get()}) {
            body->touched.clear();
        }
    }

    PhysicsWorld world;
    std::shared_ptr<RecordingBody> floor = makeRecordingBox(glm::vec3(0.0f, -0.5f, 0.0f), 0.0f);
    std::shared_ptr<RecordingBody> box = makeRecordingBox(glm::vec3(0.0f, 0.55f, 0.0f), 1.0f);
    std::shared_ptr<RecordingBody> farAway = makeRecordingBox(glm::vec3(50.0f, -0.5f, 0.0f), 0.0f);
};

TEST_F(CollisionDeliveryTest, TouchingPairHearsOfEachOtherOncePerFrame) {
    forgetContacts();
    world.step(kFrame);
    world.processCollisions();
    EXPECT_EQ(floor->touched, std::vector<PhysicsObject*>{box.get()});
    EXPECT_EQ(box->touched, std::vector<PhysicsObject*>{floor.get()});
    EXPECT_TRUE(farAway->touched.empty());
}

TEST_F(CollisionDeliveryTest, ContactsAreDeliveredInFramesWithoutFixedStep) {
    world.step(kFrame);
    forgetContacts();
    world.step(0.1 * kFrame);
    world.processCollisions();
    EXPECT_EQ(floor->touched, std::vector<PhysicsObject*>{box.get()});
    EXPECT_EQ(box->touched, std::vector<PhysicsObject*>{floor.get()});
}

struct Impact {
    PhysicsObject* first;
    PhysicsObject* second;
    glm::vec3 point;
    float speedChange;
};

// A box dropped 5 m onto the floor meets it at 10 m/s. The reported change of speed also holds the push
// that lifts it out of the floor it sank into during the step.
TEST(PhysicsWorldImpactTest, AHitReportsAboutTheSpeedItMetWithAndRestingNothingLoud) {
    PhysicsWorld world;
    auto floor = makeRecordingBox(glm::vec3(0.0f, -0.5f, 0.0f), 0.0f);
    auto box = makeRecordingBox(glm::vec3(0.3f, 5.5f, 0.0f), 1.0f);
    floor->addToPhysicsWorld(&world);
    box->addToPhysicsWorld(&world);
    std::vector<Impact> impacts;
    world.setImpactListener(
        [&impacts](PhysicsObject& first, PhysicsObject& second, glm::vec3 point, float speedChange) {
            impacts.push_back({&first, &second, point, speedChange});
        });

    int frames = 0;
    for (; impacts.empty() && frames < 120; ++frames) {
        world.step(kFrame);
    }
    EXPECT_NEAR(frames, 60, 2) << "reported before or long after the box arrived";
    ASSERT_EQ(impacts.size(), 1u);
    const Impact& hit = impacts.front();
    EXPECT_GT(hit.speedChange, 9.0f);
    EXPECT_LT(hit.speedChange, 14.0f);
    EXPECT_NEAR(hit.point.y, 0.0f, 0.1f);
    EXPECT_NEAR(hit.point.x, 0.3f, 0.6f);
    const std::vector<PhysicsObject*> pair = {hit.first, hit.second};
    EXPECT_TRUE(pair == (std::vector<PhysicsObject*>{floor.get(), box.get()}) ||
                pair == (std::vector<PhysicsObject*>{box.get(), floor.get()}));

    impacts.clear();
    world.step(0.1 * kFrame);
    EXPECT_TRUE(impacts.empty()) << "a frame without a fixed step reported the last step again";

    // After its bounces the box comes to rest.
    runFrames(world, 600);
    impacts.clear();
    runFrames(world, 10);
    for (const Impact& resting : impacts) {
        EXPECT_LT(resting.speedChange, 0.5f);
    }
}

TEST(PhysicsWorldLifetimeTest, BodyMovedToAnotherWorldLeavesTheFirst) {
    PhysicsWorld first;
    PhysicsWorld second;
    auto box = makeRecordingBox(glm::vec3(0.0f), 0.0f);
    box->addToPhysicsWorld(&first);
    box->addToPhysicsWorld(&second);
    const glm::vec3 above(0.0f, 2.0f, 0.0f);
    const glm::vec3 below(0.0f, -2.0f, 0.0f);
    EXPECT_EQ(first.rayTestDistance(above, below), kMiss);
    EXPECT_LT(second.rayTestDistance(above, below), 2.0f);
}

TEST(PhysicsWorldLifetimeTest, DestroyedBodyLeavesItsWorld) {
    PhysicsWorld world;
    {
        auto box = makeRecordingBox(glm::vec3(0.0f), 0.0f);
        box->addToPhysicsWorld(&world);
    }
    world.step(kFrame);
    world.processCollisions();
    EXPECT_EQ(world.rayTestDistance(glm::vec3(0.0f, 2.0f, 0.0f), glm::vec3(0.0f, -2.0f, 0.0f)), kMiss);
}

TEST(PhysicsWorldLifetimeTest, DestroyedPlayerLeavesItsWorld) {
    PhysicsWorld world;
    {
        CameraPlayer player(glm::vec3(0.0f), -90.0f, 0.0f);
        player.addToPhysicsWorld(&world);
    }
    world.step(kFrame);
    EXPECT_EQ(world.rayTestDistance(glm::vec3(0.0f, 3.0f, 0.0f), glm::vec3(0.0f, -3.0f, 0.0f)), kMiss);
}

// The program-wide player is destroyed after the world it stood in; nothing may touch the dead world then.
TEST(PhysicsWorldLifetimeTest, BodiesMayOutliveTheirWorld) {
    CameraPlayer player(glm::vec3(0.0f, 1.0f, 0.0f), -90.0f, 0.0f);
    auto box = makeRecordingBox(glm::vec3(3.0f, 0.0f, 0.0f), 1.0f);
    {
        PhysicsWorld world;
        auto floor = makeFloor(world);
        player.addToPhysicsWorld(&world);
        box->addToPhysicsWorld(&world);
        world.step(kFrame);
        floor.reset();
    }
    EXPECT_FALSE(player.getRigidBody()->isInWorld());
    EXPECT_FALSE(box->getRigidBody()->isInWorld());

    PlayerKeys forward;
    forward.forward = 1;
    player.processKeyboard(forward, kFrame);
    EXPECT_EQ(player.getRigidBody()->getTotalForce(), btVector3(0.0, 0.0, 0.0))
        << "without a world nothing moves";

    PhysicsWorld next;
    player.addToPhysicsWorld(&next);
    EXPECT_TRUE(player.getRigidBody()->isInWorld());
}

} // namespace
