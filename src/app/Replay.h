#pragma once

#include "app/FrameInput.h"

#include <cstddef>
#include <utility>
#include <vector>

// Plays recorded frames back in real time: each picture runs every recorded frame that the wall time
// since the previous picture covers, however many that is, and never skips or merges one, so the
// outcome is the recorded one on any machine.
class Replay {
public:
    explicit Replay(std::vector<FrameInput> frames) : frames(std::move(frames)) {}

    // Adds the wall time since the previous picture.
    void addWallTime(double seconds) { lag += seconds; }
    // The next recorded frame that the wall time has reached, or none.
    const FrameInput* nextDueFrame();
    bool isAtEnd() const { return next == frames.size(); }

private:
    std::vector<FrameInput> frames;
    std::size_t next = 0;
    // Wall time not yet used up by recorded frames.
    double lag = 0.0;
};
