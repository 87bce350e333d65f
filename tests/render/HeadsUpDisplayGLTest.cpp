#include "GlImages.h"
#include "GlTest.h"
#include "OffscreenTarget.h"

#include "render/HeadsUpDisplay.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

constexpr const char* kFont = "assets/fonts/arial.ttf";
// Wide enough that the help line ends left of the frame rate.
constexpr int kWidth = 1600;
constexpr int kHeight = 800;

struct Region {
    int x0, y0, x1, y1;
};

// Where each part of the overlay lands at 1600 x 800.
constexpr Region kFpsRegion{1380, 740, 1600, 800};
constexpr Region kHelpRegion{0, 700, 1300, 800};
constexpr Region kTimeOutRegion{150, 330, 1380, 560};
constexpr Region kRemainingTimeRegion{0, 0, 500, 60};
constexpr Region kBarRegion{600, 0, 1000, 60};

bool isLit(glm::vec4 p) {
    return std::max({p.r, p.g, p.b}) > 0.1f;
}

// The overlay drawn into an offscreen image in the state the frame leaves: blending on, depth off.
class HeadsUpDisplayGLTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        target = std::make_unique<OffscreenTarget>(kWidth, kHeight, glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }

    void TearDown() override { glDisable(GL_BLEND); }

    static std::unique_ptr<HeadsUpDisplay> makeHud(const char* font = kFont) {
        return std::make_unique<HeadsUpDisplay>("assets/shader/headupdisplay.vert",
                                                "assets/shader/headupdisplay.frag", kWidth, kHeight, font,
                                                1.0f);
    }

    static std::vector<glm::vec4> image() { return readFramebuffer(kWidth, kHeight); }

    static glm::vec4 pixel(const std::vector<glm::vec4>& image, int x, int y) {
        return image[static_cast<size_t>(y * kWidth + x)];
    }

    static int countIn(const std::vector<glm::vec4>& image, Region r, bool (*matches)(glm::vec4) = isLit) {
        int count = 0;
        for (int y = r.y0; y < r.y1; ++y) {
            for (int x = r.x0; x < r.x1; ++x) {
                count += matches(pixel(image, x, y));
            }
        }
        return count;
    }

    // The smallest region holding every lit pixel.
    static Region litBounds(const std::vector<glm::vec4>& image) {
        Region bounds{kWidth, kHeight, 0, 0};
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (isLit(pixel(image, x, y))) {
                    bounds = {std::min(bounds.x0, x), std::min(bounds.y0, y), std::max(bounds.x1, x + 1),
                              std::max(bounds.y1, y + 1)};
                }
            }
        }
        return bounds;
    }

    std::unique_ptr<OffscreenTarget> target;
};

TEST_F(HeadsUpDisplayGLTest, DrawsWhatTheGameStateAndTheTwoTogglesCallFor) {
    const struct {
        const char* name;
        bool lost, won, hudVisible, infoTextVisible;
        bool fps, help, timeOut, remainingTime, bar;
    } cases[] = {
        {"running", false, false, true, true, true, true, false, true, true},
        {"won", false, true, true, true, true, true, false, false, false},
        {"lost", true, false, true, true, true, true, true, false, false},
        {"lost and won", true, true, true, true, true, true, true, false, false},
        {"help hidden", false, false, true, false, true, false, false, true, true},
        {"help hidden, lost", true, false, true, false, true, false, true, false, false},
        {"HUD hidden", false, false, false, true, false, false, false, false, false},
        {"HUD hidden, lost", true, false, false, true, false, false, false, false, false},
        {"HUD and help hidden", false, false, false, false, false, false, false, false, false},
    };
    const auto hud = makeHud();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.hudVisible) {
            hud->toggleHud();
        }
        if (!c.infoTextVisible) {
            hud->toggleInfoText();
        }
        target->clear();
        hud->draw(60, c.lost, c.won, 150.0, 0.5f);
        const std::vector<glm::vec4> drawn = image();
        EXPECT_EQ(countIn(drawn, kFpsRegion) > 20, c.fps) << "frame rate";
        EXPECT_EQ(countIn(drawn, kHelpRegion) > 20, c.help) << "help line";
        EXPECT_EQ(countIn(drawn, kTimeOutRegion) > 20, c.timeOut) << "time-out message";
        EXPECT_EQ(countIn(drawn, kRemainingTimeRegion) > 20, c.remainingTime) << "remaining time";
        EXPECT_EQ(countIn(drawn, kBarRegion) > 20, c.bar) << "charge bar";
        EXPECT_EQ(countIn(drawn, {0, 0, kWidth, kHeight}),
                  countIn(drawn, kFpsRegion) + countIn(drawn, kHelpRegion) + countIn(drawn, kTimeOutRegion) +
                      countIn(drawn, kRemainingTimeRegion) + countIn(drawn, kBarRegion))
            << "nothing lands outside the expected places";
        if (!c.hudVisible) {
            hud->toggleHud();
        }
        if (!c.infoTextVisible) {
            hud->toggleInfoText();
        }
    }
}

