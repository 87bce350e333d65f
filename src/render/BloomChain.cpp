#include "render/BloomChain.h"

#include "render/FullscreenPass.h"

BloomChain::BloomChain(const std::vector<std::shared_ptr<Shader>>& passes, int width, int height)
    : passes(passes), width(width), height(height) {
    glGenFramebuffers(2, framebuffers.data());
    glGenTextures(2, textures.data());
    allocate();
}

BloomChain::~BloomChain() {
    glDeleteFramebuffers(2, framebuffers.data());
    glDeleteTextures(2, textures.data());
}

void BloomChain::resize(int newWidth, int newHeight) {
    width = newWidth;
    height = newHeight;
    allocate();
}

void BloomChain::allocate() {
    complete = fitsRenderTarget("bloom", width, height);
    for (int i = 0; complete && i < 2; ++i) {
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffers[i]);
        allocateColorTexture(textures[i], width, height);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, textures[i], 0);
        complete = isBoundFramebufferComplete("bloom");
    }
}

GLuint BloomChain::run(GLuint sourceTexture) {
    if (!complete) {
        return 0;
    }
    glViewport(0, 0, width, height);
    // Pass 1 writes target 1, then the targets alternate; without passes the source is the result.
    GLuint input = sourceTexture;
    int target = 1;
    for (const std::shared_ptr<Shader>& pass : passes) {
        drawFullscreenPass(pass, input, framebuffers[target]);
        input = textures[target];
        target = 1 - target;
    }
    return input;
}
