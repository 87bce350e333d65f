#include "audio/SoundLevels.h"

#include <gtest/gtest.h>

namespace {

using namespace SoundLevels;

TEST(SoundLevelsTest, ListenerGainFollowsTheSquareOfTheVolumeAndMuteSilences) {
    struct Case {
        float volume;
        bool muted;
        float gain;
    };
    const Case cases[] = {
        {0.0f, false, 0.0f}, {0.5f, false, 0.25f}, {0.8f, false, 0.64f}, {1.0f, false, 1.0f},
        {1.0f, true, 0.0f},  {0.8f, true, 0.0f},   {-0.5f, false, 0.0f}, {3.0f, false, 1.0f},
    };
    for (const Case& c : cases) {
        EXPECT_FLOAT_EQ(listenerGain(c.volume, c.muted), c.gain) << c.volume << (c.muted ? " muted" : "");
    }
}

TEST(SoundLevelsTest, ImpactsBelowTheQuietestAreSilentAndLouderOnesGrowToFull) {
    EXPECT_EQ(impactGain(0.0f), 0.0f);
    EXPECT_EQ(impactGain(kQuietestImpactSpeed - 0.01f), 0.0f);
    EXPECT_FLOAT_EQ(impactGain(kQuietestImpactSpeed), 0.1f);
    EXPECT_FLOAT_EQ(impactGain(kLoudestImpactSpeed), 1.0f);
    EXPECT_FLOAT_EQ(impactGain(100.0f), 1.0f);
    float previous = 0.0f;
    for (float speed = kQuietestImpactSpeed; speed <= kLoudestImpactSpeed; speed += 0.5f) {
        EXPECT_GT(impactGain(speed), previous) << speed;
        previous = impactGain(speed);
    }
}

TEST(SoundLevelsTest, AFullerJumpSoundsHigherAndLouderWithinLimits) {
    EXPECT_LT(jumpPitch(0.0f), 1.0f);
    EXPECT_GT(jumpPitch(1.0f), 1.0f);
    EXPECT_LT(jumpPitch(0.3f), jumpPitch(0.6f));
    EXPECT_LT(jumpGain(0.3f), jumpGain(0.6f));
    EXPECT_GT(jumpGain(0.0f), 0.0f);
    EXPECT_FLOAT_EQ(jumpGain(1.0f), 1.0f);
    EXPECT_FLOAT_EQ(jumpPitch(2.0f), jumpPitch(1.0f));
    EXPECT_FLOAT_EQ(jumpGain(-1.0f), jumpGain(0.0f));
}

} // namespace
