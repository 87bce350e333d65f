#include "app/InputRecord.h"
#include "TempDirectory.h"
#include "app/InputRecorder.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
#include <sstream>

namespace {

const std::string kHeader = "zelvira-input-record 1\nlevel 00c0ffee12345678 assets/scene.fbx\n";

FrameInput frameOf(double dt, PlayerKeys keys, glm::dvec2 look,
                   std::initializer_list<int> functionKeys = {}) {
    FrameInput frame;
    frame.dt = dt;
    frame.keys = keys;
    frame.look = look;
    for (int key : functionKeys) {
        frame.addFunctionKey(key);
    }
    return frame;
}

// Frames whose numbers have no short decimal form, every key, and function keys in their order.
std::vector<FrameInput> sampleFrames() {
    return {frameOf(1.0 / 60.0, {1, 0, 0, 1, 0}, {0.0, 0.0}),
            frameOf(1.0 / 3.0, {0, 1, 1, 0, 1}, {-12.5, 1.0 / 7.0}, {GLFW_KEY_F9, GLFW_KEY_F1}),
            frameOf(0.0, {}, {1e-300, -3.0e7}, {GLFW_KEY_F11, GLFW_KEY_F4, GLFW_KEY_F4}),
            frameOf(2.718281828459045, {1, 1, 1, 1, 1}, {640.0, -480.0})};
}

std::string textOf(const std::vector<FrameInput>& frames) {
    std::string text = InputRecord::header("assets/my level.fbx", 0x00c0ffee12345678ULL);
    for (const FrameInput& frame : frames) {
        char line[InputRecord::kMaxFrameLine];
        text.append(line, InputRecord::formatFrame(frame, line));
    }
    return text;
}

std::optional<InputRecord> parse(const std::string& text, std::string& problem) {
    std::istringstream in(text);
    return InputRecord::parse(in, problem);
}

TEST(InputRecordTest, WrittenFramesReadBackExactly) {
    const std::string text = textOf(sampleFrames());
    std::string problem;
    const std::optional<InputRecord> record = parse(text, problem);
    ASSERT_TRUE(record) << problem;
    EXPECT_EQ(record->levelPath, "assets/my level.fbx");
    EXPECT_EQ(record->levelChecksum, 0x00c0ffee12345678ULL);
    EXPECT_EQ(record->frames, sampleFrames());
}

TEST(InputRecordTest, LinesAreReadableText) {
    EXPECT_EQ(textOf({frameOf(0.25, {1, 0, 0, 1, 1}, {3.0, -2.5}, {GLFW_KEY_F9, GLFW_KEY_F11})}),
              "zelvira-input-record 1\n"
              "level 00c0ffee12345678 assets/my level.fbx\n"
              "0.25 W--DJ 3 -2.5 F9,F11\n");
    std::string problem;
    const auto record = parse(kHeader + "0.5 ----- 0 0 -\r\n", problem);
    ASSERT_TRUE(record) << problem;
    EXPECT_EQ(record->frames.at(0).dt, 0.5) << "a line end written on another system is accepted";
}

struct MalformedCase {
    const char* what;
    std::string text;
    const char* problem;
};

class MalformedRecordTest : public testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedRecordTest, NamesTheLineAndWhatIsWrong) {
    std::string problem;
    EXPECT_FALSE(parse(GetParam().text, problem));
    EXPECT_EQ(problem.substr(0, std::string(GetParam().problem).size()), GetParam().problem) << problem;
}

