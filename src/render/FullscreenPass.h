#pragma once

#include <GL/glew.h>
#include <memory>

class Shader;

// Binds the texture and (re)allocates it as a width x height RGBA16F image with linear filtering.
// The HDR image and the bloom targets are such textures.
void allocateColorTexture(GLuint texture, int width, int height);

// Checks the bound framebuffer once, when a render target is made or resized: an incomplete one
// (too large for the driver, say) prints one line naming the target and returns false, and the
// caller then leaves its pass out instead of drawing into it every frame.
bool isBoundFramebufferComplete(const char* targetName);

// Draws the full-screen quad with a program that samples one texture on unit 0 into a
// framebuffer (0 is the window), which is cleared first. Leaves unit 0 active and depth testing off.
void drawFullscreenPass(const std::shared_ptr<Shader>& program, GLuint sourceTexture, GLuint framebuffer);

// Tone-maps the HDR image (unit 0) together with the bloom (unit 1) into the window.
void toneMapToWindow(const std::shared_ptr<Shader>& toneMapping, float exposure, GLuint hdrTexture,
                     GLuint bloomTexture);
