#include "render/GlyphAtlas.h"

#include "render/FontFace.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Rasterised {
    char code;
    GlyphBitmap placement;
    std::vector<unsigned char> pixels; // rows of placement.width bytes, from the top
};

std::vector<Rasterised> rasteriseAll(FontFace& font, int pixelSize) {
    std::vector<Rasterised> all;
    for (int code = FontMetrics::kFirstCode; code <= FontMetrics::kLastCode; ++code) {
        const auto bitmap = font.render(static_cast<char>(code), pixelSize);
        if (!bitmap || bitmap->width == 0 || bitmap->rows == 0) {
            continue;
        }
        Rasterised glyph{static_cast<char>(code), *bitmap, {}};
        for (int row = 0; row < bitmap->rows; ++row) {
            const unsigned char* source = bitmap->pixels + row * bitmap->pitch;
            glyph.pixels.insert(glyph.pixels.end(), source, source + bitmap->width);
        }
        all.push_back(std::move(glyph));
    }
    return all;
}

} // namespace

GlyphAtlas::GlyphAtlas(FontFace& font, int pixelSize, int outlineWidth)
    : size(pixelSize), outline(outlineWidth) {
    const std::vector<Rasterised> rasterised = rasteriseAll(font, pixelSize);
    // Two outlines and a texel of filtering between neighbours keep one glyph's outline off another.
    const int border = outlineWidth + 2;
    long long area = 0;
    int widest = 0;
    for (const Rasterised& glyph : rasterised) {
        area +=
            static_cast<long long>(glyph.placement.width + 2 * border) * (glyph.placement.rows + 2 * border);
        widest = std::max(widest, glyph.placement.width + 2 * border);
    }
    // Rows of glyphs on a roughly square sheet whose width is a multiple of four texels.
    const int sheetWidth =
        (std::max(widest, static_cast<int>(std::ceil(std::sqrt(static_cast<double>(area))))) + 3) / 4 * 4;
    glm::ivec2 cursor(0);
    int rowHeight = 0;
    for (const Rasterised& glyph : rasterised) {
        const glm::ivec2 cell(glyph.placement.width + 2 * border, glyph.placement.rows + 2 * border);
        if (cursor.x + cell.x > sheetWidth) {
            cursor = {0, cursor.y + rowHeight};
            rowHeight = 0;
        }
        glyphs[static_cast<size_t>(glyph.code)] = {cursor + border,
                                                   {glyph.placement.width, glyph.placement.rows},
                                                   {glyph.placement.left, glyph.placement.top}};
        cursor.x += cell.x;
        rowHeight = std::max(rowHeight, cell.y);
    }
    extent = {std::max(sheetWidth, 4), std::max(cursor.y + rowHeight, 1)};

    std::vector<unsigned char> sheet(static_cast<size_t>(extent.x) * static_cast<size_t>(extent.y), 0);
    for (const Rasterised& glyph : rasterised) {
        const AtlasGlyph& placed = glyphs[static_cast<size_t>(glyph.code)];
        for (int row = 0; row < placed.size.y; ++row) {
            std::copy_n(glyph.pixels.begin() + row * placed.size.x, placed.size.x,
                        sheet.begin() + (placed.corner.y + row) * extent.x + placed.corner.x);
        }
    }
    glGenTextures(1, &textureId);
    glBindTexture(GL_TEXTURE_2D, textureId);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, extent.x, extent.y, 0, GL_RED, GL_UNSIGNED_BYTE, sheet.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, 0);
}

GlyphAtlas::~GlyphAtlas() {
    glDeleteTextures(1, &textureId);
}

const AtlasGlyph* GlyphAtlas::glyph(char code) const {
    if (code < FontMetrics::kFirstCode || code > FontMetrics::kLastCode) {
        return nullptr;
    }
    const AtlasGlyph& placed = glyphs[static_cast<size_t>(code)];
    return placed.size.x > 0 ? &placed : nullptr;
}
