#pragma once

#include <array>
#include <string_view>

// One glyph's horizontal measures in em (multiples of the pixel size): the pen advance and the
// ink's extent from the pen position.
struct GlyphMetrics {
    float advance = 0.0f;
    float inkLeft = 0.0f;
    float inkRight = 0.0f;
};

// Where a line of text puts ink, in pixels from its pen start: the leftmost and rightmost ink
// and the pen's total advance. A text without ink has inkLeft == inkRight == 0.
struct TextExtent {
    float inkLeft = 0.0f;
    float inkRight = 0.0f;
    float advance = 0.0f;
};

// The measures of a font's printable ASCII glyphs, independent of size, so that text can be
// laid out for any window without rasterising it. Text is drawn with these unhinted advances,
// so a measure is exactly what the drawing does. Codes without a glyph measure nothing.
class FontMetrics {
public:
    static constexpr int kFirstCode = 32;
    static constexpr int kLastCode = 126;

    void setGlyph(char code, GlyphMetrics metrics);
    // Highest ink above and lowest ink below the baseline over every glyph, in em (descent <= 0).
    void setVerticalExtent(float ascent, float descent);

    const GlyphMetrics& glyph(char code) const;
    TextExtent measure(std::string_view text, float pixelSize) const;
    float ascent(float pixelSize) const { return ascentEm * pixelSize; }
    float descent(float pixelSize) const { return descentEm * pixelSize; }

private:
    static bool hasGlyph(char code) { return code >= kFirstCode && code <= kLastCode; }

    std::array<GlyphMetrics, kLastCode - kFirstCode + 1> glyphs{};
    float ascentEm = 0.0f;
    float descentEm = 0.0f;
};
