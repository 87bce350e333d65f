#include "app/Settings.h"

#include <INIReader.h>
#include <iostream>

namespace {

// A value outside [low, high] keeps the default, with one line naming the key and both values.
float readRangedReal(const INIReader& reader, const char* section, const char* key, float fallback, float low,
                     float high) {
    const double value = reader.GetReal(section, key, fallback);
    if (value >= low && value <= high) {
        return static_cast<float>(value);
    }
    std::cout << "ERROR: Setting [" << section << "] " << key << " = " << value << " is outside " << low
              << " to " << high << "; using " << fallback << std::endl;
    return fallback;
}

} // namespace

Settings Settings::load(const std::string& path) {
    INIReader reader(path);
    if (reader.ParseError() < 0) {
        std::cout << "ERROR: Failed to load '" << path << "'. Using default values instead." << std::endl;
    }

    Settings settings;
    settings.width = static_cast<int>(reader.GetInteger("window", "width", settings.width));
    settings.height = static_cast<int>(reader.GetInteger("window", "height", settings.height));
    settings.refreshRate =
        static_cast<int>(reader.GetInteger("window", "refresh_rate", settings.refreshRate));
    settings.brightness = static_cast<float>(reader.GetReal("window", "brightness", settings.brightness));
    settings.fullscreen = reader.GetBoolean("window", "fullscreen", settings.fullscreen);
    settings.title = reader.Get("window", "title", settings.title);
    settings.fov = reader.GetReal("camera", "fov", settings.fov);
    settings.near = reader.GetReal("camera", "near", settings.near);
    settings.far = reader.GetReal("camera", "far", settings.far);
    settings.volume = readRangedReal(reader, "audio", "volume", settings.volume, 0.0f, 1.0f);
    settings.audioEnabled = reader.GetBoolean("audio", "enabled", settings.audioEnabled);
    return settings;
}
