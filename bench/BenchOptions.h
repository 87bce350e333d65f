#pragma once

#include <optional>
#include <string>

// The benchmark's own command line; the game itself takes none.
struct BenchOptions {
    // Frames in each of the two runs: the staged run and the whole-frame run.
    int frames = 600;
    // Window size instead of the one in the settings file, when given.
    std::optional<int> width;
    std::optional<int> height;
    // render_scale instead of the one in the settings file, when given.
    std::optional<float> renderScale;
    std::string outputPath = "zelvira-bench.json";

    // Reads the arguments; prints the problem and the usage and returns nothing when they are wrong.
    static std::optional<BenchOptions> parse(int argc, char** argv);
};
