#include "GameBench.h"

#include "BenchReport.h"
#include "FrameStages.h"
#include "ScriptedInput.h"
#include "app/AppState.h"
#include "app/Application.h"
#include "app/FrameCounter.h"
#include "app/Game.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <sys/resource.h>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void timePhase(std::vector<PhaseTime>& phases, const std::string& name, const std::function<void()>& work) {
    const Clock::time_point start = Clock::now();
    work();
    phases.push_back({name, millisecondsSince(start)});
}

std::array<double, 3> loadAverage() {
    std::array<double, 3> load{};
    getloadavg(load.data(), static_cast<int>(load.size()));
    return load;
}

long peakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::string glString(GLenum name) {
    const GLubyte* text = glGetString(name);
    return text != nullptr ? reinterpret_cast<const char*>(text) : "unknown";
}

glm::dvec2 cursorOf(GLFWwindow* window) {
    glm::dvec2 cursor;
    glfwGetCursorPos(window, &cursor.x, &cursor.y);
    return cursor;
}

} // namespace

int GameBench::run(BenchReport& report) {
    report.cores = std::thread::hardware_concurrency();
    report.loadBefore = loadAverage();

    Application application;
    timePhase(report.startup, "settings", [&] { application.loadSettings(); });
    useWindowSize(application);
    std::string failure;
    bool opened = false;
    timePhase(report.startup, "window and context", [&] { opened = application.openWindow(failure); });
    if (!opened) {
        application.shutdown();
        std::cout << "ERROR: " << failure << std::endl;
        return 1;
    }
    report.renderer = glString(GL_RENDERER);
    report.glVersion = glString(GL_VERSION);
    report.width = appState.settings.width;
    report.height = appState.settings.height;

    GLFWwindow* window = application.getWindow();
    auto game =
        std::make_unique<Game>(appState, window, [&](const char* step, const std::function<void()>& work) {
            timePhase(report.startup, step, work);
        });
    FrameCounter counter(application.startGame());
    ScriptedInput input(cursorOf(window));
    {
        FrameStages frame(*game, input, counter, window);
        // Waits for the rendering too, so that the first frame's GPU work counts towards it.
        timePhase(report.startup, "first frame (decodes the textures and the video)", [&] {
            frame.run();
            glFinish();
        });
        runWholeFrames(frame, report);
        runStagedFrames(frame, report);
    }
    timePhase(report.shutdown, "release of the scene and GL objects", [&] { game.reset(); });
    timePhase(report.shutdown, "window system", [&] { application.shutdown(); });

    report.peakResidentKiB = peakResidentKiB();
    report.loadAfter = loadAverage();
    return 0;
}

void GameBench::useWindowSize(Application& application) const {
    if (!options.width && !options.height) {
        return;
    }
    Settings settings = appState.settings;
    settings.width = options.width.value_or(settings.width);
    settings.height = options.height.value_or(settings.height);
    application.useSettings(settings);
}

void GameBench::runWholeFrames(FrameStages& frame, BenchReport& report) const {
    report.wholeFrames = TimingSeries(options.frames);
    const Clock::time_point runStart = Clock::now();
    for (int i = 0; i < options.frames; ++i) {
        const Clock::time_point start = Clock::now();
        frame.run();
        report.wholeFrames.add(millisecondsSince(start));
    }
    report.wholeRunSeconds = millisecondsSince(runStart) / 1000.0;
}

void GameBench::runStagedFrames(FrameStages& frame, BenchReport& report) const {
    report.stages.clear();
    for (const FrameStages::Stage& stage : frame.stages()) {
        report.stages.push_back({stage.name, stage.usesGl, TimingSeries(options.frames)});
    }
    report.stagedFrames = TimingSeries(options.frames);
    for (int i = 0; i < options.frames; ++i) {
        frame.begin();
        double frameMilliseconds = 0.0;
        for (std::size_t s = 0; s < frame.stages().size(); ++s) {
            const FrameStages::Stage& stage = frame.stages()[s];
            if (stage.usesGl) {
                glFinish();
            }
            const Clock::time_point start = Clock::now();
            stage.run();
            if (stage.usesGl) {
                glFinish();
            }
            const double milliseconds = millisecondsSince(start);
            report.stages[s].times.add(milliseconds);
            frameMilliseconds += milliseconds;
        }
        report.stagedFrames.add(frameMilliseconds);
    }
}
