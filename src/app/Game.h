#pragma once

#include "app/AppState.h"

struct GLFWwindow;

// The game-specific half of the entry point: builds the scene once the context exists,
// runs one frame's updates and passes, and releases everything while the context lives.
class Game {
public:
    Game(AppState& state, GLFWwindow* window);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // One frame between polling the events and swapping the buffers.
    void frame(double now, double dt, int shownFps);

private:
    AppState& state;
    GLFWwindow* window;
};
