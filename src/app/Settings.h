#pragma once

#include <string>
#include <string_view>

// The configuration read once at start-up; nothing changes it afterwards except the window-size
// limits that are known only once the window system and the GL are up.
struct Settings {
    // The window sizes accepted before the monitor and the GL are asked: X keeps sizes in 16 bits
    // and GL implementations allow at least 16384.
    static constexpr int kMinWindowSize = 64;
    static constexpr int kMaxWindowSize = 16384;

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
    float volume = 0.8f;
    bool audioEnabled = true;

    // Reads the INI file. A file that cannot be read prints one line and keeps every default; a
    // malformed line prints one line and the rest of the file is used; a value outside its range
    // prints one line and keeps its default.
    static Settings load(const std::string& path);

    // Gives width and height a limit that the monitor or the GL sets (limitName says which); a
    // larger value prints one line and is replaced by its default, or by the limit if that is
    // smaller still. Returns whether anything changed.
    bool limitWindowSize(int maxWidth, int maxHeight, std::string_view limitName);
};
