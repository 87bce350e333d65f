#pragma once

#include <string>
#include <string_view>
#include <vector>

// The words the HUD shows. The writers overwrite `out`, so a caller that keeps its strings builds
// each frame's text without allocating.

inline constexpr std::string_view kLossMessage = "YOU LOST - TIME OUT";
inline constexpr std::string_view kLevelFailureMessage = "Level could not be loaded - see the console";
inline constexpr std::string_view kReplayIndicator = "REPLAY";
inline constexpr std::string_view kNewBest = "NEW BEST";

// The help line's entries as two lines, each entry ending in its separator except the last.
std::vector<std::vector<std::string_view>> helpLines();

// The frame-rate line: counts of one to three digits are right-aligned with spaces, longer
// counts are shown whole.
void writeFps(int framesPerSecond, std::string& out);

// A time as minutes:seconds.tenths, the seconds with two digits and the tenths truncated
// (1:04.6); a negative time reads 0:00.0.
void writeClock(double seconds, std::string& out);

// "Remaining time: " and the clock.
void writeRemainingTime(double seconds, std::string& out);

// "FINISHED " and the clock of the time taken.
void writeFinished(double seconds, std::string& out);

// "BEST " and the clock of the best time.
void writeBest(double seconds, std::string& out);
