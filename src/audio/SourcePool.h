#pragma once

#include <AL/al.h>
#include <array>
#include <glm/glm.hpp>

class SoundBuffer;

// How one effect is played: where it sounds from, how loud and at what pitch.
struct Playback {
    // In the level's coordinates when positional; a sound that is not positional plays at the listener.
    glm::vec3 position = glm::vec3(0.0f);
    bool positional = false;
    float gain = 1.0f;
    float pitch = 1.0f;
};

// A fixed set of OpenAL sources, made once and reused for every one-shot effect: a new effect takes
// the next source in turn that is not playing; when all are busy it cuts short the next one in turn,
// which, as they are taken in turn, is among the longest playing. Needs a current context while it
// holds sources.
class SourcePool {
public:
    static constexpr int kSourceCount = 16;

    SourcePool() = default;
    ~SourcePool();
    SourcePool(const SourcePool&) = delete;
    SourcePool& operator=(const SourcePool&) = delete;

    // Makes the sources; before this every play is silent.
    void create();
    // Starts the sound on a source; an empty buffer plays nothing.
    void play(const SoundBuffer& sound, const Playback& playback);

private:
    ALuint takeSource();

    std::array<ALuint, kSourceCount> sources{};
    int created = 0;
    // The next source to try; sources are taken in turn, so this is also the one started longest ago.
    int next = 0;
};
