#include "ScriptedInput.h"

#include "app/Controls.h"
#include "app/FrameInput.h"
#include "physics/PlayerKeys.h"

namespace {

// One round of the script, in frames: walking and turning, then charging, then the jump and turning.
constexpr int kWalkFrames = 90;
constexpr int kChargeFrames = 45;
constexpr int kRoundFrames = 150;
// Ten pixels are one degree of yaw at the player's mouse sensitivity.
constexpr double kTurnPixelsPerFrame = 10.0;

bool isCharging(int frameInRound) {
    return frameInRound >= kWalkFrames && frameInRound < kWalkFrames + kChargeFrames;
}

// The keys held in the given frame of the script.
PlayerKeys keysAt(int frame) {
    const int frameInRound = frame % kRoundFrames;
    PlayerKeys keys;
    keys.forward = frameInRound < kWalkFrames;
    keys.jump = isCharging(frameInRound);
    return keys;
}

} // namespace

void ScriptedInput::steerPlayer(double dt) {
    if (!isCharging(frame % kRoundFrames)) {
        cursor.x += kTurnPixelsPerFrame;
    }
    FrameInput input;
    input.dt = dt;
    input.keys = keysAt(frame);
    input.look = Controls::lookMovement(cursor);
    Controls::steerPlayer(input);
    ++frame;
}
