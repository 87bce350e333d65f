// Makes the committed route, assets/replays/route.zrec: steers the player through the shipped level
// on the game's own update stages, frame by frame at 60 frames per second, and writes the input as an
// ordinary record file that `zelvira --replay` plays. Run from the repository root:
//
//     tools/make_route.sh
//
// It fails without writing anything when the route no longer reaches the finish with the margin the
// game promises; then the steps below need to follow the changed level (tools/level/make_level.py).

#include "RouteDriver.h"
#include "app/AppState.h"
#include "app/Game.h"
#include "app/HiddenContext.h"
#include "app/InputRecord.h"
#include "app/InputRecorder.h"
#include "app/LevelChecksum.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <limits>
#include <optional>
#include <vector>

namespace {

constexpr const char* kDefaultOutput = "assets/replays/route.zrec";
constexpr double kFrameTime = 1.0 / 60.0;
// The countdown must have at least this much left when the finish is touched.
constexpr double kRequiredMargin = 20.0;
constexpr float kStartYaw = -90.0f;

RouteStep walk(float x, float z) {
    return {RouteStep::Kind::Walk, {x, z}};
}

RouteStep jump(float x, float z) {
    return {RouteStep::Kind::Jump, {x, z}};
}

RouteStep finish(float x, float z) {
    return {RouteStep::Kind::Finish, {x, z}};
}

RouteStep wait(double seconds) {
    return {RouteStep::Kind::Wait, {}, seconds};
}

// The course of tools/level/make_level.py: take-off points half a metre or so from a platform's
// edge, landing points well inside the next one, clear of the crates.
const std::vector<RouteStep> kRoute = {
    walk(-5.0f, -14.3f),
    wait(0.3),           // lets a pea pass that would knock the jump back
    jump(-5.0f, -21.0f), // up the ramp, over to platform 2
    walk(-7.4f, -21.0f),
    jump(-19.5f, -21.0f), // over the ice bridge to platform 3
    walk(-19.5f, -23.3f),
    jump(-19.5f, -29.5f), // stone 1
    walk(-19.5f, -30.3f),
    jump(-19.5f, -37.0f), // stone 2
    walk(-18.6f, -36.2f),
    jump(-11.0f, -36.0f), // the crate deck
    walk(-7.2f, -36.2f),
    walk(-5.7f, -36.2f),
    jump(1.0f, -36.2f), // between the crates, platform 5
    walk(2.3f, -36.0f),
    jump(14.0f, -36.0f), // over the ramp and the beam to platform 6
    walk(13.5f, -33.7f),
    jump(13.5f, -26.5f), // stone 3
    walk(13.5f, -25.7f),
    jump(13.5f, -18.5f), // stone 4
    walk(13.5f, -17.7f),
    jump(13.5f, -10.5f), // stone 5
    walk(13.5f, -9.7f),
    jump(13.5f, -2.0f), // platform 7
    walk(10.7f, -4.5f),
    jump(4.5f, -4.5f), // stone 6
    walk(4.5f, -5.8f),
    jump(4.5f, -12.5f), // stone 7
    walk(4.5f, -13.8f),
    jump(5.0f, -20.0f),   // the finish platform
    finish(5.0f, -23.0f), // into the finish box
    wait(4.0),            // time to see the win
};

struct Run {
    std::vector<FrameInput> frames;
    std::optional<double> finishedWithLeft;
    float lowestHeight = std::numeric_limits<float>::max();
    std::string failure;
};

// Steers the player through the level on the game's update stages, as a replay of the result will.
Run steerThroughLevel(Game& game) {
    Run run;
    appState.game.start(appState.clock.now());
    RouteDriver driver(kRoute, appState.player, game.getPhysicsWorld(), kStartYaw);
    std::size_t reportedStep = 0;
    while (!driver.isDone() && !appState.game.isTimedOut()) {
        if (driver.currentStep() != reportedStep) {
            reportedStep = driver.currentStep();
            const glm::vec3 at = appState.player.getPosition();
            std::printf("  %5.1f s  step %zu from (%.2f, %.2f, %.2f)\n", appState.clock.now(), reportedStep,
                        at.x, at.y, at.z);
        }
        const FrameInput input = driver.nextFrame(kFrameTime);
        game.playRecordedFrame(input);
        run.frames.push_back(input);
        run.lowestHeight = std::min(run.lowestHeight, appState.player.getPosition().y);
        if (!run.finishedWithLeft && appState.player.isFinished()) {
            run.finishedWithLeft = appState.game.remainingTime(appState.clock.now());
        }
    }
    run.failure = driver.getFailure();
    if (run.failure.empty() && appState.game.isTimedOut()) {
        run.failure = "the countdown ran out";
    }
    return run;
}

bool writeRecord(const std::string& path, const std::vector<FrameInput>& frames) {
    const std::optional<std::uint64_t> checksum = levelChecksum(Game::kLevelPath);
    {
        InputRecorder recorder;
        if (!checksum || !recorder.open(path, Game::kLevelPath, *checksum)) {
            return false;
        }
        for (const FrameInput& frame : frames) {
            recorder.record(frame);
        }
    }
    std::string problem;
    const std::optional<InputRecord> written = InputRecord::read(path, problem);
    if (!written || written->frames != frames) {
        std::cout << "ERROR: the written route does not read back as steered " << problem << std::endl;
        return false;
    }
    return true;
}

int makeRoute(GLFWwindow* window, const std::string& output) {
    Game game(appState, window);
    const Run run = steerThroughLevel(game);
    const double seconds = static_cast<double>(run.frames.size()) * kFrameTime;
    std::printf("route: %zu frames, %.1f s; lowest body centre %.2f m\n", run.frames.size(), seconds,
                run.lowestHeight);
    if (!run.failure.empty() || !run.finishedWithLeft) {
        std::cout << "ERROR: the route failed: " << (run.failure.empty() ? "no finish" : run.failure)
                  << " (player at " << appState.player.getPosition().x << ", "
                  << appState.player.getPosition().y << ", " << appState.player.getPosition().z << ")"
                  << std::endl;
        return 1;
    }
    std::printf("route: finish touched with %.1f s of the countdown left\n", *run.finishedWithLeft);
    if (*run.finishedWithLeft < kRequiredMargin) {
        std::printf("ERROR: that is less than the %.0f s a route must leave\n", kRequiredMargin);
        return 1;
    }
    if (!writeRecord(output, run.frames)) {
        return 1;
    }
    std::cout << "route: written to " << output << std::endl;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string output = argc > 1 ? argv[1] : kDefaultOutput;
    GLFWwindow* window = openHiddenContext(64, "zelvira-route");
    if (window == nullptr) {
        std::cout
            << "ERROR: zelvira-route needs an OpenGL 4.3 core context for the level import; run it on a "
               "display (tools/make_route.sh starts one) from the repository root"
            << std::endl;
        glfwTerminate();
        return 1;
    }
    const int result = makeRoute(window, output);
    glfwTerminate();
    return result;
}
