#pragma once

#include "app/InputRecorder.h"
#include "app/Replay.h"

#include <optional>
#include <string>

class Game;
struct CommandLine;
struct GLFWwindow;

// Where the update stages get their input, once per picture. Live play reads the keyboard and the
// mouse once and runs the updates once, writing the input to a record file when asked. A replay runs
// the updates once for every recorded frame the wall time covers, then, at the end of the file,
// either hands over to live play or asks the game to quit.
class InputSource {
public:
    // Before the window opens: reads the replay file or creates the record file. False, after one
    // line on the console, when the replay file cannot be used.
    bool prepare(const CommandLine& options, const std::string& levelPath);
    // The update stages of one picture, wallDt seconds after the previous one.
    void runUpdates(Game& game, GLFWwindow* window, double wallDt);
    // With --exit-when-done: 0 when the replay reached the finish, 3 when not; otherwise 0.
    int exitCode() const;

private:
    void playRecordedFrames(Game& game, GLFWwindow* window, double wallDt);
    void endReplay(GLFWwindow* window);

    std::optional<InputRecorder> recorder;
    std::optional<Replay> replay;
    bool exitWhenDone = false;
    bool finishReached = false;
};
