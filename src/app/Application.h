#pragma once

#include "app/CommandLine.h"
#include "app/InputSource.h"

#include <string>
#include <utility>

struct GLFWwindow;
struct Settings;

// The process's life: settings, window and context, the frame loop, and shutdown.
class Application {
public:
    explicit Application(CommandLine options = {}) : options(std::move(options)) {}

    // Runs the whole game; returns the process exit code: 0 normal, 1 start-up failure (no assets
    // folder in the working directory among them) or a replay file that cannot be used, 3 a replay with
    // --exit-when-done that did not reach the finish.
    int run();

    // The steps run() takes, in its order, callable one by one so that a measuring harness can
    // time each of them on the game's own path.

    // Reads the settings file and gives the player its projection.
    void loadSettings();
    // Puts these settings in force, the player's projection included.
    void useSettings(const Settings& settings);
    // Window system, window, context, debug output, input callbacks and GL defaults; on failure
    // returns false with the reason to print.
    bool openWindow(std::string& failure);
    // Reads the wall clock once, as the first frame's reference, starts the countdown on the game
    // clock and mouse look from the cursor; returns the wall-clock time.
    double startGame();
    // Takes down the window system; the game must already be released.
    void shutdown();

    GLFWwindow* getWindow() const { return window; }

private:
    // Keeps the window within the primary monitor's current video mode.
    void fitSettingsToMonitor();
    bool createWindow(std::string& failure);
    // Shrinks a window larger than the GL's render targets and viewport can hold.
    void fitWindowToGl();
    void installCallbacks();
    void runFrameLoop();
    int fail(const std::string& reason);

    CommandLine options;
    InputSource input;
    GLFWwindow* window = nullptr;
};
