#pragma once

#include <GL/glew.h>
#include <memory>

class Shader;

// Binds the texture and (re)allocates it as a width x height RGBA16F image with linear filtering.
// The HDR image and the bloom targets are such textures.
void allocateColorTexture(GLuint texture, int width, int height);

// Checked once when a render target is made or resized. A size beyond the driver's limits is
// refused before any storage is asked for (which would only raise GL errors), and the bound
// framebuffer must be complete. A target that fails prints one line naming it and the caller
// leaves its pass out instead of drawing into it every frame.
bool fitsRenderTarget(const char* targetName, int width, int height);
bool isBoundFramebufferComplete(const char* targetName);

// Draws the full-screen quad with a program that samples one texture on unit 0 into a
// framebuffer (0 is the window), which is cleared first. Leaves unit 0 active and depth testing off.
void drawFullscreenPass(const std::shared_ptr<Shader>& program, GLuint sourceTexture, GLuint framebuffer);

// Tone-maps the HDR image (unit 0) together with the bloom (unit 1) into the window.
void toneMapToWindow(const std::shared_ptr<Shader>& toneMapping, float exposure, GLuint hdrTexture,
                     GLuint bloomTexture);
