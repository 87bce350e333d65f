#include "render/BloomChain.h"

#include "render/FullscreenPass.h"

BloomChain::BloomChain(const std::vector<std::shared_ptr<Shader>>& passes, int width, int height)
    : passes(passes) {
    glGenFramebuffers(2, framebuffers.data());
    for (int i = 0; i < 2; ++i) {
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffers[i]);
        textures[i] = createColorAttachment(width, height);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
}

BloomChain::~BloomChain() {
    glDeleteFramebuffers(2, framebuffers.data());
    glDeleteTextures(2, textures.data());
}

GLuint BloomChain::run(GLuint sourceTexture) {
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
