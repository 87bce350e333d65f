#pragma once

#include "BenchOptions.h"

#include <utility>

class Application;
class FrameStages;
struct BenchReport;

// The game's own start-up, frames and shutdown under a monotonic clock: every start-up step, a
// run of whole frames as the game runs them, a run in which every stage of the frame is timed on
// its own with glFinish around the GL stages, then the normal release.
class GameBench {
public:
    explicit GameBench(BenchOptions options) : options(std::move(options)) {}

    // Returns the process exit code: 0, or 1 when the window cannot be opened.
    int run(BenchReport& report);

private:
    void useWindowSize(Application& application) const;
    void runWholeFrames(FrameStages& frame, BenchReport& report) const;
    void runStagedFrames(FrameStages& frame, BenchReport& report) const;

    BenchOptions options;
};
