#include "audio/GameSoundCues.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct Frame {
    double remaining;
    bool finished = false;
    bool timedOut = false;
};

struct Heard {
    int ticks = 0;
    int wins = 0;
    int losses = 0;
};

Heard play(const std::vector<Frame>& frames) {
    GameSoundCues cues;
    Heard heard;
    for (const Frame& frame : frames) {
        const GameSoundCues::Cues c = cues.update(frame.remaining, frame.finished, frame.timedOut);
        heard.ticks += c.tick;
        heard.wins += c.won;
        heard.losses += c.lost;
    }
    return heard;
}

std::vector<Frame> countdown(double from, double to, double step) {
    std::vector<Frame> frames;
    for (double remaining = from; remaining > to; remaining -= step) {
        frames.push_back({remaining});
    }
    return frames;
}

TEST(GameSoundCuesTest, TicksOncePerSecondOnlyInTheLastTen) {
    EXPECT_EQ(play(countdown(150.0, 10.05, 1.0 / 60.0)).ticks, 0);
    EXPECT_EQ(play(countdown(150.0, 0.0, 1.0 / 60.0)).ticks, 10);
    // Slow frames: every second still ticks once, at the first frame inside it.
    EXPECT_EQ(play(countdown(12.0, 0.0, 0.4)).ticks, 10);
    // A frame that skips seconds ticks once for them.
    EXPECT_EQ(play({{10.5}, {7.5}, {6.5}}).ticks, 2);
    // Exactly ten seconds left is the first tick; no tick at zero or after.
    EXPECT_EQ(play({{10.2}, {10.0}}).ticks, 1);
    EXPECT_EQ(play({{0.5}, {0.0}, {-0.5}, {-3.0}}).ticks, 1);
}

TEST(GameSoundCuesTest, AResetGivesTimeBackWithoutATickAndTheTicksComeAgain) {
    std::vector<Frame> frames = countdown(9.5, 5.0, 0.25);
    frames.push_back({150.0});
    const Heard beforeReset = play(frames);
    EXPECT_EQ(beforeReset.ticks, 5); // 10 at the first frame, then 9 down to 6
    const auto again = countdown(10.5, 8.5, 0.25);
    frames.insert(frames.end(), again.begin(), again.end());
    EXPECT_EQ(play(frames).ticks, 7);
}

TEST(GameSoundCuesTest, WinAndLossSoundOnceAndTheTicksStop) {
    const Heard won = play({{9.5}, {8.5, true}, {7.5, true}, {6.5, true}});
    EXPECT_EQ(won.wins, 1);
    EXPECT_EQ(won.ticks, 1);
    EXPECT_EQ(won.losses, 0);

    const Heard lost = play({{0.5}, {-0.1, false, true}, {-1.0, false, true}, {-5.0, true, true}});
    EXPECT_EQ(lost.losses, 1);
    EXPECT_EQ(lost.wins, 0) << "touching the finish after the time-out is no win";
    EXPECT_EQ(lost.ticks, 1);

    // After a reset the run can be won or lost again.
    const Heard twice = play({{5.0, true}, {150.0}, {100.0, true}, {150.0}, {-0.1, false, true}});
    EXPECT_EQ(twice.wins, 2);
    EXPECT_EQ(twice.losses, 1);
}

} // namespace
