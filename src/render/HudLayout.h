#pragma once

#include "render/FontMetrics.h"

#include <string>
#include <vector>

// A rectangle in window pixels, origin at the bottom-left corner.
struct HudBox {
    float left = 0.0f;
    float bottom = 0.0f;
    float right = 0.0f;
    float top = 0.0f;

    bool overlaps(const HudBox& other) const;
    bool liesInside(int width, int height) const;
    float centreX() const { return 0.5f * (left + right); }
};

// Which edge of a text's ink the slot's x gives.
enum class TextAnchor { Left, Centre, Right };

// Where one HUD text goes. Each line's pen start follows from the text drawn: its ink's left
// edge, centre or right edge lies at x. `box` holds the widest text the slot can show, ink plus
// outline and rounding allowance.
struct TextSlot {
    int pixelSize = 0;
    TextAnchor anchor = TextAnchor::Left;
    float x = 0.0f;
    float baseline = 0.0f; // of the first line
    float lineStep = 0.0f;
    int outlineWidth = 0;
    std::vector<std::string> lines; // the fixed texts; texts written every frame leave it empty
    HudBox box;
};

// The whole overlay laid out for one window size: every text and the charge bar lie inside the
// window, the texts that can be shown together do not overlap, and the centred messages are
// centred. Sizes follow the window's height as designed, but are never larger than what fits
// the width; the help line wraps at its separators where its two lines do not fit.
struct HudLayout {
    TextSlot fps;
    TextSlot help;
    TextSlot countdown;
    TextSlot replay;
    TextSlot lossMessage;
    TextSlot failureMessage;
    TextSlot winMessage;
    TextSlot record; // under the win message
    HudBox bar;
    float barBorder = 0.0f;

    // Text is never laid out smaller than this unless the window leaves no room for it.
    static constexpr int kSmallestReadablePixels = 11;
};

HudLayout layOutHud(int width, int height, const FontMetrics& metrics);

// The pen start that puts text's ink where the slot's anchor asks.
float penStart(const TextSlot& slot, const TextExtent& extent);
