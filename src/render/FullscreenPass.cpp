#include "render/FullscreenPass.h"

#include "render/QuadGeometry.h"
#include "render/Shader.h"

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
