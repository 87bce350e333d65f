#include "BenchOptions.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::optional<BenchOptions> parse(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "zelvira-bench");
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    return BenchOptions::parse(static_cast<int>(argv.size()), argv.data());
}

TEST(BenchOptionsTest, DefaultsAndEveryOption) {
    const auto defaults = parse({});
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->frames, 600);
    EXPECT_FALSE(defaults->width);
    EXPECT_FALSE(defaults->height);
    EXPECT_FALSE(defaults->renderScale);
    EXPECT_EQ(defaults->outputPath, "zelvira-bench.json");

    const auto given = parse({"--frames", "5", "--width", "640", "--height", "480", "--render-scale", "0.5",
                              "--output", "out/x.json"});
    ASSERT_TRUE(given);
    EXPECT_EQ(given->frames, 5);
    EXPECT_EQ(given->width, 640);
    EXPECT_EQ(given->height, 480);
    EXPECT_EQ(given->renderScale, 0.5f);
    EXPECT_EQ(given->outputPath, "out/x.json");
}

TEST(BenchOptionsTest, RejectsWhatIsNotAPositiveCountOrAnOption) {
    const std::vector<std::vector<std::string>> wrong = {
        {"--frames"},     {"--frames", "0"},          {"--frames", "-3"},        {"--frames", "12x"},
        {"--frames", ""}, {"--width", "99999999999"}, {"--fullscreen", "1"},     {"5"},
        {"--output"},     {"--render-scale", "0.2"},  {"--render-scale", "1.5"}, {"--render-scale", "x"},
    };
    for (const auto& arguments : wrong) {
        EXPECT_FALSE(parse(arguments)) << arguments[0] << (arguments.size() > 1 ? " " + arguments[1] : "");
    }
}

} // namespace
