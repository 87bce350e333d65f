#include "app/InputSource.h"
#include "TempDirectory.h"
#include "app/AppState.h"
#include "app/CommandLine.h"
#include "app/InputRecord.h"
#include "app/LevelChecksum.h"

#include <gtest/gtest.h>

namespace {

// What the game prepares before its window opens, with the console it prints.
class InputSourceTest : public testing::Test {
protected:
    void TearDown() override { appState.replaying = false; }

    bool prepare(const CommandLine& options, std::string& console) {
        testing::internal::CaptureStdout();
        const bool ready = source.prepare(options, level);
        console = testing::internal::GetCapturedStdout();
        return ready;
    }

    std::string recordFor(std::uint64_t checksum) {
        return folder.write("run.zrec", InputRecord::header(level, checksum) + "0.5 W---- 0 0 -\n");
    }

    TempDirectory folder;
    std::string level = folder.write("level.fbx", "a level");
    InputSource source;
};

TEST_F(InputSourceTest, AReplayOfThisLevelPlaysWithoutAWord) {
    std::string console;
    EXPECT_TRUE(prepare({"", recordFor(*levelChecksum(level)), true}, console));
    EXPECT_EQ(console, "");
    EXPECT_TRUE(appState.replaying);
    EXPECT_EQ(source.exitCode(), 3) << "nothing has reached the finish yet";
}

TEST_F(InputSourceTest, AReplayOfAnotherLevelWarnsOnceAndPlaysAnyway) {
    std::string console;
    const std::string record = recordFor(0x1234);
    EXPECT_TRUE(prepare({"", record, false}, console));
    EXPECT_EQ(console, "WARNING: '" + record + "' was recorded on a level with checksum 0000000000001234; '" +
                           level + "' has " + InputRecord::checksumText(*levelChecksum(level)) +
                           ". Playing it anyway\n");
    EXPECT_TRUE(appState.replaying);
}

TEST_F(InputSourceTest, AnUnusableReplayIsOneErrorLineAndNoGame) {
    std::string console;
    EXPECT_FALSE(prepare({"", folder.path("missing.zrec"), false}, console));
    EXPECT_EQ(console,
              "ERROR: Cannot replay '" + folder.path("missing.zrec") + "': the file cannot be read\n");
    EXPECT_FALSE(appState.replaying);
}

TEST_F(InputSourceTest, AnUnwritableRecordIsOneLineAndTheGamePlays) {
    std::string console;
    EXPECT_TRUE(prepare({folder.path("missing/run.zrec"), "", false}, console));
    EXPECT_EQ(console, "ERROR: Cannot write the record file '" + folder.path("missing/run.zrec") +
                           "'; playing without recording\n");
    EXPECT_FALSE(appState.replaying);
    EXPECT_EQ(source.exitCode(), 0);
}

} // namespace
