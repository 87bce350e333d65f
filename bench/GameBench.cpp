#include "GameBench.h"

#include "BenchReport.h"
#include "FrameStages.h"
#include "ScriptedInput.h"
#include "Stopwatch.h"
#include "app/AppState.h"
#include "app/Application.h"
#include "app/Controls.h"
#include "app/FrameCounter.h"
#include "app/Game.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {

void timePhase(std::vector<PhaseTime>& phases, const std::string& name, const std::function<void()>& work) {
    const Stopwatch stopwatch;
    work();
    const Stopwatch::Span span = stopwatch.elapsed();
    phases.push_back({name, span.wallMilliseconds, span.cpuMilliseconds});
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

// Time since the process was started, to the kernel's clock tick (10 ms): its start time in
// /proc/self/stat, field 22, against the same clock now.
double processAgeMilliseconds() {
    std::ifstream statFile("/proc/self/stat");
    const std::string stat((std::istreambuf_iterator<char>(statFile)), std::istreambuf_iterator<char>());
    // Fields count from 1; the second, the command name in parentheses, may hold spaces.
    std::istringstream fields(stat.substr(stat.rfind(')') + 1));
    constexpr int kStartTimeField = 22;
    std::string field;
    for (int index = 3; index <= kStartTimeField; ++index) {
        fields >> field;
    }
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double startSeconds = std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
    return (static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1.0e9 - startSeconds) *
           1000.0;
}

std::string glString(GLenum name) {
    const GLubyte* text = glGetString(name);
    return text != nullptr ? reinterpret_cast<const char*>(text) : "unknown";
}

} // namespace

int GameBench::run(BenchReport& report) {
    report.cores = std::thread::hardware_concurrency();
    report.loadBefore = loadAverage();
    Application application;
    if (!startWindow(application, report)) {
        return 1;
    }
    runGame(application, report);
    timePhase(report.shutdown, "window system", [&] { application.shutdown(); });
    report.peakResidentKiB = peakResidentKiB();
    report.loadAfter = loadAverage();
    return 0;
}

bool GameBench::startWindow(Application& application, BenchReport& report) const {
    timePhase(report.startup, "settings", [&] { application.loadSettings(); });
    useWindowSize(application);
    std::string failure;
    bool opened = false;
    timePhase(report.startup, "window and context", [&] { opened = application.openWindow(failure); });
    if (!opened) {
        application.shutdown();
        std::cout << "ERROR: " << failure << std::endl;
        return false;
    }
    report.renderer = glString(GL_RENDERER);
    report.glVersion = glString(GL_VERSION);
    report.width = appState.settings.width;
    report.height = appState.settings.height;
    return true;
}

void GameBench::runGame(Application& application, BenchReport& report) const {
    GLFWwindow* window = application.getWindow();
    auto game =
        std::make_unique<Game>(appState, window, [&](const char* step, const std::function<void()>& work) {
            timePhase(report.startup, step, work);
        });
    FrameCounter counter(application.startGame());
    ScriptedInput input(Controls::readCursor(window));
    {
        FrameStages frame(*game, input, counter, window);
        // Staged like the measured frames, so that the phase shows where its time goes; the GL
        // stages end with glFinish, so the rendering itself counts towards it.
        timePhase(report.startup, "first frame (uploads the textures at their first bind)", [&] {
            const std::vector<Stopwatch::Span> spans = runStagedFrame(frame);
            for (std::size_t s = 0; s < spans.size(); ++s) {
                report.firstFrame.push_back(
                    {frame.stages()[s].name, spans[s].wallMilliseconds, spans[s].cpuMilliseconds});
            }
        });
        report.firstPresentedFrameMs = processAgeMilliseconds();
        runFrames(frame, report);
    }
    timePhase(report.shutdown, "release of the scene and GL objects", [&] { game.reset(); });
}

void GameBench::useWindowSize(Application& application) const {
    if (!options.width && !options.height && !options.renderScale) {
        return;
    }
    Settings settings = appState.settings;
    settings.width = options.width.value_or(settings.width);
    settings.height = options.height.value_or(settings.height);
    settings.renderScale = options.renderScale.value_or(settings.renderScale);
    application.useSettings(settings);
}

void GameBench::runFrames(FrameStages& frame, BenchReport& report) const {
    report.wholeFrames = TimingSeries(options.frames);
    report.wholeFramesCpu = TimingSeries(options.frames);
    report.stagedFrames = TimingSeries(options.frames);
    report.stagedFramesCpu = TimingSeries(options.frames);
    report.stages.clear();
    for (const FrameStages::Stage& stage : frame.stages()) {
        report.stages.push_back(
            {stage.name, stage.usesGl, TimingSeries(options.frames), TimingSeries(options.frames)});
    }
    for (int done = 0; done < options.frames; done += kBlockFrames) {
        const int block = std::min(kBlockFrames, options.frames - done);
        runWholeFrames(frame, block, report);
        runStagedFrames(frame, block, report);
    }
}

void GameBench::runWholeFrames(FrameStages& frame, int count, BenchReport& report) {
    const Stopwatch block;
    for (int i = 0; i < count; ++i) {
        const Stopwatch stopwatch;
        frame.run();
        const Stopwatch::Span span = stopwatch.elapsed();
        report.wholeFrames.add(span.wallMilliseconds);
        report.wholeFramesCpu.add(span.cpuMilliseconds);
    }
    report.wholeRunSeconds += block.elapsed().wallMilliseconds / 1000.0;
}

void GameBench::runStagedFrames(FrameStages& frame, int count, BenchReport& report) {
    for (int i = 0; i < count; ++i) {
        Stopwatch::Span frameSpan;
        const std::vector<Stopwatch::Span> spans = runStagedFrame(frame);
        for (std::size_t s = 0; s < spans.size(); ++s) {
            report.stages[s].times.add(spans[s].wallMilliseconds);
            report.stages[s].cpuTimes.add(spans[s].cpuMilliseconds);
            frameSpan.wallMilliseconds += spans[s].wallMilliseconds;
            frameSpan.cpuMilliseconds += spans[s].cpuMilliseconds;
        }
        report.stagedFrames.add(frameSpan.wallMilliseconds);
        report.stagedFramesCpu.add(frameSpan.cpuMilliseconds);
    }
}

std::vector<Stopwatch::Span> GameBench::runStagedFrame(FrameStages& frame) {
    std::vector<Stopwatch::Span> spans;
    frame.begin();
    for (const FrameStages::Stage& stage : frame.stages()) {
        if (stage.usesGl) {
            glFinish();
        }
        const Stopwatch stopwatch;
        stage.run();
        if (stage.usesGl) {
            glFinish();
        }
        spans.push_back(stopwatch.elapsed());
    }
    return spans;
}
