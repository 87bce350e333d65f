#include "app/Settings.h"

#include <INIReader.h>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <limits>
#include <sstream>
#include <type_traits>

namespace {

constexpr double kUnbounded = std::numeric_limits<double>::infinity();

// The values a key accepts: finite, and between low and high, each end included or not.
struct Range {
    double low;
    double high;
    bool includesLow = true;
    bool includesHigh = true;

    bool contains(double value) const {
        return std::isfinite(value) && (includesLow ? value >= low : value > low) &&
               (includesHigh ? value <= high : value < high);
    }
};

const Range kWindowSize{Settings::kMinWindowSize, Settings::kMaxWindowSize};
const Range kRefreshRate{1, 1000};
const Range kBrightness{0, 100, false};
const Range kFov{0, 180, false, false};
const Range kClippingDistance{0, kUnbounded, false, false};
const Range kRenderScale{0.25, 1.0};
const Range kVolume{0.0, 1.0};

std::string describe(const Range& range) {
    std::ostringstream text;
    text << (range.includesLow ? "at least " : "above ") << range.low;
    if (std::isfinite(range.high)) {
        text << " and " << (range.includesHigh ? "at most " : "below ") << range.high;
    }
    return text.str();
}

// Reads a number of the field's type; a value outside the range keeps the field's default. Integers
// are checked before they are narrowed to int and reals after they are narrowed to float, so that
// neither a wrapped integer nor a real that overflowed to infinity gets through.
template <typename Value>
void readNumber(const INIReader& reader, const char* section, const char* key, const Range& range,
                Value& field) {
    const auto read = [&] {
        if constexpr (std::is_integral_v<Value>) {
            return reader.GetInteger(section, key, field);
        } else {
            return static_cast<Value>(reader.GetReal(section, key, field));
        }
    }();
    if (range.contains(static_cast<double>(read))) {
        field = static_cast<Value>(read);
        return;
    }
    std::cout << "ERROR: [" << section << "] " << key << " = " << read << " is out of range ("
              << describe(range) << "); using " << field << std::endl;
}

// The projection needs the near plane in front of the far one.
void checkClippingOrder(Settings& settings) {
    const Settings defaults;
    if (settings.near < settings.far) {
        return;
    }
    std::cout << "ERROR: [camera] near = " << settings.near << " is not less than far = " << settings.far
              << "; using near = " << defaults.near << " and far = " << defaults.far << std::endl;
    settings.near = defaults.near;
    settings.far = defaults.far;
}

// A size above the limit falls back to the default, or to the limit when even the default is larger.
bool limitSize(const char* key, int& size, int defaultSize, int limit, std::string_view limitName) {
    if (size <= limit) {
        return false;
    }
    const int used = std::min(defaultSize, limit);
    std::cout << "ERROR: [window] " << key << " = " << size << " is more than " << limitName << " allows ("
              << limit << "); using " << used << std::endl;
    size = used;
    return true;
}

} // namespace

Settings Settings::load(const std::string& path) {
    Settings settings;
    std::error_code error;
    // A directory opens like a file and reads as empty, so the reader alone would not notice.
    INIReader reader(std::filesystem::is_directory(path, error) ? std::string() : path);
    if (reader.ParseError() < 0) {
        std::cout << "ERROR: Failed to load '" << path << "'. Using default values instead." << std::endl;
        return settings;
    }
    if (reader.ParseError() > 0) {
        std::cout << "ERROR: '" << path << "' line " << reader.ParseError()
                  << " is malformed and ignored; the other lines are used" << std::endl;
    }

    readNumber(reader, "window", "width", kWindowSize, settings.width);
    readNumber(reader, "window", "height", kWindowSize, settings.height);
    readNumber(reader, "window", "refresh_rate", kRefreshRate, settings.refreshRate);
    readNumber(reader, "window", "brightness", kBrightness, settings.brightness);
    settings.fullscreen = reader.GetBoolean("window", "fullscreen", settings.fullscreen);
    settings.title = reader.Get("window", "title", settings.title);
    readNumber(reader, "window", "render_scale", kRenderScale, settings.renderScale);
    readNumber(reader, "camera", "fov", kFov, settings.fov);
    readNumber(reader, "camera", "near", kClippingDistance, settings.near);
    readNumber(reader, "camera", "far", kClippingDistance, settings.far);
    checkClippingOrder(settings);
    readNumber(reader, "audio", "volume", kVolume, settings.volume);
    settings.audioEnabled = reader.GetBoolean("audio", "enabled", settings.audioEnabled);
    return settings;
}

bool Settings::limitWindowSize(int maxWidth, int maxHeight, std::string_view limitName) {
    const Settings defaults;
    const bool widthChanged = limitSize("width", width, defaults.width, maxWidth, limitName);
    const bool heightChanged = limitSize("height", height, defaults.height, maxHeight, limitName);
    return widthChanged || heightChanged;
}
