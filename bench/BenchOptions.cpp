#include "BenchOptions.h"

#include <charconv>
#include <iostream>
#include <string_view>

namespace {

const char* const kUsage =
    "usage: zelvira-bench [--frames N] [--width W] [--height H] [--render-scale S] [--output FILE]\n"
    "Run from the repository root: the game's assets are read from ./assets.";

std::optional<int> positiveInt(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value <= 0) {
        return std::nullopt;
    }
    return value;
}

std::optional<float> parseRenderScale(const std::string& text) {
    float value = 0.0f;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0.25f || value > 1.0f) {
        return std::nullopt;
    }
    return value;
}

std::optional<BenchOptions> reject(const std::string& problem) {
    std::cout << "zelvira-bench: " << problem << "\n" << kUsage << std::endl;
    return std::nullopt;
}

} // namespace

std::optional<BenchOptions> BenchOptions::parse(int argc, char** argv) {
    BenchOptions options;
    for (int i = 1; i < argc; i += 2) {
        const std::string name = argv[i];
        if (name != "--frames" && name != "--width" && name != "--height" && name != "--render-scale" &&
            name != "--output") {
            return reject("unknown option " + name);
        }
        if (i + 1 >= argc) {
            return reject("missing value after " + name);
        }
        const std::string value = argv[i + 1];
        if (name == "--output") {
            options.outputPath = value;
            continue;
        }
        if (name == "--render-scale") {
            options.renderScale = parseRenderScale(value);
            if (!options.renderScale) {
                return reject("render scale outside 0.25 to 1: " + value);
            }
            continue;
        }
        const std::optional<int> number = positiveInt(value);
        if (!number) {
            return reject("not a positive whole number: " + name + " " + value);
        }
        if (name == "--frames") {
            options.frames = *number;
        } else if (name == "--width") {
            options.width = number;
        } else {
            options.height = number;
        }
    }
    return options;
}
