#include "GlImages.h"
#include "GlTest.h"
#include "OffscreenTarget.h"

#include "render/HeadsUpDisplay.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr const char* kFont = "assets/fonts/arial.ttf";

struct Region {
    int x0, y0, x1, y1;
};

Region regionOf(const HudBox& box) {
    return {static_cast<int>(std::floor(box.left)), static_cast<int>(std::floor(box.bottom)),
            static_cast<int>(std::ceil(box.right)), static_cast<int>(std::ceil(box.top))};
}

bool isLit(glm::vec4 p) {
    return std::max({p.r, p.g, p.b}) > 0.1f;
}

bool isRed(glm::vec4 p) {
    return p.r > 0.7f && p.g < 0.25f && p.b < 0.25f;
}

bool isGrey(glm::vec4 p) {
    return p.r > 0.6f && p.r < 0.7f && p.g == p.r && p.b == p.r;
}

bool isGreen(glm::vec4 p) {
    return p.g > 0.8f && p.r < 0.4f && p.b < 0.5f;
}

bool isBarFill(glm::vec4 p) {
    return p.r > 0.9f && p.g > 0.7f && p.g < 0.85f && p.b < 0.3f;
}

bool isDark(glm::vec4 p) {
    return std::max({p.r, p.g, p.b}) < 0.3f;
}

// The overlay drawn into an offscreen image in the state the frame leaves: blending on, depth off.
class HeadsUpDisplayGLTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }

    void TearDown() override { glDisable(GL_BLEND); }

    // A window-sized image to draw into, and a HUD laid out for it.
    std::unique_ptr<HeadsUpDisplay> makeHud(int windowWidth, int windowHeight, const char* font = kFont,
                                            glm::vec4 background = glm::vec4(0.0f, 0.0f, 0.0f, 1.0f)) {
        useWindow(windowWidth, windowHeight, background);
        return std::make_unique<HeadsUpDisplay>("assets/shader/headupdisplay.vert",
                                                "assets/shader/headupdisplay.frag", width, height, font,
                                                1.0f);
    }

    void useWindow(int windowWidth, int windowHeight,
                   glm::vec4 background = glm::vec4(0.0f, 0.0f, 0.0f, 1.0f)) {
        width = windowWidth;
        height = windowHeight;
        target.reset();
        target = std::make_unique<OffscreenTarget>(width, height, background);
    }

    std::vector<glm::vec4> image() const { return readFramebuffer(width, height); }

    glm::vec4 pixel(const std::vector<glm::vec4>& image, int x, int y) const {
        return image[static_cast<size_t>(y * width + x)];
    }

    int countIn(const std::vector<glm::vec4>& image, Region r, bool (*matches)(glm::vec4) = isLit) const {
        int count = 0;
        for (int y = std::max(0, r.y0); y < std::min(height, r.y1); ++y) {
            for (int x = std::max(0, r.x0); x < std::min(width, r.x1); ++x) {
                count += matches(pixel(image, x, y));
            }
        }
        return count;
    }

    int countOutside(const std::vector<glm::vec4>& image, const std::vector<Region>& regions) const {
        int count = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const bool inside = std::any_of(regions.begin(), regions.end(), [&](const Region& r) {
                    return x >= r.x0 && x < r.x1 && y >= r.y0 && y < r.y1;
                });
                count += !inside && isLit(pixel(image, x, y));
            }
        }
        return count;
    }

    // The smallest region holding every pixel that matches.
    Region bounds(const std::vector<glm::vec4>& image, bool (*matches)(glm::vec4)) const {
        Region found{width, height, 0, 0};
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (matches(pixel(image, x, y))) {
                    found = {std::min(found.x0, x), std::min(found.y0, y), std::max(found.x1, x + 1),
                             std::max(found.y1, y + 1)};
                }
            }
        }
        return found;
    }

    // Runs of columns holding a matching pixel: one per glyph where glyphs do not touch.
    int columnRuns(const std::vector<glm::vec4>& image, bool (*matches)(glm::vec4)) const {
        int runs = 0;
        bool inRun = false;
        for (int x = 0; x < width; ++x) {
            bool any = false;
            for (int y = 0; y < height && !any; ++y) {
                any = matches(pixel(image, x, y));
            }
            runs += any && !inRun;
            inRun = any;
        }
        return runs;
    }

    int width = 0;
    int height = 0;
    std::unique_ptr<OffscreenTarget> target;
};

