#include "app/Game.h"

#include "app/AppState.h"
#include "app/BestTimes.h"
#include "app/Controls.h"
#include "app/FrameInput.h"
#include "app/LevelChecksum.h"
#include "audio/GameAudio.h"
#include "physics/Pea.h"
#include "physics/PeaContainer.h"
#include "physics/PeaPhysicsObject.h"
#include "physics/Peashooter.h"
#include "physics/PhysicsWorld.h"
#include "render/BloomChain.h"
#include "render/FullscreenPass.h"
#include "render/HdrTarget.h"
#include "render/HeadsUpDisplay.h"
#include "render/ImageDecoder.h"
#include "render/ImageTexture.h"
#include "render/LightObjectMaterial.h"
#include "render/Material.h"
#include "render/QuadGeometry.h"
#include "render/Shader.h"
#include "render/SkyboxMaterial.h"
#include "render/SphereGeometry.h"
#include "render/VideoTexture.h"
#include "scene/ConcreteObject.h"
#include "scene/Light.h"
#include "scene/SceneImporter.h"

#include <GLFW/glfw3.h>
#include <cstdlib>

namespace {

// Bullet's debug-draw bits for wireframes and bounding boxes.
constexpr int kPhysicsDebugMode = 3;
const glm::vec3 kPeaColor(0.05f, 0.25f, 0.0f);
const char* const kSoundFolder = "assets/sounds/";

// A pea hitting part of the level: peas and the player carry no scene object, the level's bodies do.
bool isPeaHittingLevel(PhysicsObject& pea, PhysicsObject& other) {
    return dynamic_cast<PeaPhysicsObject*>(&pea) != nullptr && other.getOwner() != nullptr;
}

} // namespace

Game::Game(AppState& state, GLFWwindow* window)
    : Game(state, window, [](const char*, const std::function<void()>& work) { work(); }) {}

Game::Game(AppState& state, GLFWwindow* window, const AssemblyStepRunner& runStep)
    : state(state), window(window), imageDecoder(std::make_unique<ImageDecoder>()) {
    runStep("sound device and effects", [this] { createAudio(); });
    runStep("GLSL programs", [this] { createPrograms(); });
    runStep("textures, sky material, physics world", [this] { createSkyAndWorld(); });
    runStep("HUD and font", [this] { createHud(); });
    runStep("pea material and mesh, render targets", [this] { createPeasAndTargets(); });
    runStep("level import", [this] { importLevel(); });
    runStep("level completion (sky, bodies, shadow maps, peashooters)", [this] { completeLevel(); });
    runStep("best times", [this] { loadBestTimes(); });
}

Game::~Game() {
    peashooters.clear();
    peaContainer.reset();
    lights.clear();
    levelSurfaces.clear();
    objects.clear();
    bloomChain.reset();
    hdrTarget.reset();
    screenQuad.release();
    peaMesh.reset();
    peaMaterial.reset();
    physicsWorld.reset();
    skyMaterial.reset();
    videoTexture.reset();
    skyTexture.reset();
    bloomPasses.clear();
    toneMappingProgram.reset();
    depthPrePassProgram.reset();
    shadowMapProgram.reset();
    physicsDebugProgram.reset();
    skyboxProgram.reset();
    instancedLightObjectProgram.reset();
    lightObjectProgram.reset();
    textureProgram.reset();
    state.hud.reset();
    imageDecoder.reset();
    audio.reset();
}

void Game::createAudio() {
    audio = std::make_unique<GameAudio>(kSoundFolder, state.settings.volume, state.settings.audioEnabled);
}

