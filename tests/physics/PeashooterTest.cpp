#include "physics/Peashooter.h"
#include "StubBody.h"
#include "physics/Pea.h"
#include "physics/PeaPhysicsObject.h"
#include "scene/ConcreteObject.h"

#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <gtest/gtest.h>
#include <optional>

namespace {

std::shared_ptr<ConcreteObject> peashooterNode(glm::vec3 position, std::optional<float> interval = {}) {
    auto node = std::make_shared<ConcreteObject>("peashooter.001", nullptr, nullptr,
                                                 std::make_shared<StubBody>(position));
    if (interval) {
        node->setProperty("interval", *interval);
    }
    return node;
}

constexpr double kFrame = 1.0 / 64.0;

TEST(Peashooter, FiresAtTheNodesIntervalOrEvery045Seconds) {
    struct Case {
        const char* name;
        std::optional<float> interval;
        int firstShotFrame;
        int shotsIn11Seconds;
    };
    // With 1/64 s frames the first shot comes in the first frame that lies strictly past the interval.
    const Case cases[] = {
        {"no interval", {}, 29, 24},
        {"interval 0", 0.0f, 29, 24},
        {"interval 2", 2.0f, 129, 5},
    };
    for (const Case& c : cases) {
        auto node = peashooterNode({10, 3, 0}, c.interval);
        Peashooter shooter(node);
        int firstShotFrame = 0;
        int shots = 0;
        for (int frame = 1; frame <= 11 * 64; ++frame) {
            if (shooter.update(kFrame)) {
                ++shots;
                firstShotFrame = firstShotFrame == 0 ? frame : firstShotFrame;
            }
        }
        EXPECT_EQ(firstShotFrame, c.firstShotFrame) << c.name;
        EXPECT_EQ(shots, c.shotsIn11Seconds) << c.name;
        EXPECT_EQ(node->getProperties().size(), c.interval ? 1u : 0u)
            << c.name << ": the node is left unchanged";
    }
}

TEST(Peashooter, ALongFrameFiresOnePeaPerUpdateUntilCaughtUp) {
    Peashooter shooter(peashooterNode({10, 3, 0}));
    // Two seconds hold four whole intervals of 0.45 s.
    std::vector<bool> fired;
    fired.push_back(shooter.update(2.0) != nullptr);
    for (int i = 0; i < 5; ++i) {
        fired.push_back(shooter.update(0.0) != nullptr);
    }
    EXPECT_EQ(fired, (std::vector<bool>{true, true, true, true, false, false}));
}

TEST(Peashooter, PeasStartAtTheShooterAndFlyTowardsTheVerticalAxis) {
    auto node = peashooterNode({10, 3, 0});
    Peashooter shooter(node);
    node->setPosition({50, 50, 50});
    const std::shared_ptr<Pea> pea = shooter.update(1.0);
    ASSERT_TRUE(pea);

    EXPECT_EQ(pea->getPhysics().getPosition(), glm::vec3(10, 3, 0))
        << "the position is taken at construction";
    const btVector3 velocity = pea->getPhysics().getRigidBody()->getLinearVelocity();
    EXPECT_EQ(velocity.y(), 0.0);
    EXPECT_EQ(velocity.z(), 0.0);
    EXPECT_GE(-velocity.x(), 11.0);
    EXPECT_LE(-velocity.x(), 22.0);
}

TEST(Peashooter, AShooterOnTheVerticalAxisSaysSoOnceAndNeverFires) {
    testing::internal::CaptureStdout();
    Peashooter shooter(peashooterNode({0, 4, 0}));
    int shots = 0;
    for (int i = 0; i < 100; ++i) {
        shots += shooter.update(1.0) ? 1 : 0;
    }
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(shots, 0);
    EXPECT_EQ(output,
              "Peashooter 'peashooter.001' stands on the vertical axis and has no direction to fire in\n");
}

} // namespace
