#include "render/BloomChain.h"

#include "render/FullscreenPass.h"
#include "render/Shader.h"

#include <utility>

namespace {

// Texels of a row or column that one work group of the blur program writes (its shared stretch
// of 512 less the 40-texel apron on either side).
constexpr int kBlurTexelsPerGroup = 432;

GLuint groupsAlong(int length) {
    return static_cast<GLuint>((length + kBlurTexelsPerGroup - 1) / kBlurTexelsPerGroup);
}

} // namespace

BloomChain::BloomChain(std::shared_ptr<Shader> brightFilter, std::shared_ptr<Shader> blur, int width,
                       int height)
    : brightFilter(std::move(brightFilter)), blurProgram(std::move(blur)), width(width), height(height) {
    glGenFramebuffers(1, &framebuffer);
    glGenTextures(2, textures.data());
    allocate();
}

BloomChain::~BloomChain() {
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteTextures(2, textures.data());
}

void BloomChain::resize(int newWidth, int newHeight) {
    width = newWidth;
    height = newHeight;
    allocate();
}

void BloomChain::allocate() {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    for (const GLuint texture : textures) {
        allocateColorTexture(texture, width, height);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, textures[0], 0);
    complete = isBoundFramebufferComplete("bloom");
}

GLuint BloomChain::run(GLuint sourceTexture) {
    if (!complete) {
        return 0;
    }
    glViewport(0, 0, width, height);
    drawFullscreenPass(brightFilter, sourceTexture, framebuffer);
    blurProgram->use();
    blurProgram->setUniform("textureSampler", 0);
    blur(textures[0], textures[1], {1, 0});
    blur(textures[1], textures[0], {0, 1});
    return textures[0];
}

void BloomChain::blur(GLuint source, GLuint target, glm::ivec2 direction) {
    glBindTexture(GL_TEXTURE_2D, source);
    glBindImageTexture(0, target, 0, GL_FALSE, 0, GL_WRITE_ONLY, GL_RGBA16F);
    blurProgram->setUniform("direction", direction);
    const int length = direction.x != 0 ? width : height;
    const int lines = direction.x != 0 ? height : width;
    glDispatchCompute(groupsAlong(length), static_cast<GLuint>(lines), 1);
    // The next blur and the tone mapping sample what this one stored.
    glMemoryBarrier(GL_TEXTURE_FETCH_BARRIER_BIT);
}
