#pragma once

#include <optional>
#include <string>

// What the game was started with: play normally, play while recording the input to a file, or play a
// recorded file back.
struct CommandLine {
    static constexpr const char* kUsage =
        "usage: zelvira [--record FILE | --replay FILE [--exit-when-done]]\n"
        "  --record FILE     play and write every frame's input to FILE\n"
        "  --replay FILE     play FILE back, then go on with live input\n"
        "  --exit-when-done  quit at the end of the replay: exit code 0 if it reached the finish, 3 if not";

    std::string recordPath;
    std::string replayPath;
    bool exitWhenDone = false;

    // None when the arguments are not understood; `problem` then says why.
    static std::optional<CommandLine> parse(int argc, const char* const* argv, std::string& problem);

    bool operator==(const CommandLine&) const = default;
};
