#include "GlImages.h"
#include "GlTest.h"
#include "OffscreenTarget.h"
#include "TestPrograms.h"

#include "physics/PhysicsDebugDrawer.h"
#include "physics/PhysicsWorld.h"
#include "render/Shader.h"

#include <algorithm>
#include <btBulletDynamicsCommon.h>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

namespace {

constexpr int kSize = 64;

// Anything but the black the target is cleared to.
bool isDrawn(glm::vec4 pixel) {
    return pixel.r + pixel.g + pixel.b > 0.0f;
}

// Draws into a small offscreen image and counts the primitives that reach the rasteriser.
class PhysicsDebugDrawerGLTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        target = std::make_unique<OffscreenTarget>(kSize, kSize, glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
    }

    // A line program that passes the colour through, in clip space.
    std::shared_ptr<Shader> clipSpaceLines() const {
        auto lines = makeProgram(files, "lines", R"(#version 430 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 colorIn;
out vec3 color;
void main() { color = colorIn; gl_Position = vec4(position, 1.0); })",
                                 R"(#version 430 core
in vec3 color;
out vec4 fragColor;
void main() { fragColor = vec4(color, 1.0); })");
        lines->use();
        return lines;
    }

    static GLuint flushCountingPrimitives(PhysicsDebugDrawer& drawer) {
        return primitivesGenerated([&] { drawer.flush(); });
    }

    // Sizes of the position and index buffers of the bound vertex array.
    static std::pair<GLint, GLint> boundBufferSizes() {
        GLint positionBuffer = 0;
        GLint indexBuffer = 0;
        glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING, &positionBuffer);
        glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &indexBuffer);
        GLint positionBytes = -1;
        GLint indexBytes = -1;
        glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(positionBuffer));
        glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &positionBytes);
        glGetBufferParameteriv(GL_ELEMENT_ARRAY_BUFFER, GL_BUFFER_SIZE, &indexBytes);
        return {positionBytes, indexBytes};
    }

    static int liveBuffersAndVertexArrays() {
        int live = 0;
        for (GLuint name = 1; name < 4096; ++name) {
            live += glIsBuffer(name) + glIsVertexArray(name);
        }
        return live;
    }

    static int countPixels(const std::vector<glm::vec4>& pixels, bool (*matches)(glm::vec4)) {
        return static_cast<int>(std::count_if(pixels.begin(), pixels.end(), matches));
    }

    TempDirectory files;
    std::unique_ptr<OffscreenTarget> target;
};

TEST_F(PhysicsDebugDrawerGLTest, AnEmptyFrameUploadsEmptyBuffersAndDrawsNothing) {
    const auto lines = clipSpaceLines();
    PhysicsDebugDrawer drawer;
    drawer.drawLine(btVector3(-1, 0, 0), btVector3(1, 0, 0), btVector3(1, 1, 1));
    drawer.drawContactPoint(btVector3(0, 0, 0), btVector3(0, 1, 0), 0.1, 1, btVector3(1, 1, 1));
    drawer.draw3dText(btVector3(0, 0, 0), "ignored");
    drawer.clear();

    EXPECT_EQ(flushCountingPrimitives(drawer), 0u);
    EXPECT_EQ(boundBufferSizes(), std::make_pair(0, 0));
    EXPECT_EQ(countPixels(readFramebuffer(kSize, kSize), isDrawn), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(PhysicsDebugDrawerGLTest, OneColourLinesAreSolidAndTwoColourLinesBlendFromEndToEnd) {
    const auto lines = clipSpaceLines();
    PhysicsDebugDrawer drawer;
    drawer.clear();
    drawer.drawLine(btVector3(-1, 0.5, 0), btVector3(1, 0.5, 0), btVector3(1, 0, 0));
    drawer.drawLine(btVector3(-1, -0.5, 0), btVector3(1, -0.5, 0), btVector3(0, 1, 0), btVector3(0, 0, 1));
    EXPECT_EQ(flushCountingPrimitives(drawer), 2u);
    EXPECT_EQ(boundBufferSizes(), std::make_pair(4 * 12, 4 * 4));

    const std::vector<glm::vec4> image = readFramebuffer(kSize, kSize);
    int solidRed = 0;
    int greenOnLeft = 0;
    int blueOnRight = 0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const glm::vec4 p = image[static_cast<size_t>(y * kSize + x)];
            if (y >= kSize / 2 && p.r > 0.0f) {
                EXPECT_EQ(glm::vec3(p), glm::vec3(1, 0, 0)) << x << ", " << y;
                ++solidRed;
            }
            greenOnLeft += y < kSize / 2 && x < kSize / 4 && p.g > 0.7f && p.b < 0.3f;
            blueOnRight += y < kSize / 2 && x >= 3 * kSize / 4 && p.b > 0.7f && p.g < 0.3f;
        }
    }
    EXPECT_GE(solidRed, kSize - 2);
    EXPECT_GE(greenOnLeft, kSize / 4 - 2);
    EXPECT_GE(blueOnRight, kSize / 4 - 2);
}

