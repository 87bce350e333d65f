// The simulation alone, without rendering: the physics step and the pea update with 0, 100 and 1000
// live peas in the shipped level, and the player's keyboard handling with its ground rays.

#include "app/HiddenContext.h"
#include "physics/CameraPlayer.h"
#include "physics/PeaSlots.h"
#include "physics/Peashooter.h"
#include "physics/PhysicsWorld.h"
#include "render/Shader.h"
#include "render/VideoTexture.h"
#include "scene/ConcreteObject.h"
#include "scene/Light.h"
#include "scene/SceneImporter.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr double kFrameTime = 1.0 / 60.0;
// Peas expire after ten seconds of frame time.
constexpr double kPeaLifetime = 10.0;
// Frames of one pea lifetime; a little more than that, and the number of live peas has settled.
constexpr int kLifetimeFrames = 600;
constexpr int kWarmUpFrames = kLifetimeFrames + 60;
// Long enough for the player, dropped at its start, to come to rest on the ground.
constexpr int kSettleFrames = 120;
const glm::vec3 kPlayerStart(-5.0f, 2.0f, 0.0f);
// High above the arena: all five ground rays miss.
const glm::vec3 kHighAboveGround(-5.0f, 30.0f, 0.0f);

// The shipped level's simulation as the game assembles it: the player at its start, every imported
// body, and the peashooters firing into the ring of pea slots. The import needs the GL context that
// main makes; nothing timed here touches GL.
class LevelSimulation {
public:
    // The shooters fire at the interval that keeps about `livePeas` peas in flight; with 0 they
    // are left out.
    explicit LevelSimulation(int livePeas) {
        player.addToPhysicsWorld(&world);
        peas.setWorld(&world);
        SceneImporter importer;
        importer.load(
            std::make_shared<Shader>("assets/shader/texture.vert", "assets/shader/texture.frag"),
            std::make_shared<Shader>("assets/shader/lightobject.vert", "assets/shader/lightobject.frag"),
            "assets/scene.fbx", objects, lights,
            std::make_shared<VideoTexture>("assets/textures/videoframes/video_", ".png"));
        for (const auto& object : objects) {
            object->addToPhysicsWorld(&world);
        }
        if (livePeas > 0) {
            createPeashooters(livePeas);
        }
    }

    void firePeashooters() {
        for (Peashooter& peashooter : peashooters) {
            if (auto pea = peashooter.update(kFrameTime)) {
                peas.add(pea);
            }
        }
    }

    void stepPhysics() {
        world.step(kFrameTime);
        world.processCollisions();
    }

    void updatePeas() { peas.update(kFrameTime); }

    // Whole frames of the simulation, in the game's order.
    void run(int frames) {
        for (int i = 0; i < frames; ++i) {
            firePeashooters();
            stepPhysics();
            updatePeas();
        }
    }

    CameraPlayer& getPlayer() { return player; }
    int livePeas() const { return peas.getLiveCount(); }

private:
    void createPeashooters(int livePeas) {
        std::vector<std::shared_ptr<ConcreteObject>> nodes;
        for (const auto& object : objects) {
            if (auto node = std::dynamic_pointer_cast<ConcreteObject>(object);
                node && node->getName().starts_with("peashooter")) {
                nodes.push_back(node);
            }
        }
        const float interval =
            static_cast<float>(static_cast<double>(nodes.size()) * kPeaLifetime / livePeas);
        for (const auto& node : nodes) {
            node->setProperty("interval", interval);
            peashooters.emplace_back(node);
        }
    }

    // Declared first, so every body leaves it before it goes.
    PhysicsWorld world;
    CameraPlayer player{kPlayerStart, -90.0f, 0.0f};
    std::vector<std::shared_ptr<Object>> objects;
    std::vector<std::shared_ptr<Light>> lights;
    PeaSlots peas;
    std::vector<Peashooter> peashooters;
};

// Simulations outlive a single call of a benchmark function, so their warm-up is paid once; each
// benchmark has its own, because each leaves its world in its own state.
std::map<std::string, std::unique_ptr<LevelSimulation>>& simulations() {
    static std::map<std::string, std::unique_ptr<LevelSimulation>> cache;
    return cache;
}

LevelSimulation& simulation(const std::string& key, int livePeas, int warmUpFrames) {
    auto& cached = simulations()[key];
    if (!cached) {
        cached = std::make_unique<LevelSimulation>(livePeas);
        cached->run(warmUpFrames);
    }
    return *cached;
}

// One physics step with its contact delivery; firing and ageing the peas go on untimed between steps.
void BM_PhysicsStep(benchmark::State& state) {
    const int peas = static_cast<int>(state.range(0));
    LevelSimulation& level = simulation("step/" + std::to_string(peas), peas, kWarmUpFrames);
    for (auto _ : state) {
        level.stepPhysics();
        state.PauseTiming();
        level.updatePeas();
        level.firePeashooters();
        state.ResumeTiming();
    }
    state.counters["live_peas"] = level.livePeas();
}

// One pea update: the walk over every slot that ages the peas and removes the expired ones. Firing
// and the physics step go on untimed between updates, so the world stays as in the game; a fixed
// run of one pea lifetime keeps that untimed work bounded.
void BM_PeaUpdate(benchmark::State& state) {
    const int peas = static_cast<int>(state.range(0));
    LevelSimulation& level = simulation("update/" + std::to_string(peas), peas, kWarmUpFrames);
    for (auto _ : state) {
        level.updatePeas();
        state.PauseTiming();
        level.firePeashooters();
        level.stepPhysics();
        state.ResumeTiming();
    }
    state.counters["live_peas"] = level.livePeas();
}

// The player's keyboard handling with forward held: its ground rays, then the walking force. On the
// ground the first ray finds the floor; in the air all five rays run and miss.
void BM_ProcessKeyboard(benchmark::State& state, bool airborne) {
    LevelSimulation& level = simulation(airborne ? "keys/airborne" : "keys/grounded", 0, kSettleFrames);
    CameraPlayer& player = level.getPlayer();
    if (airborne) {
        player.setPosition(kHighAboveGround);
    } else if (player.getPosition().y > 0.5f) {
        state.SkipWithError("the player did not come to rest on the ground");
        return;
    }
    PlayerKeys keys;
    keys.forward = 1;
    for (auto _ : state) {
        player.processKeyboard(keys, kFrameTime);
    }
}

BENCHMARK(BM_PhysicsStep)->ArgName("peas")->Arg(0)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeaUpdate)
    ->ArgName("peas")
    ->Arg(0)
    ->Arg(100)
    ->Arg(1000)
    ->Iterations(kLifetimeFrames)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ProcessKeyboard, grounded, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ProcessKeyboard, airborne, true)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    if (openHiddenContext(64, "zelvira-simbench") == nullptr) {
        std::cout << "zelvira-simbench: no OpenGL 4.3 core context for the level import; run it on a display "
                     "(for example under xvfb-run) from the repository root"
                  << std::endl;
        glfwTerminate();
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The level's meshes and programs are deleted while the context still exists.
    simulations().clear();
    glfwTerminate();
    return 0;
}
