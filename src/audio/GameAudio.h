#pragma once

#include "audio/AudioDevice.h"
#include "audio/GameSoundCues.h"
#include "audio/NearestImpacts.h"
#include "audio/SoundBuffer.h"
#include "audio/SourcePool.h"

#include <glm/glm.hpp>
#include <string>

// The game's sound: opens the device after the window, loads every effect once, and plays them on
// a fixed pool of sources while the listener follows the camera. Without a device, or with sound
// switched off in the settings, every call does nothing. The members are released in reverse order
// of declaration: the sources, then the buffers they play, then the device.
class GameAudio {
public:
    // Opens the device unless sound is disabled, and loads the effects from soundFolder (ending in
    // '/'). Every failure prints one line and leaves that part silent.
    GameAudio(const std::string& soundFolder, float volume, bool enabled);

    // The jump that was released, louder and higher the more it was charged (0 to 1).
    void playJump(float charge);
    // A turret firing, heard from where it stands.
    void playTurretShot(glm::vec3 position);
    // A pea hit something at this point with this change of speed (m/s); only the nearest hits of a
    // frame, and only real hits, are played by playPeaImpacts.
    void offerPeaImpact(glm::vec3 position, float speedChange);
    // Plays the impacts kept since the previous call and starts collecting anew.
    void playPeaImpacts();

    // Places the listener at the camera, facing along front with up as its up.
    void setListener(glm::vec3 position, glm::vec3 front, glm::vec3 up);
    // Silences everything while muted; the volume setting applies otherwise.
    void setMuted(bool muted);
    // Ticks in the last seconds of the countdown and the win and loss sounds, from the run's state.
    void updateCues(double remainingTime, bool finished, bool timedOut);

private:
    void playSound(const SoundBuffer& sound, const Playback& playback);

    float volume;
    bool muted = false;
    glm::vec3 listenerPosition = glm::vec3(0.0f);
    NearestImpacts impacts;
    GameSoundCues cues;

    AudioDevice device;
    SoundBuffer jumpSound;
    SoundBuffer peaImpactSound;
    SoundBuffer turretShotSound;
    SoundBuffer tickSound;
    SoundBuffer winSound;
    SoundBuffer loseSound;
    SourcePool sources;
};
