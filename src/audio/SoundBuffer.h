#pragma once

#include <AL/al.h>
#include <string>

// One sound effect held by OpenAL: a mono sound file decoded once into an OpenAL buffer. Mono, because
// only mono sounds can be placed in the level. Needs a current context.
class SoundBuffer {
public:
    SoundBuffer() = default;
    ~SoundBuffer();
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    // Decodes the file into a new buffer; a missing, broken or multi-channel file prints one line and
    // leaves the buffer empty.
    void load(const std::string& path);
    bool isLoaded() const { return buffer != 0; }
    // The OpenAL buffer name; 0 while empty.
    ALuint getName() const { return buffer; }

private:
    ALuint buffer = 0;
};