TEST_F(HeadsUpDisplayGLTest, TheTimeOutMessageIsRedAndTheRestGrey) {
    const auto hud = makeHud();
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    hud->draw(60, true, false, 0.0, 0.0f);
    const std::vector<glm::vec4> drawn = image();
    const auto red = [](glm::vec4 p) {
        return p.r > 0.7f && p.g < 0.25f && p.b < 0.25f;
    };
    const auto grey = [](glm::vec4 p) {
        return p.r > 0.6f && p.r < 0.7f && p.g == p.r && p.b == p.r;
    };
    EXPECT_GT(countIn(drawn, kTimeOutRegion, red), 1000) << "solid glyphs even in wireframe mode";
    EXPECT_GT(countIn(drawn, kFpsRegion, grey), 100);
    EXPECT_GT(countIn(drawn, kHelpRegion, grey), 100);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

// The message of a game that cannot be played: red, centred, and no countdown or bar beside it.
TEST_F(HeadsUpDisplayGLTest, AMessageStandsCentredInRedInPlaceOfCountdownAndBar) {
    const auto hud = makeHud();
    hud->drawMessage(60, "Level could not be loaded - see the console");
    const std::vector<glm::vec4> drawn = image();

    Region red{kWidth, kHeight, 0, 0};
    for (int y = kRemainingTimeRegion.y1; y < kHelpRegion.y0; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const glm::vec4 p = pixel(drawn, x, y);
            if (p.r > 0.5f && p.g < 0.25f) {
                red = {std::min(red.x0, x), std::min(red.y0, y), std::max(red.x1, x + 1),
                       std::max(red.y1, y + 1)};
            }
        }
    }
    ASSERT_LT(red.x0, red.x1) << "no red message";
    EXPECT_NEAR(red.x0, kWidth - red.x1, 8) << "left and right margins";
    EXPECT_GT(red.x1 - red.x0, kWidth / 3);
    EXPECT_GT(red.y0, kHeight / 3);
    EXPECT_LT(red.y1, 2 * kHeight / 3);
    EXPECT_GT(countIn(drawn, kFpsRegion), 20);
    EXPECT_GT(countIn(drawn, kHelpRegion), 20);
    EXPECT_EQ(countIn(drawn, kRemainingTimeRegion), 0);
    EXPECT_EQ(countIn(drawn, kBarRegion), 0);
}

TEST_F(HeadsUpDisplayGLTest, TheBarFillsFromTheLeftInProportionToTheChargeInsideItsFrame) {
    // Bar: 320 x 22 pixels at (640, 13.6) with a 3.85-pixel frame; row 24 crosses its middle.
    constexpr int kRow = 24;
    constexpr int kInnerLeft = 644;
    constexpr int kInnerRight = 956;
    const auto hud = makeHud();
    for (const float charge : {0.0f, 0.5f, 1.0f}) {
        SCOPED_TRACE(charge);
        target->clear();
        hud->draw(60, false, false, 150.0, charge);
        const std::vector<glm::vec4> drawn = image();
        const int filled = countIn(drawn, {kInnerLeft, kRow, kInnerRight, kRow + 1});
        EXPECT_NEAR(filled, 320 * charge - (charge > 0.0f ? 4 + 4 * charge : 0), 2);
        if (charge == 0.5f) {
            EXPECT_TRUE(isLit(pixel(drawn, kInnerLeft, kRow)));
            EXPECT_FALSE(isLit(pixel(drawn, kInnerRight - 1, kRow))) << "the fill grows from the left";
        }
        EXPECT_EQ(countIn(drawn, {640, 15, 960, 16}), 320) << "bottom edge";
        EXPECT_EQ(countIn(drawn, {640, 33, 960, 34}), 320) << "top edge";
        EXPECT_TRUE(isLit(pixel(drawn, 641, kRow)) && isLit(pixel(drawn, 958, kRow))) << "side edges";
        EXPECT_FALSE(isLit(pixel(drawn, 638, kRow)) || isLit(pixel(drawn, 961, kRow)));
    }
}

TEST_F(HeadsUpDisplayGLTest, AMissingFontPrintsOneMessageAndLeavesOnlyTheBar) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    testing::internal::CaptureStdout();
    const auto hud = makeHud("/nonexistent/font.ttf");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR::FREETYPE: Failed to load font\n");
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 1) << "later image uploads still read tightly packed rows";

    hud->draw(60, false, false, 150.0, 1.0f);
    const std::vector<glm::vec4> drawn = image();
    EXPECT_GT(countIn(drawn, kBarRegion), 1000);
    EXPECT_EQ(countIn(drawn, {0, 0, kWidth, kHeight}), countIn(drawn, kBarRegion)) << "no text";
}

TEST_F(HeadsUpDisplayGLTest, CodesAbove127DrawNothingAndLeaveThePenInPlace) {
    const auto hud = makeHud();
    hud->renderText("AZ", 100.0f, 400.0f, 1.0f, glm::vec3(1.0f));
    const std::vector<glm::vec4> plain = image();
    ASSERT_GT(countIn(plain, {0, 0, kWidth, kHeight}), 100);
    target->clear();
    hud->renderText("A\xC8\x80Z\xFF", 100.0f, 400.0f, 1.0f, glm::vec3(1.0f));
    EXPECT_TRUE(image() == plain);
}

TEST_F(HeadsUpDisplayGLTest, ANewlineStartsTheNextLineBelowAtTheSameLeftEdge) {
    const auto hud = makeHud();
    hud->renderText("H", 100.0f, 400.0f, 1.0f, glm::vec3(1.0f));
    const Region oneLine = litBounds(image());
    target->clear();
    hud->renderText("H\nH", 100.0f, 400.0f, 1.0f, glm::vec3(1.0f));
    const Region twoLines = litBounds(image());
    EXPECT_EQ(twoLines.x0, oneLine.x0);
    EXPECT_EQ(twoLines.x1, oneLine.x1);
    EXPECT_EQ(twoLines.y1, oneLine.y1);
    EXPECT_LT(twoLines.y0, oneLine.y0 - (oneLine.y1 - oneLine.y0)) << "the second line lies wholly below";
}

} // namespace
