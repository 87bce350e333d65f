#include "render/FontFace.h"

#include <algorithm>
#include <fstream>
#include <ft2build.h>
#include <iostream>
#include <iterator>
#include FT_FREETYPE_H

namespace {

std::vector<unsigned char> readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace

FontFace::FontFace(const std::string& path) : fileBytes(readFile(path)) {
    if (FT_Init_FreeType(&library) != 0) {
        std::cout << "ERROR::FREETYPE: Could not init FreeType" << std::endl;
        library = nullptr;
    }
    if (library == nullptr || fileBytes.empty() ||
        FT_New_Memory_Face(library, fileBytes.data(), static_cast<FT_Long>(fileBytes.size()), 0, &face) !=
            0 ||
        face->units_per_EM == 0) {
        std::cout << "ERROR::FREETYPE: Failed to load font" << std::endl;
        if (face != nullptr) {
            FT_Done_Face(face);
            face = nullptr;
        }
        return;
    }
    measureGlyphs();
}

FontFace::~FontFace() {
    if (face != nullptr) {
        FT_Done_Face(face);
    }
    if (library != nullptr) {
        FT_Done_FreeType(library);
    }
}

void FontFace::measureGlyphs() {
    const float unitsPerEm = static_cast<float>(face->units_per_EM);
    float ascent = 0.0f;
    float descent = 0.0f;
    for (int code = FontMetrics::kFirstCode; code <= FontMetrics::kLastCode; ++code) {
        if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_NO_SCALE) != 0) {
            std::cout << "ERROR::FREETYTPE: Failed to load Glyph" << std::endl;
            continue;
        }
        const FT_Glyph_Metrics& units = face->glyph->metrics;
        const float left = static_cast<float>(units.horiBearingX) / unitsPerEm;
        const float top = static_cast<float>(units.horiBearingY) / unitsPerEm;
        const float width = static_cast<float>(units.width) / unitsPerEm;
        const float height = static_cast<float>(units.height) / unitsPerEm;
        measures.setGlyph(static_cast<char>(code),
                          {static_cast<float>(units.horiAdvance) / unitsPerEm, left, left + width});
        if (height > 0.0f) {
            ascent = std::max(ascent, top);
            descent = std::min(descent, top - height);
        }
    }
    measures.setVerticalExtent(ascent, descent);
}

std::optional<GlyphBitmap> FontFace::render(char code, int pixelSize) {
    if (face == nullptr || code < FontMetrics::kFirstCode || code > FontMetrics::kLastCode) {
        return std::nullopt;
    }
    // Light hinting snaps only vertically, so the glyphs keep the unhinted advances they are
    // laid out with.
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0 ||
        FT_Load_Char(face, static_cast<FT_ULong>(static_cast<unsigned char>(code)),
                     FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) {
        return std::nullopt;
    }
    const FT_GlyphSlot slot = face->glyph;
    return GlyphBitmap{static_cast<int>(slot->bitmap.width),
                       static_cast<int>(slot->bitmap.rows),
                       slot->bitmap.pitch,
                       slot->bitmap_left,
                       slot->bitmap_top,
                       slot->bitmap.buffer};
}