const std::string kFrame = "0.25 W---- 0 0 -\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedRecordTest,
    testing::Values(
        MalformedCase{"empty file", "", "line 1: empty"},
        MalformedCase{"another format", "zelvira-settings 1\n", "line 1: not an input record"},
        MalformedCase{"newer version", "zelvira-input-record 2\n" + kFrame,
                      "line 1: version 2 is not supported"},
        MalformedCase{"no level line", "zelvira-input-record 1\n", "line 2: expected \"level"},
        MalformedCase{"short checksum", "zelvira-input-record 1\nlevel c0ffee assets/scene.fbx\n", "line 2"},
        MalformedCase{"checksum not hex", "zelvira-input-record 1\nlevel 00c0ffee1234567g assets/scene.fbx\n",
                      "line 2"},
        MalformedCase{"no level path", "zelvira-input-record 1\nlevel 00c0ffee12345678\n", "line 2"},
        MalformedCase{"a field missing", kHeader + "0.25 W---- 0 -\n", "line 3: expected"},
        MalformedCase{"a field too many", kHeader + kFrame + "0.25 W---- 0 0 - 1\n", "line 4: expected"},
        MalformedCase{"two spaces", kHeader + "0.25  W---- 0 0 -\n", "line 3"},
        MalformedCase{"negative frame time", kHeader + "-0.25 W---- 0 0 -\n", "line 3"},
        MalformedCase{"frame time not a number", kHeader + "nan W---- 0 0 -\n", "line 3"},
        MalformedCase{"key letter out of place", kHeader + "0.25 -W--- 0 0 -\n", "line 3"},
        MalformedCase{"four keys", kHeader + "0.25 W--- 0 0 -\n", "line 3"},
        MalformedCase{"look not a number", kHeader + "0.25 W---- 0x1 0 -\n", "line 3"},
        MalformedCase{"function key never recorded", kHeader + "0.25 W---- 0 0 F7\n", "line 3"},
        MalformedCase{"more function keys than a frame keeps",
                      kHeader + "0.25 W---- 0 0 F1,F1,F1,F1,F1,F1,F1,F1,F1\n", "line 3"},
        MalformedCase{"empty line", kHeader + kFrame + "\n" + kFrame, "line 4"}),
    [](const testing::TestParamInfo<MalformedCase>& info) {
        std::string name = info.param.what;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

TEST(InputRecordFileTest, ReadingNamesTheFileWithTheLine) {
    TempDirectory folder;
    std::string problem;
    EXPECT_FALSE(InputRecord::read(folder.path("missing.zrec"), problem));
    EXPECT_EQ(problem, "'" + folder.path("missing.zrec") + "': the file cannot be read");

    const std::string path = folder.write("broken.zrec", kHeader + kFrame + "0.25 W---- zero 0 -\n");
    EXPECT_FALSE(InputRecord::read(path, problem));
    EXPECT_EQ(problem.substr(0, path.size() + 10), "'" + path + "' line 4:");
}

TEST(InputRecorderTest, RecordsWhatIsPlayedAndReachesTheDiskEverySecond) {
    TempDirectory folder;
    const std::string path = folder.path("run.zrec");
    std::string problem;
    {
        InputRecorder recorder;
        ASSERT_TRUE(recorder.open(path, "assets/scene.fbx", 0x00c0ffee12345678ULL));
        for (const FrameInput& frame : sampleFrames()) {
            recorder.record(frame);
        }
        const std::optional<InputRecord> onDisk = InputRecord::read(path, problem);
        ASSERT_TRUE(onDisk) << problem;
        EXPECT_EQ(onDisk->frames, sampleFrames()) << "3 s of play have been flushed while the game runs";
        recorder.record(frameOf(0.1, {}, {}));
    }
    const std::optional<InputRecord> complete = InputRecord::read(path, problem);
    ASSERT_TRUE(complete) << problem;
    EXPECT_EQ(complete->frames.size(), sampleFrames().size() + 1) << "closing writes the rest";
}

TEST(InputRecorderTest, AnUnwritablePathIsReportedAndNothingIsRecorded) {
    TempDirectory folder;
    testing::internal::CaptureStdout();
    InputRecorder recorder;
    EXPECT_FALSE(recorder.open(folder.path("no-such-folder/run.zrec"), "assets/scene.fbx", 0));
    recorder.record(frameOf(0.1, {}, {}));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR: Cannot write the record file '" +
                                                          folder.path("no-such-folder/run.zrec") +
                                                          "'; playing without recording\n");
}

} // namespace
