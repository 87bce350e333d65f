#pragma once

#include "render/FontFace.h"
#include "render/HudLayout.h"

#include <GL/glew.h>
#include <glm/glm.hpp>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class GlyphAtlas;
class Shader;

// What the overlay shows in one frame.
struct HudFrame {
    int framesPerSecond = 0;
    bool lost = false;
    bool won = false;
    double remainingSeconds = 0.0;
    float jumpCharge = 0.0f;
    // Seconds from the start to the finish, shown while won.
    double finishSeconds = 0.0;
    // The level's best time before this run, if there was one, and whether this run beat it.
    std::optional<double> bestSeconds = std::nullopt;
    bool newBest = false;
    bool replaying = false;
    bool levelLoadFailed = false;
};

// The on-screen overlay in window pixels (origin bottom-left): frame rate, help line, countdown,
// jump-charge bar, replay indicator and the centred loss, win and level-failure messages. The
// font is read once; its glyphs are rasterised at the sizes the layout draws them, one atlas
// per size, again whenever the window size changes. Every text has a dark outline so that it
// reads on sky and ground alike. It expects the window bound, depth testing off and alpha
// blending on.
class HeadsUpDisplay {
public:
    HeadsUpDisplay(const std::string& vertexPath, const std::string& fragmentPath, int width, int height,
                   const std::string& fontPath, float brightness);
    ~HeadsUpDisplay();
    HeadsUpDisplay(const HeadsUpDisplay&) = delete;
    HeadsUpDisplay& operator=(const HeadsUpDisplay&) = delete;

    // Lays the overlay out for a new window size and rasterises the glyphs it needs; called
    // between frames, never while one is drawn.
    void resize(int width, int height);

    // The whole overlay for one frame. A failed level shows only its message; a loss hides the
    // countdown and the bar, and so does a win, which shows its time instead.
    void draw(const HudFrame& frame);

    void toggleHud() { hudVisible = !hudVisible; }
    void toggleInfoText() { infoTextVisible = !infoTextVisible; }
    bool isHudVisible() const { return hudVisible; }
    bool isInfoTextVisible() const { return infoTextVisible; }
    const HudLayout& layout() const { return placement; }

private:
    void createQuadBuffer();
    void rasteriseLayoutSizes();
    const GlyphAtlas* atlasFor(int pixelSize) const;
    void drawLines(const TextSlot& slot, glm::vec3 color);
    void drawText(std::string_view text, const TextSlot& slot, float baseline, glm::vec3 color);
    void drawCentreMessage(const HudFrame& frame);
    void drawCountdown(double remainingSeconds);
    void drawChargeBar(float jumpCharge);
    void drawRect(const HudBox& box, glm::vec3 color);
    void addQuad(const HudBox& box, glm::vec2 uvTopLeft, glm::vec2 uvBottomRight);
    void flushQuads();

    std::shared_ptr<Shader> shader;
    GLuint vao = 0;
    GLuint vbo = 0;
    FontFace font;
    int width = 0;
    int height = 0;
    HudLayout placement;
    std::vector<std::unique_ptr<GlyphAtlas>> atlases;
    // Vertices waiting to be drawn, with room for a whole batch made once.
    std::vector<float> vertices;
    // The frame's changing texts are written here, so drawing them allocates nothing.
    std::string scratch;
    bool hudVisible = true;
    bool infoTextVisible = true;
};
