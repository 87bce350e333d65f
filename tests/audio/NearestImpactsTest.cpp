#include "audio/NearestImpacts.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<float> keptGains(const NearestImpacts& impacts) {
    std::vector<float> gains;
    for (const PeaImpact& impact : impacts.kept()) {
        gains.push_back(impact.gain);
    }
    std::sort(gains.begin(), gains.end());
    return gains;
}

// Impacts along +x at the given distances from a listener at x = 10; each one's gain names its distance.
NearestImpacts offered(const std::vector<float>& distances) {
    NearestImpacts impacts;
    impacts.restart(glm::vec3(10.0f, 0.0f, 0.0f));
    for (float distance : distances) {
        impacts.offer(PeaImpact{glm::vec3(10.0f + distance, 0.0f, 0.0f), distance});
    }
    return impacts;
}

TEST(NearestImpactsTest, KeepsTheNearestUpToTheCapacityWhateverTheOrder) {
    struct Case {
        std::vector<float> distances;
        std::vector<float> kept;
    };
    const std::vector<Case> cases = {
        {{}, {}},
        {{5.0f, 1.0f}, {1.0f, 5.0f}},
        {{9.0f, 8.0f, 7.0f, 1.0f, 2.0f, 3.0f}, {1.0f, 2.0f, 3.0f}},
        {{1.0f, 2.0f, 3.0f, 9.0f, 8.0f}, {1.0f, 2.0f, 3.0f}},
        {{4.0f, 1.0f, 6.0f, 2.0f, 5.0f}, {1.0f, 2.0f, 4.0f}},
        // An impact as far as the farthest kept one does not replace it.
        {{1.0f, 2.0f, 3.0f, 3.0f}, {1.0f, 2.0f, 3.0f}},
    };
    ASSERT_EQ(NearestImpacts::kCapacity, 3);
    for (const Case& c : cases) {
        EXPECT_EQ(keptGains(offered(c.distances)), c.kept)
            << "offered " << testing::PrintToString(c.distances);
    }
}

TEST(NearestImpactsTest, DistanceCountsInAllDirectionsAndRestartForgets) {
    NearestImpacts impacts;
    impacts.restart(glm::vec3(0.0f));
    impacts.offer(PeaImpact{glm::vec3(0.0f, -3.0f, 0.0f), 3.0f});
    impacts.offer(PeaImpact{glm::vec3(0.0f, 0.0f, 2.0f), 2.0f});
    impacts.offer(PeaImpact{glm::vec3(-4.0f, 0.0f, 0.0f), 4.0f});
    impacts.offer(PeaImpact{glm::vec3(1.0f, 1.0f, 1.0f), 1.7f});
    EXPECT_EQ(keptGains(impacts), (std::vector<float>{1.7f, 2.0f, 3.0f}));

    // Ranked from the new listener position: what was far is near now.
    impacts.restart(glm::vec3(-4.0f, 0.0f, 0.0f));
    EXPECT_TRUE(impacts.kept().empty());
    impacts.offer(PeaImpact{glm::vec3(0.0f, 0.0f, 2.0f), 4.5f});
    impacts.offer(PeaImpact{glm::vec3(-4.0f, 0.0f, 0.5f), 0.5f});
    impacts.offer(PeaImpact{glm::vec3(10.0f, 0.0f, 0.0f), 14.0f});
    impacts.offer(PeaImpact{glm::vec3(-5.0f, 0.0f, 0.0f), 1.0f});
    EXPECT_EQ(keptGains(impacts), (std::vector<float>{0.5f, 1.0f, 4.5f}));
}

} // namespace
