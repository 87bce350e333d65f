#include "render/FullscreenPass.h"

#include "render/QuadGeometry.h"
#include "render/Shader.h"

GLuint createColorAttachment(int width, int height) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA16F, width, height, 0, GL_RGBA, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    return texture;
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
