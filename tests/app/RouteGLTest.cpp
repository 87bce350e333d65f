#include "GlTest.h"
#include "app/AppState.h"
#include "app/Game.h"
#include "app/InputRecord.h"
#include "physics/PhysicsWorld.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>
#include <optional>

namespace {

constexpr const char* kRoute = "assets/replays/route.zrec";
constexpr double kRequiredMargin = 20.0;
// The player's start, above the arena floor.
const glm::vec3 kStart(-5.0f, 2.0f, 0.0f);
// A standing body's centre is this far above the ground it stands on.
constexpr float kStandingHeight = 1.0f;

// The ground's top below the player's start: the level's lowest floor. The ray starts inside the
// player's body, which a ray never reports.
float lowestFloor(PhysicsWorld& world) {
    return kStart.y - world.rayTestDistance(kStart, kStart - glm::vec3(0.0f, 100.0f, 0.0f));
}

// The committed route, replayed on the real game through the update stages only, at its recorded
// frame times, as `zelvira --replay` runs it. When a change to the level, the player or the physics
// breaks it, re-generate it with tools/make_route.sh in the same change.
TEST_F(GlTest, TheCommittedRouteReachesTheFinishWithTimeToSpare) {
    ASSERT_EQ(appState.clock.now(), 0.0)
        << "the route starts from a fresh game: run it in a process of its own";
    std::string problem;
    const std::optional<InputRecord> route = InputRecord::read(kRoute, problem);
    ASSERT_TRUE(route) << problem;

    Game game(appState, window());
    appState.game.start(appState.clock.now());
    const float floor = lowestFloor(game.getPhysicsWorld());
    float lowest = std::numeric_limits<float>::max();
    std::optional<double> finishedWithLeft;
    for (const FrameInput& frame : route->frames) {
        game.playRecordedFrame(frame);
        lowest = std::min(lowest, appState.player.getPosition().y - kStandingHeight);
        if (!finishedWithLeft && appState.player.isFinished()) {
            finishedWithLeft = appState.game.remainingTime(appState.clock.now());
        }
    }

    ASSERT_TRUE(finishedWithLeft) << "the route never touched the finish";
    EXPECT_GE(*finishedWithLeft, kRequiredMargin);
    EXPECT_GE(lowest, floor - 0.05f) << "the player fell below the level's lowest floor";
    EXPECT_TRUE(appState.player.isFinished()) << "the run ends on the finish";
}

} // namespace
