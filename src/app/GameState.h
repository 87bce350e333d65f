#pragma once

#include <optional>

// The countdown: the player must reach the finish within kTimeLimit seconds of the start.
// Times are seconds of the game clock, handed in by the caller.
class GameState {
public:
    static constexpr int kTimeLimit = 150;

    // Starts a new game at now: the full countdown and no loss. Used at start-up and by the reset.
    void start(double now);

    // Loses the game once strictly more than kTimeLimit seconds have passed, unless it is won.
    void checkCountdown(double now, bool finished);

    // Seconds left; keeps falling after a win and goes negative after a loss.
    double remainingTime(double now) const;

    // Notes the finish the first frame the player is seen finished, unless the game is lost, and
    // forgets it when the player's finish is cleared (the free-camera switch). Returns true on the
    // frame the game is won.
    bool checkFinish(double now, bool finished);

    bool isTimedOut() const { return timedOut; }
    // Seconds from the start to the finish while the game is won.
    std::optional<double> finishTime() const { return finishedAfter; }

private:
    double startTime = 0.0;
    bool timedOut = false;
    std::optional<double> finishedAfter;
};
