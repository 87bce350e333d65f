#include "audio/AudioDevice.h"

#include <AL/alc.h>
#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>

namespace {

// Sends the process's standard error to /dev/null while it lives. Opening a device, the sound
// libraries report there every driver they try and fail (on a machine without a sound card ALSA
// alone prints eight lines); the game's own line on standard output says what matters.
class QuietStandardError {
public:
    QuietStandardError() : saved(dup(STDERR_FILENO)) {
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved >= 0 && null >= 0) {
            dup2(null, STDERR_FILENO);
        }
        if (null >= 0) {
            close(null);
        }
    }
    ~QuietStandardError() {
        if (saved >= 0) {
            std::fflush(stderr);
            dup2(saved, STDERR_FILENO);
            close(saved);
        }
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved;
};

} // namespace

AudioDevice::~AudioDevice() {
    if (context != nullptr) {
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context);
    }
    if (device != nullptr) {
        alcCloseDevice(device);
    }
}

bool AudioDevice::open() {
    {
        const QuietStandardError quiet;
        device = alcOpenDevice(nullptr);
        if (device != nullptr) {
            context = alcCreateContext(device, nullptr);
        }
    }
    if (device == nullptr) {
        std::cout << "ERROR: No sound device could be opened; playing without sound" << std::endl;
        return false;
    }
    if (context == nullptr || alcMakeContextCurrent(context) == ALC_FALSE) {
        std::cout << "ERROR: The sound device '" << alcGetString(device, ALC_DEVICE_SPECIFIER)
                  << "' failed (error " << alcGetError(device) << "); playing without sound" << std::endl;
        if (context != nullptr) {
            alcDestroyContext(context);
            context = nullptr;
        }
        alcCloseDevice(device);
        device = nullptr;
        return false;
    }
    return true;
}
