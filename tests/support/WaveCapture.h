#pragma once

#include <string>
#include <vector>

// Sends this process's OpenAL output into a WAV file through OpenAL Soft's wave driver, in real time,
// and reads it back. OpenAL Soft reads its configuration once per process, so every capture of a
// process shares one file; a device opened later starts the file afresh.
class WaveCapture {
public:
    static constexpr int kRate = 44100;

    // Points OpenAL Soft at the wave driver; call before the first OpenAL call of the process.
    WaveCapture();
    ~WaveCapture();
    WaveCapture(const WaveCapture&) = delete;
    WaveCapture& operator=(const WaveCapture&) = delete;

    // The samples of the file the last closed device wrote, interleaved left, right; none without a file.
    std::vector<float> read() const;
    // Removes the file, so that read() shows whether a device has been opened since.
    void discard() const;

    // RMS of one channel (0 left, 1 right, -1 both) over [from, to) seconds of the file.
    static double rms(const std::vector<float>& samples, double from, double to, int channel = -1);
    // Seconds into the file of the first sample louder than threshold; -1 when there is none.
    static double firstSoundAt(const std::vector<float>& samples, float threshold);

private:
    std::string configPath;
    std::string wavePath;
};
