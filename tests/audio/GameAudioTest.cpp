// GameAudio on the real OpenAL Soft, its output captured by the wave driver in real time.
#include "audio/GameAudio.h"
#include "TempDirectory.h"
#include "WaveCapture.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace {

const std::string kSounds = std::string(ZELVIRA_SOURCE_DIR) + "/assets/sounds/";
// Far below anything audible, far above the exact zeros the mixer writes when nothing plays.
const double kSilence = 1e-4;
const double kAudible = 1e-2;

const glm::vec3 kAhead(0.0f, 0.0f, -1.0f);
const glm::vec3 kUp(0.0f, 1.0f, 0.0f);

WaveCapture& capture() {
    static WaveCapture waveCapture;
    return waveCapture;
}

void waitSeconds(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// Opens the sound at the start of the file, lets `play` act on it `delay` seconds in, keeps the device
// open for `length` seconds in all and returns what it wrote.
template <typename Play> std::vector<float> record(float volume, double delay, double length, Play play) {
    capture();
    {
        GameAudio audio(kSounds, volume, true);
        audio.setListener(glm::vec3(0.0f), kAhead, kUp);
        waitSeconds(delay);
        play(audio);
        waitSeconds(length - delay);
    }
    return capture().read();
}

TEST(GameAudioTest, AJumpIsHeardFromWhenItIsPlayedAndNotBefore) {
    testing::internal::CaptureStdout();
    const auto samples = record(0.8f, 0.6, 1.4, [](GameAudio& audio) { audio.playJump(1.0f); });
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    ASSERT_GT(samples.size(), 2u * WaveCapture::kRate) << "the wave driver wrote less than a second";
    const double before = WaveCapture::rms(samples, 0.0, 0.5);
    const double after = WaveCapture::rms(samples, 0.6, 1.0);
    const double start = WaveCapture::firstSoundAt(samples, 1e-3f);
    std::cout << "jump: RMS " << before << " before, " << after << " after; first sound at " << start
              << " s (played at 0.6 s)" << std::endl;
    EXPECT_LT(before, kSilence);
    EXPECT_GT(after, kAudible);
    EXPECT_GT(start, 0.55);
    EXPECT_LT(start, 0.9);
}

TEST(GameAudioTest, VolumeZeroAndMuteAreSilentAndUnmutingIsNot) {
    const auto atZero = record(0.0f, 0.2, 0.8, [](GameAudio& audio) {
        audio.playJump(1.0f);
        audio.playTurretShot(glm::vec3(1.0f, 0.0f, 0.0f));
    });
    const auto muted = record(0.8f, 0.2, 0.8, [](GameAudio& audio) {
        audio.setMuted(true);
        audio.playJump(1.0f);
    });
    // Muting also silences what is already playing; unmuting lets the next sound through.
    const auto unmuted = record(0.8f, 0.2, 1.4, [](GameAudio& audio) {
        audio.playTurretShot(glm::vec3(0.0f, 0.0f, -1.0f));
        audio.setMuted(true);
        waitSeconds(0.4);
        audio.setMuted(false);
        audio.playJump(1.0f);
    });
    std::cout << "volume 0: RMS " << WaveCapture::rms(atZero, 0.0, 0.8) << "; muted: RMS "
              << WaveCapture::rms(muted, 0.0, 0.8) << "; muted then unmuted: RMS "
              << WaveCapture::rms(unmuted, 0.0, 0.6) << " then " << WaveCapture::rms(unmuted, 0.6, 1.0)
              << std::endl;
    EXPECT_LT(WaveCapture::rms(atZero, 0.0, 0.8), kSilence);
    EXPECT_LT(WaveCapture::rms(muted, 0.0, 0.8), kSilence);
    EXPECT_LT(WaveCapture::rms(unmuted, 0.0, 0.55), kSilence);
    EXPECT_GT(WaveCapture::rms(unmuted, 0.6, 1.0), kAudible);
}

TEST(GameAudioTest, TheCountdownTicksAndTheLossAreHeardWhenTheStateReachesThem) {
    const auto samples = record(0.8f, 0.2, 1.6, [](GameAudio& audio) {
        audio.updateCues(10.5, false, false);
        audio.updateCues(10.2, false, false);
        waitSeconds(0.3);
        audio.updateCues(9.9, false, false);
        waitSeconds(0.3);
        audio.updateCues(-0.1, false, true);
    });
    const double beforeTick = WaveCapture::rms(samples, 0.0, 0.45);
    const double tick = WaveCapture::rms(samples, 0.5, 0.6);
    const double loss = WaveCapture::rms(samples, 0.8, 1.4);
    std::cout << "countdown: RMS " << beforeTick << " before the tick, " << tick << " at it, " << loss
              << " at the loss" << std::endl;
    EXPECT_LT(beforeTick, kSilence);
    EXPECT_GT(tick, kAudible);
    EXPECT_GT(loss, kAudible);
    EXPECT_LT(WaveCapture::rms(samples, 0.65, 0.75), kSilence) << "the tick is a short blip";
}

struct SideCase {
    const char* name;
    glm::vec3 source;
    glm::vec3 front;
    int louderChannel; // 0 left, 1 right
};

void PrintTo(const SideCase& c, std::ostream* os) {
    *os << c.name;
}

class GameAudioSideTest : public testing::TestWithParam<SideCase> {};

TEST_P(GameAudioSideTest, APositionalSoundIsLouderOnItsSide) {
    const SideCase& c = GetParam();
    const auto samples = record(0.8f, 0.2, 0.8, [&c](GameAudio& audio) {
        audio.setListener(glm::vec3(0.0f), c.front, kUp);
        audio.playTurretShot(c.source);
    });
    const double louder = WaveCapture::rms(samples, 0.0, 0.8, c.louderChannel);
    const double quieter = WaveCapture::rms(samples, 0.0, 0.8, 1 - c.louderChannel);
    std::cout << c.name << ": RMS louder side " << louder << ", other side " << quieter << ", ratio "
              << louder / quieter << std::endl;
    EXPECT_GT(louder, kAudible);
    EXPECT_GT(louder, 2.0 * quieter);
}

INSTANTIATE_TEST_SUITE_P(
    Sides, GameAudioSideTest,
    testing::Values(SideCase{"RightOfListenerFacingMinusZ", {4.0f, 0.0f, 0.0f}, kAhead, 1},
                    SideCase{"LeftOfListenerFacingMinusZ", {-4.0f, 0.0f, 0.0f}, kAhead, 0},
                    // Turned to face +x, the listener has +z on its right.
                    SideCase{"RightOfListenerFacingPlusX", {0.0f, 0.0f, 4.0f}, {1.0f, 0.0f, 0.0f}, 1}),
    [](const testing::TestParamInfo<SideCase>& info) { return std::string(info.param.name); });

TEST(GameAudioTest, MissingAndBrokenSoundFilesAreReportedOnceEachAndStaySilent) {
    TempDirectory folder;
    folder.write("jump.wav", "RIFF, but not really");
    std::filesystem::copy_file(kSounds + "tick.wav", folder.path("tick.wav"));
    capture();
    testing::internal::CaptureStdout();
    {
        GameAudio audio(folder.path(""), 0.8f, true);
        audio.playJump(1.0f);
        audio.playTurretShot(glm::vec3(1.0f, 0.0f, 0.0f));
        waitSeconds(0.3);
    }
    const std::string output = testing::internal::GetCapturedStdout();
    for (const char* name : {"jump", "pea_impact", "turret_shot", "win", "lose"}) {
        const std::string line =
            "ERROR: Failed to load sound '" + folder.path(std::string(name) + ".wav") + "'";
        EXPECT_NE(output.find(line), std::string::npos) << name << " not reported in:\n" << output;
    }
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 5) << output;
    EXPECT_LT(WaveCapture::rms(capture().read(), 0.0, 0.3), kSilence);
}

TEST(GameAudioTest, DisabledSoundOpensNoDeviceAndSaysNothing) {
    capture().discard();
    testing::internal::CaptureStdout();
    {
        GameAudio audio(kSounds, 0.8f, false);
        audio.setListener(glm::vec3(1.0f), kAhead, kUp);
        audio.playJump(1.0f);
        audio.offerPeaImpact(glm::vec3(0.0f), 10.0f);
        audio.playPeaImpacts();
        audio.updateCues(5.0, false, false);
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(capture().read().empty()) << "a sound device was opened";
}

} // namespace
