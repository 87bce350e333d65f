#include "app/GameState.h"

void GameState::start(double now) {
    startTime = now;
    timedOut = false;
}

void GameState::checkCountdown(double now, bool finished) {
    if (!timedOut && !finished && now - startTime > kTimeLimit) {
        timedOut = true;
    }
}

double GameState::remainingTime(double now) const {
    return kTimeLimit - (now - startTime);
}