void Game::createPrograms() {
    textureProgram = std::make_shared<Shader>("assets/shader/texture.vert", "assets/shader/texture.frag");
    lightObjectProgram =
        std::make_shared<Shader>("assets/shader/lightobject.vert", "assets/shader/lightobject.frag");
    instancedLightObjectProgram =
        std::make_shared<Shader>("assets/shader/instancedlightobject.vert", "assets/shader/lightobject.frag");
    skyboxProgram = std::make_shared<Shader>("assets/shader/skybox.vert", "assets/shader/skybox.frag");
    physicsDebugProgram =
        std::make_shared<Shader>("assets/shader/physicsdebug.vert", "assets/shader/physicsdebug.frag");
    shadowMapProgram =
        std::make_shared<Shader>("assets/shader/shadowmap.vert", "assets/shader/shadowmap.frag");
    depthPrePassProgram =
        std::make_shared<Shader>("assets/shader/depthprepass.vert", "assets/shader/depthprepass.frag");
    toneMappingProgram =
        std::make_shared<Shader>("assets/shader/quad.vert", "assets/shader/tonemapping.frag");
    bloomPasses = {
        std::make_shared<Shader>("assets/shader/quad.vert", "assets/shader/brightfilter.frag"),
        std::make_shared<Shader>("assets/shader/quad.vert", "assets/shader/blurhorizontal.frag"),
        std::make_shared<Shader>("assets/shader/quad.vert", "assets/shader/blurvertical.frag"),
    };
}

void Game::createSkyAndWorld() {
    skyTexture = std::make_shared<ImageTexture>("assets/textures/quarry_03.jpg");
    skyTexture->decodeAhead(*imageDecoder);
    videoTexture = std::make_shared<VideoTexture>("assets/textures/videoframes/video_", ".png");
    videoTexture->decodeAhead(*imageDecoder);
    skyMaterial = std::make_shared<SkyboxMaterial>(skyboxProgram, skyTexture);
    physicsWorld = std::make_unique<PhysicsWorld>();
    physicsWorld->setImpactListener(
        [this](PhysicsObject& first, PhysicsObject& second, glm::vec3 point, float speedChange) {
            if (isPeaHittingLevel(first, second) || isPeaHittingLevel(second, first)) {
                audio->offerPeaImpact(point, speedChange);
            }
        });
    state.player.addToPhysicsWorld(physicsWorld.get());
}

void Game::createHud() {
    const Settings& settings = state.settings;
    state.hud = std::make_shared<HeadsUpDisplay>(
        "assets/shader/headupdisplay.vert", "assets/shader/headupdisplay.frag", settings.width,
        settings.height, "assets/fonts/arial.ttf", settings.brightness);
}

void Game::createPeasAndTargets() {
    const Settings& settings = state.settings;
    peaMaterial = std::make_shared<LightObjectMaterial>(instancedLightObjectProgram, kPeaColor);
    peaMesh = std::make_shared<SphereGeometry>(20, 20, 0.15f);
    // Full screen at start-up can give the window the monitor's size rather than the configured one.
    glfwGetFramebufferSize(window, &framebufferSize.x, &framebufferSize.y);
    if (framebufferSize != glm::ivec2(settings.width, settings.height)) {
        fitViewTo(framebufferSize);
    }
    const glm::ivec2 scene = sceneSize(framebufferSize);
    hdrTarget = std::make_unique<HdrTarget>();
    hdrTarget->create(scene.x, scene.y);
    bloomChain = std::make_unique<BloomChain>(bloomPasses, scene.x, scene.y);
    peaContainer = std::make_shared<PeaContainer>(peaMesh, peaMaterial);
    peaContainer->addToPhysicsWorld(physicsWorld.get());
}

void Game::importLevel() {
    SceneImporter importer(*imageDecoder);
    state.levelLoadFailed =
        !importer.load(textureProgram, lightObjectProgram, kLevelPath, objects, lights, videoTexture);
}

