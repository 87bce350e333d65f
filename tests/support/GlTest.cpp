#include "GlTest.h"

#include "app/GlDebugOutput.h"
#include "app/HiddenContext.h"
#include "app/LoadedLibraries.h"

namespace {

GLFWwindow* sharedWindow = nullptr;

GLFWwindow* createHiddenContext() {
    GLFWwindow* window = openHiddenContext(GlTest::kWindowSize, "GL test");
    if (window == nullptr) {
        return nullptr;
    }
    // As in the game: the driver stays mapped after glfwTerminate, so the leak report at exit can
    // still tell its allocations from ours.
    keepLoadedLibrariesMapped();
    glDebugMessageCallback(reportGlDebugMessage, nullptr);
    glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
    return window;
}

// Closes the shared window and the window system after the last test, the way the game ends.
// That also ends the driver's rendering threads: a process left to exit with them running has
// seen the sanitizer build's exit-time leak checker crash while it stopped them.
class SharedWindowRelease : public ::testing::Environment {
public:
    void TearDown() override {
        if (sharedWindow != nullptr) {
            glfwDestroyWindow(sharedWindow);
            sharedWindow = nullptr;
        }
        glfwTerminate();
    }
};

[[maybe_unused]] ::testing::Environment* const sharedWindowRelease =
    ::testing::AddGlobalTestEnvironment(new SharedWindowRelease);

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
