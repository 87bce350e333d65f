#include "GlTest.h"
#include "app/AppState.h"
#include "app/Controls.h"
#include "physics/DummyPhysicsObject.h"
#include "render/HeadsUpDisplay.h"
#include "scene/ConcreteObject.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

void release(int key) {
    Controls::onKey(GlTest::window(), key, 0, GLFW_RELEASE, 0);
}

// A press and a key repeat, which must change nothing.
void pressAndHold(int key) {
    Controls::onKey(GlTest::window(), key, 0, GLFW_PRESS, 0);
    Controls::onKey(GlTest::window(), key, 0, GLFW_REPEAT, 0);
}

bool wireframeDrawn() {
    GLint mode[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, mode);
    return mode[0] == GL_LINE;
}

bool cullingEnabled() {
    return glIsEnabled(GL_CULL_FACE) == GL_TRUE;
}

class ControlsGLTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glEnable(GL_CULL_FACE);
        appState.wireframe = false;
        appState.cullFace = true;
        appState.physicsDebug = false;
        appState.muted = false;
    }
    void TearDown() override {
        glfwSetWindowShouldClose(window(), GLFW_FALSE);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        appState.hud.reset();
    }
};

TEST_F(ControlsGLTest, DebugTogglesFlipOnReleaseOnlyAndSetTheirGlState) {
    struct Toggle {
        const char* name;
        int key;
        bool& flag;
        std::function<bool()> drawn;
    };
    const Toggle toggles[] = {
        {"F1 wireframe", GLFW_KEY_F1, appState.wireframe, wireframeDrawn},
        {"F2 culling", GLFW_KEY_F2, appState.cullFace, cullingEnabled},
        {"F3 physics debug", GLFW_KEY_F3, appState.physicsDebug,
         [] {
             return appState.physicsDebug;
         }},
    };
    for (const Toggle& toggle : toggles) {
        SCOPED_TRACE(toggle.name);
        const bool initial = toggle.flag;
        ASSERT_EQ(toggle.drawn(), initial);
        pressAndHold(toggle.key);
        EXPECT_EQ(toggle.flag, initial);
        EXPECT_EQ(toggle.drawn(), initial);
        release(toggle.key);
        EXPECT_EQ(toggle.flag, !initial);
        EXPECT_EQ(toggle.drawn(), !initial);
        release(toggle.key);
        EXPECT_EQ(toggle.flag, initial);
        EXPECT_EQ(toggle.drawn(), initial);
    }
}

TEST_F(ControlsGLTest, F7MutesAndUnmutesOnRelease) {
    pressAndHold(GLFW_KEY_F7);
    EXPECT_FALSE(appState.muted);
    release(GLFW_KEY_F7);
    EXPECT_TRUE(appState.muted);
    release(GLFW_KEY_F7);
    EXPECT_FALSE(appState.muted);
}

TEST_F(ControlsGLTest, EscapeClosesTheWindowWhenLetGo) {
    pressAndHold(GLFW_KEY_ESCAPE);
    EXPECT_FALSE(glfwWindowShouldClose(window()));
    release(GLFW_KEY_ESCAPE);
    EXPECT_TRUE(glfwWindowShouldClose(window()));
}

TEST_F(ControlsGLTest, OtherKeysChangeNothing) {
    for (int key : {GLFW_KEY_F8, GLFW_KEY_F10, GLFW_KEY_F12, GLFW_KEY_W, GLFW_KEY_SPACE}) {
        release(key);
    }
    EXPECT_FALSE(appState.muted);
    EXPECT_FALSE(appState.wireframe);
    EXPECT_TRUE(appState.cullFace);
    EXPECT_FALSE(appState.physicsDebug);
    EXPECT_FALSE(glfwWindowShouldClose(window()));
    EXPECT_FALSE(wireframeDrawn());
    EXPECT_TRUE(cullingEnabled());
}

TEST_F(ControlsGLTest, F5AndF6SwitchTheHelpLineAndTheWholeHud) {
    // Before the HUD exists the keys have nothing to switch.
    release(GLFW_KEY_F5);
    release(GLFW_KEY_F6);

    appState.hud = std::make_shared<HeadsUpDisplay>("assets/shader/headupdisplay.vert",
                                                    "assets/shader/headupdisplay.frag", kWindowSize,
                                                    kWindowSize, "assets/fonts/arial.ttf", 1.0f);
    HeadsUpDisplay& hud = *appState.hud;
    pressAndHold(GLFW_KEY_F5);
    pressAndHold(GLFW_KEY_F6);
    EXPECT_TRUE(hud.isInfoTextVisible());
    EXPECT_TRUE(hud.isHudVisible());
    release(GLFW_KEY_F5);
    EXPECT_FALSE(hud.isInfoTextVisible());
    EXPECT_TRUE(hud.isHudVisible());
    release(GLFW_KEY_F6);
    EXPECT_FALSE(hud.isHudVisible());
    release(GLFW_KEY_F5);
    release(GLFW_KEY_F6);
    EXPECT_TRUE(hud.isInfoTextVisible());
    EXPECT_TRUE(hud.isHudVisible());
}