void Game::completeLevel() {
    for (const auto& object : objects) {
        if (object->getName().starts_with("skybox")) {
            if (auto sky = std::dynamic_pointer_cast<ConcreteObject>(object)) {
                sky->setMaterial(skyMaterial);
            }
        }
        object->addToPhysicsWorld(physicsWorld.get());
        if (auto node = std::dynamic_pointer_cast<ConcreteObject>(object);
            node && node->getMaterial() && node->getMaterial()->getShader() == textureProgram) {
            levelSurfaces.push_back(object);
        }
    }
    for (const auto& light : lights) {
        if (auto shadowMap = light->createShadowMap()) {
            shadowMap->bind(0);
            for (const auto& object : objects) {
                object->addShadowMap(shadowMap);
            }
        }
    }
    objects.push_back(peaContainer);
    for (const auto& object : objects) {
        if (object->getName().starts_with("peashooter")) {
            if (auto node = std::dynamic_pointer_cast<ConcreteObject>(object)) {
                peashooters.emplace_back(node);
            }
        }
    }
    physicsWorld->enableDebugDrawing(kPhysicsDebugMode);
}

glm::ivec2 Game::sceneSize(glm::ivec2 windowSize) const {
    const glm::vec2 scaled = glm::round(glm::vec2(windowSize) * state.settings.renderScale);
    return glm::max(glm::ivec2(scaled), glm::ivec2(1));
}

void Game::fitViewTo(glm::ivec2 windowSize) {
    const Settings& settings = state.settings;
    const float aspect = static_cast<float>(windowSize.x) / static_cast<float>(windowSize.y);
    state.player.setProjection(static_cast<float>(settings.fov), aspect, static_cast<float>(settings.near),
                               static_cast<float>(settings.far));
    state.hud->resize(windowSize.x, windowSize.y);
}

void Game::followFramebufferSize() {
    glm::ivec2 size;
    glfwGetFramebufferSize(window, &size.x, &size.y);
    // A minimised window has no pixels; the targets keep their size until it comes back.
    if (size == framebufferSize || size.x <= 0 || size.y <= 0) {
        return;
    }
    framebufferSize = size;
    glViewport(0, 0, size.x, size.y);
    const glm::ivec2 scene = sceneSize(size);
    hdrTarget->resize(scene.x, scene.y);
    bloomChain->resize(scene.x, scene.y);
    fitViewTo(size);
}

