#include "render/FontMetrics.h"

#include <algorithm>

namespace {

const GlyphMetrics kNoGlyph;

} // namespace

void FontMetrics::setGlyph(char code, GlyphMetrics metrics) {
    if (hasGlyph(code)) {
        glyphs[static_cast<size_t>(code - kFirstCode)] = metrics;
    }
}

void FontMetrics::setVerticalExtent(float ascent, float descent) {
    ascentEm = ascent;
    descentEm = descent;
}

const GlyphMetrics& FontMetrics::glyph(char code) const {
    return hasGlyph(code) ? glyphs[static_cast<size_t>(code - kFirstCode)] : kNoGlyph;
}

TextExtent FontMetrics::measure(std::string_view text, float pixelSize) const {
    TextExtent extent;
    bool inked = false;
    float pen = 0.0f;
    for (const char code : text) {
        const GlyphMetrics& metrics = glyph(code);
        if (metrics.inkRight > metrics.inkLeft) {
            const float left = pen + metrics.inkLeft * pixelSize;
            const float right = pen + metrics.inkRight * pixelSize;
            extent.inkLeft = inked ? std::min(extent.inkLeft, left) : left;
            extent.inkRight = inked ? std::max(extent.inkRight, right) : right;
            inked = true;
        }
        pen += metrics.advance * pixelSize;
    }
    extent.advance = pen;
    return extent;
}
