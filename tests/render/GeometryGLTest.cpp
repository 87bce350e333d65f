#include "GlImages.h"
#include "GlTest.h"
#include "OffscreenTarget.h"
#include "TestPrograms.h"
#include "render/ModelGeometry.h"
#include "render/QuadGeometry.h"
#include "render/Shader.h"
#include "render/SphereGeometry.h"

#include <assimp/mesh.h>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Draws positions through "viewProjMatrix" in opaque white.
const char* const kFlatVertex = R"(#version 430 core
layout(location = 0) in vec3 position;
uniform mat4 viewProjMatrix;
void main() { gl_Position = viewProjMatrix * vec4(position, 1.0); }
)";
const char* const kWhiteFragment = R"(#version 430 core
out vec4 color;
void main() { color = vec4(1.0); }
)";

// Shows the attribute at one location as the colour of an untransformed mesh.
std::string attributeVertex(int location, int components) {
    const std::string type = components == 2 ? "vec2" : "vec3";
    return "#version 430 core\nlayout(location = 0) in vec3 position;\nlayout(location = " +
           std::to_string(location) + ") in " + type + " value;\nout vec3 shown;\nvoid main() {\n" +
           "    shown = vec3(value" + (components == 2 ? ", 0.0" : "") +
           ");\n    gl_Position = vec4(position, 1.0);\n}\n";
}
const char* const kShownFragment = R"(#version 430 core
in vec3 shown;
out vec4 color;
void main() { color = vec4(shown, 1.0); }
)";

glm::mat4 camera(glm::vec3 eye, glm::vec3 direction, float fovDegrees) {
    const glm::vec3 up = std::abs(direction.y) > 0.5f ? glm::vec3(0, 0, 1) : glm::vec3(0, 1, 0);
    return glm::perspective(glm::radians(fovDegrees), 1.0f, 0.01f, 10.0f) *
           glm::lookAt(eye, eye + direction, up);
}

// Two triangles covering normalised device space, with one constant value per attribute.
std::unique_ptr<aiMesh> makeQuadMesh() {
    auto mesh = std::make_unique<aiMesh>();
    const aiVector3D corners[] = {{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}};
    mesh->mNumVertices = 4;
    mesh->mVertices = new aiVector3D[4];
    mesh->mNormals = new aiVector3D[4];
    mesh->mTangents = new aiVector3D[4];
    mesh->mBitangents = new aiVector3D[4];
    mesh->mTextureCoords[0] = new aiVector3D[4];
    mesh->mNumUVComponents[0] = 2;
    for (int i = 0; i < 4; ++i) {
        mesh->mVertices[i] = corners[i];
        mesh->mNormals[i] = aiVector3D(0.0f, 0.0f, 1.0f);
        mesh->mTangents[i] = aiVector3D(1.0f, 0.0f, 0.0f);
        mesh->mBitangents[i] = aiVector3D(0.0f, 1.0f, 0.0f);
        mesh->mTextureCoords[0][i] = aiVector3D(0.25f, 0.75f, 0.5f);
    }
    const unsigned faces[2][3] = {{0, 1, 2}, {0, 2, 3}};
    mesh->mNumFaces = 2;
    mesh->mFaces = new aiFace[2];
    for (int f = 0; f < 2; ++f) {
        mesh->mFaces[f].mNumIndices = 3;
        mesh->mFaces[f].mIndices = new unsigned[3]{faces[f][0], faces[f][1], faces[f][2]};
    }
    return mesh;
}

class GeometryGLTest : public GlTest {
protected:
    std::shared_ptr<Shader> program(const std::string& vertex, const std::string& fragment) {
        return makeProgram(files, "p", vertex, fragment);
    }

    void SetUp() override {
        GlTest::SetUp();
        target = std::make_unique<OffscreenTarget>(64);
    }

    TempDirectory files;
    std::unique_ptr<OffscreenTarget> target;
};

TEST_F(GeometryGLTest, ASphereIsCreatedByItsFirstDrawAndShowsOnlyFromOutside) {
    const auto flat = program(kFlatVertex, kWhiteFragment);
    SphereGeometry sphere(20, 20, 1.0f);
    glEnable(GL_CULL_FACE);

    flat->setUniform("viewProjMatrix", camera({0, 0, 3}, {0, 0, -1}, 60.0f));
    glBindVertexArray(0);
    sphere.draw();
    GLint vertexArray = 0;
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &vertexArray);
    EXPECT_NE(vertexArray, 0);
    // The sphere subtends about 61 % of the view's half-width: a disc of roughly 1200 pixels.
    EXPECT_GT(target->coveredPixels(), 1000);

    const glm::vec3 directions[] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    for (const glm::vec3& direction : directions) {
        flat->setUniform("viewProjMatrix", camera({0, 0, 0}, direction, 100.0f));
        target->clear();
        sphere.draw();
        EXPECT_EQ(target->coveredPixels(), 0)
            << "inside, looking along " << direction.x << direction.y << direction.z;
        glDisable(GL_CULL_FACE);
        sphere.draw();
        EXPECT_EQ(target->coveredPixels(), target->width * target->height)
            << "the inside is there to be culled";
        glEnable(GL_CULL_FACE);
    }
    glDisable(GL_CULL_FACE);
}

