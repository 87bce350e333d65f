#pragma once

// Counts frames per whole second of the clock; the shown value lags one second behind.
class FrameCounter {
public:
    explicit FrameCounter(double startTime) : previousTime(startTime) {}

    // Called at the start of every frame; returns the seconds since the previous frame began.
    double beginFrame(double now);

    int shownFps() const { return shownFramesPerSecond; }

private:
    int framesThisSecond = 0;
    int shownFramesPerSecond = -1;
    double previousTime;
};
