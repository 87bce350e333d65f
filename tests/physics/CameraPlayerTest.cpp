#include "GlmAssertions.h"
#include "PhysicsTestBodies.h"
#include "PlayerView.h"

#include "physics/CameraPlayer.h"
#include "physics/DummyPhysicsObject.h"
#include "physics/PhysicsWorld.h"

#include <cmath>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

using namespace physics_test;

namespace {

const float kDiagonal = 250.0f / std::sqrt(2.0f);
// A body resting on the floor has its centre 1 above the floor's top face.
const glm::vec3 kStanding(0.0f, 1.0f, 0.0f);

// Held keys by letter: W, S, A, D, and J for the jump key.
PlayerKeys keysOf(const std::string& held) {
    PlayerKeys keys;
    keys.forward = held.find('W') != std::string::npos;
    keys.backward = held.find('S') != std::string::npos;
    keys.left = held.find('A') != std::string::npos;
    keys.right = held.find('D') != std::string::npos;
    keys.jump = held.find('J') != std::string::npos;
    return keys;
}

glm::vec3 forceOn(CameraPlayer& player) {
    return toGlm(player.getRigidBody()->getTotalForce());
}

glm::vec3 toNdc(const glm::mat4& viewProjection, glm::vec3 point) {
    const glm::vec4 clip = viewProjection * glm::vec4(point, 1.0f);
    return glm::vec3(clip) / clip.w;
}

// A player standing on a large frictionless floor, looking along -z (right is +x).
class CameraPlayerTest : public ::testing::Test {
protected:
    void SetUp() override { player.addToPhysicsWorld(&world); }

    void press(const std::string& held, double dt = kFrame) { player.processKeyboard(keysOf(held), dt); }

    // The velocity change of one frame's input: the jump impulse divided by the mass of 10.
    glm::vec3 kickOf(const std::string& held, double dt = kFrame) {
        const glm::vec3 before = velocityOf(player.getRigidBody());
        press(held, dt);
        return velocityOf(player.getRigidBody()) - before;
    }

