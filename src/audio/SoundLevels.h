#pragma once

// How loud and how high the effects play: pure mappings from the game's quantities to OpenAL gains
// and pitches.
namespace SoundLevels {

// Pea impacts below this change of speed (m/s) are rolling and resting contacts, not hits: silent.
constexpr float kQuietestImpactSpeed = 1.5f;
// Impacts at or above this change of speed play at full loudness.
constexpr float kLoudestImpactSpeed = 20.0f;

// The listener's gain for the volume setting (0 to 1, clamped): the amplitude follows the square of
// the setting, so equal steps of the setting sound roughly equally large. Muted is silent.
float listenerGain(float volume, bool muted);

// An impact's gain from its change of speed: 0 below the quietest impact, rising linearly from a
// faint 0.1 to 1 at the loudest.
float impactGain(float speedChange);

// The jump rises in pitch and loudness with the charge that was released (0 to 1, clamped).
float jumpPitch(float charge);
float jumpGain(float charge);

} // namespace SoundLevels
