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
    for (const auto& c : cases) {
        EXPECT_EQ(fpsText(c.fps), c.text) << c.fps;
    }
}

TEST(HudText, RemainingTimeIsMinutesSecondsAndTruncatedTenthsWithoutLeadingZeros) {
    const struct {
        double seconds;
        const char* text;
    } cases[] = {
        {150.0, "Remaining time: 2:30.0"}, {65.47, "Remaining time: 1:5.4"},
        {59.99, "Remaining time: 0:59.9"}, {125.36, "Remaining time: 2:5.3"},
        {0.0, "Remaining time: 0:0.0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(remainingTimeText(c.seconds), c.text) << c.seconds;
    }
}

} // namespace
