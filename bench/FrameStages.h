#pragma once

#include <functional>
#include <vector>

class FrameCounter;
class Game;
class ScriptedInput;
struct GLFWwindow;

// One frame of the game as its loop runs it, cut into stages in the loop's order: polling the
// events, the game's frame sequence stage by stage, and the buffer swap. Only the input differs
// from the game: it comes from a script.
class FrameStages {
public:
    struct Stage {
        const char* name;
        // The stage issues GL commands whose work may still be pending when it returns.
        bool usesGl;
        std::function<void()> run;
    };

    FrameStages(Game& game, ScriptedInput& input, FrameCounter& counter, GLFWwindow* window);
    FrameStages(const FrameStages&) = delete;
    FrameStages& operator=(const FrameStages&) = delete;

    // Starts the next frame: its time from the wall clock, as the loop takes it before polling the
    // events, and the game clock advanced by it, as the game's first update stage does.
    void begin();
    const std::vector<Stage>& stages() const { return stageList; }
    // The whole frame, begin included, stage after stage with nothing in between.
    void run();

private:
    Game& game;
    FrameCounter& counter;
    double dt = 0.0;
    std::vector<Stage> stageList;
};
