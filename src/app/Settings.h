#pragma once

#include <string>

// The configuration read once at start-up; nothing changes it afterwards.
struct Settings {
    int width = 800;
    int height = 800;
    int refreshRate = 60;
    float brightness = 1.0f;
    bool fullscreen = false;
    // Share of the window's width and height that the scene and bloom are rendered at.
    float renderScale = 1.0f;
    std::string title = "Zelvira";
    double fov = 60.0;
    double near = 0.1;
    double far = 100.0;

    // Reads the INI file; a missing file prints one line and keeps every default.
    static Settings load(const std::string& path);
};
