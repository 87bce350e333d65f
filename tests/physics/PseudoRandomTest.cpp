#include "physics/PseudoRandom.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

TEST(PseudoRandom, AnUnseededGeneratorRepeatsTheSameSequence) {
    PseudoRandom first;
    PseudoRandom second;
    // The classic sequence of this generator from state 1.
    for (int expected : {41, 18467, 6334, 26500, 19169}) {
        EXPECT_EQ(first.next(), expected);
    }
    for (int expected : {41, 18467, 6334, 26500, 19169}) {
        EXPECT_EQ(second.next(), expected);
    }
}

TEST(PseudoRandom, FractionsCoverTheUnitIntervalEvenly) {
    PseudoRandom random;
    constexpr int kDraws = 100000;
    int bins[4] = {};
    float lowest = 1.0f;
    float highest = 0.0f;
    for (int i = 0; i < kDraws; ++i) {
        const float u = random.nextFraction();
        ASSERT_GE(u, 0.0f);
        ASSERT_LE(u, 1.0f);
        lowest = std::min(lowest, u);
        highest = std::max(highest, u);
        ++bins[std::min(3, static_cast<int>(u * 4))];
    }
    EXPECT_LT(lowest, 0.001f);
    EXPECT_GT(highest, 0.999f);
    for (int count : bins) {
        EXPECT_NEAR(count, kDraws / 4, kDraws / 100);
    }
}

} // namespace
