#include "app/Controls.h"

#include <GLFW/glfw3.h>

namespace Controls {

void onKey(GLFWwindow* window, int key, int, int action, int) {
    if (action != GLFW_RELEASE) {
        return;
    }
    switch (key) {
    case GLFW_KEY_ESCAPE:
        glfwSetWindowShouldClose(window, GLFW_TRUE);
        break;
    default:
        break;
    }
}

void onMouseButton(GLFWwindow*, int, int, int) {}

void onScroll(GLFWwindow*, double, double) {}

} // namespace Controls
