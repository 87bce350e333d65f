#include "app/GameState.h"

void GameState::start(double now) {
    startTime = now;
    timedOut = false;
    finishedAfter.reset();
}

void GameState::checkCountdown(double now, bool finished) {
    if (!timedOut && !finished && now - startTime > kTimeLimit) {
        timedOut = true;
    }
}

double GameState::remainingTime(double now) const {
    return kTimeLimit - (now - startTime);
}

bool GameState::checkFinish(double now, bool finished) {
    if (!finished) {
        finishedAfter.reset();
        return false;
    }
    if (timedOut || finishedAfter) {
        return false;
    }
    finishedAfter = now - startTime;
    return true;
}
