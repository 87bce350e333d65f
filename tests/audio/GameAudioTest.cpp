// GameAudio on the real OpenAL Soft, its output captured by the wave driver in real time.
#include "audio/GameAudio.h"
#include "TempDirectory.h"
#include "WaveCapture.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
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

// Seconds since the device was opened, which is where the file starts; under load, sleeps overrun, so
// tests read the clock when they play instead of trusting their waits.
using SecondsSinceOpen = std::function<double()>;

// Opens the sound at the start of the file, lets `play` act on it, keeps the device open until `length`
// seconds have passed and returns what it wrote.
template <typename Play> std::vector<float> record(float volume, double length, Play play) {
    capture();
    const auto opened = std::chrono::steady_clock::now();
    const SecondsSinceOpen since = [opened] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - opened).count();
    };
    {
        GameAudio audio(kSounds, volume, true);
        audio.setListener(glm::vec3(0.0f), kAhead, kUp);
        play(audio, since);
        waitSeconds(length - since());
    }
    return capture().read();
}

TEST(GameAudioTest, AJumpIsHeardFromWhenItIsPlayedAndNotBefore) {
    double playedAt = 0.0;
    testing::internal::CaptureStdout();
    const auto samples = record(0.8f, 1.6, [&playedAt](GameAudio& audio, const SecondsSinceOpen& since) {
        waitSeconds(0.6);
        playedAt = since();
        audio.playJump(1.0f);
    });
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    ASSERT_GT(samples.size(), 2u * WaveCapture::kRate) << "the wave driver wrote less than a second";
    const double before = WaveCapture::rms(samples, 0.0, playedAt - 0.1);
    const double after = WaveCapture::rms(samples, playedAt, playedAt + 0.4);
    const double start = WaveCapture::firstSoundAt(samples, 1e-3f);
    std::cout << "jump: RMS " << before << " before, " << after << " after; first sound at " << start
              << " s, played at " << playedAt << " s" << std::endl;
    EXPECT_LT(before, kSilence);
    EXPECT_GT(after, kAudible);
    // The wave driver writes each stretch of mixed sound at the start of the time it covers, a few
    // hundredths of a second ahead of the clock; a sound starts at the mixer's next stretch.
    EXPECT_GT(start, playedAt - 0.1);
    EXPECT_LT(start, playedAt + 0.15);
}

TEST(GameAudioTest, VolumeZeroAndMuteAreSilentAndUnmutingIsNot) {
    const auto atZero = record(0.0f, 0.8, [](GameAudio& audio, const SecondsSinceOpen&) {
        audio.playJump(1.0f);
        audio.playTurretShot(glm::vec3(1.0f, 0.0f, 0.0f));
    });
    const auto muted = record(0.8f, 0.8, [](GameAudio& audio, const SecondsSinceOpen&) {
        audio.setMuted(true);
        audio.playJump(1.0f);
    });
    // Muting also silences what is already playing; unmuting lets the next sound through.
    double unmutedAt = 0.0;
    const auto unmuted = record(0.8f, 1.4, [&unmutedAt](GameAudio& audio, const SecondsSinceOpen& since) {
        audio.playTurretShot(glm::vec3(0.0f, 0.0f, -1.0f));
        audio.setMuted(true);
        waitSeconds(0.5);
        unmutedAt = since();
        audio.setMuted(false);
        audio.playJump(1.0f);
    });
    std::cout << "volume 0: RMS " << WaveCapture::rms(atZero, 0.0, 0.8) << "; muted: RMS "
              << WaveCapture::rms(muted, 0.0, 0.8) << "; muted then unmuted: RMS "
              << WaveCapture::rms(unmuted, 0.0, unmutedAt - 0.1) << " then "
              << WaveCapture::rms(unmuted, unmutedAt, unmutedAt + 0.4) << std::endl;
    EXPECT_LT(WaveCapture::rms(atZero, 0.0, 0.8), kSilence);
    EXPECT_LT(WaveCapture::rms(muted, 0.0, 0.8), kSilence);
    EXPECT_LT(WaveCapture::rms(unmuted, 0.0, unmutedAt - 0.1), kSilence);
    EXPECT_GT(WaveCapture::rms(unmuted, unmutedAt, unmutedAt + 0.4), kAudible);
}

TEST(GameAudioTest, TheCountdownTicksAndTheLossAreHeardWhenTheStateReachesThem) {
    double tickAt = 0.0;
    double lossAt = 0.0;
    const auto samples = record(0.8f, 1.8, [&](GameAudio& audio, const SecondsSinceOpen& since) {
        audio.updateCues(10.5, false, false);
        audio.updateCues(10.2, false, false);
        waitSeconds(0.5);
        tickAt = since();
        audio.updateCues(9.9, false, false);
        waitSeconds(0.3);
        lossAt = since();
        audio.updateCues(-0.1, false, true);
    });
    const double beforeTick = WaveCapture::rms(samples, 0.0, tickAt - 0.1);
    const double tick = WaveCapture::rms(samples, tickAt - 0.05, tickAt + 0.1);
    const double loss = WaveCapture::rms(samples, lossAt - 0.05, lossAt + 0.6);
    std::cout << "countdown: RMS " << beforeTick << " before the tick, " << tick << " at it, " << loss
              << " at the loss" << std::endl;
    EXPECT_LT(beforeTick, kSilence);
    EXPECT_GT(tick, kAudible);
    EXPECT_GT(loss, kAudible);
    EXPECT_LT(WaveCapture::rms(samples, tickAt + 0.2, lossAt - 0.1), kSilence) << "the tick is a short blip";
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
    const auto samples = record(0.8f, 0.8, [&c](GameAudio& audio, const SecondsSinceOpen&) {
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
