#pragma once

#include <chrono>
#include <ctime>

// Wall time on the monotonic clock, and the CPU time the whole process spent over the same span:
// every thread, the software renderer's included. On a shared machine the wall time grows with the
// load of others; the CPU time shows the work itself.
class Stopwatch {
public:
    struct Span {
        double wallMilliseconds = 0.0;
        double cpuMilliseconds = 0.0;
    };

    Stopwatch() : cpuStart(processCpuMilliseconds()), wallStart(std::chrono::steady_clock::now()) {}

    Span elapsed() const {
        const auto wallEnd = std::chrono::steady_clock::now();
        const double cpuEnd = processCpuMilliseconds();
        return {std::chrono::duration<double, std::milli>(wallEnd - wallStart).count(), cpuEnd - cpuStart};
    }

private:
    static double processCpuMilliseconds() {
        timespec now{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1.0e6;
    }

    // The CPU clock is read outside the wall-clock span, so that reading it costs the wall figure nothing.
    double cpuStart;
    std::chrono::steady_clock::time_point wallStart;
};
