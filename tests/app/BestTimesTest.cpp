#include "app/BestTimes.h"

#include "TempDirectory.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

constexpr std::uint64_t kLevel = 0x3f2a9c0d11e4b788ull;
constexpr std::uint64_t kOtherLevel = 0x00000000000000ffull;

std::string contents(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Runs work and returns what it printed.
template <typename Work> std::string printed(Work work) {
    testing::internal::CaptureStdout();
    work();
    return testing::internal::GetCapturedStdout();
}

class BestTimesTest : public testing::Test {
protected:
    std::string folder() const { return temp.path("zelvira"); }
    std::string file() const { return temp.path("zelvira/best-times.txt"); }
    void seed(const std::string& text) const {
        std::filesystem::create_directories(folder());
        std::ofstream(file()) << text;
    }

    TempDirectory temp;
};

TEST_F(BestTimesTest, TheFirstFinishIsARecordAndOnlyFasterOnesReplaceIt) {
    {
        BestTimes times(folder());
        EXPECT_EQ(times.best(kLevel), std::nullopt);
        EXPECT_TRUE(times.offer(kLevel, 83.4171));
        EXPECT_FALSE(times.offer(kLevel, 90.0)) << "slower";
        EXPECT_FALSE(times.offer(kLevel, 83.4171)) << "as fast";
        EXPECT_TRUE(times.offer(kOtherLevel, 120.5));
        EXPECT_DOUBLE_EQ(*times.best(kLevel), 83.4171);
        EXPECT_FALSE(std::filesystem::exists(folder())) << "nothing is written before saveNew";
        EXPECT_EQ(printed([&] { times.saveNew(); }), "") << "the folder is made quietly";
    }
    EXPECT_EQ(contents(file()), "# Zelvira best times: <level checksum> <seconds>\n"
                                "00000000000000ff 120.500\n"
                                "3f2a9c0d11e4b788 83.417\n");
    BestTimes reread(folder());
    EXPECT_DOUBLE_EQ(*reread.best(kLevel), 83.417);
    EXPECT_TRUE(reread.offer(kLevel, 80.0)) << "faster";
    reread.saveNew();
    std::filesystem::remove(file());
    reread.saveNew();
    EXPECT_FALSE(std::filesystem::exists(file())) << "saveNew writes only what is new";
    EXPECT_TRUE(reread.offer(kLevel, 79.5));
    reread.saveNew();
    EXPECT_DOUBLE_EQ(*BestTimes(folder()).best(kLevel), 79.5);
    EXPECT_DOUBLE_EQ(*BestTimes(folder()).best(kOtherLevel), 120.5);
}

TEST_F(BestTimesTest, ACorruptFileIsOneLineAndNoRecordsAndIsKeptUntilTheNextRecord) {
    const char* const corrupt[] = {
        "3f2a9c0d11e4b788 eighty\n",        "3F2A9C0D11E4B788 80.0\n", "3f2a9c0d11e4b7 80.0\n",
        "3f2a9c0d11e4b788 80.0 extra\n",    "3f2a9c0d11e4b788 -3\n",   "3f2a9c0d11e4b788 nan\n",
        "00000000000000ff 10.0\ngarbage\n",
    };
    for (const char* text : corrupt) {
        SCOPED_TRACE(text);
        seed(text);
        std::optional<BestTimes> times;
        const std::string output = printed([&] { times.emplace(folder()); });
        EXPECT_EQ(output.find("ERROR: The best times in '" + file() + "' are corrupt"), 0u) << output;
        EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1);
        EXPECT_EQ(times->best(kLevel), std::nullopt);
        EXPECT_EQ(times->best(kOtherLevel), std::nullopt);
        EXPECT_EQ(contents(file()), text);
        EXPECT_TRUE(times->offer(kLevel, 99.0));
        times->saveNew();
        EXPECT_DOUBLE_EQ(*BestTimes(folder()).best(kLevel), 99.0);
    }
}

TEST_F(BestTimesTest, CommentsAndBlankLinesAreNotRecords) {
    seed("# mine\n\n3f2a9c0d11e4b788 80.25\n");
    EXPECT_EQ(printed([&] { EXPECT_DOUBLE_EQ(*BestTimes(folder()).best(kLevel), 80.25); }), "");
}

TEST_F(BestTimesTest, AnUnreadableFileIsOneLineAndNoRecords) {
    std::filesystem::create_directories(file()); // a folder where the file should be
    std::optional<BestTimes> times;
    EXPECT_EQ(printed([&] { times.emplace(folder()); }),
              "ERROR: Could not read the best times in '" + file() + "'; starting without them\n");
    EXPECT_EQ(times->best(kLevel), std::nullopt);
}

TEST_F(BestTimesTest, AFolderThatCannotBeMadePrintsOneLineAndTheRecordStillCountsForTheRun) {
    std::ofstream(temp.path("occupied")) << "a file, not a folder";
    BestTimes times(temp.path("occupied/zelvira"));
    std::string output = printed([&] {
        EXPECT_TRUE(times.offer(kLevel, 70.0));
        times.saveNew();
    });
    EXPECT_EQ(output.find("ERROR: Could not save the best time in '" + temp.path("occupied/zelvira") + "': "),
              0u)
        << output;
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1);
    EXPECT_DOUBLE_EQ(*times.best(kLevel), 70.0);
    EXPECT_FALSE(times.offer(kLevel, 75.0));
}

TEST_F(BestTimesTest, AFailedWriteLeavesTheOldFileIntact) {
    seed("3f2a9c0d11e4b788 90.000\n");
    // The temporary file cannot be made where a folder stands in its way.
    std::filesystem::create_directories(file() + ".tmp/blocker");
    BestTimes times(folder());
    const std::string output = printed([&] {
        EXPECT_TRUE(times.offer(kLevel, 60.0));
        times.saveNew();
    });
    EXPECT_EQ(output.find("ERROR: Could not save the best time in '" + folder() + "': "), 0u) << output;
    EXPECT_EQ(contents(file()), "3f2a9c0d11e4b788 90.000\n");
    EXPECT_TRUE(std::filesystem::exists(file() + ".tmp/blocker"));
}

TEST(BestTimesFolder, XdgDataHomeFirstThenTheHomeFolder) {
    EXPECT_EQ(BestTimes::defaultFolder("/data", "/home/ann"), "/data/zelvira");
    EXPECT_EQ(BestTimes::defaultFolder(nullptr, "/home/ann"), "/home/ann/.local/share/zelvira");
    EXPECT_EQ(BestTimes::defaultFolder("", "/home/ann"), "/home/ann/.local/share/zelvira");
    EXPECT_EQ(BestTimes::defaultFolder("relative", "/home/ann"), "/home/ann/.local/share/zelvira")
        << "the XDG rules ignore a relative path";
    EXPECT_EQ(BestTimes::defaultFolder(nullptr, nullptr), "");
}

} // namespace
