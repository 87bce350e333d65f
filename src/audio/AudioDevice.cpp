#include "audio/AudioDevice.h"

#include <AL/alc.h>
#include <iostream>

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
    device = alcOpenDevice(nullptr);
    if (device == nullptr) {
        std::cout << "ERROR: No sound device could be opened; playing without sound" << std::endl;
        return false;
    }
    context = alcCreateContext(device, nullptr);
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
