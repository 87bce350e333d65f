#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

// The best time per level, kept in a plain-text file in a folder of the player's data:
//
//     # Zelvira best times: <level checksum> <seconds>
//     3f2a9c0d11e4b788 83.417
//
// one line per level, the level file's FNV-1a 64-bit checksum as 16 lowercase hex digits, one
// space and the seconds from start to finish; lines starting with '#' are comments. A corrupt or
// unreadable file prints one line and counts as empty, and is left alone until the next record
// replaces it. A record is written to a temporary file that is then renamed over the old one,
// so a failed or interrupted write never loses the previous records.
class BestTimes {
public:
    static constexpr const char* kFileName = "best-times.txt";

    // Reads the records in folder; a missing file is no records yet.
    explicit BestTimes(std::filesystem::path folder);

    // $XDG_DATA_HOME/zelvira, or ~/.local/share/zelvira when that is unset or not absolute; empty
    // when neither variable gives a place.
    static std::filesystem::path defaultFolder(const char* xdgDataHome, const char* home);

    std::optional<double> best(std::uint64_t level) const;

    // Keeps seconds as the level's best when there is none yet or it is faster; returns whether
    // it was a new best. The record is written by the next saveNew.
    bool offer(std::uint64_t level, double seconds);
    // Writes the records if one is new since the last call, so that a win's frame does no file
    // work; the game calls it between frames. A failed save prints one line.
    void saveNew();

private:
    void load();
    void save() const;

    std::filesystem::path folder;
    std::map<std::uint64_t, double> records;
    bool unsaved = false;
};