TEST_F(HeadsUpDisplayGLTest, DrawsWhatTheGameStateAndTheTwoTogglesCallForWhereTheLayoutSays) {
    enum Part { kFps, kHelp, kCountdown, kBar, kReplay, kLoss, kFailure, kWin, kRecord, kParts };
    const struct {
        const char* name;
        HudFrame frame;
        bool hudVisible, infoTextVisible;
        std::vector<Part> shown;
    } cases[] = {
        {"running", {}, true, true, {kFps, kHelp, kCountdown, kBar}},
        {"won", {.won = true, .finishSeconds = 83.4}, true, true, {kFps, kHelp, kWin}},
        {"won, record",
         {.won = true, .finishSeconds = 83.4, .newBest = true},
         true,
         true,
         {kFps, kHelp, kWin, kRecord}},
        {"lost", {.lost = true}, true, true, {kFps, kHelp, kLoss}},
        {"lost and won", {.lost = true, .won = true}, true, true, {kFps, kHelp, kLoss}},
        {"level failed", {.levelLoadFailed = true}, true, true, {kFps, kHelp, kFailure}},
        {"replaying", {.replaying = true}, true, true, {kFps, kHelp, kCountdown, kBar, kReplay}},
        {"help hidden", {}, true, false, {kFps, kCountdown, kBar}},
        {"help hidden, lost", {.lost = true}, true, false, {kFps, kLoss}},
        {"HUD hidden", {.replaying = true}, false, true, {}},
        {"HUD hidden, lost", {.lost = true}, false, true, {}},
        {"HUD and help hidden", {}, false, false, {}},
    };
    const auto hud = makeHud(1600, 800);
    const HudLayout& layout = hud->layout();
    const Region regions[kParts] = {
        regionOf(layout.fps.box),
        regionOf(layout.help.box),
        regionOf(layout.countdown.box),
        regionOf(layout.bar),
        regionOf(layout.replay.box),
        regionOf(layout.lossMessage.box),
        regionOf(layout.failureMessage.box),
        regionOf(layout.winMessage.box),
        regionOf(layout.record.box),
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.hudVisible) {
            hud->toggleHud();
        }
        if (!c.infoTextVisible) {
            hud->toggleInfoText();
        }
        target->clear();
        HudFrame frame = c.frame;
        frame.framesPerSecond = 60;
        frame.remainingSeconds = 150.0;
        frame.jumpCharge = 0.5f;
        hud->draw(frame);
        const std::vector<glm::vec4> drawn = image();
        std::vector<Region> shown;
        for (const Part part : c.shown) {
            EXPECT_GT(countIn(drawn, regions[part]), 20) << "part " << part;
            shown.push_back(regions[part]);
        }
        EXPECT_EQ(countOutside(drawn, shown), 0) << "nothing lands outside the shown parts";
        if (!c.hudVisible) {
            hud->toggleHud();
        }
        if (!c.infoTextVisible) {
            hud->toggleInfoText();
        }
    }
}

TEST_F(HeadsUpDisplayGLTest, TheTimeOutMessageIsDrawnWholeAndCentredInASquareWindow) {
    const auto hud = makeHud(800, 800);
    hud->draw({.lost = true});
    const std::vector<glm::vec4> drawn = image();
    const Region red = bounds(drawn, isRed);
    EXPECT_GT(red.x0, 0);
    EXPECT_LT(red.x1, 800) << "its right end lies inside the window";
    EXPECT_NEAR(0.5 * (red.x0 + red.x1), 400.0, 2.0);
    EXPECT_GT(red.x1 - red.x0, 600) << "as large as the width allows";
    // Y O U, L O S T, -, T I M E, O U T
    EXPECT_EQ(columnRuns(drawn, isRed), 15) << "every glyph is drawn";
}

TEST_F(HeadsUpDisplayGLTest, ColoursSayWhatIsHappening) {
    const auto hud = makeHud(800, 800);
    const HudLayout& layout = hud->layout();
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    hud->draw({.lost = true});
    std::vector<glm::vec4> drawn = image();
    EXPECT_GT(countIn(drawn, regionOf(layout.lossMessage.box), isRed), 1000)
        << "solid glyphs even in wireframe mode";
    EXPECT_GT(countIn(drawn, regionOf(layout.fps.box), isGrey), 100);
    EXPECT_GT(countIn(drawn, regionOf(layout.help.box), isGrey), 100);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

    for (const double remaining : {10.0, 9.9}) {
        target->clear();
        hud->draw({.remainingSeconds = remaining});
        drawn = image();
        const Region countdown = regionOf(layout.countdown.box);
        EXPECT_EQ(countIn(drawn, countdown, isRed) > 100, remaining < 10.0) << remaining;
        EXPECT_EQ(countIn(drawn, countdown, isGrey) > 100, remaining >= 10.0) << remaining;
    }

    target->clear();
    hud->draw({.won = true, .finishSeconds = 83.4, .bestSeconds = 80.1});
    drawn = image();
    EXPECT_GT(countIn(drawn, regionOf(layout.winMessage.box), isGreen), 500);
    EXPECT_GT(countIn(drawn, regionOf(layout.record.box), isGreen), 100) << "the best time under it";
}

