#pragma once

#include "app/GameState.h"
#include "app/Settings.h"

struct GLFWmonitor;

// Program-wide state: the GLFW callbacks receive only the window, so what they act on lives here.
struct AppState {
    Settings settings;
    GLFWmonitor* primaryMonitor = nullptr;
    bool wireframe = false;
    bool cullFace = true;
    bool physicsDebug = false;
    GameState game;
};

extern AppState appState;
