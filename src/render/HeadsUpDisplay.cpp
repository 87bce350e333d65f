#include "render/HeadsUpDisplay.h"

#include "render/HudText.h"
#include "render/Shader.h"

#include <array>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <glm/gtc/matrix_transform.hpp>
#include <iostream>

namespace {

constexpr glm::vec3 kGrey(0.65f, 0.65f, 0.65f);
constexpr glm::vec3 kRed(0.75f, 0.18f, 0.18f);
constexpr std::string_view kHelpText =
    "F1 - Wireframe, F2 - Culling, F3 - Bullet Bounding Box, F4 - Free Camera, "
    "F5 - Info Text On/off, F6 - HUD On/Off,\nF9 - Reset Game, F11 - Fullscreen On/Off";
constexpr unsigned kGlyphCount = 128;
constexpr FT_UInt kGlyphPixelHeight = 48;
// Each line of text sits this many glyph-10 heights below the previous one.
constexpr float kLineSpacing = 1.75f;
constexpr GLsizeiptr kQuadBytes = 6 * 4 * sizeof(float);

// A fraction of the creation size, computed in double and used in single precision.
float scaled(double fraction, int pixels) {
    return static_cast<float>(fraction * pixels);
}

// Uploads the glyph of the face's slot into a new single-channel texture.
Character uploadGlyph(FT_GlyphSlot glyph) {
    Character character;
    glGenTextures(1, &character.textureId);
    glBindTexture(GL_TEXTURE_2D, character.textureId);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, static_cast<GLsizei>(glyph->bitmap.width),
                 static_cast<GLsizei>(glyph->bitmap.rows), 0, GL_RED, GL_UNSIGNED_BYTE, glyph->bitmap.buffer);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    character.size = glm::ivec2(glyph->bitmap.width, glyph->bitmap.rows);
    character.bearing = glm::ivec2(glyph->bitmap_left, glyph->bitmap_top);
    character.advance = static_cast<unsigned>(glyph->advance.x);
    return character;
}

} // namespace

HeadsUpDisplay::HeadsUpDisplay(const std::string& vertexPath, const std::string& fragmentPath, int width,
                               int height, const std::string& fontPath, float brightness)
    : width(width), height(height) {
    setupRenderData(vertexPath, fragmentPath, brightness);
    loadFont(fontPath);
}

HeadsUpDisplay::~HeadsUpDisplay() {
    for (const auto& [code, character] : characters) {
        glDeleteTextures(1, &character.textureId);
    }
    glDeleteBuffers(1, &vbo);
    glDeleteVertexArrays(1, &vao);
}

void HeadsUpDisplay::resize(int newWidth, int newHeight) {
    width = newWidth;
    height = newHeight;
    shader->use();
    shader->setUniform("projection",
                       glm::ortho(0.0f, static_cast<float>(width), 0.0f, static_cast<float>(height)));
}

