#pragma once

#include "TimingSeries.h"

#include <array>
#include <iosfwd>
#include <string>
#include <vector>

// How long one step of the start-up or the shutdown took.
struct PhaseTime {
    std::string name;
    double milliseconds = 0.0;
    // CPU time of the whole process over the same span.
    double cpuMilliseconds = 0.0;
};

// The times of one stage of the frame over the staged run.
struct StageTimes {
    std::string name;
    // GL stages are timed between two glFinish calls, so their figure includes the rendering itself.
    bool usesGl = false;
    TimingSeries times;
    // CPU time of the whole process over each of those spans.
    TimingSeries cpuTimes;
};

// Everything one benchmark run measured, and where: printed as a table and written as JSON.
struct BenchReport {
    std::string renderer;
    std::string glVersion;
    int width = 0;
    int height = 0;
    unsigned cores = 0;
    // The system's 1, 5 and 15 minute load averages when the run began and when it ended.
    std::array<double, 3> loadBefore{};
    std::array<double, 3> loadAfter{};

    std::vector<PhaseTime> startup;
    // From the process's start (to the kernel's 10 ms tick) to the end of the first frame's buffer swap.
    double firstPresentedFrameMs = 0.0;
    // The first frame, part of the start-up, stage by stage.
    std::vector<PhaseTime> firstFrame;
    std::vector<PhaseTime> shutdown;
    // The staged run: every stage of every frame on its own.
    std::vector<StageTimes> stages;
    // The staged run per frame: the sum of its stages, glFinish waits included.
    TimingSeries stagedFrames;
    TimingSeries stagedFramesCpu;
    // The whole-frame run, without glFinish: frame times as the game itself sees them.
    TimingSeries wholeFrames;
    TimingSeries wholeFramesCpu;
    double wholeRunSeconds = 0.0;
    long peakResidentKiB = 0;

    // Fraction of the staged run's time spent in GL stages.
    double glShare() const;
    double framesPerSecond() const;

    void print(std::ostream& out) const;
    // Writes the same figures as JSON; false, after printing why, if the file cannot be written.
    bool writeJson(const std::string& path) const;
};
