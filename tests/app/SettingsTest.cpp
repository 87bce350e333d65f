#include "app/Settings.h"
#include "TempDirectory.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

struct SettingsCase {
    const char* name;
    const char* fileContent; // nullptr: no file at all
    Settings expected;
    bool expectMessage;
};

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
    if (c.expectMessage) {
        EXPECT_EQ(output, "ERROR: Failed to load '" + path + "'. Using default values instead.\n");
    } else {
        EXPECT_EQ(output, "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsTest,
    ::testing::Values(
        SettingsCase{"MissingFile", nullptr, Settings{}, true},
        SettingsCase{"FovOnly", "[camera]\nfov = 90\n", with([](Settings& s) { s.fov = 90.0; }), false},
        SettingsCase{"FullscreenYes", "[window]\nfullscreen = Yes\n",
                     with([](Settings& s) { s.fullscreen = true; }), false},
        SettingsCase{"FullscreenTwoKeepsDefault", "[window]\nfullscreen = 2\n", Settings{}, false},
        SettingsCase{"WidthHex", "[window]\nwidth = 0x400\n", with([](Settings& s) { s.width = 1024; }),
                     false},
        SettingsCase{"WidthNotANumber", "[window]\nwidth = abc\n", Settings{}, false},
        SettingsCase{"UnknownSectionsAndKeys", "[sound]\nvolume = 3\n[window]\ncolour = red\n", Settings{},
                     false},
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
            false},
        SettingsCase{"MalformedLineKeepsTheRest", "[window]\nthis line is broken\nrefresh_rate = 144\n",
                     with([](Settings& s) { s.refreshRate = 144; }), false}),
    [](const auto& info) { return std::string(info.param.name); });

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
            EXPECT_EQ(output.rfind("ERROR: render_scale ", 0), 0u) << c.value << ": " << output;
            EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << c.value << ": " << output;
        } else {
            EXPECT_EQ(output, "") << c.value;
        }
    }
}

} // namespace
