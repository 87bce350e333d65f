#include "app/CommandLine.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct CommandLineCase {
    std::vector<const char*> arguments;
    std::optional<CommandLine> options;
    const char* problem;
};

class CommandLineTest : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, ReadsTheModeOrSaysWhatIsWrong) {
    std::vector<const char*> argv = {"zelvira"};
    argv.insert(argv.end(), GetParam().arguments.begin(), GetParam().arguments.end());
    std::string problem;
    const std::optional<CommandLine> options =
        CommandLine::parse(static_cast<int>(argv.size()), argv.data(), problem);
    EXPECT_EQ(options, GetParam().options);
    EXPECT_EQ(problem, GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineTest,
    testing::Values(
        CommandLineCase{{}, CommandLine{}, ""},
        CommandLineCase{{"--record", "run.zrec"}, CommandLine{"run.zrec", "", false}, ""},
        CommandLineCase{{"--replay", "route.zrec"}, CommandLine{"", "route.zrec", false}, ""},
        CommandLineCase{{"--exit-when-done", "--replay", "a b.zrec"}, CommandLine{"", "a b.zrec", true}, ""},
        CommandLineCase{{"--replay"}, std::nullopt, "--replay needs a FILE"},
        CommandLineCase{{"--record", ""}, std::nullopt, "--record needs a FILE"},
        CommandLineCase{{"--replay", "a", "--replay", "b"}, std::nullopt, "--replay given twice"},
        CommandLineCase{{"--fullscreen"}, std::nullopt, "unknown option --fullscreen"},
        CommandLineCase{{"route.zrec"}, std::nullopt, "unknown option route.zrec"},
        CommandLineCase{
            {"--record", "a", "--replay", "b"}, std::nullopt, "--record and --replay cannot be combined"},
        CommandLineCase{{"--exit-when-done"}, std::nullopt, "--exit-when-done needs --replay"}));

} // namespace
