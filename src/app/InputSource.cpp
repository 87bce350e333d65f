#include "app/InputSource.h"

#include "app/AppState.h"
#include "app/CommandLine.h"
#include "app/Controls.h"
#include "app/Game.h"
#include "app/InputRecord.h"
#include "app/LevelChecksum.h"

#include <GLFW/glfw3.h>
#include <iostream>

namespace {

std::string checksumOrNone(const std::optional<std::uint64_t>& checksum) {
    return checksum ? InputRecord::checksumText(*checksum) : "none, it cannot be read";
}

} // namespace

bool InputSource::prepare(const CommandLine& options, const std::string& levelPath) {
    exitWhenDone = options.exitWhenDone;
    const std::optional<std::uint64_t> checksum = levelChecksum(levelPath);
    if (!options.recordPath.empty()) {
        recorder.emplace();
        if (!recorder->open(options.recordPath, levelPath, checksum.value_or(0))) {
            recorder.reset();
        }
    }
    if (options.replayPath.empty()) {
        return true;
    }
    std::string problem;
    std::optional<InputRecord> record = InputRecord::read(options.replayPath, problem);
    if (!record) {
        std::cout << "ERROR: Cannot replay " << problem << std::endl;
        return false;
    }
    if (checksum != record->levelChecksum) {
        std::cout << "WARNING: '" << options.replayPath << "' was recorded on a level with checksum "
                  << InputRecord::checksumText(record->levelChecksum) << "; '" << levelPath << "' has "
                  << checksumOrNone(checksum) << ". Playing it anyway" << std::endl;
    }
    replay.emplace(std::move(record->frames));
    appState.replaying = true;
    return true;
}

void InputSource::runUpdates(Game& game, GLFWwindow* window, double wallDt) {
    if (appState.replaying) {
        playRecordedFrames(game, window, wallDt);
        return;
    }
    const FrameInput input = Controls::readInput(window, wallDt);
    if (recorder) {
        recorder->record(input);
    }
    game.update(input);
}

void InputSource::playRecordedFrames(Game& game, GLFWwindow* window, double wallDt) {
    // The live keys and mouse are read and left unused, so that live play takes over without the view
    // jumping; Escape and the function keys have acted already.
    Controls::readInput(window, wallDt);
    replay->addWallTime(wallDt);
    while (const FrameInput* frame = replay->nextDueFrame()) {
        game.playRecordedFrame(*frame);
        finishReached = finishReached || appState.player.isFinished();
    }
    if (replay->isAtEnd()) {
        endReplay(window);
    }
}

void InputSource::endReplay(GLFWwindow* window) {
    appState.replaying = false;
    if (exitWhenDone) {
        glfwSetWindowShouldClose(window, GLFW_TRUE);
    }
}

int InputSource::exitCode() const {
    constexpr int kFinishNotReached = 3;
    return exitWhenDone && !finishReached ? kFinishNotReached : 0;
}
