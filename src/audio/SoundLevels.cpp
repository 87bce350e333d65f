#include "audio/SoundLevels.h"

#include <algorithm>

namespace SoundLevels {

namespace {

const float kFaintestImpactGain = 0.1f;
const float kLowestJumpPitch = 0.85f;
const float kHighestJumpPitch = 1.25f;
const float kQuietestJumpGain = 0.6f;

float lerp(float from, float to, float fraction) {
    return from + (to - from) * fraction;
}

} // namespace

float listenerGain(float volume, bool muted) {
    const float setting = std::clamp(volume, 0.0f, 1.0f);
    return muted ? 0.0f : setting * setting;
}

float impactGain(float speedChange) {
    if (speedChange < kQuietestImpactSpeed) {
        return 0.0f;
    }
    const float fraction =
        std::min((speedChange - kQuietestImpactSpeed) / (kLoudestImpactSpeed - kQuietestImpactSpeed), 1.0f);
    return lerp(kFaintestImpactGain, 1.0f, fraction);
}

float jumpPitch(float charge) {
    return lerp(kLowestJumpPitch, kHighestJumpPitch, std::clamp(charge, 0.0f, 1.0f));
}

float jumpGain(float charge) {
    return lerp(kQuietestJumpGain, 1.0f, std::clamp(charge, 0.0f, 1.0f));
}

} // namespace SoundLevels
