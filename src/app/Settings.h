#pragma once

#include <string>

// The configuration read once at start-up; nothing changes it afterwards.
struct Settings {
    int width = 800;
    int height = 800;
    int refreshRate = 60;
    float brightness = 1.0f;
    bool fullscreen = false;
    std::string title = "Zelvira";
    double fov = 60.0;
    double near = 0.1;
    double far = 100.0;
    // Loudness of all sound, 0 (silent) to 1.
    float volume = 0.8f;
    bool audioEnabled = true;

    // Reads the INI file; a missing file prints one line and keeps every default, and so does each
    // value out of its range.
    static Settings load(const std::string& path);
};
