#include "render/HudText.h"

#include <cmath>
#include <cstdio>

std::vector<std::vector<std::string_view>> helpLines() {
    return {
        {"F1 - Wireframe,", "F2 - Culling,", "F3 - Bullet Bounding Box,", "F4 - Free Camera,",
         "F5 - Info Text On/off,", "F6 - HUD On/Off,"},
        {"F7 - Mute,", "F9 - Reset Game,", "F11 - Fullscreen On/Off"},
    };
}

void writeFps(int framesPerSecond, std::string& out) {
    out = "FPS: ";
    if (framesPerSecond < 100) {
        out += ' ';
    }
    if (framesPerSecond < 10) {
        out += ' ';
    }
    char digits[16];
    std::snprintf(digits, sizeof digits, "%d", framesPerSecond);
    out += digits;
}

void writeClock(double seconds, std::string& out) {
    // Whole tenths first, so that 64.6 s (64.5999... in binary) still reads 1:04.6.
    const long long tenths = seconds > 0.0 ? static_cast<long long>(std::floor(seconds * 10.0 + 1e-6)) : 0;
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld.%lld", tenths / 600, tenths / 10 % 60, tenths % 10);
    out = text;
}

namespace {

void writePrefixedClock(std::string_view prefix, double seconds, std::string& out) {
    // A clock fits the short-string storage, so it costs no allocation.
    std::string clock;
    writeClock(seconds, clock);
    out = prefix;
    out += clock;
}

} // namespace

void writeRemainingTime(double seconds, std::string& out) {
    writePrefixedClock("Remaining time: ", seconds, out);
}

void writeFinished(double seconds, std::string& out) {
    writePrefixedClock("FINISHED ", seconds, out);
}

void writeBest(double seconds, std::string& out) {
    writePrefixedClock("BEST ", seconds, out);
}