    PhysicsWorld world;
    std::shared_ptr<ModelPhysicsObject> floor = makeFloor(world);
    CameraPlayer player{kStanding, -90.0f, 0.0f};
};

struct WalkCase {
    std::string held;
    float pitch;
    glm::vec3 force;
};

void PrintTo(const WalkCase& walk, std::ostream* out) {
    *out << "keys \"" << walk.held << "\" at pitch " << walk.pitch;
}

class CameraPlayerWalkTest : public ::testing::TestWithParam<WalkCase> {};

// Keys that cancel out, or a view with no horizontal part, push nothing and never a NaN.
TEST_P(CameraPlayerWalkTest, WalkingPushesWith250AlongTheHorizontalKeyDirection) {
    PhysicsWorld world;
    auto floor = makeFloor(world);
    CameraPlayer player(kStanding, -90.0f, GetParam().pitch);
    player.addToPhysicsWorld(&world);
    player.processKeyboard(keysOf(GetParam().held), kFrame);

    const glm::vec3 force = forceOn(player);
    ASSERT_TRUE(std::isfinite(force.x) && std::isfinite(force.y) && std::isfinite(force.z));
    EXPECT_TRUE(vecNear(force, GetParam().force, 1e-3f));
    EXPECT_EQ(velocityOf(player.getRigidBody()), glm::vec3(0.0f)) << "walking gives no impulse";
}

INSTANTIATE_TEST_SUITE_P(Keys, CameraPlayerWalkTest,
                         ::testing::Values(WalkCase{"", 0.0f, glm::vec3(0.0f)},
                                           WalkCase{"WS", 0.0f, glm::vec3(0.0f)},
                                           WalkCase{"AD", 0.0f, glm::vec3(0.0f)},
                                           WalkCase{"WSAD", 0.0f, glm::vec3(0.0f)},
                                           WalkCase{"W", 0.0f, glm::vec3(0.0f, 0.0f, -250.0f)},
                                           WalkCase{"WD", 0.0f, glm::vec3(kDiagonal, 0.0f, -kDiagonal)},
                                           WalkCase{"SA", 0.0f, glm::vec3(-kDiagonal, 0.0f, kDiagonal)},
                                           WalkCase{"WSD", 0.0f, glm::vec3(250.0f, 0.0f, 0.0f)},
                                           WalkCase{"W", -60.0f, glm::vec3(0.0f, 0.0f, -250.0f)},
                                           WalkCase{"W", 90.0f, glm::vec3(0.0f)}));

TEST_F(CameraPlayerTest, NoKeysOnTheGroundFireAPendingCharge) {
    for (int i = 0; i < 12; ++i) {
        press("J");
    }
    EXPECT_NEAR(player.getJumpCharge(), 0.2f, 1e-4f);
    EXPECT_EQ(forceOn(player), glm::vec3(0.0f)) << "charging pushes nothing";

    EXPECT_TRUE(vecNear(kickOf(""), glm::vec3(0.0f, 2.5f, 0.0f), 1e-4f));
    EXPECT_EQ(player.getJumpCharge(), 0.0f);
    EXPECT_EQ(forceOn(player), glm::vec3(0.0f));
    EXPECT_EQ(kickOf(""), glm::vec3(0.0f)) << "a spent charge fires once";
}

// However long the frames, a full charge is 125: at three frames per second one frame's increment
// would otherwise overshoot it by a third.
TEST_F(CameraPlayerTest, TwoSecondsOfChargingFillTheJumpAndNoFurther) {
    for (const double frameTime : {kFrame, 1.0 / 3.0}) {
        SCOPED_TRACE(frameTime);
        for (double charged = 0.0; charged < 2.0; charged += frameTime) {
            press("WJ", frameTime);
        }
        EXPECT_EQ(player.getJumpCharge(), 1.0f);
        EXPECT_EQ(velocityOf(player.getRigidBody()), glm::vec3(0.0f));

        const glm::vec3 kick = kickOf("");
        EXPECT_NEAR(glm::length(kick) * 10.0f, 125.0f, 1e-3f);
        EXPECT_TRUE(vecNear(glm::normalize(kick), glm::normalize(glm::vec3(0.0f, 1.5f, -1.0f)), 1e-4f))
            << "the jump leans towards the keys held while charging";
        player.getRigidBody()->setLinearVelocity(btVector3(0.0, 0.0, 0.0));
    }
}

TEST_F(CameraPlayerTest, ChargeWaitsInTheAirForTheFirstGroundedFrame) {
    for (int i = 0; i < 30; ++i) {
        press("J");
    }
    player.setPosition(glm::vec3(0.0f, 5.0f, 0.0f));
    EXPECT_EQ(kickOf(""), glm::vec3(0.0f));
    press("J");
    press("W");
    EXPECT_EQ(forceOn(player), glm::vec3(0.0f)) << "no steering in the air";
    EXPECT_NEAR(player.getJumpCharge(), 0.5f, 1e-4f) << "no charging in the air either";

    player.setPosition(kStanding);
    EXPECT_TRUE(vecNear(kickOf(""), glm::vec3(0.0f, 6.25f, 0.0f), 1e-3f));
}

TEST_F(CameraPlayerTest, ChargeOfATenthOrLessNeverFires) {
    press("J", 0.0006);
    EXPECT_EQ(kickOf(""), glm::vec3(0.0f));
    EXPECT_GT(player.getJumpCharge(), 0.0f) << "the small charge is kept";

    press("J", 0.0006);
    EXPECT_TRUE(vecNear(kickOf(""), glm::vec3(0.0f, 0.015f, 0.0f), 1e-5f));
}

TEST_F(CameraPlayerTest, FinishedPlayerWalksButReleasesInsteadOfCharging) {
    for (int i = 0; i < 12; ++i) {
        press("J");
    }
    NamedObject finish("finish_box");
    DummyPhysicsObject finishBody(glm::mat4(1.0f));
    finishBody.setOwner(&finish);
    player.onCollision(&finishBody);
    ASSERT_TRUE(player.isFinished());

    EXPECT_TRUE(vecNear(kickOf("WJ"), glm::vec3(0.0f, 2.5f, 0.0f), 1e-4f));
    EXPECT_TRUE(vecNear(forceOn(player), glm::vec3(0.0f, 0.0f, -250.0f), 1e-3f));
    EXPECT_EQ(player.getJumpCharge(), 0.0f);
}

struct LedgeCase {
    glm::vec3 centre;
    bool grounded;
};

void PrintTo(const LedgeCase& ledge, std::ostream* out) {
    *out << "centre (" << ledge.centre.x << ", " << ledge.centre.y << ", " << ledge.centre.z << ")";
}

class CameraPlayerLedgeTest : public ::testing::TestWithParam<LedgeCase> {};

// The floor ends at x = 0; the corner rays reach 0.5 out along x and z.
TEST_P(CameraPlayerLedgeTest, AnyOfTheFiveRaysFindsTheGround) {
    PhysicsWorld world;
    auto floor = makeFloor(world, glm::vec2(-10.0f, 0.0f));
    CameraPlayer player(GetParam().centre, -90.0f, 0.0f);
    player.addToPhysicsWorld(&world);
    player.processKeyboard(keysOf("W"), kFrame);
    EXPECT_EQ(glm::length(forceOn(player)) > 0.0f, GetParam().grounded);
}

INSTANTIATE_TEST_SUITE_P(Positions, CameraPlayerLedgeTest,
                         ::testing::Values(LedgeCase{glm::vec3(-1.0f, 1.0f, 0.0f), true},
                                           LedgeCase{glm::vec3(0.4f, 1.0f, 0.0f), true},
                                           LedgeCase{glm::vec3(0.6f, 1.0f, 0.0f), false},
                                           LedgeCase{glm::vec3(-1.0f, 1.3f, 0.0f), true},
                                           LedgeCase{glm::vec3(-1.0f, 1.4f, 0.0f), false},
                                           LedgeCase{glm::vec3(-1.0f, 5.0f, 0.0f), false}));

TEST(CameraPlayerLookTest, PitchStopsAt89WhileYawKeepsTurning) {
    CameraPlayer player(kStanding, -90.0f, 0.0f);
    const float sin89 = std::sin(glm::radians(89.0f));
    EXPECT_TRUE(vecNear(viewDirection(player), glm::vec3(0.0f, 0.0f, -1.0f), 1e-5f));

    player.processMouseMovement(0.0, 10000.0);
    EXPECT_NEAR(viewDirection(player).y, sin89, 1e-5f);
    player.processMouseMovement(0.0, -10.0);
    EXPECT_NEAR(viewDirection(player).y, std::sin(glm::radians(88.0f)), 1e-5f) << "the excess was not kept";
    player.processMouseMovement(0.0, -10000.0);
    EXPECT_NEAR(viewDirection(player).y, -sin89, 1e-5f);
    player.processMouseMovement(0.0, 890.0);

    player.processMouseMovement(900.0, 0.0);
    EXPECT_TRUE(vecNear(viewDirection(player), glm::vec3(1.0f, 0.0f, 0.0f), 1e-4f));
    player.processMouseMovement(4500.0, 0.0);
    EXPECT_TRUE(vecNear(viewDirection(player), glm::vec3(0.0f, 0.0f, 1.0f), 1e-4f))
        << "a turn and a quarter on";
}

TEST(CameraPlayerLookTest, ViewSitsHalfAUnitAboveTheBodyAndTheSkyIgnoresPosition) {
    CameraPlayer player(glm::vec3(3.0f, 2.0f, 1.0f), -90.0f, 0.0f);
    player.setProjection(90.0f, 2.0f, 0.1f, 100.0f);
    const glm::mat4 viewProjection = player.getViewProjectionMatrix();
    const glm::vec3 eye(3.0f, 2.5f, 1.0f);
    const glm::vec3 front(0.0f, 0.0f, -1.0f);

    EXPECT_TRUE(vecNear(toNdc(viewProjection, eye + 10.0f * front), glm::vec3(0.0f, 0.0f, 0.98198f), 1e-4f));
    EXPECT_NEAR(toNdc(viewProjection, eye + 0.1f * front).z, -1.0f, 1e-4f);
    EXPECT_NEAR(toNdc(viewProjection, eye + 100.0f * front).z, 1.0f, 1e-4f);
    EXPECT_NEAR(toNdc(viewProjection, eye + glm::vec3(10.0f, 10.0f, -10.0f)).x, 0.5f, 1e-4f) << "aspect 2";
    EXPECT_NEAR(toNdc(viewProjection, eye + glm::vec3(10.0f, 10.0f, -10.0f)).y, 1.0f, 1e-4f) << "fov 90";

    const glm::mat4 sky = player.getSkyboxViewProjectionMatrix();
    EXPECT_TRUE(vecNear(toNdc(sky, 10.0f * front), toNdc(viewProjection, eye + 10.0f * front), 1e-5f));
    player.setPosition(glm::vec3(-40.0f, 7.0f, 12.0f));
    EXPECT_EQ(player.getSkyboxViewProjectionMatrix(), sky);
}

struct FinishCase {
    const char* ownerName;
    bool finishes;
};

void PrintTo(const FinishCase& finish, std::ostream* out) {
    *out << (finish.ownerName == nullptr ? "no owner" : finish.ownerName);
}

class CameraPlayerFinishTest : public ::testing::TestWithParam<FinishCase> {};

TEST_P(CameraPlayerFinishTest, OnlyNamesBeginningWithTheFinishPrefixFinish) {
    CameraPlayer player(kStanding, -90.0f, 0.0f);
    NamedObject touched(GetParam().ownerName == nullptr ? "" : GetParam().ownerName);
    DummyPhysicsObject touchedBody(glm::mat4(1.0f));
    if (GetParam().ownerName != nullptr) {
        touchedBody.setOwner(&touched);
    }
    player.onCollision(&touchedBody);
    EXPECT_EQ(player.isFinished(), GetParam().finishes);
}

// A null name stands for a pea, whose body has no owner.
INSTANTIATE_TEST_SUITE_P(Names, CameraPlayerFinishTest,
                         ::testing::Values(FinishCase{"finish_box", true}, FinishCase{"finish_box.001", true},
                                           FinishCase{"finish_box_top[1]", true},
                                           FinishCase{"goal_finish_box", false},
                                           FinishCase{"Finish_box", false}, FinishCase{"finish_bo", false},
                                           FinishCase{nullptr, false}));

TEST_F(CameraPlayerTest, StandingOnTheFinishBoxFinishes) {
    NamedObject finish("finish_box");
    floor->setOwner(&finish);
    for (int i = 0; i < 10 && !player.isFinished(); ++i) {
        world.step(kFrame);
        world.processCollisions();
    }
    EXPECT_TRUE(player.isFinished());
}

TEST_F(CameraPlayerTest, FreeCameraFliesUnnormalisedAndIgnoresTheFinish) {
    player.toggleFreeCamera();
    for (int i = 0; i < 60; ++i) {
        press("WD");
    }
    const glm::vec3 flown = player.getPosition() - kStanding;
    EXPECT_NEAR(glm::length(flown), 20.0f * std::sqrt(2.0f), 1e-3f);
    EXPECT_TRUE(vecNear(glm::normalize(flown), glm::normalize(glm::vec3(1.0f, 0.0f, -1.0f)), 1e-5f));
    EXPECT_EQ(forceOn(player), glm::vec3(0.0f)) << "the body is left alone";

    NamedObject finish("finish_box");
    floor->setOwner(&finish);
    world.step(kFrame);
    world.processCollisions();
    EXPECT_FALSE(player.isFinished());

    const glm::vec3 camera = player.getPosition();
    player.toggleFreeCamera();
    EXPECT_TRUE(vecNear(player.getPosition(), camera, 1e-5f)) << "the body follows the camera back";
}

TEST_F(CameraPlayerTest, ResetMovesTheBodyButKeepsItsVelocityAndView) {
    for (int i = 0; i < 10; ++i) {
        press("W");
        world.step(kFrame);
    }
    const glm::vec3 moving = velocityOf(player.getRigidBody());
    ASSERT_LT(moving.z, -1.0f);
    player.processMouseMovement(300.0, 150.0);
    const glm::vec3 looking = viewDirection(player);
    NamedObject finish("finish_box");
    DummyPhysicsObject finishBody(glm::mat4(1.0f));
    finishBody.setOwner(&finish);
    player.onCollision(&finishBody);

    player.setPosition(glm::vec3(0.0f));
    EXPECT_EQ(player.getPosition(), glm::vec3(0.0f));
    EXPECT_EQ(velocityOf(player.getRigidBody()), moving);
    EXPECT_TRUE(vecNear(viewDirection(player), looking, 1e-5f));
    EXPECT_FALSE(player.isFinished());
}

// A player dropped onto a rough floor, stepped at the slow frame rates of a loaded machine.
struct SlowFrameRun {
    explicit SlowFrameRun(double frameTime) : frameTime(frameTime) { player.addToPhysicsWorld(&world); }

