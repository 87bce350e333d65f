#include "audio/SoundBuffer.h"

#include <iostream>
#include <sndfile.h>
#include <vector>

namespace {

void reportFailure(const std::string& path, const std::string& reason) {
    std::cout << "ERROR: Failed to load sound '" << path << "': " << reason << std::endl;
}

} // namespace

SoundBuffer::~SoundBuffer() {
    if (buffer != 0) {
        alDeleteBuffers(1, &buffer);
    }
}

void SoundBuffer::load(const std::string& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        reportFailure(path, sf_strerror(nullptr));
        return;
    }
    std::vector<short> samples;
    if (info.channels == 1 && info.frames > 0) {
        samples.resize(static_cast<std::size_t>(info.frames));
        samples.resize(static_cast<std::size_t>(sf_readf_short(file, samples.data(), info.frames)));
    }
    sf_close(file);
    if (info.channels != 1) {
        reportFailure(path, "not a mono sound");
        return;
    }
    if (samples.empty()) {
        reportFailure(path, "no samples");
        return;
    }
    alGetError();
    alGenBuffers(1, &buffer);
    alBufferData(buffer, AL_FORMAT_MONO16, samples.data(),
                 static_cast<ALsizei>(samples.size() * sizeof(short)), info.samplerate);
    if (alGetError() != AL_NO_ERROR) {
        reportFailure(path, "the sound device refused it");
        alDeleteBuffers(1, &buffer);
        buffer = 0;
    }
}
