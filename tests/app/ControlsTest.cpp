#include "app/Controls.h"
#include "PlayerView.h"
#include "app/AppState.h"

#include <GLFW/glfw3.h>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// One frame's input as the game reads it: the keys, and the cursor turned into look movement.
void steer(PlayerKeys keys, glm::dvec2 cursor, double dt) {
    FrameInput input;
    input.dt = dt;
    input.keys = keys;
    input.look = Controls::lookMovement(cursor);
    Controls::steerPlayer(input);
}

// The program-wide player in free-camera mode, which flies without a physics world, so that
// movement keys show up as a change of position.
class ControlsTest : public testing::Test {
protected:
    void SetUp() override {
        appState.game.start(0.0);
        appState.player.toggleFreeCamera();
        steer({}, kCursor, 0.0);
    }
    void TearDown() override { appState.player.toggleFreeCamera(); }

    static constexpr glm::dvec2 kCursor{400.0, 300.0};
};

PlayerKeys forward() {
    PlayerKeys keys;
    keys.forward = 1;
    return keys;
}

TEST_F(ControlsTest, MovementKeysReachThePlayerOnlyWhileTheCountdownRuns) {
    const glm::vec3 start = appState.player.getPosition();
    steer(forward(), kCursor, 0.5);
    const glm::vec3 moved = appState.player.getPosition();
    EXPECT_NEAR(glm::length(moved - start), 10.0f, 1e-4f) << "20 units per second for half a second";

    appState.game.checkCountdown(GameState::kTimeLimit + 1.0, false);
    ASSERT_TRUE(appState.game.isTimedOut());
    const glm::vec3 lookingBefore = viewDirection(appState.player);
    steer(forward(), kCursor + glm::dvec2(50.0, 0.0), 0.5);
    EXPECT_EQ(appState.player.getPosition(), moved);
    EXPECT_GT(glm::length(viewDirection(appState.player) - lookingBefore), 0.05f)
        << "mouse look still turns the view";
}

TEST_F(ControlsTest, MouseLookTurnsByTheCursorMovementSinceTheLastFrame) {
    const glm::vec3 before = viewDirection(appState.player);
    // Right by 100 and up by 50 (window y grows downwards): 10 degrees of yaw, 5 of pitch up.
    steer({}, kCursor + glm::dvec2(100.0, -50.0), 0.0);
    const glm::vec3 after = viewDirection(appState.player);
    EXPECT_NEAR(glm::degrees(std::atan2(after.z, after.x) - std::atan2(before.z, before.x)), 10.0f, 1e-3f);
    EXPECT_NEAR(glm::degrees(std::asin(after.y) - std::asin(before.y)), 5.0f, 1e-3f);

    // The same cursor position again is no movement.
    steer({}, kCursor + glm::dvec2(100.0, -50.0), 0.0);
    EXPECT_EQ(viewDirection(appState.player), after);
}

TEST_F(ControlsTest, GainingTheFocusRestartsMouseLookWithoutTurningTheView) {
    const glm::vec3 before = viewDirection(appState.player);
    // Re-capturing the cursor on focus moves it far away; that is no movement of the player's.
    Controls::onFocus(nullptr, GLFW_TRUE);
    steer({}, kCursor + glm::dvec2(240.0, 112.0), 0.0);
    EXPECT_EQ(viewDirection(appState.player), before);

    steer({}, kCursor + glm::dvec2(340.0, 112.0), 0.0);
    EXPECT_NE(viewDirection(appState.player), before) << "a real movement after it still turns the view";
}

} // namespace
