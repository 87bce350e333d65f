#include "app/Replay.h"

#include <gtest/gtest.h>

namespace {

// Ten recorded frames of 0.1 s, told apart by their look movement.
Replay tenFrames() {
    std::vector<FrameInput> frames(10);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        frames[i].dt = 0.1;
        frames[i].look.x = static_cast<double>(i);
    }
    return Replay(frames);
}

// Runs the frames due after `wallSeconds` more; returns their numbers.
std::vector<int> picture(Replay& replay, double wallSeconds) {
    replay.addWallTime(wallSeconds);
    std::vector<int> played;
    while (const FrameInput* frame = replay.nextDueFrame()) {
        played.push_back(static_cast<int>(frame->look.x));
    }
    return played;
}

TEST(ReplayTest, EachPictureRunsTheRecordedFramesItsWallTimeCoversInOrder) {
    Replay replay = tenFrames();
    EXPECT_EQ(picture(replay, 0.25), (std::vector<int>{0, 1}));
    EXPECT_EQ(picture(replay, 0.02), std::vector<int>{}) << "a fast machine shows the same state again";
    EXPECT_EQ(picture(replay, 0.04), std::vector<int>{2}) << "the time left over counts towards the next";
    EXPECT_FALSE(replay.isAtEnd());
    EXPECT_EQ(picture(replay, 60.0), (std::vector<int>{3, 4, 5, 6, 7, 8, 9}))
        << "a stalled picture runs every frame it missed, none skipped or merged";
    EXPECT_TRUE(replay.isAtEnd());
    EXPECT_EQ(picture(replay, 1.0), std::vector<int>{});
}

TEST(ReplayTest, AnEmptyRecordIsAtItsEndAtOnce) {
    EXPECT_TRUE(Replay({}).isAtEnd());
}

} // namespace
