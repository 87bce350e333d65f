#include "render/HeadsUpDisplay.h"

#include "render/GlyphAtlas.h"
#include "render/HudText.h"
#include "render/Shader.h"

#include <algorithm>
#include <cmath>
#include <glm/gtc/matrix_transform.hpp>

namespace {

constexpr glm::vec3 kGrey(0.65f, 0.65f, 0.65f);
constexpr glm::vec3 kRed(0.75f, 0.18f, 0.18f);
constexpr glm::vec3 kWinGreen(0.35f, 0.85f, 0.45f);
constexpr glm::vec3 kBarFill(0.95f, 0.78f, 0.25f);
constexpr glm::vec3 kBarBacking(0.06f, 0.06f, 0.06f);
// The countdown turns to the loss colour when this little time is left.
constexpr double kHurrySeconds = 10.0;
// One batch of glyph quads, six vertices of four floats each.
constexpr size_t kQuadsPerBatch = 128;
constexpr size_t kFloatsPerQuad = 6 * 4;
constexpr GLsizeiptr kBatchBytes = kQuadsPerBatch * kFloatsPerQuad * sizeof(float);

} // namespace

HeadsUpDisplay::HeadsUpDisplay(const std::string& vertexPath, const std::string& fragmentPath, int width,
                               int height, const std::string& fontPath, float brightness)
    : shader(std::make_shared<Shader>(vertexPath, fragmentPath)), font(fontPath) {
    // Atlas rows and every later image upload are tightly packed.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    shader->use();
    shader->setUniform("brightness", brightness);
    createQuadBuffer();
    vertices.reserve(kQuadsPerBatch * kFloatsPerQuad);
    resize(width, height);
}

HeadsUpDisplay::~HeadsUpDisplay() {
    atlases.clear();
    glDeleteBuffers(1, &vbo);
    glDeleteVertexArrays(1, &vao);
}

