#include "app/FrameCounter.h"

#include <cmath>

double FrameCounter::beginFrame(double now) {
    const double dt = now - previousTime;
    if (static_cast<int>(std::floor(now)) == static_cast<int>(std::floor(previousTime))) {
        ++framesThisSecond;
    } else {
        shownFramesPerSecond = framesThisSecond;
        framesThisSecond = 1;
    }
    previousTime = now;
    return dt;
}
