#pragma once

#include "render/FontMetrics.h"

#include <optional>
#include <string>
#include <vector>

struct FT_LibraryRec_;
struct FT_FaceRec_;

// A glyph's coverage bitmap at one pixel size: rows from the top, `pitch` bytes apart, placed
// `left` pixels right of the pen and with its first row `top` pixels above the baseline.
struct GlyphBitmap {
    int width = 0;
    int rows = 0;
    int pitch = 0;
    int left = 0;
    int top = 0;
    const unsigned char* pixels = nullptr;
};

// A TrueType font read once from its file and kept in memory, so that glyphs can be rasterised
// again at new sizes when the window changes without touching the disk. Failures print the HUD's
// FreeType lines; a face that did not load measures and renders nothing.
class FontFace {
public:
    explicit FontFace(const std::string& path);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    bool isLoaded() const { return face != nullptr; }
    const FontMetrics& metrics() const { return measures; }
    // The glyph of a printable code rasterised at pixelSize; valid until the next call.
    std::optional<GlyphBitmap> render(char code, int pixelSize);

private:
    void measureGlyphs();

    std::vector<unsigned char> fileBytes;
    FT_LibraryRec_* library = nullptr;
    FT_FaceRec_* face = nullptr;
    FontMetrics measures;
};
