#pragma once

// The game's time: the sum of the frame times handed to the updates, so wall time in live play and
// the recorded frame times in a replay. The countdown, the turrets, the peas, the video and the jump
// charge all run on it, so a replay reproduces them exactly on any machine.
class GameClock {
public:
    void advance(double dt) { seconds += dt; }
    // Seconds since the game started.
    double now() const { return seconds; }

private:
    double seconds = 0.0;
};
