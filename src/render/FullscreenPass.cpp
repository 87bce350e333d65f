#include "render/FullscreenPass.h"

#include "render/QuadGeometry.h"
#include "render/Shader.h"

#include <algorithm>
#include <iostream>
#include <sstream>
#include <string>

void allocateColorTexture(GLuint texture, int width, int height) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA16F, width, height, 0, GL_RGBA, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

namespace {

void reportUnmadeTarget(const char* targetName, const std::string& reason) {
    std::cout << "ERROR: the " << targetName << " render target could not be made (" << reason
              << "); the game goes on without it" << std::endl;
}

} // namespace

bool fitsRenderTarget(const char* targetName, int width, int height) {
    GLint textureLimit = 0;
    GLint renderbufferLimit = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &textureLimit);
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbufferLimit);
    const int limit = std::min(textureLimit, renderbufferLimit);
    if (width >= 1 && height >= 1 && width <= limit && height <= limit) {
        return true;
    }
    reportUnmadeTarget(targetName, std::to_string(width) + " x " + std::to_string(height) +
                                       " is beyond the driver's limit of " + std::to_string(limit));
    return false;
}

bool isBoundFramebufferComplete(const char* targetName) {
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    if (status == GL_FRAMEBUFFER_COMPLETE) {
        return true;
    }
    std::ostringstream reason;
    reason << "framebuffer status 0x" << std::hex << status;
    reportUnmadeTarget(targetName, reason.str());
    return false;
}

void drawFullscreenPass(const std::shared_ptr<Shader>& program, GLuint sourceTexture, GLuint framebuffer) {
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    program->use();
    program->setUniform("textureSampler", 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, sourceTexture);
    screenQuad.draw();
}

void toneMapToWindow(const std::shared_ptr<Shader>& toneMapping, float exposure, GLuint hdrTexture,
                     GLuint bloomTexture) {
    toneMapping->use();
    toneMapping->setUniform("exposure", exposure);
    toneMapping->setUniform("bloomResult", 1);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, bloomTexture);
    drawFullscreenPass(toneMapping, hdrTexture, 0);
}
