#include "audio/GameSoundCues.h"

#include <cmath>

GameSoundCues::Cues GameSoundCues::update(double remainingTime, bool finished, bool timedOut) {
    const int second = static_cast<int>(std::ceil(remainingTime));
    Cues cues;
    const bool running = !finished && !timedOut;
    cues.tick = running && second < previousSecond && second >= 1 && second <= kTickingSeconds;
    cues.won = finished && !wasFinished && !timedOut;
    cues.lost = timedOut && !wasTimedOut;
    previousSecond = second;
    wasFinished = finished;
    wasTimedOut = timedOut;
    return cues;
}
