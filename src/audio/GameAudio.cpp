#include "audio/GameAudio.h"

#include "audio/SoundLevels.h"

#include <AL/al.h>

GameAudio::GameAudio(const std::string& soundFolder, float volume, bool enabled) : volume(volume) {
    if (!enabled || !device.open()) {
        return;
    }
    jumpSound.load(soundFolder + "jump.wav");
    peaImpactSound.load(soundFolder + "pea_impact.wav");
    turretShotSound.load(soundFolder + "turret_shot.wav");
    tickSound.load(soundFolder + "tick.wav");
    winSound.load(soundFolder + "win.wav");
    loseSound.load(soundFolder + "lose.wav");
    sources.create();
    // Puts the volume setting in force.
    setMuted(false);
}

void GameAudio::playJump(float charge) {
    Playback playback;
    playback.gain = SoundLevels::jumpGain(charge);
    playback.pitch = SoundLevels::jumpPitch(charge);
    playSound(jumpSound, playback);
}

void GameAudio::playTurretShot(glm::vec3 position) {
    Playback playback;
    playback.position = position;
    playback.positional = true;
    playSound(turretShotSound, playback);
}

void GameAudio::offerPeaImpact(glm::vec3 position, float speedChange) {
    const float gain = SoundLevels::impactGain(speedChange);
    if (gain > 0.0f) {
        impacts.offer(PeaImpact{position, gain});
    }
}

void GameAudio::playPeaImpacts() {
    for (const PeaImpact& impact : impacts.kept()) {
        Playback playback;
        playback.position = impact.position;
        playback.positional = true;
        playback.gain = impact.gain;
        playSound(peaImpactSound, playback);
    }
    impacts.restart(listenerPosition);
}

void GameAudio::setListener(glm::vec3 position, glm::vec3 front, glm::vec3 up) {
    listenerPosition = position;
    if (!device.isOpen()) {
        return;
    }
    const ALfloat orientation[6] = {front.x, front.y, front.z, up.x, up.y, up.z};
    alListener3f(AL_POSITION, position.x, position.y, position.z);
    alListenerfv(AL_ORIENTATION, orientation);
}

void GameAudio::setMuted(bool mute) {
    muted = mute;
    if (device.isOpen()) {
        alListenerf(AL_GAIN, SoundLevels::listenerGain(volume, muted));
    }
}

void GameAudio::updateCues(double remainingTime, bool finished, bool timedOut) {
    const GameSoundCues::Cues heard = cues.update(remainingTime, finished, timedOut);
    if (heard.tick) {
        playSound(tickSound, Playback{});
    }
    if (heard.won) {
        playSound(winSound, Playback{});
    }
    if (heard.lost) {
        playSound(loseSound, Playback{});
    }
}

void GameAudio::playSound(const SoundBuffer& sound, const Playback& playback) {
    if (!muted) {
        sources.play(sound, playback);
    }
}
