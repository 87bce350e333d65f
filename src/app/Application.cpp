#include "app/Application.h"

#include "app/AppState.h"
#include "app/ConsolePause.h"
#include "app/Controls.h"
#include "app/FrameCounter.h"
#include "app/Game.h"
#include "app/GlDebugOutput.h"
#include "app/LoadedLibraries.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <algorithm>
#include <filesystem>
#include <glm/glm.hpp>
#include <iostream>

namespace {

const char* const kAssetsFolder = "assets";
const char* const kSettingsPath = "assets/settings.ini";

void reportGlfwError(int code, const char* description) {
    std::cout << "GLFW error " << code << ": " << description << std::endl;
}

// The largest window whose every pixel the render targets and the viewport can hold.
glm::ivec2 glSizeLimit() {
    GLint textureSize = 0;
    GLint renderbufferSize = 0;
    GLint viewport[2] = {0, 0};
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &textureSize);
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbufferSize);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
    const GLint common = std::min(textureSize, renderbufferSize);
    return {std::min(common, viewport[0]), std::min(common, viewport[1])};
}

void setGlDefaults() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

// Every path the game reads is relative to the working directory. Started anywhere else, it would
// only show a black window after a line for each file it cannot find.
bool assetsFolderIsHere() {
    std::error_code error;
    if (std::filesystem::is_directory(kAssetsFolder, error)) {
        return true;
    }
    std::cout << "ERROR: No '" << kAssetsFolder << "' folder in '"
              << std::filesystem::current_path(error).string()
              << "': start the game from the folder that holds it (tools/play.sh does)" << std::endl;
    return false;
}

} // namespace

int Application::run() {
    if (!assetsFolderIsHere()) {
        return 1;
    }
    loadSettings();
    if (!input.prepare(options, Game::kLevelPath)) {
        return 1;
    }
    std::string failure;
    if (!openWindow(failure)) {
        return fail(failure);
    }
    runFrameLoop();
    shutdown();
    return input.exitCode();
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
    fitSettingsToMonitor();
    if (!createWindow(failure)) {
        return false;
    }
    fitWindowToGl();
    // The context has brought in the GL driver by now.
    keepLoadedLibrariesMapped();
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
    // No multisampling: the window only receives the tone-mapped picture, one quad over all of it,
    // and the HUD. Four samples would cost four times the window's colour and depth memory and a
    // resolve at every buffer swap for edges no scene geometry has there.
    glfwWindowHint(GLFW_SAMPLES, 0);
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

void Application::fitSettingsToMonitor() {
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor != nullptr ? glfwGetVideoMode(monitor) : nullptr;
    if (mode != nullptr && appState.settings.limitWindowSize(mode->width, mode->height, "the monitor")) {
        useSettings(appState.settings);
    }
}

void Application::fitWindowToGl() {
    const glm::ivec2 limit = glSizeLimit();
    if (appState.settings.limitWindowSize(limit.x, limit.y, "the GL")) {
        glfwSetWindowSize(window, appState.settings.width, appState.settings.height);
        useSettings(appState.settings);
    }
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
        const double wallDt = frameCounter.beginFrame(glfwGetTime());
        glfwPollEvents();
        game.followFramebufferSize();
        input.runUpdates(game, window, wallDt);
        game.render(frameCounter.shownFps());
        glfwSwapBuffers(window);
        game.saveNewBestTime();
    }
}

double Application::startGame() {
    const double start = glfwGetTime();
    appState.game.start(appState.clock.now());
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
