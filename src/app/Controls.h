#pragma once

#include "app/FrameInput.h"

#include <glm/glm.hpp>

struct GLFWwindow;

// Input routing: function keys act on release, inside glfwPollEvents, and are kept for the frame's
// input; the movement keys and the mouse are read once per frame and handed to the player.
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

// Does what a released function key does (F1-F6, F9, F11); false for any other key.
bool applyFunctionKey(GLFWwindow* window, int key);

// Once per frame, before the updates: the movement keys, the cursor movement since the last reading
// and the function keys released since then, with the frame time.
FrameInput readInput(GLFWwindow* window, double dt);

// The mouse-look movement from the last cursor reading to this one (x to the right, y up); the
// cursor becomes the last reading.
glm::dvec2 lookMovement(glm::dvec2 cursor);

// First of the frame's updates: the keys go to the player unless the countdown has run out, the look
// movement always does.
void steerPlayer(const FrameInput& input);

} // namespace Controls
