#include "app/Controls.h"

#include "app/AppState.h"
#include "render/HeadsUpDisplay.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

namespace Controls {

namespace {

// Window position when leaving full screen.
constexpr int kWindowedX = 5;
constexpr int kWindowedY = 25;

// Cursor position of the previous frame, in the window system's coordinates (y grows downwards).
glm::dvec2 lastCursor(0.0);
// Set when the window gains the focus: the next cursor reading becomes the new last position.
bool mouseLookRestarts = false;

PlayerKeys readMovementKeys(GLFWwindow* window) {
    const auto held = [window](int key) -> std::uint8_t {
        return glfwGetKey(window, key) == GLFW_PRESS;
    };
    PlayerKeys keys;
    keys.forward = held(GLFW_KEY_W);
    keys.backward = held(GLFW_KEY_S);
    keys.left = held(GLFW_KEY_A);
    keys.right = held(GLFW_KEY_D);
    keys.jump = held(GLFW_KEY_SPACE);
    return keys;
}

void toggleWireframe() {
    appState.wireframe = !appState.wireframe;
    glPolygonMode(GL_FRONT_AND_BACK, appState.wireframe ? GL_LINE : GL_FILL);
}

void toggleCulling() {
    appState.cullFace = !appState.cullFace;
    if (appState.cullFace) {
        glEnable(GL_CULL_FACE);
    } else {
        glDisable(GL_CULL_FACE);
    }
}

// A new game: the player back at the origin, which also clears a finish, and the full countdown.
void resetGame() {
    appState.player.setPosition(glm::vec3(0.0f));
    appState.game.start(glfwGetTime());
}

// Full screen goes to the primary monitor whichever monitor the window is on; the configured size
// stays in force either way.
void toggleFullScreen(GLFWwindow* window) {
    const Settings& settings = appState.settings;
    GLFWmonitor* target = glfwGetWindowMonitor(window) != nullptr ? nullptr : appState.primaryMonitor;
    glfwSetWindowMonitor(window, target, kWindowedX, kWindowedY, settings.width, settings.height,
                         settings.refreshRate);
}

} // namespace

void onKey(GLFWwindow* window, int key, int, int action, int) {
    if (action != GLFW_RELEASE) {
        return;
    }
    switch (key) {
    case GLFW_KEY_ESCAPE:
        glfwSetWindowShouldClose(window, GLFW_TRUE);
        break;
    case GLFW_KEY_F1:
        toggleWireframe();
        break;
    case GLFW_KEY_F2:
        toggleCulling();
        break;
    case GLFW_KEY_F3:
        appState.physicsDebug = !appState.physicsDebug;
        break;
    case GLFW_KEY_F4:
        appState.player.toggleFreeCamera();
        break;
    case GLFW_KEY_F5:
        if (appState.hud) {
            appState.hud->toggleInfoText();
        }
        break;
    case GLFW_KEY_F6:
        if (appState.hud) {
            appState.hud->toggleHud();
        }
        break;
    case GLFW_KEY_F7:
        appState.muted = !appState.muted;
        break;
    case GLFW_KEY_F9:
        resetGame();
        break;
    case GLFW_KEY_F11:
        toggleFullScreen(window);
        break;
    default:
        break;
    }
}

void onMouseButton(GLFWwindow*, int, int, int) {}

void onScroll(GLFWwindow*, double, double) {}

glm::dvec2 readCursor(GLFWwindow* window) {
    glm::dvec2 cursor;
    glfwGetCursorPos(window, &cursor.x, &cursor.y);
    return cursor;
}

void startMouseLook(GLFWwindow* window) {
    lastCursor = readCursor(window);
}

void onFocus(GLFWwindow*, int focused) {
    if (focused == GLFW_TRUE) {
        mouseLookRestarts = true;
    }
}

void processInput(GLFWwindow* window, double dt) {
    steerPlayer(readMovementKeys(window), readCursor(window), dt);
}

void steerPlayer(PlayerKeys keys, glm::dvec2 cursor, double dt) {
    if (!appState.game.isTimedOut()) {
        appState.player.processKeyboard(keys, dt);
    }
    if (mouseLookRestarts) {
        lastCursor = cursor;
        mouseLookRestarts = false;
    }
    appState.player.processMouseMovement(cursor.x - lastCursor.x, lastCursor.y - cursor.y);
    lastCursor = cursor;
}

} // namespace Controls
