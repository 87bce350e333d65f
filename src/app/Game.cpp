#include "app/Game.h"

Game::Game(AppState& state, GLFWwindow* window) : state(state), window(window) {}

Game::~Game() = default;

void Game::frame(double, double, int) {}