TEST_F(HeadsUpDisplayGLTest, EveryTextHasADarkOutlineThatReadsOnABrightSky) {
    const auto hud = makeHud(800, 800, kFont, glm::vec4(1.0f));
    const HudLayout& layout = hud->layout();
    hud->draw({.remainingSeconds = 100.0});
    const std::vector<glm::vec4> drawn = image();
    for (const TextSlot* slot : {&layout.fps, &layout.help, &layout.countdown}) {
        const Region region = regionOf(slot->box);
        EXPECT_GT(countIn(drawn, region, isDark), countIn(drawn, region, isGrey) / 3) << slot->pixelSize;
    }
}

TEST_F(HeadsUpDisplayGLTest, TheBarFillsInItsOwnColourFromTheLeftOverADarkBackingInsideAGreyFrame) {
    const auto hud = makeHud(800, 800);
    const HudBox& bar = hud->layout().bar;
    const float border = hud->layout().barBorder;
    const int row = static_cast<int>(0.5f * (bar.bottom + bar.top));
    const Region inside{static_cast<int>(bar.left + border) + 1, row,
                        static_cast<int>(bar.right - border) - 1, row + 1};
    const float innerWidth = bar.right - bar.left - 2.0f * border;
    for (const float charge : {0.0f, 0.5f, 1.0f}) {
        SCOPED_TRACE(charge);
        target->clear();
        hud->draw({.jumpCharge = charge});
        const std::vector<glm::vec4> drawn = image();
        EXPECT_NEAR(countIn(drawn, inside, isBarFill), innerWidth * charge, 3.0);
        EXPECT_NEAR(countIn(drawn, inside, isDark), innerWidth * (1.0f - charge), 3.0) << "the backing";
        if (charge == 0.5f) {
            EXPECT_TRUE(isBarFill(pixel(drawn, inside.x0, row))) << "the fill grows from the left";
        }
        EXPECT_TRUE(isGrey(pixel(drawn, static_cast<int>(bar.left) + 1, row)));
        EXPECT_TRUE(isGrey(pixel(drawn, static_cast<int>(bar.right) - 2, row)));
        EXPECT_TRUE(isGrey(pixel(drawn, static_cast<int>(bar.centreX()), static_cast<int>(bar.bottom) + 1)));
        EXPECT_TRUE(isGrey(pixel(drawn, static_cast<int>(bar.centreX()), static_cast<int>(bar.top) - 2)));
    }
}

TEST_F(HeadsUpDisplayGLTest, AMissingFontPrintsOneMessageAndLeavesOnlyTheBar) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    testing::internal::CaptureStdout();
    const auto hud = makeHud(800, 800, "/nonexistent/font.ttf");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR::FREETYPE: Failed to load font\n");
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 1) << "later image uploads still read tightly packed rows";

    hud->draw({.lost = false, .jumpCharge = 1.0f});
    const std::vector<glm::vec4> drawn = image();
    EXPECT_GT(countIn(drawn, regionOf(hud->layout().bar)), 1000);
    EXPECT_EQ(countOutside(drawn, {regionOf(hud->layout().bar)}), 0) << "no text";
}

TEST_F(HeadsUpDisplayGLTest, AResizeLaysTheOverlayOutAgainForTheNewWindow) {
    const auto hud = makeHud(800, 800);
    const int squareMessageSize = hud->layout().lossMessage.pixelSize;
    for (const auto& [newWidth, newHeight] : {std::pair{1280, 720}, std::pair{400, 800}}) {
        SCOPED_TRACE(newWidth);
        useWindow(newWidth, newHeight);
        hud->resize(newWidth, newHeight);
        const HudLayout& layout = hud->layout();
        EXPECT_TRUE(layout.lossMessage.box.liesInside(newWidth, newHeight));
        EXPECT_NE(layout.lossMessage.pixelSize, squareMessageSize);
        hud->draw({.lost = true});
        const std::vector<glm::vec4> drawn = image();
        const Region red = bounds(drawn, isRed);
        EXPECT_NEAR(0.5 * (red.x0 + red.x1), 0.5 * newWidth, 2.0);
        EXPECT_EQ(columnRuns(drawn, isRed), 15);
        EXPECT_GT(countIn(drawn, regionOf(layout.fps.box)), 20);
        EXPECT_EQ(countOutside(drawn, {regionOf(layout.fps.box), regionOf(layout.help.box),
                                       regionOf(layout.lossMessage.box)}),
                  0);
    }
}

} // namespace
