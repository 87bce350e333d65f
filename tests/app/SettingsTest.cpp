#include "app/Settings.h"
#include "TempDirectory.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

struct SettingsCase {
    const char* name;
    const char* fileContent; // nullptr: no file at all
    Settings expected;
    // The console lines, with PATH standing for the file's path.
    std::string output;
};

const std::string kFailedToLoad = "ERROR: Failed to load 'PATH'. Using default values instead.\n";

void PrintTo(const SettingsCase& c, std::ostream* os) {
    *os << c.name;
}

Settings with(auto change) {
    Settings settings;
    change(settings);
    return settings;
}

class SettingsTest : public ::testing::TestWithParam<SettingsCase> {
protected:
    TempDirectory folder;
    const std::string path = folder.path("settings.ini");
};

TEST_P(SettingsTest, LoadsKeysWithDefaults) {
    const SettingsCase& c = GetParam();
    if (c.fileContent != nullptr) {
        folder.write("settings.ini", c.fileContent);
    }

    testing::internal::CaptureStdout();
    const Settings s = Settings::load(path);
    const std::string output = testing::internal::GetCapturedStdout();

    EXPECT_EQ(s.width, c.expected.width);
    EXPECT_EQ(s.height, c.expected.height);
    EXPECT_EQ(s.refreshRate, c.expected.refreshRate);
    EXPECT_FLOAT_EQ(s.brightness, c.expected.brightness);
    EXPECT_EQ(s.fullscreen, c.expected.fullscreen);
    EXPECT_EQ(s.title, c.expected.title);
    EXPECT_DOUBLE_EQ(s.fov, c.expected.fov);
    EXPECT_DOUBLE_EQ(s.near, c.expected.near);
    EXPECT_DOUBLE_EQ(s.far, c.expected.far);
    EXPECT_FLOAT_EQ(s.renderScale, c.expected.renderScale);
    EXPECT_FLOAT_EQ(s.volume, c.expected.volume);
    EXPECT_EQ(s.audioEnabled, c.expected.audioEnabled);
    std::string expectedOutput = c.output;
    for (std::size_t at; (at = expectedOutput.find("PATH")) != std::string::npos;) {
        expectedOutput.replace(at, 4, path);
    }
    EXPECT_EQ(output, expectedOutput);
}

TEST(SettingsFileTest, ADirectoryInPlaceOfTheFileUsesTheDefaults) {
    TempDirectory folder;
    folder.write("settings.ini/width", "[window]\nwidth = 1024\n");
    const std::string path = folder.path("settings.ini");

    testing::internal::CaptureStdout();
    const Settings s = Settings::load(path);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ERROR: Failed to load '" + path + "'. Using default values instead.\n");
    EXPECT_EQ(s.width, Settings{}.width);
}

