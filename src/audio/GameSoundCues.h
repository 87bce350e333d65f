#pragma once

#include <limits>

// What the state of the run asks to be heard this frame: a tick as each of the last ten seconds of
// the countdown begins, and one sound when the run is won or lost. Follows the remaining time the
// game reports, so it runs on the game's clock.
class GameSoundCues {
public:
    static constexpr int kTickingSeconds = 10;

    struct Cues {
        bool tick = false;
        bool won = false;
        bool lost = false;
    };

    // Called once per frame. A frame that skips several seconds ticks once; a reset that gives the
    // countdown back its time does not tick and arms the win and loss sounds again.
    Cues update(double remainingTime, bool finished, bool timedOut);

private:
    // The second of the countdown the previous frame was in: 10 from 10.0 down to just above 9.0.
    int previousSecond = std::numeric_limits<int>::max();
    bool wasFinished = false;
    bool wasTimedOut = false;
};