void HeadsUpDisplay::createQuadBuffer() {
    glGenVertexArrays(1, &vao);
    glGenBuffers(1, &vbo);
    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    glBufferData(GL_ARRAY_BUFFER, kBatchBytes, nullptr, GL_DYNAMIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
}

void HeadsUpDisplay::resize(int newWidth, int newHeight) {
    width = std::max(1, newWidth);
    height = std::max(1, newHeight);
    shader->use();
    shader->setUniform("projection",
                       glm::ortho(0.0f, static_cast<float>(width), 0.0f, static_cast<float>(height)));
    placement = layOutHud(width, height, font.metrics());
    rasteriseLayoutSizes();
}

void HeadsUpDisplay::rasteriseLayoutSizes() {
    const TextSlot* const slots[] = {&placement.fps,        &placement.help,        &placement.countdown,
                                     &placement.replay,     &placement.lossMessage, &placement.failureMessage,
                                     &placement.winMessage, &placement.record};
    std::erase_if(atlases, [&](const auto& atlas) {
        return std::none_of(std::begin(slots), std::end(slots),
                            [&](const TextSlot* slot) { return slot->pixelSize == atlas->pixelSize(); });
    });
    if (!font.isLoaded()) {
        return;
    }
    for (const TextSlot* slot : slots) {
        if (atlasFor(slot->pixelSize) == nullptr) {
            atlases.push_back(std::make_unique<GlyphAtlas>(font, slot->pixelSize, slot->outlineWidth));
        }
    }
}

const GlyphAtlas* HeadsUpDisplay::atlasFor(int pixelSize) const {
    for (const auto& atlas : atlases) {
        if (atlas->pixelSize() == pixelSize) {
            return atlas.get();
        }
    }
    return nullptr;
}

void HeadsUpDisplay::draw(const HudFrame& frame) {
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    if (!hudVisible) {
        return;
    }
    writeFps(frame.framesPerSecond, scratch);
    drawText(scratch, placement.fps, placement.fps.baseline, kGrey);
    if (infoTextVisible) {
        drawLines(placement.help, kGrey);
    }
    if (frame.replaying) {
        drawLines(placement.replay, kGrey);
    }
    if (frame.levelLoadFailed || frame.lost || frame.won) {
        drawCentreMessage(frame);
        return;
    }
    drawCountdown(frame.remainingSeconds);
    drawChargeBar(frame.jumpCharge);
}

// A failed level outranks a loss, and a loss a win (a finish seen after the time ran out).
void HeadsUpDisplay::drawCentreMessage(const HudFrame& frame) {
    if (frame.levelLoadFailed) {
        drawLines(placement.failureMessage, kRed);
    } else if (frame.lost) {
        drawLines(placement.lossMessage, kRed);
    } else {
        writeFinished(frame.finishSeconds, scratch);
        drawText(scratch, placement.winMessage, placement.winMessage.baseline, kWinGreen);
        if (frame.newBest) {
            drawText(kNewBest, placement.record, placement.record.baseline, kWinGreen);
        } else if (frame.bestSeconds) {
            writeBest(*frame.bestSeconds, scratch);
            drawText(scratch, placement.record, placement.record.baseline, kWinGreen);
        }
    }
}

void HeadsUpDisplay::drawCountdown(double remainingSeconds) {
    writeRemainingTime(remainingSeconds, scratch);
    drawText(scratch, placement.countdown, placement.countdown.baseline,
             remainingSeconds < kHurrySeconds ? kRed : kGrey);
}

void HeadsUpDisplay::drawLines(const TextSlot& slot, glm::vec3 color) {
    float baseline = slot.baseline;
    for (const std::string& line : slot.lines) {
        drawText(line, slot, baseline, color);
        baseline -= slot.lineStep;
    }
}

void HeadsUpDisplay::drawText(std::string_view text, const TextSlot& slot, float baseline, glm::vec3 color) {
    const GlyphAtlas* atlas = atlasFor(slot.pixelSize);
    if (atlas == nullptr) {
        return;
    }
    const FontMetrics& metrics = font.metrics();
    const float size = static_cast<float>(slot.pixelSize);
    const glm::vec2 texels = atlas->textureSize();
    const float border = static_cast<float>(atlas->outlineWidth());
    shader->use();
    shader->setUniform("textColor", color);
    shader->setUniform("isRect", 0);
    shader->setUniform("outlineWidth", border);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, atlas->texture());
    glBindVertexArray(vao);
    float pen = penStart(slot, metrics.measure(text, size));
    for (const char code : text) {
        if (const AtlasGlyph* glyph = atlas->glyph(code)) {
            // Whole pixels keep the glyph's texels on the window's pixels; the quad reaches
            // beyond the bitmap by the outline's width.
            const float left = std::round(pen) + static_cast<float>(glyph->offset.x);
            const float top = baseline + static_cast<float>(glyph->offset.y);
            const HudBox quad{left - border, top - static_cast<float>(glyph->size.y) - border,
                              left + static_cast<float>(glyph->size.x) + border, top + border};
            const glm::vec2 corner = glm::vec2(glyph->corner) - border;
            const glm::vec2 far = glm::vec2(glyph->corner + glyph->size) + border;
            addQuad(quad, corner / texels, far / texels);
        }
        pen += metrics.glyph(code).advance * size;
    }
    flushQuads();
    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void HeadsUpDisplay::drawChargeBar(float jumpCharge) {
    const HudBox& bar = placement.bar;
    const float border = placement.barBorder;
    const float fillWidth = (bar.right - bar.left - 2.0f * border) * std::clamp(jumpCharge, 0.0f, 1.0f);
    shader->use();
    shader->setUniform("isRect", 1);
    glBindVertexArray(vao);
    drawRect(bar, kBarBacking);
    if (fillWidth > 0.0f) {
        drawRect({bar.left + border, bar.bottom + border, bar.left + border + fillWidth, bar.top - border},
                 kBarFill);
    }
    drawRect({bar.left, bar.bottom, bar.right, bar.bottom + border}, kGrey);
    drawRect({bar.left, bar.top - border, bar.right, bar.top}, kGrey);
    drawRect({bar.left, bar.bottom, bar.left + border, bar.top}, kGrey);
    drawRect({bar.right - border, bar.bottom, bar.right, bar.top}, kGrey);
    glBindVertexArray(0);
}

void HeadsUpDisplay::drawRect(const HudBox& box, glm::vec3 color) {
    shader->setUniform("textColor", color);
    addQuad(box, glm::vec2(0.0f), glm::vec2(1.0f));
    flushQuads();
}

void HeadsUpDisplay::addQuad(const HudBox& box, glm::vec2 uvTopLeft, glm::vec2 uvBottomRight) {
    if (vertices.size() + kFloatsPerQuad > vertices.capacity()) {
        flushQuads();
    }
    // Two counter-clockwise triangles; v grows downwards, as the atlas rows do.
    const float corners[] = {
        box.left,  box.top,    uvTopLeft.x,     uvTopLeft.y,     //
        box.left,  box.bottom, uvTopLeft.x,     uvBottomRight.y, //
        box.right, box.bottom, uvBottomRight.x, uvBottomRight.y, //
        box.left,  box.top,    uvTopLeft.x,     uvTopLeft.y,     //
        box.right, box.bottom, uvBottomRight.x, uvBottomRight.y, //
        box.right, box.top,    uvBottomRight.x, uvTopLeft.y,
    };
    vertices.insert(vertices.end(), std::begin(corners), std::end(corners));
}

void HeadsUpDisplay::flushQuads() {
    if (vertices.empty()) {
        return;
    }
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(vertices.size() * sizeof(float)),
                    vertices.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size() / 4));
    vertices.clear();
}
