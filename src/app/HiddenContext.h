#pragma once

struct GLFWwindow;

// A hidden window with an OpenGL 4.3 core debug context, made current and with the GL entry points
// loaded: what tools and tests need to import a level or draw off screen. Initialises GLFW; the
// caller terminates it. Null when any step fails.
GLFWwindow* openHiddenContext(int size, const char* title);
