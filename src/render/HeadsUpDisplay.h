#pragma once

#include <GL/glew.h>
#include <glm/glm.hpp>
#include <map>
#include <memory>
#include <string>
#include <string_view>

class Shader;

// One rasterised glyph of the HUD font; the all-zero glyph draws nothing and does not advance.
struct Character {
    GLuint textureId = 0;
    glm::ivec2 size{0};
    glm::ivec2 bearing{0};
    // Pen advance in 1/64 pixel.
    unsigned advance = 0;
};

// The on-screen overlay in window pixels (origin bottom-left): frame rate, help line, countdown,
// jump-charge bar and the time-out message. Text is one textured quad per character from the
// 128 ASCII glyphs of a font rasterised once at creation; the bar goes through the same program.
// It expects the window bound, depth testing off and alpha blending on.
class HeadsUpDisplay {
public:
    HeadsUpDisplay(const std::string& vertexPath, const std::string& fragmentPath, int width, int height,
                   const std::string& fontPath, float brightness);
    ~HeadsUpDisplay();
    HeadsUpDisplay(const HeadsUpDisplay&) = delete;
    HeadsUpDisplay& operator=(const HeadsUpDisplay&) = delete;

    // Lays the overlay out for a window of the new size.
    void resize(int newWidth, int newHeight);
    // The whole overlay for one frame; a loss hides countdown and bar, and so does a win.
    void draw(int framesPerSecond, bool lost, bool won, double remainingSeconds, float jumpCharge);
    // Draws text with its first pen position (x, y) on the baseline; '\n' starts a new line below.
    void renderText(std::string_view text, float x, float y, float scale, glm::vec3 color);
    // Draws the left fraction fill of a rectangle. The caller has bound the program and vertex
    // array and set "isRect".
    void drawRect(float x, float y, float rectWidth, float rectHeight, glm::vec3 color, float fill);
    void drawFps(int framesPerSecond, glm::vec3 color);
    void drawRemainingTime(double seconds, glm::vec3 color);

    void toggleHud() { hudVisible = !hudVisible; }
    void toggleInfoText() { infoTextVisible = !infoTextVisible; }
    bool isHudVisible() const { return hudVisible; }
    bool isInfoTextVisible() const { return infoTextVisible; }

private:
    void setupRenderData(const std::string& vertexPath, const std::string& fragmentPath, float brightness);
    void loadFont(const std::string& fontPath);
    void drawChargeBar(float jumpCharge);
    // Overwrites the quad buffer with the rectangle and draws its two triangles.
    void drawQuad(float left, float bottom, float right, float top);

    std::shared_ptr<Shader> shader;
    GLuint vao = 0;
    GLuint vbo = 0;
    std::map<char, Character> characters;
    int width;
    int height;
    bool hudVisible = true;
    bool infoTextVisible = true;
};
