#include "app/Replay.h"

const FrameInput* Replay::nextDueFrame() {
    if (isAtEnd() || frames[next].dt > lag) {
        return nullptr;
    }
    lag -= frames[next].dt;
    return &frames[next++];
}
