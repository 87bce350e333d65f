#include "app/Application.h"

#include "app/AppState.h"
#include "app/ConsolePause.h"
#include "app/Controls.h"
#include "app/FrameCounter.h"
#include "app/Game.h"
#include "app/GlDebugOutput.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <iostream>

namespace {

const char* const kSettingsPath = "assets/settings.ini";

void reportGlfwError(int code, const char* description) {
    std::cout << "GLFW error " << code << ": " << description << std::endl;
}

void setGlDefaults() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

} // namespace

int Application::run() {
    loadSettings();
    std::string failure;
    if (!openWindow(failure)) {
        return fail(failure);
    }
    runFrameLoop();
    shutdown();
    return 0;
}

void Application::loadSettings() {
    useSettings(Settings::load(kSettingsPath));
}

void Application::useSettings(const Settings& settings) {
    appState.settings = settings;
    const float aspect = static_cast<float>(settings.width) / static_cast<float>(settings.height);
    appState.player.setProjection(static_cast<float>(settings.fov), aspect, static_cast<float>(settings.near),
                                  static_cast<float>(settings.far));
}

bool Application::openWindow(std::string& failure) {
    glfwSetErrorCallback(reportGlfwError);
    if (!glfwInit()) {
        failure = "Failed to init GLFW";
        return false;
    }
    if (!createWindow(failure)) {
        return false;
    }
    installCallbacks();
    setGlDefaults();
    return true;
}

bool Application::createWindow(std::string& failure) {
    const Settings& settings = appState.settings;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GLFW_TRUE);
    glfwWindowHint(GLFW_REFRESH_RATE, settings.refreshRate);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    glfwWindowHint(GLFW_SAMPLES, 4);
    appState.primaryMonitor = glfwGetPrimaryMonitor();

    GLFWmonitor* monitor = settings.fullscreen ? appState.primaryMonitor : nullptr;
    window = glfwCreateWindow(settings.width, settings.height, settings.title.c_str(), monitor, nullptr);
    if (window == nullptr) {
        failure = "Failed to create window";
        return false;
    }
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    const GLenum glewStatus = glewInit();
    if (glewStatus != GLEW_OK) {
        failure = std::string("Failed to init GLEW: ") +
                  reinterpret_cast<const char*>(glewGetErrorString(glewStatus));
        return false;
    }
    return true;
}

void Application::installCallbacks() {
    if (glDebugMessageCallback != nullptr) {
        glDebugMessageCallback(reportGlDebugMessage, nullptr);
        glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
    }
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_DISABLED);
    glfwSetKeyCallback(window, Controls::onKey);
    glfwSetMouseButtonCallback(window, Controls::onMouseButton);
    glfwSetScrollCallback(window, Controls::onScroll);
    glfwSetWindowFocusCallback(window, Controls::onFocus);
}

void Application::runFrameLoop() {
    Game game(appState, window);
    FrameCounter frameCounter(startGame());
    while (!glfwWindowShouldClose(window)) {
        const double now = glfwGetTime();
        const double dt = frameCounter.beginFrame(now);
        glfwPollEvents();
        game.followFramebufferSize();
        game.frame(now, dt, frameCounter.shownFps());
        glfwSwapBuffers(window);
    }
}

double Application::startGame() {
    const double start = glfwGetTime();
    appState.game.start(start);
    Controls::startMouseLook(window);
    return start;
}

void Application::shutdown() {
    glfwTerminate();
}

int Application::fail(const std::string& reason) {
    glfwTerminate();
    std::cout << "ERROR: " << reason << std::endl;
    pauseConsole();
    return 1;
}
