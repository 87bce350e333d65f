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
// Function keys released since the frame's input was last read.
FrameInput releasedSinceLastRead;

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
    appState.game.start(appState.clock.now());
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
    if (key == GLFW_KEY_ESCAPE) {
        glfwSetWindowShouldClose(window, GLFW_TRUE);
    } else if (applyFunctionKey(window, key)) {
        releasedSinceLastRead.addFunctionKey(key);
    }
}

bool applyFunctionKey(GLFWwindow* window, int key) {
    switch (key) {
    case GLFW_KEY_F1:
        toggleWireframe();
        return true;
    case GLFW_KEY_F2:
        toggleCulling();
        return true;
    case GLFW_KEY_F3:
        appState.physicsDebug = !appState.physicsDebug;
        return true;
    case GLFW_KEY_F4:
        appState.player.toggleFreeCamera();
        return true;
    case GLFW_KEY_F5:
        if (appState.hud) {
            appState.hud->toggleInfoText();
        }
        return true;
    case GLFW_KEY_F6:
        if (appState.hud) {
            appState.hud->toggleHud();
        }
        return true;
    case GLFW_KEY_F7:
        appState.muted = !appState.muted;
        return true;
    case GLFW_KEY_F9:
        resetGame();
        return true;
    case GLFW_KEY_F11:
        toggleFullScreen(window);
        return true;
    default:
        return false;
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

FrameInput readInput(GLFWwindow* window, double dt) {
    FrameInput input = releasedSinceLastRead;
    releasedSinceLastRead = FrameInput();
    input.dt = dt;
    input.keys = readMovementKeys(window);
    input.look = lookMovement(readCursor(window));
    return input;
}

glm::dvec2 lookMovement(glm::dvec2 cursor) {
    if (mouseLookRestarts) {
        lastCursor = cursor;
        mouseLookRestarts = false;
    }
    const glm::dvec2 movement(cursor.x - lastCursor.x, lastCursor.y - cursor.y);
    lastCursor = cursor;
    return movement;
}

void steerPlayer(const FrameInput& input) {
    if (!appState.game.isTimedOut()) {
        appState.player.processKeyboard(input.keys, input.dt);
    }
    appState.player.processMouseMovement(input.look.x, input.look.y);
}

} // namespace Controls
