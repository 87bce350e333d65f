#pragma once

#include <AL/alc.h>

// The sound output: the system's default OpenAL device and one context on it, current for the
// whole run. Without a usable device it stays closed after one console line, and everything that
// plays through it stays silent.
class AudioDevice {
public:
    AudioDevice() = default;
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // Opens the default device and makes a context on it current; false, after one line, if either fails.
    bool open();
    bool isOpen() const { return context != nullptr; }

private:
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
};
