#include "render/HudText.h"

#include <gtest/gtest.h>

namespace {

TEST(HudText, FpsCountsUpToThreeDigitsAreRightAlignedAndLongerOnesShownWhole) {
    const struct {
        int fps;
        const char* text;
    } cases[] = {
        {-1, "FPS:   -1"}, {7, "FPS:   7"}, {60, "FPS:  60"}, {144, "FPS: 144"}, {12345, "FPS: 12345"},
    };
    std::string text;
    for (const auto& c : cases) {
        writeFps(c.fps, text);
        EXPECT_EQ(text, c.text) << c.fps;
    }
}

TEST(HudText, ClockIsMinutesTwoDigitSecondsAndTruncatedTenths) {
    const struct {
        double seconds;
        const char* text;
    } cases[] = {
        {150.0, "2:30.0"}, {65.47, "1:05.4"}, {59.99, "0:59.9"}, {125.36, "2:05.3"}, {64.6, "1:04.6"},
        {0.0, "0:00.0"},   {0.09, "0:00.0"},  {-2.5, "0:00.0"},  {600.0, "10:00.0"},
    };
    std::string text;
    for (const auto& c : cases) {
        writeClock(c.seconds, text);
        EXPECT_EQ(text, c.text) << c.seconds;
    }
}

TEST(HudText, TheCountdownTheFinishAndTheBestTimeShareTheClock) {
    std::string text;
    writeRemainingTime(65.47, text);
    EXPECT_EQ(text, "Remaining time: 1:05.4");
    writeFinished(83.41, text);
    EXPECT_EQ(text, "FINISHED 1:23.4");
    writeBest(80.19, text);
    EXPECT_EQ(text, "BEST 1:20.1");
}

TEST(HudText, TheHelpLineKeepsTheDesignedEntriesAndGainsMute) {
    std::string joined;
    for (const auto& line : helpLines()) {
        for (const std::string_view entry : line) {
            joined += joined.empty() || joined.back() == '\n' ? "" : " ";
            joined += entry;
        }
        joined += '\n';
    }
    EXPECT_EQ(
        joined,
        "F1 - Wireframe, F2 - Culling, F3 - Bullet Bounding Box, F4 - Free Camera, "
        "F5 - Info Text On/off, F6 - HUD On/Off,\nF7 - Mute, F9 - Reset Game, F11 - Fullscreen On/Off\n");
}

} // namespace
