#include "GlImages.h"
#include "GlTest.h"

#include "render/HdrTarget.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

class HdrTargetGLTest : public GlTest {};

TEST_F(HdrTargetGLTest, CreatesAFloatColourTextureWithDepthStencilOnce) {
    constexpr int kWidth = 64;
    constexpr int kHeight = 32;
    HdrTarget target;
    target.create(kWidth, kHeight);
    const GLint framebuffer = boundFramebuffer();
    ASSERT_NE(framebuffer, 0) << "the new framebuffer stays bound";
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    GLint depthStencilType = 0;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT,
                                          GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE, &depthStencilType);
    EXPECT_EQ(depthStencilType, GL_RENDERBUFFER);

    const GLuint colorTexture = target.bind();
    glBindTexture(GL_TEXTURE_2D, colorTexture);
    GLint format = 0;
    GLint width = 0;
    GLint height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    EXPECT_EQ(format, GL_RGBA16F);
    EXPECT_EQ(width, kWidth);
    EXPECT_EQ(height, kHeight);

    target.create(kWidth, kHeight);
    EXPECT_EQ(target.bind(), colorTexture) << "a second create keeps the first objects";
    EXPECT_EQ(boundFramebuffer(), framebuffer);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(HdrTargetGLTest, EveryBindClearsWithTheCurrentClearColourAndTurnsDepthTestingOn) {
    constexpr int kSize = 8;
    glViewport(0, 0, kSize, kSize);
    HdrTarget target;
    target.create(kSize, kSize);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    target.bind();
    glClearColor(3.0f, 2.0f, 1.0f, 0.5f);
    glClear(GL_COLOR_BUFFER_BIT);
    ASSERT_EQ(readFramebuffer(kSize, kSize)[0], glm::vec4(3.0f, 2.0f, 1.0f, 0.5f))
        << "HDR values above 1 survive";

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glDisable(GL_DEPTH_TEST);
    target.bind();
    for (const glm::vec4& pixel : readFramebuffer(kSize, kSize)) {
        ASSERT_EQ(pixel, glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
    }
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(HdrTargetGLTest, ResizingGivesTheImageAndTheViewportTheNewSize) {
    HdrTarget target;
    target.create(64, 32);
    target.resize(48, 20);
    EXPECT_TRUE(target.isComplete());
    const GLuint colorTexture = target.bind();
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 48);
    EXPECT_EQ(viewport[3], 20);
    glBindTexture(GL_TEXTURE_2D, colorTexture);
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 48);
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
}

// A window wider than any texture the driver can make: one line when the target is made, and
// the target says so, so that the scene is not drawn into it frame after frame.
TEST_F(HdrTargetGLTest, AnImpossibleSizeIsReportedOnceAndMarksTheTargetIncomplete) {
    HdrTarget target;
    testing::internal::CaptureStdout();
    target.create(100000, 800);
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(target.isComplete());
    EXPECT_NE(output.find("ERROR: the scene (HDR) render target could not be made"), std::string::npos)
        << output;
    while (glGetError() != GL_NO_ERROR) {
    }
}

TEST_F(HdrTargetGLTest, DestroyingATargetThatWasNeverCreatedTouchesNoGl) {
    { HdrTarget target; }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
