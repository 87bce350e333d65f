#include "physics/PeaSlots.h"
#include "physics/Pea.h"
#include "physics/PeaPhysicsObject.h"
#include "physics/PhysicsWorld.h"

#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <gtest/gtest.h>

namespace {

std::shared_ptr<Pea> peaAt(glm::vec3 position) {
    return std::make_shared<Pea>(0.15f, position, 7.0f, 11.0f);
}

bool isInWorld(Pea& pea) {
    return pea.getPhysics().getRigidBody()->isInWorld();
}

struct PeaSlotsTest : testing::Test {
    PeaSlotsTest() { slots.setWorld(&world); }

    std::vector<float> drawnZ() {
        auto matrices = std::make_unique<std::array<glm::mat4, PeaSlots::kCapacity>>();
        const int count = slots.collectTransforms(*matrices);
        std::vector<float> z;
        for (int i = 0; i < count; ++i) {
            z.push_back((*matrices)[i][3].z);
        }
        return z;
    }

    PhysicsWorld world;
    PeaSlots slots;
};

TEST_F(PeaSlotsTest, The1001stPeaIsDroppedAndNeverEntersTheWorld) {
    for (int i = 0; i < PeaSlots::kCapacity; ++i) {
        auto pea = peaAt({10, 3, 0});
        slots.add(pea);
        ASSERT_TRUE(isInWorld(*pea)) << i;
    }
    std::weak_ptr<Pea> dropped;
    {
        auto pea = peaAt({10, 3, 0});
        dropped = pea;
        slots.add(pea);
        EXPECT_FALSE(isInWorld(*pea));
    }
    EXPECT_TRUE(dropped.expired()) << "a dropped pea is not kept";
    EXPECT_EQ(slots.getLiveCount(), PeaSlots::kCapacity);
    EXPECT_EQ(drawnZ().size(), static_cast<size_t>(PeaSlots::kCapacity));
}

TEST_F(PeaSlotsTest, APeaIsRemovedInTheUpdateWhereItsAgeReachesTenSeconds) {
    std::weak_ptr<Pea> pea;
    {
        auto added = peaAt({10, 3, 0});
        pea = added;
        slots.add(added);
    }
    for (int update = 1; update <= 19; ++update) {
        slots.update(0.5);
        ASSERT_EQ(slots.getLiveCount(), 1) << update;
    }
    slots.update(0.5);
    EXPECT_EQ(slots.getLiveCount(), 0);
    EXPECT_TRUE(pea.expired()) << "the slot releases the pea and with it its body";
    EXPECT_TRUE(drawnZ().empty());
}

TEST_F(PeaSlotsTest, FreedSlotsAreReusedOnlyWhenTheCursorComesRound) {
    slots.add(peaAt({10, 3, 1}));
    slots.update(5.0);
    slots.add(peaAt({10, 3, 2}));
    slots.add(peaAt({10, 3, 3}));
    slots.update(5.0);
    slots.add(peaAt({10, 3, 4}));
    // The first pea's slot is free again, but the new one goes after the others.
    EXPECT_EQ(drawnZ(), (std::vector<float>{2, 3, 4}));
    EXPECT_EQ(slots.getLiveCount(), 3);
}

TEST_F(PeaSlotsTest, WithoutAWorldPeasStayOutOfAnyWorld) {
    PeaSlots withoutWorld;
    auto pea = peaAt({10, 3, 0});
    withoutWorld.add(pea);
    EXPECT_FALSE(isInWorld(*pea));
    EXPECT_EQ(withoutWorld.getLiveCount(), 1);
}

} // namespace
