#include "render/HdrTarget.h"

#include "render/FullscreenPass.h"

namespace {

constexpr const char* kTargetName = "scene (HDR)";

} // namespace

HdrTarget::~HdrTarget() {
    if (created) {
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteTextures(1, &colorTexture);
        glDeleteRenderbuffers(1, &depthStencil);
    }
}

void HdrTarget::create(int newWidth, int newHeight) {
    if (created) {
        return;
    }
    glGenFramebuffers(1, &framebuffer);
    glGenTextures(1, &colorTexture);
    glGenRenderbuffers(1, &depthStencil);
    created = true;
    resize(newWidth, newHeight);
}

void HdrTarget::resize(int newWidth, int newHeight) {
    if (!created) {
        return;
    }
    width = newWidth;
    height = newHeight;
    allocate();
}

void HdrTarget::allocate() {
    complete = fitsRenderTarget(kTargetName, width, height);
    if (!complete) {
        return;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    allocateColorTexture(colorTexture, width, height);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colorTexture, 0);

    glBindRenderbuffer(GL_RENDERBUFFER, depthStencil);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depthStencil);
    complete = isBoundFramebufferComplete(kTargetName);
}

GLuint HdrTarget::bind() {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glViewport(0, 0, width, height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    return colorTexture;
}