// A size the monitor or the GL cannot show falls back to the default, or to the limit below that.
TEST(SettingsLimitTest, WindowSizeAboveALimitFallsBack) {
    const struct {
        const char* name;
        int width, height, maxWidth, maxHeight;
        bool changed;
        int expectedWidth, expectedHeight;
        const char* output;
    } cases[] = {
        {"within", 1920, 1200, 1920, 1200, false, 1920, 1200, ""},
        {"too wide", 3000, 600, 1920, 1200, true, 800, 600,
         "ERROR: [window] width = 3000 is more than the monitor allows (1920); using 800\n"},
        {"both too large", 2000, 1500, 1920, 1200, true, 800, 800,
         "ERROR: [window] width = 2000 is more than the monitor allows (1920); using 800\n"
         "ERROR: [window] height = 1500 is more than the monitor allows (1200); using 800\n"},
        {"default too large", 1000, 700, 640, 480, true, 640, 480,
         "ERROR: [window] width = 1000 is more than the monitor allows (640); using 640\n"
         "ERROR: [window] height = 700 is more than the monitor allows (480); using 480\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Settings settings;
        settings.width = c.width;
        settings.height = c.height;
        testing::internal::CaptureStdout();
        EXPECT_EQ(settings.limitWindowSize(c.maxWidth, c.maxHeight, "the monitor"), c.changed);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.output);
        EXPECT_EQ(settings.width, c.expectedWidth);
        EXPECT_EQ(settings.height, c.expectedHeight);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsTest,
    ::testing::Values(
        SettingsCase{"MissingFile", nullptr, Settings{}, kFailedToLoad},
        SettingsCase{"FovOnly", "[camera]\nfov = 90\n", with([](Settings& s) { s.fov = 90.0; }), ""},
        SettingsCase{"FullscreenYes", "[window]\nfullscreen = Yes\n",
                     with([](Settings& s) { s.fullscreen = true; }), ""},
        SettingsCase{"FullscreenTwoKeepsDefault", "[window]\nfullscreen = 2\n", Settings{}, ""},
        SettingsCase{"WidthHex", "[window]\nwidth = 0x400\n", with([](Settings& s) { s.width = 1024; }), ""},
        SettingsCase{"WidthNotANumber", "[window]\nwidth = abc\n", Settings{}, ""},
        SettingsCase{"UnknownSectionsAndKeys", "[sound]\nvolume = 3\n[window]\ncolour = red\n", Settings{},
                     ""},
        SettingsCase{
            "CaseInsensitiveNamesAndTrimmedTitle",
            "[WINDOW]\nHeight = 600\ntitle =   My Game  \nbrightness = 1.5\n[Camera]\nNEAR = 0.5\nfar=50\n",
            with([](Settings& s) {
                s.height = 600;
                s.title = "My Game";
                s.brightness = 1.5f;
                s.near = 0.5;
                s.far = 50.0;
            }),
            ""},
        // inih goes on after a malformed line and reports the first one.
        SettingsCase{"MalformedLineKeepsTheRest",
                     "[window]\nthis line is broken\nrefresh_rate = 144\nalso broken\n",
                     with([](Settings& s) { s.refreshRate = 144; }),
                     "ERROR: 'PATH' line 2 is malformed and ignored; the other lines are used\n"},
        SettingsCase{"AllInRange",
                     "[window]\nwidth = 64\nheight = 16384\nrefresh_rate = 1\nbrightness = 100\n"
                     "render_scale = 0.25\n[camera]\nfov = 179.5\nnear = 1e-6\nfar = 1e9\n"
                     "[audio]\nvolume = 0\nenabled = no\n",
                     with([](Settings& s) {
                         s.width = 64;
                         s.height = 16384;
                         s.refreshRate = 1;
                         s.brightness = 100.0f;
                         s.renderScale = 0.25f;
                         s.fov = 179.5;
                         s.near = 1e-6;
                         s.far = 1e9;
                         s.volume = 0.0f;
                         s.audioEnabled = false;
                     }),
                     ""},
        SettingsCase{
            "OutOfRangeKeepsDefaults",
            "[window]\nwidth = 100000\nheight = -5\nrefresh_rate = 0\nbrightness = nan\n"
            "render_scale = 1.5\n[camera]\nfov = 0\nnear = 0\nfar = -1\n[audio]\nvolume = -0.1\n",
            Settings{},
            "ERROR: [window] width = 100000 is out of range (at least 64 and at most 16384); using 800\n"
            "ERROR: [window] height = -5 is out of range (at least 64 and at most 16384); using 800\n"
            "ERROR: [window] refresh_rate = 0 is out of range (at least 1 and at most 1000); using 60\n"
            "ERROR: [window] brightness = nan is out of range (above 0 and at most 100); using 1\n"
            "ERROR: [window] render_scale = 1.5 is out of range (at least 0.25 and at most 1); using 1\n"
            "ERROR: [camera] fov = 0 is out of range (above 0 and below 180); using 60\n"
            "ERROR: [camera] near = 0 is out of range (above 0); using 0.1\n"
            "ERROR: [camera] far = -1 is out of range (above 0); using 100\n"
            "ERROR: [audio] volume = -0.1 is out of range (at least 0 and at most 1); using 0.8\n"},
        SettingsCase{
            "UpperEndsOutOfRange",
            "[window]\nwidth = 16385\nbrightness = inf\n[camera]\nfov = 180\nfar = 1e400\n", Settings{},
            "ERROR: [window] width = 16385 is out of range (at least 64 and at most 16384); using 800\n"
            "ERROR: [window] brightness = inf is out of range (above 0 and at most 100); using 1\n"
            "ERROR: [camera] fov = 180 is out of range (above 0 and below 180); using 60\n"
            "ERROR: [camera] far = inf is out of range (above 0); using 100\n"},
        SettingsCase{"NearBeyondFarKeepsBothDefaults", "[camera]\nnear = 50\nfar = 10\n", Settings{},
                     "ERROR: [camera] near = 50 is not less than far = 10; using near = 0.1 and far = 100\n"},
        SettingsCase{
            "NearBeyondDefaultFar", "[camera]\nnear = 200\n", Settings{},
            "ERROR: [camera] near = 200 is not less than far = 100; using near = 0.1 and far = 100\n"},
        SettingsCase{
            "HugeIntegerIsOutOfRangeNotWrapped", "[window]\nheight = 4294967296800\n", Settings{},
            "ERROR: [window] height = 4294967296800 is out of range (at least 64 and at most 16384); "
            "using 800\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsRangeTest, AVolumeOutsideZeroToOneKeepsTheDefaultWithOneLine) {
    struct Case {
        const char* value;
        const char* line; // nullptr: accepted without a word
        float volume;
    };
    const Case cases[] = {
        {"1", nullptr, 1.0f},
        {"1.5", "ERROR: [audio] volume = 1.5 is out of range (at least 0 and at most 1); using 0.8\n", 0.8f},
        {"-0.1", "ERROR: [audio] volume = -0.1 is out of range (at least 0 and at most 1); using 0.8\n",
         0.8f},
        {"nan", "ERROR: [audio] volume = nan is out of range (at least 0 and at most 1); using 0.8\n", 0.8f},
        {"loud", nullptr, 0.8f},
    };
    TempDirectory folder;
    for (const Case& c : cases) {
        const std::string path =
            folder.write("settings.ini", std::string("[audio]\nvolume = ") + c.value + "\n");
        testing::internal::CaptureStdout();
        const Settings settings = Settings::load(path);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.line == nullptr ? "" : c.line) << c.value;
        EXPECT_FLOAT_EQ(settings.volume, c.volume) << c.value;
    }
}

// render_scale is taken from 0.25 to 1.0; anything else keeps 1.0 and says so in one line.
TEST(RenderScaleSettingTest, TakesTheRangeAndRejectsTheRestInOneLine) {
    struct Case {
        const char* value;
        float expected;
        bool rejected;
    };
    const Case cases[] = {{"0.5", 0.5f, false}, {"0.25", 0.25f, false}, {"1.0", 1.0f, false},
                          {"0.2", 1.0f, true},  {"1.5", 1.0f, true},    {"-1", 1.0f, true},
                          {"nan", 1.0f, true},  {"abc", 1.0f, false}};
    for (const Case& c : cases) {
        TempDirectory folder;
        folder.write("settings.ini", std::string("[window]\nrender_scale = ") + c.value + "\n");
        testing::internal::CaptureStdout();
        const Settings settings = Settings::load(folder.path("settings.ini"));
        const std::string output = testing::internal::GetCapturedStdout();
        EXPECT_FLOAT_EQ(settings.renderScale, c.expected) << c.value;
        if (c.rejected) {
            EXPECT_EQ(output.rfind("ERROR: [window] render_scale ", 0), 0u) << c.value << ": " << output;
            EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << c.value << ": " << output;
        } else {
            EXPECT_EQ(output, "") << c.value;
        }
    }
}

} // namespace
