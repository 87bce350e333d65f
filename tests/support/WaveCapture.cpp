#include "WaveCapture.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sndfile.h>
#include <unistd.h>

namespace {

std::string processFile(const char* suffix) {
    return (std::filesystem::temp_directory_path() / ("zelvira-audio-" + std::to_string(getpid()) + suffix))
        .string();
}

} // namespace

WaveCapture::WaveCapture() : configPath(processFile(".conf")), wavePath(processFile(".wav")) {
    std::ofstream(configPath) << "[general]\ndrivers = wave\nchannels = stereo\nfrequency = " << kRate
                              << "\nsample-type = float32\n[wave]\nfile = " << wavePath << "\n";
    setenv("ALSOFT_CONF", configPath.c_str(), 1);
}

WaveCapture::~WaveCapture() {
    std::filesystem::remove(wavePath);
    std::filesystem::remove(configPath);
}

void WaveCapture::discard() const {
    std::filesystem::remove(wavePath);
}

std::vector<float> WaveCapture::read() const {
    SF_INFO info{};
    SNDFILE* file = sf_open(wavePath.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        return {};
    }
    std::vector<float> samples(static_cast<std::size_t>(info.frames * info.channels));
    sf_readf_float(file, samples.data(), info.frames);
    sf_close(file);
    return samples;
}

double WaveCapture::rms(const std::vector<float>& samples, double from, double to, int channel) {
    const std::size_t frames = samples.size() / 2;
    const auto first = static_cast<std::size_t>(from * kRate);
    const std::size_t last = std::min(frames, static_cast<std::size_t>(to * kRate));
    double sum = 0.0;
    std::size_t count = 0;
    for (std::size_t frame = first; frame < last; ++frame) {
        for (int c = 0; c < 2; ++c) {
            if (channel < 0 || channel == c) {
                const double sample = samples[frame * 2 + c];
                sum += sample * sample;
                ++count;
            }
        }
    }
    return count == 0 ? 0.0 : std::sqrt(sum / static_cast<double>(count));
}

double WaveCapture::firstSoundAt(const std::vector<float>& samples, float threshold) {
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (std::fabs(samples[i]) > threshold) {
            return static_cast<double>(i / 2) / kRate;
        }
    }
    return -1.0;
}
