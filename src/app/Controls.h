#pragma once

#include "physics/PlayerKeys.h"

#include <glm/glm.hpp>

struct GLFWwindow;

// Input routing: function keys act on release, inside glfwPollEvents; the movement keys and the
// mouse are read once per frame and handed to the player.
namespace Controls {

// The window's key callback: Escape and the function keys take effect when let go.
void onKey(GLFWwindow* window, int key, int scancode, int action, int mods);

// Mouse buttons and the wheel do nothing; they are installed so that nothing else reacts to them.
void onMouseButton(GLFWwindow* window, int button, int action, int mods);
void onScroll(GLFWwindow* window, double xOffset, double yOffset);

// The cursor position in the window system's coordinates (y grows downwards).
glm::dvec2 readCursor(GLFWwindow* window);

// Reads the cursor once before the first frame: mouse look starts from there.
void startMouseLook(GLFWwindow* window);

// The window's focus callback. Gaining the focus re-captures the cursor, which moves it to the
// window's centre: mouse look starts again from the next reading, so the view does not jump.
void onFocus(GLFWwindow* window, int focused);

// Once per frame, first of the frame's updates: reads the movement keys and the cursor and hands
// them to the player.
void processInput(GLFWwindow* window, double dt);

// What processInput does with what it read: the keys go to the player unless the countdown has run
// out, the cursor movement since the last frame always does.
void steerPlayer(PlayerKeys keys, glm::dvec2 cursor, double dt);

} // namespace Controls
