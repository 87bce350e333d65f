#pragma once

#include "app/GameClock.h"
#include "app/GameState.h"
#include "app/Settings.h"
#include "physics/CameraPlayer.h"

#include <memory>

class HeadsUpDisplay;
struct GLFWmonitor;

// Program-wide state: the GLFW callbacks receive only the window, so what they act on lives here.
struct AppState {
    Settings settings;
    GLFWmonitor* primaryMonitor = nullptr;
    CameraPlayer player{glm::vec3(-5.0f, 2.0f, 0.0f), -90.0f, 0.0f};
    std::shared_ptr<HeadsUpDisplay> hud;
    bool wireframe = false;
    bool cullFace = true;
    bool physicsDebug = false;
    GameClock clock;
    // A recorded play-through is being played back: the HUD says so and no best time is kept.
    bool replaying = false;
    // The level did not load: the HUD says so instead of showing the countdown.
    bool levelLoadFailed = false;
    // F7: all sound off while set.
    bool muted = false;
    GameState game;
};

extern AppState appState;
