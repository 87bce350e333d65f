#pragma once

#include <GL/glew.h>
#include <cstdint>
#include <functional>
#include <glm/glm.hpp>
#include <memory>
#include <optional>
#include <vector>

struct AppState;
struct FrameInput;
class BestTimes;
class BloomChain;
class GameAudio;
class HdrTarget;
class ImageDecoder;
class ImageTexture;
class Light;
class Material;
class Object;
class PeaContainer;
class Peashooter;
class PhysicsWorld;
class Shader;
class SphereGeometry;
class VideoTexture;
struct GLFWwindow;

// The game-specific half of the entry point: builds the scene once the context exists, runs a frame's
// updates and passes in a fixed order, and releases everything while the context lives.
class Game {
public:
    // Runs one named step of the assembly; a measuring harness wraps each step in its clock.
    using AssemblyStepRunner = std::function<void(const char* step, const std::function<void()>& work)>;

    // Makes every program, texture, material, target and body, and imports the level.
    Game(AppState& state, GLFWwindow* window);
    // The same assembly, each step handed to runStep in turn.
    Game(AppState& state, GLFWwindow* window, const AssemblyStepRunner& runStep);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    static constexpr const char* kLevelPath = "assets/scene.fbx";

    // Follows a change of the window's framebuffer size (full screen on a monitor of another
    // size): viewport, render targets, the camera's aspect and the HUD. Runs between frames.
    void followFramebufferSize();
    // Writes a best time the last frame set. Runs between frames.
    void saveNewBestTime();

    // The update stages of one frame, in order, with that frame's input: the game clock advances by
    // its frame time first, so the countdown check sees the frame's start time.
    void update(const FrameInput& input);
    // A frame of a record: its function keys act first, as they would have during event polling.
    void playRecordedFrame(const FrameInput& input);
    // The passes that draw what the updates left, ending with the HUD.
    void render(int shownFps);

    // The frame's stages, public so that they can be timed one by one.
    void advanceClock(double dt);
    void steerPlayer(const FrameInput& input);
    void firePeashooters(double dt);
    void stepPhysics(double dt);
    void updatePeas(double dt);
    void updateVideo(double dt);
    void checkCountdown();
    void updateAudio();
    void setCameraUniforms();
    void renderShadowMaps();
    void drawScene();
    void runBloom();
    void toneMap();
    void drawHud(int shownFps);

    // For tools and tests that steer or watch the player on the real level.
    PhysicsWorld& getPhysicsWorld() { return *physicsWorld; }

private:
    void createPrograms();
    void createAudio();
    void createSkyAndWorld();
    void createHud();
    void loadBestTimes();
    // Keeps the time of a finish as the level's best, except in a replay.
    void recordFinish(double seconds);
    void createPeasAndTargets();
    void importLevel();
    void completeLevel();
    void setCameraUniforms(Shader& program);
    void drawPhysicsDebugLines();
    // Lays down the depth of the level surfaces so that their lit pass shades each pixel once.
    void drawDepthPrePass();
    // The scene and bloom size for a window of the given size: render_scale of it, at least a pixel.
    glm::ivec2 sceneSize(glm::ivec2 windowSize) const;
    // The camera's aspect and the HUD's layout for a window of the given size.
    void fitViewTo(glm::ivec2 windowSize);

    AppState& state;
    GLFWwindow* window;

    // Decodes the images while the main thread builds the scene, and the video ahead of its frames;
    // outlives every texture.
    std::unique_ptr<ImageDecoder> imageDecoder;

    std::shared_ptr<Shader> textureProgram;
    std::shared_ptr<Shader> lightObjectProgram;
    std::shared_ptr<Shader> instancedLightObjectProgram;
    std::shared_ptr<Shader> skyboxProgram;
    std::shared_ptr<Shader> physicsDebugProgram;
    std::shared_ptr<Shader> shadowMapProgram;
    std::shared_ptr<Shader> depthPrePassProgram;
    std::shared_ptr<Shader> toneMappingProgram;
    // The bright filter, the horizontal and the vertical blur; the only holder of those programs.
    std::vector<std::shared_ptr<Shader>> bloomPasses;

    std::shared_ptr<ImageTexture> skyTexture;
    std::shared_ptr<VideoTexture> videoTexture;
    std::shared_ptr<Material> skyMaterial;
    std::unique_ptr<PhysicsWorld> physicsWorld;
    std::shared_ptr<Material> peaMaterial;
    std::shared_ptr<SphereGeometry> peaMesh;
    std::unique_ptr<HdrTarget> hdrTarget;
    std::unique_ptr<BloomChain> bloomChain;
    std::shared_ptr<PeaContainer> peaContainer;

    std::vector<std::shared_ptr<Object>> objects;
    std::vector<std::shared_ptr<Light>> lights;
    std::vector<Peashooter> peashooters;
    // Made first and released last, so that the physics world's impact listener never outlives it.
    std::unique_ptr<GameAudio> audio;

    std::unique_ptr<BestTimes> bestTimes;
    // The level file's checksum, which keys its best time; empty when the file could not be read.
    std::optional<std::uint64_t> levelKey;
    // The level's best time before the current win, and whether the win beat it.
    std::optional<double> bestBeforeFinish;
    bool finishIsNewBest = false;
    // The objects drawn with the level program, in list order: those of the depth pre-pass.
    std::vector<std::shared_ptr<Object>> levelSurfaces;

    glm::ivec2 framebufferSize{0, 0};
    GLuint hdrColorTexture = 0;
    GLuint bloomTexture = 0;
};
