#pragma once

#include "BenchOptions.h"
#include "Stopwatch.h"

#include <utility>
#include <vector>

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
    // Settings, window and context; false, after printing why, if the window cannot be opened.
    bool startWindow(Application& application, BenchReport& report) const;
    // The scene assembly, the first frame, both runs of frames and the release.
    void runGame(Application& application, BenchReport& report) const;
    void useWindowSize(Application& application) const;
    // The whole-frame and the staged run, taken in alternating blocks, so that both see the same
    // load of a shared machine.
    void runFrames(FrameStages& frame, BenchReport& report) const;
    static void runWholeFrames(FrameStages& frame, int count, BenchReport& report);
    static void runStagedFrames(FrameStages& frame, int count, BenchReport& report);
    // One frame with every stage timed on its own and glFinish around the GL stages; the stages'
    // times in frame order.
    static std::vector<Stopwatch::Span> runStagedFrame(FrameStages& frame);

    static constexpr int kBlockFrames = 20;

    BenchOptions options;
};
