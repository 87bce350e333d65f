#pragma once

struct GLFWwindow;

// Input routing: function keys act on release, inside glfwPollEvents.
namespace Controls {

// The window's key callback.
void onKey(GLFWwindow* window, int key, int scancode, int action, int mods);

// Mouse buttons and the wheel do nothing; they are installed so that nothing else reacts to them.
void onMouseButton(GLFWwindow* window, int button, int action, int mods);
void onScroll(GLFWwindow* window, double xOffset, double yOffset);

} // namespace Controls
