#include "app/Settings.h"

#include <INIReader.h>
#include <iostream>

namespace {

constexpr float kLowestRenderScale = 0.25f;
constexpr float kHighestRenderScale = 1.0f;

float readRenderScale(const INIReader& reader, float fallback) {
    const double scale = reader.GetReal("window", "render_scale", fallback);
    if (scale >= kLowestRenderScale && scale <= kHighestRenderScale) {
        return static_cast<float>(scale);
    }
    std::cout << "ERROR: render_scale " << scale << " is outside 0.25 to 1.0; using " << fallback
              << std::endl;
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
    settings.renderScale = readRenderScale(reader, settings.renderScale);
    settings.title = reader.Get("window", "title", settings.title);
    settings.fov = reader.GetReal("camera", "fov", settings.fov);
    settings.near = reader.GetReal("camera", "near", settings.near);
    settings.far = reader.GetReal("camera", "far", settings.far);
    return settings;
}
