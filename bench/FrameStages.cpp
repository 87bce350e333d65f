#include "FrameStages.h"

#include "ScriptedInput.h"
#include "app/FrameCounter.h"
#include "app/Game.h"

#include <GLFW/glfw3.h>

FrameStages::FrameStages(Game& game, ScriptedInput& input, FrameCounter& counter, GLFWwindow* window)
    : game(game), counter(counter) {
    stageList = {
        {"events", false,
         [] {
             glfwPollEvents();
         }},
        {"input", false,
         [this, &input] {
             input.steerPlayer(dt);
         }},
        {"peashooters", false,
         [this, &game] {
             game.firePeashooters(dt);
         }},
        {"physics step and collisions", false,
         [this, &game] {
             game.stepPhysics(dt);
         }},
        {"pea update", false,
         [this, &game] {
             game.updatePeas(dt);
         }},
        {"video update", true,
         [this, &game] {
             game.updateVideo(dt);
         }},
        {"countdown", false,
         [&game] {
             game.checkCountdown();
         }},
        {"audio", false,
         [&game] {
             game.updateAudio();
         }},
        {"camera uniforms", true,
         [&game] {
             game.setCameraUniforms();
         }},
        {"shadow pass", true,
         [&game] {
             game.renderShadowMaps();
         }},
        {"scene pass", true,
         [&game] {
             game.drawScene();
         }},
        {"bloom", true,
         [&game] {
             game.runBloom();
         }},
        {"tone mapping", true,
         [&game] {
             game.toneMap();
         }},
        {"HUD", true,
         [&game, &counter] {
             game.drawHud(counter.shownFps());
         }},
        {"buffer swap", true,
         [window] {
             glfwSwapBuffers(window);
         }},
    };
}

void FrameStages::begin() {
    dt = counter.beginFrame(glfwGetTime());
    game.advanceClock(dt);
}

void FrameStages::run() {
    begin();
    for (const Stage& stage : stageList) {
        stage.run();
    }
}
