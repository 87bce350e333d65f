#include "render/HudLayout.h"
#include "render/FontFace.h"
#include "render/HudText.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// The shipped HUD font, measured without GL.
const FontMetrics& shippedFont() {
    static const FontFace font("assets/fonts/arial.ttf");
    return font.metrics();
}

struct Named {
    const char* name;
    const HudBox* box;
};

std::string describe(const HudBox& box) {
    return "(" + std::to_string(box.left) + ", " + std::to_string(box.bottom) + ") - (" +
           std::to_string(box.right) + ", " + std::to_string(box.top) + ")";
}

// Smallest to largest window and narrowest (1:2) to widest (21:9) shape, and the common ones.
const struct {
    int width, height;
} kWindows[] = {
    {320, 240},   {320, 640},   {560, 240},   {400, 800},  {640, 480},   {800, 600},   {800, 800},
    {1024, 768},  {1280, 720},  {1280, 1024}, {1366, 768}, {1920, 1080}, {1920, 1200}, {2560, 1080},
    {1080, 2160}, {3840, 1646}, {3840, 2160}, {333, 251},  {1001, 2002}, {2999, 1285},
};

TEST(HudLayout, EveryTextAndTheBarLieInsideTheWindowAndWhatIsShownTogetherNeverOverlaps) {
    for (const auto& window : kWindows) {
        SCOPED_TRACE(std::to_string(window.width) + " x " + std::to_string(window.height));
        const HudLayout layout = layOutHud(window.width, window.height, shippedFont());
        // Shown together: the corners, the bar and the replay indicator, with at most one of the
        // centre messages (a win with its record line).
        const std::vector<Named> always = {{"fps", &layout.fps.box},
                                           {"help", &layout.help.box},
                                           {"countdown", &layout.countdown.box},
                                           {"replay", &layout.replay.box},
                                           {"bar", &layout.bar}};
        const std::vector<std::vector<Named>> centres = {
            {{"loss", &layout.lossMessage.box}},
            {{"failure", &layout.failureMessage.box}},
            {{"win", &layout.winMessage.box}, {"record", &layout.record.box}},
        };
        for (const auto& centre : centres) {
            std::vector<Named> shown = always;
            shown.insert(shown.end(), centre.begin(), centre.end());
            for (size_t i = 0; i < shown.size(); ++i) {
                EXPECT_TRUE(shown[i].box->liesInside(window.width, window.height))
                    << shown[i].name << " " << describe(*shown[i].box);
                for (size_t j = i + 1; j < shown.size(); ++j) {
                    EXPECT_FALSE(shown[i].box->overlaps(*shown[j].box))
                        << shown[i].name << " " << describe(*shown[i].box) << " and " << shown[j].name << " "
                        << describe(*shown[j].box);
                }
            }
            for (const Named& message : centre) {
                EXPECT_NEAR(message.box->centreX(), 0.5f * static_cast<float>(window.width), 1.0f)
                    << message.name;
            }
        }
    }
}

TEST(HudLayout, TextIsReadableAndTheHelpLineIsWrappedAtItsSeparatorsNeverCut) {
    std::string wholeHelp;
    for (const auto& line : helpLines()) {
        for (const std::string_view entry : line) {
            wholeHelp += wholeHelp.empty() ? "" : " ";
            wholeHelp += entry;
        }
    }
    for (const auto& window : kWindows) {
        SCOPED_TRACE(std::to_string(window.width) + " x " + std::to_string(window.height));
        const HudLayout layout = layOutHud(window.width, window.height, shippedFont());
        for (const TextSlot* slot :
             {&layout.fps, &layout.help, &layout.countdown, &layout.replay, &layout.lossMessage,
              &layout.failureMessage, &layout.winMessage, &layout.record}) {
            EXPECT_GE(slot->pixelSize, HudLayout::kSmallestReadablePixels);
        }
        std::string joined;
        for (const std::string& line : layout.help.lines) {
            EXPECT_EQ(line.back(), line == layout.help.lines.back() ? 'f' : ',')
                << "broken only after a separator";
            joined += (joined.empty() ? "" : " ") + line;
        }
        EXPECT_EQ(joined, wholeHelp);
    }
}

TEST(HudLayout, WideWindowsKeepTheDesignedSizesAndTheHelpLineOnItsTwoLines) {
    const struct { int width, height; } wide[] = {{1920, 1080}, {2560, 1080}, {3840, 1646}};
    for (const auto& window : wide) {
        SCOPED_TRACE(std::to_string(window.width) + " x " + std::to_string(window.height));
        const HudLayout layout = layOutHud(window.width, window.height, shippedFont());
        const auto designed = [&](double share) {
            return static_cast<int>(share * window.height);
        };
        EXPECT_EQ(layout.help.pixelSize, designed(0.024));
        EXPECT_EQ(layout.help.lines.size(), 2u);
        EXPECT_EQ(layout.fps.pixelSize, designed(0.0408));
        EXPECT_EQ(layout.countdown.pixelSize, designed(0.0312));
        EXPECT_EQ(layout.lossMessage.pixelSize, designed(0.12));
        EXPECT_NEAR(layout.bar.right - layout.bar.left, 0.2 * window.width, 1.0);
        EXPECT_NEAR(layout.bar.centreX(), 0.5 * window.width, 1.0);
    }
}

TEST(HudLayout, TheTimeOutMessageFillsASquareWindowBetterThanItsDesignedPlaceButStaysWhole) {
    // As designed, 96-pixel glyphs from x = 96 ran off an 800-pixel window after "TI".
    const HudLayout layout = layOutHud(800, 800, shippedFont());
    EXPECT_LT(layout.lossMessage.pixelSize, 96);
    EXPECT_GT(layout.lossMessage.pixelSize, 60);
    EXPECT_GT(layout.lossMessage.box.right - layout.lossMessage.box.left, 600.0f);
}

TEST(HudLayout, TextsWithoutAFontStillGetPlacesInsideTheWindow) {
    const HudLayout layout = layOutHud(800, 800, FontMetrics());
    EXPECT_TRUE(layout.bar.liesInside(800, 800));
    EXPECT_TRUE(layout.lossMessage.box.liesInside(800, 800));
}

TEST(FontMetrics, MeasuresInkAndAdvanceOfPrintableCodesAndSkipsTheRest) {
    FontMetrics metrics;
    metrics.setGlyph('A', {0.5f, 0.1f, 0.4f});
    metrics.setGlyph('j', {0.25f, -0.05f, 0.2f});
    const TextExtent extent = metrics.measure("jA", 10.0f);
    EXPECT_FLOAT_EQ(extent.inkLeft, -0.5f);
    EXPECT_FLOAT_EQ(extent.inkRight, 6.5f);
    EXPECT_FLOAT_EQ(extent.advance, 7.5f);

    const TextExtent skipping = metrics.measure("j\xC8\x80\nA\xFF", 10.0f);
    EXPECT_FLOAT_EQ(skipping.inkRight, extent.inkRight) << "codes without a glyph neither draw nor advance";
    EXPECT_FLOAT_EQ(skipping.advance, extent.advance);
    EXPECT_FLOAT_EQ(metrics.measure("  ", 10.0f).inkRight, 0.0f);
}

} // namespace
