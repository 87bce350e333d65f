#include "physics/PseudoRandom.h"

PseudoRandom pseudoRandom;

int PseudoRandom::next() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & kMax);
}

float PseudoRandom::nextFraction() {
    return static_cast<float>(next()) / kMax;
}
