#include "audio/SourcePool.h"

#include "audio/SoundBuffer.h"

#include <iostream>

namespace {

// Positional effects keep full loudness within this distance and halve with each doubling beyond it.
const float kReferenceDistance = 2.0f;

} // namespace

SourcePool::~SourcePool() {
    if (created > 0) {
        alSourceStopv(created, sources.data());
        alDeleteSources(created, sources.data());
    }
}

void SourcePool::create() {
    alGetError();
    alGenSources(kSourceCount, sources.data());
    if (alGetError() != AL_NO_ERROR) {
        std::cout << "ERROR: The sound device has no room for " << kSourceCount
                  << " sources; playing without sound" << std::endl;
        return;
    }
    created = kSourceCount;
    for (ALuint source : sources) {
        alSourcef(source, AL_REFERENCE_DISTANCE, kReferenceDistance);
    }
}

void SourcePool::play(const SoundBuffer& sound, const Playback& playback) {
    if (created == 0 || !sound.isLoaded()) {
        return;
    }
    const ALuint source = takeSource();
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, static_cast<ALint>(sound.getName()));
    alSourcei(source, AL_SOURCE_RELATIVE, playback.positional ? AL_FALSE : AL_TRUE);
    const glm::vec3 position = playback.positional ? playback.position : glm::vec3(0.0f);
    alSource3f(source, AL_POSITION, position.x, position.y, position.z);
    alSourcef(source, AL_GAIN, playback.gain);
    alSourcef(source, AL_PITCH, playback.pitch);
    alSourcePlay(source);
}

ALuint SourcePool::takeSource() {
    for (int tried = 0; tried < created; ++tried) {
        const int index = (next + tried) % created;
        ALint state = AL_STOPPED;
        alGetSourcei(sources[index], AL_SOURCE_STATE, &state);
        if (state != AL_PLAYING) {
            next = (index + 1) % created;
            return sources[index];
        }
    }
    const ALuint oldest = sources[next];
    next = (next + 1) % created;
    return oldest;
}
