#include "GlImages.h"
#include "GlTest.h"
#include "OffscreenTarget.h"
#include "TestPrograms.h"
#include "physics/Pea.h"
#include "physics/PeaContainer.h"
#include "physics/PeaPhysicsObject.h"
#include "physics/PhysicsWorld.h"
#include "render/LightObjectMaterial.h"
#include "render/Shader.h"
#include "render/SphereGeometry.h"

#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <array>
#include <gtest/gtest.h>

namespace {

// Places every pea by its per-instance matrix, straight into clip space.
const char* const kInstancedVertexSource = R"(#version 430 core
layout(location = 0) in vec3 position;
layout(location = 5) in mat4 instanceMatrix;
uniform mat4 modelMatrix;
void main() { gl_Position = modelMatrix * instanceMatrix * vec4(position, 1.0); }
)";

const char* const kColourFragmentSource = R"(#version 430 core
uniform vec3 lightColor;
out vec4 color;
void main() { color = vec4(lightColor, 1.0); }
)";

const char* const kMagentaFragmentSource = R"(#version 430 core
out vec4 color;
void main() { color = vec4(1.0, 0.0, 1.0, 1.0); }
)";

using Rgb = std::array<int, 3>;
const Rgb kBlack = {0, 0, 0};
const Rgb kGreen = {0, 255, 0};
const Rgb kMagenta = {255, 0, 255};

class PeaContainerGLTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        target =
            std::make_unique<OffscreenTarget>(kWindowSize, kWindowSize, glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
        program = makeProgram(files, "colour", kInstancedVertexSource, kColourFragmentSource);
        magentaProgram = makeProgram(files, "magenta", kInstancedVertexSource, kMagentaFragmentSource);
        sphere = std::make_shared<SphereGeometry>(20, 20, 0.15f);
        container = std::make_shared<PeaContainer>(
            sphere, std::make_shared<LightObjectMaterial>(program, glm::vec3(0.0f, 1.0f, 0.0f)));
    }

    void clear() { target->clear(); }

    // The colour at a point of normalised device space.
    Rgb colourAt(float x, float y) const {
        const int pixelX = static_cast<int>((x + 1.0f) * 0.5f * kWindowSize);
        const int pixelY = static_cast<int>((y + 1.0f) * 0.5f * kWindowSize);
        const glm::u8vec4 pixel = target->pixel(pixelX, pixelY);
        return {pixel.r, pixel.g, pixel.b};
    }

    void addPeaAt(glm::vec3 position) {
        container->addPea(std::make_shared<Pea>(0.15f, position, 7.0f, 11.0f));
    }

    TempDirectory files;
    std::unique_ptr<OffscreenTarget> target;
    std::shared_ptr<Shader> program;
    std::shared_ptr<Shader> magentaProgram;
    std::shared_ptr<SphereGeometry> sphere;
    std::shared_ptr<PeaContainer> container;
};

GLint attribute(GLuint location, GLenum property) {
    GLint value = 0;
    glGetVertexAttribiv(location, property, &value);
    return value;
}

TEST_F(PeaContainerGLTest, TheInstanceMatrixTakesAttributes5To8OfTheSpheresVertexArray) {
    sphere->bind();
    for (GLuint column = 0; column < 4; ++column) {
        const GLuint location = 5 + column;
        SCOPED_TRACE(location);
        EXPECT_EQ(attribute(location, GL_VERTEX_ATTRIB_ARRAY_ENABLED), GL_TRUE);
        EXPECT_EQ(attribute(location, GL_VERTEX_ATTRIB_ARRAY_SIZE), 4);
        EXPECT_EQ(attribute(location, GL_VERTEX_ATTRIB_ARRAY_TYPE), GL_FLOAT);
        EXPECT_EQ(attribute(location, GL_VERTEX_ATTRIB_ARRAY_NORMALIZED), GL_FALSE);
        EXPECT_EQ(attribute(location, GL_VERTEX_ATTRIB_ARRAY_STRIDE), 64);
        EXPECT_EQ(attribute(location, GL_VERTEX_ATTRIB_ARRAY_DIVISOR), 1);
        void* offset = nullptr;
        glGetVertexAttribPointerv(location, GL_VERTEX_ATTRIB_ARRAY_POINTER, &offset);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(offset), 16u * column);
    }
    EXPECT_EQ(attribute(0, GL_VERTEX_ATTRIB_ARRAY_DIVISOR), 0)
        << "the sphere's own attributes stay per vertex";

    const GLint instanceBuffer = attribute(5, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING);
    ASSERT_NE(instanceBuffer, 0);
    glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(instanceBuffer));
    GLint size = 0;
    GLint usage = 0;
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_USAGE, &usage);
    EXPECT_EQ(size, 64000);
    EXPECT_EQ(usage, GL_STREAM_DRAW);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(PeaContainerGLTest, DrawsEveryLivePeaWhereItsBodyIsUntilItExpires) {
    addPeaAt({0.5f, 0.0f, 0.0f});
    addPeaAt({-0.5f, 0.5f, 0.0f});
    clear();
    container->draw();
    EXPECT_EQ(colourAt(0.5f, 0.0f), kGreen);
    EXPECT_EQ(colourAt(-0.5f, 0.5f), kGreen);
    EXPECT_EQ(colourAt(0.0f, 0.0f), kBlack);
    EXPECT_EQ(colourAt(0.5f, 0.5f), kBlack);

    container->update(10.0);
    EXPECT_EQ(container->getLiveCount(), 0);
    clear();
    container->draw();
    EXPECT_EQ(colourAt(0.5f, 0.0f), kBlack);
    EXPECT_EQ(colourAt(-0.5f, 0.5f), kBlack);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "an empty container still draws cleanly";
}

TEST_F(PeaContainerGLTest, AFullContainerDrawsAllThousandPeas) {
    for (int i = 0; i < 999; ++i) {
        addPeaAt({-0.5f, -0.5f, 0.0f});
    }
    addPeaAt({0.5f, 0.5f, 0.0f});
    addPeaAt({0.5f, -0.5f, 0.0f});
    EXPECT_EQ(container->getLiveCount(), 1000);
    clear();
    container->draw();
    EXPECT_EQ(colourAt(-0.5f, -0.5f), kGreen);
    EXPECT_EQ(colourAt(0.5f, 0.5f), kGreen) << "the last slot is drawn";
    EXPECT_EQ(colourAt(0.5f, -0.5f), kBlack) << "the pea beyond the capacity is not";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(PeaContainerGLTest, TheShadowPassDrawsThePeasWithItsOwnProgram) {
    addPeaAt({0.5f, 0.0f, 0.0f});
    clear();
    container->drawWithShader(magentaProgram);
    EXPECT_EQ(static_cast<GLuint>(currentProgram()), magentaProgram->getProgramId());
    EXPECT_EQ(colourAt(0.5f, 0.0f), kMagenta);
}

TEST_F(PeaContainerGLTest, PeasEnterTheWorldTheContainerWasGiven) {
    PhysicsWorld world;
    container->addToPhysicsWorld(&world);
    auto pea = std::make_shared<Pea>(0.15f, glm::vec3(10, 3, 0), 7.0f, 11.0f);
    container->addPea(pea);
    EXPECT_TRUE(pea->getPhysics().getRigidBody()->isInWorld());
}

} // namespace
