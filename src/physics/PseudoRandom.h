#pragma once

#include <cstdint>

// A small linear congruential generator of 15-bit numbers. The program-wide instance is never
// seeded, so every run of the game sees the same sequence of peas.
class PseudoRandom {
public:
    static constexpr int kMax = 32767;

    // The next number, uniform from 0 to kMax.
    int next();
    // The next number divided by kMax: from 0 to 1, both included.
    float nextFraction();

private:
    std::uint32_t state = 1;
};

extern PseudoRandom pseudoRandom;
