#pragma once

#include <string>

struct GLFWwindow;

// The process's life: settings, window and context, the frame loop, and shutdown.
class Application {
public:
    // Runs the whole game; returns the process exit code (0 normal, 1 start-up failure).
    int run();

private:
    // Creates the window and the context; on failure returns the reason to print.
    bool openWindow(std::string& failure);
    void installCallbacks();
    void runFrameLoop();
    int fail(const std::string& reason);

    GLFWwindow* window = nullptr;
};
