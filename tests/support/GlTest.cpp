#include "GlTest.h"

#include "app/GlDebugOutput.h"
#include "app/HiddenContext.h"

namespace {

// Kept until the process ends: terminating GLFW at exit would unload the GL driver before the
// leak checker runs, and its allocations could then no longer be told apart from ours.
GLFWwindow* sharedWindow = nullptr;

GLFWwindow* createHiddenContext() {
    GLFWwindow* window = openHiddenContext(GlTest::kWindowSize, "GL test");
    if (window == nullptr) {
        return nullptr;
    }
    glDebugMessageCallback(reportGlDebugMessage, nullptr);
    glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
    return window;
}

} // namespace

GLFWwindow* GlTest::window() {
    if (sharedWindow == nullptr) {
        sharedWindow = createHiddenContext();
    }
    return sharedWindow;
}

void GlTest::SetUp() {
    ASSERT_NE(window(), nullptr) << "no OpenGL 4.3 core context: is DISPLAY set to an X server with GLX?";
    glfwMakeContextCurrent(window());
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, kWindowSize, kWindowSize);
    glUseProgram(0);
    while (glGetError() != GL_NO_ERROR) {
    }
}
