#pragma once

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

// Base fixture for GL tests: one hidden 800 x 800 window with a 4.3 core debug context and
// GLEW loaded, created on first use and shared by every test of the process. The game's
// debug-output callback is installed, synchronous, so GL messages print as in the game.
class GlTest : public ::testing::Test {
public:
    static constexpr int kWindowSize = 800;

    static GLFWwindow* window();

protected:
    // Makes the shared context current and resets the state tests commonly change.
    void SetUp() override;
};
