#pragma once

#include <GL/glew.h>
#include <array>
#include <glm/glm.hpp>

class FontFace;

// Where one glyph's bitmap lies in the atlas (texels from the top-left) and how it sits on the
// pen: `offset` is the bitmap's left edge right of the pen and its top edge above the baseline.
struct AtlasGlyph {
    glm::ivec2 corner{0};
    glm::ivec2 size{0};
    glm::ivec2 offset{0};
};

// The printable ASCII glyphs of a font rasterised at one pixel size into one single-channel
// texture, so that text is drawn at the size it was rasterised. Every glyph keeps a border of
// empty texels wide enough for an outline of `outlineWidth` around it.
class GlyphAtlas {
public:
    GlyphAtlas(FontFace& font, int pixelSize, int outlineWidth);
    ~GlyphAtlas();
    GlyphAtlas(const GlyphAtlas&) = delete;
    GlyphAtlas& operator=(const GlyphAtlas&) = delete;

    int pixelSize() const { return size; }
    int outlineWidth() const { return outline; }
    GLuint texture() const { return textureId; }
    glm::ivec2 textureSize() const { return extent; }
    // The glyph of a code, or nullptr when the code has none or its glyph has no ink.
    const AtlasGlyph* glyph(char code) const;

private:
    int size;
    int outline;
    GLuint textureId = 0;
    glm::ivec2 extent{0};
    std::array<AtlasGlyph, 128> glyphs{};
};