TEST_F(ControlsGLTest, F9AfterALostOrWonGameStartsAgainFromTheOrigin) {
    // A finish box the player can touch without a physics world.
    auto finishBody = std::make_shared<DummyPhysicsObject>(glm::mat4(1.0f));
    auto finishBox = std::make_shared<ConcreteObject>("finish_box", nullptr, nullptr, finishBody);
    CameraPlayer& player = appState.player;

    for (bool won : {false, true}) {
        SCOPED_TRACE(won ? "won" : "lost");
        player.setPosition({7, 8, 9});
        appState.game.start(appState.clock.now());
        appState.clock.advance(200.0);
        if (won) {
            player.onCollision(finishBody.get());
            ASSERT_TRUE(player.isFinished());
        }
        appState.game.checkCountdown(appState.clock.now(), player.isFinished());
        ASSERT_EQ(appState.game.isTimedOut(), !won);

        pressAndHold(GLFW_KEY_F9);
        EXPECT_EQ(player.getPosition(), glm::vec3(7, 8, 9));
        release(GLFW_KEY_F9);
        EXPECT_EQ(player.getPosition(), glm::vec3(0, 0, 0));
        EXPECT_FALSE(player.isFinished());
        EXPECT_FALSE(appState.game.isTimedOut());
        EXPECT_EQ(appState.game.remainingTime(appState.clock.now()), GameState::kTimeLimit)
            << "the countdown restarts at the game clock's present";
    }
}

TEST_F(ControlsGLTest, F4SwitchesTheFreeCameraWhereThePlayerStands) {
    CameraPlayer& player = appState.player;
    player.setPosition({1, 2, 3});
    PlayerKeys forward;
    forward.forward = 1;

    release(GLFW_KEY_F4);
    EXPECT_EQ(player.getPosition(), glm::vec3(1, 2, 3));
    player.processKeyboard(forward, 0.5);
    EXPECT_NEAR(glm::length(player.getPosition() - glm::vec3(1, 2, 3)), 10.0f, 1e-4f)
        << "the free camera flies";

    release(GLFW_KEY_F4);
    const glm::vec3 landed = player.getPosition();
    player.processKeyboard(forward, 0.5);
    EXPECT_EQ(player.getPosition(), landed) << "the body, outside any world, does not move";
}

TEST_F(ControlsGLTest, ReleasedFunctionKeysJoinTheNextFrameInputInOrderOnce) {
    Controls::readInput(window(), 0.0);
    release(GLFW_KEY_F3);
    pressAndHold(GLFW_KEY_F1);
    release(GLFW_KEY_W);
    release(GLFW_KEY_F2);
    release(GLFW_KEY_F3);
    release(GLFW_KEY_ESCAPE);

    const FrameInput input = Controls::readInput(window(), 0.25);
    EXPECT_EQ(input.dt, 0.25);
    ASSERT_EQ(input.functionKeyCount, 3);
    EXPECT_EQ(input.functionKeys[0], GLFW_KEY_F3);
    EXPECT_EQ(input.functionKeys[1], GLFW_KEY_F2);
    EXPECT_EQ(input.functionKeys[2], GLFW_KEY_F3);
    EXPECT_EQ(Controls::readInput(window(), 0.0).functionKeyCount, 0) << "a release belongs to one frame";
    release(GLFW_KEY_F2);
}

TEST_F(ControlsGLTest, F11SwitchesToFullScreenOnThePrimaryMonitorAndBackToTheConfiguredWindow) {
    appState.primaryMonitor = glfwGetPrimaryMonitor();
    appState.settings.width = kWindowSize;
    appState.settings.height = kWindowSize;
    release(GLFW_KEY_F11);
    EXPECT_EQ(glfwGetWindowMonitor(window()), appState.primaryMonitor);

    release(GLFW_KEY_F11);
    EXPECT_EQ(glfwGetWindowMonitor(window()), nullptr);
    int width = 0;
    int height = 0;
    glfwGetWindowSize(window(), &width, &height);
    EXPECT_EQ(width, kWindowSize);
    EXPECT_EQ(height, kWindowSize);
}

} // namespace
