#include "app/FrameCounter.h"

#include <gtest/gtest.h>

namespace {

TEST(FrameCounter, ShowsMinusOneUntilTheFirstWholeSecond) {
    FrameCounter counter(0.2);
    for (double now : {0.3, 0.5, 0.99}) {
        counter.beginFrame(now);
        EXPECT_EQ(counter.shownFps(), -1) << now;
    }
}

TEST(FrameCounter, ShowsThePreviousSecondsFrames) {
    FrameCounter counter(0.5);
    // Frames begun in second 0: 0.6, 0.7, 0.8 (3). Crossing to 1.1 shows them.
    for (double now : {0.6, 0.7, 0.8}) {
        counter.beginFrame(now);
    }
    counter.beginFrame(1.1);
    EXPECT_EQ(counter.shownFps(), 3);
    // Second 1 holds 1.1, 1.2 (2 frames); a jump over second 2 shows 2, then an empty second shows 1.
    counter.beginFrame(1.2);
    counter.beginFrame(2.5);
    EXPECT_EQ(counter.shownFps(), 2);
    counter.beginFrame(4.0);
    EXPECT_EQ(counter.shownFps(), 1);
}

TEST(FrameCounter, ReturnsTheTimeSinceThePreviousFrame) {
    FrameCounter counter(10.0);
    EXPECT_DOUBLE_EQ(counter.beginFrame(10.25), 0.25);
    EXPECT_DOUBLE_EQ(counter.beginFrame(10.75), 0.5);
}

} // namespace
