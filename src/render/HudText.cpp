#include "render/HudText.h"

std::string fpsText(int framesPerSecond) {
    std::string text = "FPS: ";
    if (framesPerSecond < 100) {
        text += ' ';
    }
    if (framesPerSecond < 10) {
        text += ' ';
    }
    return text + std::to_string(framesPerSecond);
}

std::string remainingTimeText(double seconds) {
    const int minutes = static_cast<int>(seconds / 60.0);
    const int wholeSeconds = static_cast<int>(seconds) % 60;
    const int tenths = static_cast<int>((seconds - 60.0 * minutes - wholeSeconds) * 10.0);
    return "Remaining time: " + std::to_string(minutes) + ":" + std::to_string(wholeSeconds) + "." +
           std::to_string(tenths);
}
