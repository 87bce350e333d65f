#include "app/Settings.h"

#include <INIReader.h>
#include <iostream>

Settings Settings::load(const std::string& path) {
    INIReader reader(path);
    if (reader.ParseError() < 0) {
        std::cout << "ERROR: Failed to load '" << path << "'. Using default values instead." << std::endl;
    }

    Settings defaults;
    Settings settings;
    settings.width = static_cast<int>(reader.GetInteger("window", "width", defaults.width));
    settings.height = static_cast<int>(reader.GetInteger("window", "height", defaults.height));
    settings.refreshRate = static_cast<int>(reader.GetInteger("window", "refresh_rate", defaults.refreshRate));
    settings.brightness = static_cast<float>(reader.GetReal("window", "brightness", defaults.brightness));
    settings.fullscreen = reader.GetBoolean("window", "fullscreen", defaults.fullscreen);
    settings.title = reader.Get("window", "title", defaults.title);
    settings.fov = reader.GetReal("camera", "fov", defaults.fov);
    settings.near = reader.GetReal("camera", "near", defaults.near);
    settings.far = reader.GetReal("camera", "far", defaults.far);
    return settings;
}
