#include "app/GameState.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr double kStart = 1000.0;
constexpr double kDeadline = kStart + GameState::kTimeLimit;

GameState startedAt(double now) {
    GameState game;
    game.start(now);
    return game;
}

TEST(GameState, ExactlyTheTimeLimitStillRunsAndAnyLaterFrameLoses) {
    GameState game = startedAt(kStart);
    game.checkCountdown(kDeadline, false);
    EXPECT_FALSE(game.isTimedOut());
    EXPECT_DOUBLE_EQ(game.remainingTime(kDeadline), 0.0);

    game.checkCountdown(std::nextafter(kDeadline, 2 * kDeadline), false);
    EXPECT_TRUE(game.isTimedOut());
}

TEST(GameState, AWinStopsTheCountdown) {
    GameState game = startedAt(kStart);
    for (double now : {kStart + 149.0, kDeadline + 1.0, kDeadline + 3600.0}) {
        game.checkCountdown(now, true);
        EXPECT_FALSE(game.isTimedOut()) << now;
    }
    // Only clearing the finish (F4, F9) lets the clock catch up.
    game.checkCountdown(kDeadline + 3600.0, false);
    EXPECT_TRUE(game.isTimedOut());
}

TEST(GameState, ALossStaysUntilTheNextStart) {
    GameState game = startedAt(kStart);
    game.checkCountdown(kDeadline + 1.0, false);
    game.checkCountdown(kDeadline + 2.0, true);
    EXPECT_TRUE(game.isTimedOut());
    EXPECT_DOUBLE_EQ(game.remainingTime(kDeadline + 2.0), -2.0);
}

TEST(GameState, StartingAgainRestartsTheFullCountdownAfterALossOrAWin) {
    struct Case {
        const char* name;
        bool finished;
    };
    for (const Case& c : {Case{"after a loss", false}, Case{"after a win", true}}) {
        GameState game = startedAt(kStart);
        game.checkCountdown(kDeadline + 10.0, c.finished);

        const double reset = kDeadline + 20.0;
        game.start(reset);
        EXPECT_FALSE(game.isTimedOut()) << c.name;
        EXPECT_DOUBLE_EQ(game.remainingTime(reset), GameState::kTimeLimit) << c.name;
        game.checkCountdown(reset + GameState::kTimeLimit, false);
        EXPECT_FALSE(game.isTimedOut()) << c.name;
        game.checkCountdown(reset + GameState::kTimeLimit + 0.01, false);
        EXPECT_TRUE(game.isTimedOut()) << c.name;
    }
}

TEST(GameState, TheFinishIsTimedOnceFromTheStartUntilItIsClearedOrTheGameRestarts) {
    GameState game = startedAt(kStart);
    EXPECT_FALSE(game.checkFinish(kStart + 10.0, false));
    EXPECT_EQ(game.finishTime(), std::nullopt);
    EXPECT_TRUE(game.checkFinish(kStart + 83.5, true)) << "the frame of the win";
    EXPECT_FALSE(game.checkFinish(kStart + 90.0, true)) << "still the same win";
    EXPECT_DOUBLE_EQ(*game.finishTime(), 83.5);

    EXPECT_FALSE(game.checkFinish(kStart + 95.0, false)) << "the free camera clears the finish";
    EXPECT_EQ(game.finishTime(), std::nullopt);
    EXPECT_TRUE(game.checkFinish(kStart + 100.0, true)) << "and a new touch is a new win, on the same clock";
    EXPECT_DOUBLE_EQ(*game.finishTime(), 100.0);

    game.start(kStart + 200.0);
    EXPECT_EQ(game.finishTime(), std::nullopt);
}

TEST(GameState, AFinishAfterTheTimeRanOutIsNoWin) {
    GameState game = startedAt(kStart);
    game.checkCountdown(kDeadline + 1.0, false);
    EXPECT_FALSE(game.checkFinish(kDeadline + 2.0, true));
    EXPECT_EQ(game.finishTime(), std::nullopt);
}

TEST(GameState, RemainingTimeCountsFromTheStartNotFromZero) {
    GameState game = startedAt(kStart);
    EXPECT_DOUBLE_EQ(game.remainingTime(kStart + 0.25), 149.75);
}

} // namespace