void Game::loadBestTimes() {
    bestTimes = std::make_unique<BestTimes>(
        BestTimes::defaultFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
    levelKey = levelChecksum(kLevelPath);
}

void Game::update(const FrameInput& input) {
    advanceClock(input.dt);
    steerPlayer(input);
    firePeashooters(input.dt);
    stepPhysics(input.dt);
    updatePeas(input.dt);
    updateVideo(input.dt);
    checkCountdown();
    updateAudio();
}

void Game::playRecordedFrame(const FrameInput& input) {
    for (int i = 0; i < input.functionKeyCount; ++i) {
        Controls::applyFunctionKey(window, input.functionKeys[static_cast<std::size_t>(i)]);
    }
    update(input);
}

void Game::render(int shownFps) {
    setCameraUniforms();
    renderShadowMaps();
    drawScene();
    runBloom();
    toneMap();
    drawHud(shownFps);
}

void Game::advanceClock(double dt) {
    state.clock.advance(dt);
}

void Game::steerPlayer(const FrameInput& input) {
    const float chargeBefore = state.player.getJumpCharge();
    Controls::steerPlayer(input);
    // A charge that vanished was released as a jump.
    if (chargeBefore > 0.0f && state.player.getJumpCharge() == 0.0f) {
        audio->playJump(chargeBefore);
    }
}

void Game::firePeashooters(double dt) {
    for (Peashooter& peashooter : peashooters) {
        if (auto pea = peashooter.update(dt)) {
            audio->playTurretShot(pea->getPhysics().getPosition());
            peaContainer->addPea(pea);
        }
    }
}

void Game::stepPhysics(double dt) {
    physicsWorld->step(dt);
    physicsWorld->processCollisions();
}

void Game::updatePeas(double dt) {
    peaContainer->update(dt);
}

void Game::updateVideo(double dt) {
    videoTexture->update(dt);
}

void Game::checkCountdown() {
    if (state.levelLoadFailed) {
        return;
    }
    const double now = state.clock.now();
    state.game.checkCountdown(now, state.player.isFinished());
    if (state.game.checkFinish(now, state.player.isFinished())) {
        recordFinish(*state.game.finishTime());
    }
}

void Game::recordFinish(double seconds) {
    bestBeforeFinish = levelKey ? bestTimes->best(*levelKey) : std::nullopt;
    finishIsNewBest = levelKey && !state.replaying && bestTimes->offer(*levelKey, seconds);
}

void Game::saveNewBestTime() {
    bestTimes->saveNew();
}

void Game::updateAudio() {
    CameraPlayer& player = state.player;
    audio->setListener(player.getPosition(), player.getFront(), player.getUp());
    audio->setMuted(state.muted);
    audio->playPeaImpacts();
    audio->updateCues(state.game.remainingTime(state.clock.now()), player.isFinished(),
                      state.game.isTimedOut());
}

void Game::setCameraUniforms(Shader& program) {
    program.use();
    program.setUniform("viewProjMatrix", state.player.getViewProjectionMatrix());
    program.setUniform("viewPosition", state.player.getPosition());
}

void Game::setCameraUniforms() {
    setCameraUniforms(*textureProgram);
    setCameraUniforms(*lightObjectProgram);
    setCameraUniforms(*instancedLightObjectProgram);
    depthPrePassProgram->use();
    depthPrePassProgram->setUniform("viewProjMatrix", state.player.getViewProjectionMatrix());
    skyboxProgram->use();
    skyboxProgram->setUniform("viewProjMatrix", state.player.getSkyboxViewProjectionMatrix());
}

void Game::renderShadowMaps() {
    for (const auto& light : lights) {
        light->renderShadowMap(shadowMapProgram, objects);
    }
}

void Game::drawScene() {
    if (!hdrTarget->isComplete()) {
        return;
    }
    hdrColorTexture = hdrTarget->bind();
    if (state.wireframe && state.physicsDebug) {
        drawPhysicsDebugLines();
        return;
    }
    glPolygonMode(GL_FRONT_AND_BACK, state.wireframe ? GL_LINE : GL_FILL);
    if (!state.wireframe) {
        drawDepthPrePass();
    }
    textureProgram->use();
    textureProgram->setUniform("numPointLights", 0);
    textureProgram->setUniform("numDirectionalLights", 0);
    for (const auto& light : lights) {
        light->setUniforms(textureProgram);
    }
    for (const auto& object : objects) {
        object->draw();
    }
    glDepthFunc(GL_LESS);
    if (state.physicsDebug) {
        drawPhysicsDebugLines();
    }
}

void Game::drawDepthPrePass() {
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    for (const auto& object : levelSurfaces) {
        object->drawWithShader(depthPrePassProgram);
    }
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    // The lit pass then draws where its depth equals what the pre-pass left.
    glDepthFunc(GL_LEQUAL);
}

void Game::drawPhysicsDebugLines() {
    setCameraUniforms(*physicsDebugProgram);
    physicsWorld->debugDraw();
}

void Game::runBloom() {
    bloomTexture = bloomChain->run(hdrColorTexture);
}

void Game::toneMap() {
    // The scene and bloom may be smaller than the window; the tone mapping scales them up to it.
    glViewport(0, 0, framebufferSize.x, framebufferSize.y);
    toneMapToWindow(toneMappingProgram, state.settings.brightness, hdrColorTexture, bloomTexture);
}

void Game::drawHud(int shownFps) {
    HudFrame shown;
    shown.framesPerSecond = shownFps;
    shown.lost = state.game.isTimedOut();
    shown.won = state.player.isFinished();
    shown.remainingSeconds = state.game.remainingTime(state.clock.now());
    shown.jumpCharge = state.player.getJumpCharge();
    shown.finishSeconds = state.game.finishTime().value_or(0.0);
    shown.bestSeconds = bestBeforeFinish;
    shown.newBest = finishIsNewBest;
    shown.replaying = state.replaying;
    shown.levelLoadFailed = state.levelLoadFailed;
    state.hud->draw(shown);
}