void HeadsUpDisplay::setupRenderData(const std::string& vertexPath, const std::string& fragmentPath,
                                     float brightness) {
    shader = std::make_shared<Shader>(vertexPath, fragmentPath);
    resize(width, height);
    shader->setUniform("brightness", brightness);

    glGenVertexArrays(1, &vao);
    glGenBuffers(1, &vbo);
    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    glBufferData(GL_ARRAY_BUFFER, kQuadBytes, nullptr, GL_DYNAMIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
}

void HeadsUpDisplay::loadFont(const std::string& fontPath) {
    // Glyph rows and every later image upload are tightly packed; set even without a font so
    // that images of odd widths still upload correctly.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);

    FT_Library freeType = nullptr;
    if (FT_Init_FreeType(&freeType) != 0) {
        std::cout << "ERROR::FREETYPE: Could not init FreeType" << std::endl;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(freeType, fontPath.c_str(), 0, &face) != 0) {
        std::cout << "ERROR::FREETYPE: Failed to load font" << std::endl;
        FT_Done_FreeType(freeType);
        return;
    }
    FT_Set_Pixel_Sizes(face, 0, kGlyphPixelHeight);
    for (unsigned code = 0; code < kGlyphCount; ++code) {
        if (FT_Load_Char(face, code, FT_LOAD_RENDER) != 0) {
            std::cout << "ERROR::FREETYTPE: Failed to load Glyph" << std::endl;
            continue;
        }
        characters.emplace(static_cast<char>(code), uploadGlyph(face->glyph));
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    FT_Done_Face(face);
    FT_Done_FreeType(freeType);
}

void HeadsUpDisplay::draw(int framesPerSecond, bool lost, bool won, double remainingSeconds,
                          float jumpCharge) {
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    if (!hudVisible) {
        return;
    }
    drawFps(framesPerSecond, kGrey);
    if (infoTextVisible) {
        renderText(kHelpText, scaled(0.01, width), scaled(0.965, height), scaled(0.0005, height), kGrey);
    }
    if (lost) {
        renderText("YOU LOST - TIME OUT", scaled(0.12, width), scaled(0.5, height), scaled(0.0025, height),
                   kRed);
        return;
    }
    if (won) {
        return;
    }
    drawRemainingTime(remainingSeconds, kGrey);
    drawChargeBar(jumpCharge);
}

void HeadsUpDisplay::renderText(std::string_view text, float x, float y, float scale, glm::vec3 color) {
    shader->use();
    shader->setUniform("textColor", color);
    shader->setUniform("isRect", 0);
    glActiveTexture(GL_TEXTURE0);
    glBindVertexArray(vao);
    const float lineStart = x;
    for (const char code : text) {
        const Character& glyph = characters[code];
        if (code == '\n') {
            y -= static_cast<float>(glyph.size.y) * scale * kLineSpacing;
            x = lineStart;
            continue;
        }
        const float left = x + static_cast<float>(glyph.bearing.x) * scale;
        const float bottom = y - static_cast<float>(glyph.size.y - glyph.bearing.y) * scale;
        glBindTexture(GL_TEXTURE_2D, glyph.textureId);
        drawQuad(left, bottom, left + static_cast<float>(glyph.size.x) * scale,
                 bottom + static_cast<float>(glyph.size.y) * scale);
        x += static_cast<float>(glyph.advance >> 6) * scale;
    }
    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void HeadsUpDisplay::drawRect(float x, float y, float rectWidth, float rectHeight, glm::vec3 color,
                              float fill) {
    shader->setUniform("textColor", color);
    drawQuad(x, y, x + rectWidth * fill, y + rectHeight);
}

void HeadsUpDisplay::drawFps(int framesPerSecond, glm::vec3 color) {
    if (hudVisible) {
        renderText(fpsText(framesPerSecond), scaled(0.875, width), scaled(0.95, height),
                   scaled(0.00085, height), color);
    }
}

void HeadsUpDisplay::drawRemainingTime(double seconds, glm::vec3 color) {
    if (hudVisible) {
        renderText(remainingTimeText(seconds), scaled(0.01, width), scaled(0.02, height),
                   scaled(0.00065, height), color);
    }
}

void HeadsUpDisplay::drawChargeBar(float jumpCharge) {
    shader->use();
    shader->setUniform("isRect", 1);
    glActiveTexture(GL_TEXTURE0);
    glBindVertexArray(vao);
    const float barWidth = scaled(0.2, width);
    const float barHeight = scaled(0.0275, height);
    const float bottom = scaled(0.017, height);
    const float left = scaled(0.5, width) - 0.5f * barWidth;
    const float border = 0.175f * barHeight;
    drawRect(left, bottom, barWidth, barHeight, kGrey, jumpCharge);
    drawRect(left, bottom, barWidth, border, kGrey, 1.0f);
    drawRect(left, bottom + barHeight - border, barWidth, border, kGrey, 1.0f);
    drawRect(left, bottom, border, barHeight, kGrey, 1.0f);
    drawRect(left + barWidth - border, bottom, border, barHeight, kGrey, 1.0f);
}

void HeadsUpDisplay::drawQuad(float left, float bottom, float right, float top) {
    // Two counter-clockwise triangles; v = 0 on the top edge, where a glyph bitmap's first row is.
    const std::array<float, 24> vertices = {
        left,  top,    0.0f, 0.0f, //
        left,  bottom, 0.0f, 1.0f, //
        right, bottom, 1.0f, 1.0f, //
        left,  top,    0.0f, 0.0f, //
        right, bottom, 1.0f, 1.0f, //
        right, top,    1.0f, 0.0f,
    };
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    glBufferSubData(GL_ARRAY_BUFFER, 0, kQuadBytes, vertices.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDrawArrays(GL_TRIANGLES, 0, 6);
}
