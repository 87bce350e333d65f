#pragma once

#include <GL/glew.h>
#include <memory>

class Shader;

// Makes a width x height RGBA16F texture with linear filtering and attaches it as colour attachment 0
// of the bound framebuffer; it stays bound. The HDR image and the bloom targets are such textures.
GLuint createColorAttachment(int width, int height);

// Draws the full-screen quad with a program that samples one texture on unit 0 into a
// framebuffer (0 is the window), which is cleared first. Leaves unit 0 active and depth testing off.
void drawFullscreenPass(const std::shared_ptr<Shader>& program, GLuint sourceTexture, GLuint framebuffer);

// Tone-maps the HDR image (unit 0) together with the bloom (unit 1) into the window.
void toneMapToWindow(const std::shared_ptr<Shader>& toneMapping, float exposure, GLuint hdrTexture,
                     GLuint bloomTexture);
