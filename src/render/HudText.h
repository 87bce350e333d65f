#pragma once

#include <string>

// The frame-rate line: counts of one to three digits are right-aligned with spaces, longer
// counts are shown whole.
std::string fpsText(int framesPerSecond);

// The countdown line as minutes:seconds.tenths, each without leading zeros (2:5.3).
std::string remainingTimeText(double seconds);
