#pragma once

#include "app/FrameInput.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A recorded run: the level it was played on and every frame's input, in order. The file is plain
// text, one line each:
//
//     zelvira-input-record 1
//     level <checksum of the level file, 16 hex digits> <level path>
//     <dt> <keys> <look x> <look y> <function keys>      (one line per frame)
//
// keys are five characters for W, S, A, D and the jump, the key's letter (J for the jump) when held
// and '-' when not; function keys are "-" or a comma-separated list such as "F1,F9". Numbers are
// written so that they read back exactly.
struct InputRecord {
    static constexpr std::string_view kFormatName = "zelvira-input-record";
    static constexpr int kVersion = 1;
    // Longest frame line written, line end included.
    static constexpr std::size_t kMaxFrameLine = 160;

    std::string levelPath;
    std::uint64_t levelChecksum = 0;
    std::vector<FrameInput> frames;

    // Reads a record from a stream; on failure `problem` says what is wrong and on which line.
    static std::optional<InputRecord> parse(std::istream& in, std::string& problem);
    // Reads a record file; on failure `problem` is one line naming the file and the line.
    static std::optional<InputRecord> read(const std::string& path, std::string& problem);

    // The two header lines.
    static std::string header(const std::string& levelPath, std::uint64_t levelChecksum);
    // One frame's line, written into `line`; returns the characters used.
    static std::size_t formatFrame(const FrameInput& frame, char (&line)[kMaxFrameLine]);
    // The checksum as written in the header.
    static std::string checksumText(std::uint64_t checksum);

    bool operator==(const InputRecord&) const = default;
};