TEST_F(PhysicsDebugDrawerGLTest, FlushingTwiceWithoutClearDrawsTheLinesTwiceWithTheSameObjects) {
    const auto lines = clipSpaceLines();
    PhysicsDebugDrawer drawer;
    drawer.clear();
    for (int i = 0; i < 3; ++i) {
        drawer.drawLine(btVector3(-1, 0.1 * i, 0), btVector3(1, 0.1 * i, 0), btVector3(1, 1, 1));
    }
    EXPECT_EQ(flushCountingPrimitives(drawer), 3u);
    // Names become objects on their first bind, so count after the first flush.
    const int liveBefore = liveBuffersAndVertexArrays();
    EXPECT_EQ(flushCountingPrimitives(drawer), 3u);
    EXPECT_EQ(liveBuffersAndVertexArrays(), liveBefore);
}

TEST_F(PhysicsDebugDrawerGLTest, LibraryWarningsAreOneConsoleLineWithThePrefix) {
    PhysicsDebugDrawer drawer;
    testing::internal::CaptureStdout();
    drawer.reportErrorWarning("Overflow in AABB, object removed from simulation");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "[Bullet] Overflow in AABB, object removed from simulation\n");
}

// A static box turned about y, so its bounds stand apart from it, seen with the game's physics
// debug program.
TEST_F(PhysicsDebugDrawerGLTest, ABoxInTheWorldDrawsItsWireframeAndBoundsInTheirColours) {
    const auto physicsDebug =
        std::make_shared<Shader>("assets/shader/physicsdebug.vert", "assets/shader/physicsdebug.frag");
    const glm::vec3 eye(0.5f, 1.0f, 4.0f);
    physicsDebug->use();
    physicsDebug->setUniform("viewProjMatrix",
                             glm::perspective(glm::radians(60.0f), 1.0f, 0.1f, 100.0f) *
                                 glm::lookAt(eye, glm::vec3(0.0f), glm::vec3(0.0f, 1.0f, 0.0f)));
    physicsDebug->setUniform("viewPosition", eye);

    btBoxShape shape(btVector3(1, 1, 1));
    btDefaultMotionState motionState(btTransform(btQuaternion(btVector3(0, 1, 0), SIMD_PI / 4)));
    btRigidBody box(0.0, &motionState, &shape);
    box.setCustomDebugColor(btVector3(0, 1, 0));
    PhysicsWorld world;
    world.addRigidBody(&box, nullptr);

    world.debugDraw();
    ASSERT_EQ(countPixels(readFramebuffer(kSize, kSize), isDrawn), 0)
        << "nothing is drawn before debug drawing is enabled";

    world.enableDebugDrawing(btIDebugDraw::DBG_DrawWireframe | btIDebugDraw::DBG_DrawAabb);
    world.debugDraw();
    const std::vector<glm::vec4> image = readFramebuffer(kSize, kSize);
    EXPECT_GT(countPixels(image, [](glm::vec4 p) { return p.g > 0.3f && p.r < 0.1f && p.b < 0.1f; }), 20)
        << "the box's wireframe in its green";
    EXPECT_GT(countPixels(image, [](glm::vec4 p) { return p.r > 0.3f && p.g < 0.1f && p.b < 0.1f; }), 20)
        << "its bounding box in the library's red";
}

} // namespace
