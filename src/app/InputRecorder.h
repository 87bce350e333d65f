#pragma once

#include <cstdint>
#include <fstream>
#include <string>

struct FrameInput;

// Writes a record file while the game is played: the header at once, then one line per frame. The
// lines reach the file at least once per second of play, so a crash or a kill loses at most the last
// second; the destructor writes the rest, so a game quit with Escape leaves a complete record.
class InputRecorder {
public:
    // Creates the file and writes its header; false, after saying so in one line, when the path
    // cannot be written.
    bool open(const std::string& path, const std::string& levelPath, std::uint64_t levelChecksum);
    void record(const FrameInput& frame);

private:
    static constexpr double kFlushInterval = 1.0;

    std::ofstream file;
    double unflushedSeconds = 0.0;
};
