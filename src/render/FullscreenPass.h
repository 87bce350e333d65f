#pragma once

#include <GL/glew.h>
#include <memory>

class Shader;

// Draws the full-screen quad with a program that samples one texture on unit 0 into a
// framebuffer (0 is the window), which is cleared first. Leaves unit 0 active and depth testing off.
void drawFullscreenPass(const std::shared_ptr<Shader>& program, GLuint sourceTexture, GLuint framebuffer);

// Tone-maps the HDR image (unit 0) together with the bloom (unit 1) into the window.
void toneMapToWindow(const std::shared_ptr<Shader>& toneMapping, float exposure, GLuint hdrTexture,
                     GLuint bloomTexture);