TEST_F(GeometryGLTest, TheScreenQuadCoversTheViewportWithUvOriginBottomLeft) {
    program("#version 430 core\nlayout(location = 0) in vec3 position;\nlayout(location = 1) in vec2 uv;\n"
            "out vec3 shown;\nvoid main() {\n    shown = vec3(uv, 0.0);\n    gl_Position = vec4(position, "
            "1.0);\n}\n",
            kShownFragment);
    screenQuad.draw();
    EXPECT_EQ(target->coveredPixels(), target->width * target->height);
    const int last = target->width - 1;
    const struct {
        int x;
        int y;
        bool uHigh;
        bool vHigh;
    } corners[] = {
        {0, 0, false, false}, {last, 0, true, false}, {0, last, false, true}, {last, last, true, true}};
    for (const auto& c : corners) {
        const glm::u8vec4 value = target->pixel(c.x, c.y);
        EXPECT_EQ(value.r > 250, c.uHigh) << c.x << "," << c.y << ": u " << int(value.r);
        EXPECT_EQ(value.r < 5, !c.uHigh) << c.x << "," << c.y << ": u " << int(value.r);
        EXPECT_EQ(value.g > 250, c.vHigh) << c.x << "," << c.y << ": v " << int(value.g);
        EXPECT_EQ(value.g < 5, !c.vHigh) << c.x << "," << c.y << ": v " << int(value.g);
    }
}

// The game releases the program-wide quad while its context lives; a later context draws it anew.
TEST_F(GeometryGLTest, AReleasedScreenQuadIsMadeAgainByTheNextDraw) {
    program("#version 430 core\nlayout(location = 0) in vec3 position;\nout vec3 shown;\nvoid main() {\n"
            "    shown = vec3(1.0);\n    gl_Position = vec4(position, 1.0);\n}\n",
            kShownFragment);
    screenQuad.draw();
    screenQuad.release();
    target->clear();
    screenQuad.draw();
    EXPECT_EQ(target->coveredPixels(), target->width * target->height);
    screenQuad.release();
}

TEST_F(GeometryGLTest, EachKindDrawsItsWholeMeshOnceOrPerInstance) {
    const auto flat = program(kFlatVertex, kWhiteFragment);
    flat->setUniform("viewProjMatrix", glm::mat4(1.0f));
    SphereGeometry sphere(20, 20, 0.5f);
    const auto mesh = makeQuadMesh();
    ModelGeometry model(mesh.get());
    const struct {
        const char* kind;
        Geometry& geometry;
        GLuint triangles;
    } cases[] = {{"screen quad", screenQuad, 2}, {"sphere", sphere, 760}, {"model", model, 2}};
    for (const auto& c : cases) {
        EXPECT_EQ(primitivesGenerated([&] { c.geometry.draw(); }), c.triangles) << c.kind;
        EXPECT_EQ(primitivesGenerated([&] { c.geometry.drawInstanced(3); }), 3 * c.triangles) << c.kind;
    }
}

TEST_F(GeometryGLTest, AModelFeedsEveryAttributeAtItsLocationAndDropsTheMeshAfterUpload) {
    const auto mesh = makeQuadMesh();
    ModelGeometry model(mesh.get());
    model.bind();
    EXPECT_EQ(model.getMesh(), nullptr);
    EXPECT_EQ(model.getIndexCount(), 6u);

    const struct {
        int location;
        glm::u8vec4 color;
    } cases[] = {
        {1, {0, 0, 255, 255}}, {2, {255, 0, 0, 255}}, {3, {0, 255, 0, 255}}, {4, {64, 191, 128, 255}}};
    for (const auto& c : cases) {
        program(attributeVertex(c.location, 3), kShownFragment);
        target->clear();
        model.draw();
        const glm::u8vec4 centre = target->pixel(target->width / 2, target->height / 2);
        EXPECT_EQ(target->coveredPixels(), target->width * target->height) << "location " << c.location;
        for (int channel = 0; channel < 4; ++channel) {
            EXPECT_NEAR(centre[channel], c.color[channel], 1) << "location " << c.location;
        }
    }
}

TEST_F(GeometryGLTest, ASphereFeedsNormalsAndUvs) {
    SphereGeometry sphere(20, 20, 1.0f);
    glEnable(GL_CULL_FACE);
    // Untransformed, the front faces are the half towards +z; the centre pixel lies at the
    // vertex (0, 0, 1), a quarter of the way round and half way down.
    const struct {
        int location;
        int components;
        glm::u8vec4 color;
    } cases[] = {{1, 3, {0, 0, 255, 255}}, {4, 2, {64, 128, 0, 255}}};
    for (const auto& c : cases) {
        program(attributeVertex(c.location, c.components), kShownFragment);
        target->clear();
        sphere.draw();
        const glm::u8vec4 centre = target->pixel(target->width / 2, target->height / 2);
        for (int channel = 0; channel < 4; ++channel) {
            EXPECT_NEAR(centre[channel], c.color[channel], 6) << "location " << c.location;
        }
    }
    glDisable(GL_CULL_FACE);
}

} // namespace