    void frames(const std::string& held, int count) {
        for (int i = 0; i < count; ++i) {
            player.processKeyboard(keysOf(held), frameTime);
            world.step(frameTime);
        }
    }

    double frameTime;
    PhysicsWorld world;
    std::shared_ptr<ModelPhysicsObject> floor = makeFloor(world, glm::vec2(0.0f, -5.0f), 1.0f);
    CameraPlayer player{glm::vec3(0.0f, 2.0f, 0.0f), -90.0f, 0.0f};
};

// Many fixed steps per frame leave nothing of a walk behind a teleport: a player that walked and came
// to rest goes on from the reset exactly as one that never walked.
TEST(CameraPlayerResetTest, AfterAWalkAtSlowFramesTheResetEndsWhereAFreshPlayersDoes) {
    for (const double frameTime : {0.5, 1.0}) {
        SCOPED_TRACE(frameTime);
        SlowFrameRun fresh(frameTime);
        SlowFrameRun walked(frameTime);
        fresh.frames("", 4);
        walked.frames("", 4);
        walked.frames("W", 2);
        walked.frames("", 4);
        ASSERT_LT(walked.player.getPosition().z, -5.0f);
        ASSERT_TRUE(vecNear(velocityOf(walked.player.getRigidBody()), glm::vec3(0.0f), 1e-3f)) << "at rest";

        fresh.player.setPosition(kStanding);
        walked.player.setPosition(kStanding);
        for (int i = 0; i < 4; ++i) {
            fresh.frames("", 1);
            walked.frames("", 1);
            EXPECT_TRUE(vecNear(walked.player.getPosition(), fresh.player.getPosition(), 1e-4f))
                << "frame " << i;
        }
        EXPECT_TRUE(vecNear(walked.player.getPosition(), kStanding, 0.05f));
    }
}

TEST(CameraPlayerObjectTest, IsANamelessDrawingButReportsAnyCallForItsMatrix) {
    CameraPlayer player(kStanding, -90.0f, 0.0f);
    EXPECT_EQ(player.getName(), "player");
    testing::internal::CaptureStdout();
    const glm::mat4 matrix = player.getTransformMatrix();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "CameraPlayer::getTransformMatrix() is not valid\n");
    EXPECT_EQ(matrix, glm::mat4(1.0f));
}

} // namespace
