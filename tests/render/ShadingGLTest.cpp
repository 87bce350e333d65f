#include "FloatTarget.h"
#include "GlImages.h"
#include "GlTest.h"
#include "render/FullscreenPass.h"
#include "render/QuadGeometry.h"
#include "render/Shader.h"
#include "render/ShadowmapTexture.h"
#include "render/SphereGeometry.h"

#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

constexpr int kSize = 64;
constexpr float kViewHalfWidth = 1.25f;
constexpr int kShadowSize = 256;

using Image = std::vector<glm::vec4>;

glm::vec3 at(const Image& image, int x, int y) {
    return glm::vec3(image[static_cast<size_t>(y * kSize + x)]);
}

// The pixel column or row showing the world coordinate w of the orthographic views below.
int pixelOf(float w) {
    return static_cast<int>((w + kViewHalfWidth) / (2.0f * kViewHalfWidth) * kSize);
}

// A light looking along direction at the origin, over a 4 x 4 box, 20 units deep.
glm::mat4 lightSpaceAlong(glm::vec3 direction) {
    const glm::vec3 d = glm::normalize(direction);
    return glm::ortho(-2.0f, 2.0f, -2.0f, 2.0f, 0.0f, 20.0f) *
           glm::lookAt(-10.0f * d, glm::vec3(0.0f), glm::vec3(0.0f, 1.0f, 0.0f));
}

// Colour matrix of a light: ambient, diffuse and specular as columns.
glm::mat3 lightColor(float ambient, float diffuse, float specular) {
    return glm::mat3(glm::vec3(ambient), glm::vec3(diffuse), glm::vec3(specular));
}

// Renders the game's programs into a float image: the level program on a unit sphere at the
// origin seen along -z through an orthographic camera, with 1 x 1 surface maps and a shadow map.
class ShadingGLTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        level = std::make_shared<Shader>("assets/shader/texture.vert", "assets/shader/texture.frag");
        shadow = std::make_shared<Shader>("assets/shader/shadowmap.vert", "assets/shader/shadowmap.frag");
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glGenTextures(1, &colorTarget);
        glBindTexture(GL_TEXTURE_2D, colorTarget);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA32F, kSize, kSize, 0, GL_RGBA, GL_FLOAT, nullptr);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colorTarget, 0);
        glGenRenderbuffers(1, &depthTarget);
        glBindRenderbuffer(GL_RENDERBUFFER, depthTarget);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, kSize, kSize);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthTarget);
        glViewport(0, 0, kSize, kSize);
        glEnable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);

        glGenFramebuffers(1, &shadowFramebuffer);
        shadowMap = std::make_shared<ShadowmapTexture>(kShadowSize, shadowFramebuffer);
        shadowMap->bind(3);
        clearShadowMap();
    }

    void TearDown() override {
        glDisable(GL_DEPTH_TEST);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteFramebuffers(1, &shadowFramebuffer);
        glDeleteRenderbuffers(1, &depthTarget);
        glDeleteTextures(1, &colorTarget);
        glDeleteTextures(static_cast<GLsizei>(surfaceMaps.size()), surfaceMaps.data());
    }

    // An RGB texture of the given bytes, rows from the bottom up, sampled nearest, on the given unit.
    void bindImage(unsigned unit, int width, int height, const glm::u8vec3* rgb) {
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glActiveTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_2D, texture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        surfaceMaps.push_back(texture);
    }

    // The level program current, with camera, identity model, the surface maps and no lights.
    void useLevelProgram(glm::u8vec3 albedo, glm::u8vec3 rma, glm::u8vec3 normal = {128, 128, 255}) {
        level->use();
        level->setUniform(
            "viewProjMatrix",
            glm::ortho(-kViewHalfWidth, kViewHalfWidth, -kViewHalfWidth, kViewHalfWidth, 1.0f, 10.0f) *
                glm::lookAt(glm::vec3(0.0f, 0.0f, 5.0f), glm::vec3(0.0f), glm::vec3(0.0f, 1.0f, 0.0f)));
        level->setUniform("viewPosition", glm::vec3(0.0f, 0.0f, 5.0f));
        level->setUniform("modelMatrix", glm::mat4(1.0f));
        level->setUniform("normalMatrix", glm::mat4(1.0f));
        bindImage(0, 1, 1, &albedo);
        bindImage(1, 1, 1, &normal);
        bindImage(2, 1, 1, &rma);
        level->setUniform("albedoTexture", 0);
        level->setUniform("normalTexture", 1);
        level->setUniform("rmaTexture", 2);
        level->setUniform("numDirectionalLights", 0);
        level->setUniform("numPointLights", 0);
    }

    // A directional light sampling the fixture's shadow map, made from the same light space.
    void addDirectionalLight(glm::vec3 direction, const glm::mat3& color) {
        const int i = level->getUniformInt("numDirectionalLights");
        const auto index = static_cast<unsigned>(i);
        level->setUniform("directionalLights", index, "direction", glm::normalize(direction));
        level->setUniform("directionalLights", index, "color", color);
        level->setUniform("directionalLights", index, "lightSpaceMatrix", lightSpaceAlong(direction));
        shadowMap->bind(3 + index);
        level->setUniform("shadowMaps", index, 3 + i);
        level->setUniform("numDirectionalLights", i + 1);
    }

    // Turns directional light 0 without changing its light space.
    void setLightDirection(glm::vec3 direction) {
        level->setUniform("directionalLights", 0, "direction", glm::normalize(direction));
    }

    // Every vertex gets the tangent frame of an upright picture on the surface (bitangent down it,
    // as the import flips v); the fixture's meshes carry no tangents of their own.
    static void useUprightTangentFrame() {
        glVertexAttrib3f(2, 1.0f, 0.0f, 0.0f);
        glVertexAttrib3f(3, 0.0f, -1.0f, 0.0f);
    }

    static void clearTangentFrame() {
        glVertexAttrib4f(2, 0.0f, 0.0f, 0.0f, 1.0f);
        glVertexAttrib4f(3, 0.0f, 0.0f, 0.0f, 1.0f);
    }

    void addPointLight(glm::vec3 position, const glm::mat3& color, glm::vec3 attenuation) {
        const int i = level->getUniformInt("numPointLights");
        const auto index = static_cast<unsigned>(i);
        level->setUniform("pointLights", index, "position", position);
        level->setUniform("pointLights", index, "color", color);
        level->setUniform("pointLights", index, "attenuation", attenuation);
        level->setUniform("numPointLights", i + 1);
    }

    Image drawSphere() {
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        sphere.draw();
        return readFramebuffer(kSize, kSize);
    }

    void clearShadowMap() {
        glBindFramebuffer(GL_FRAMEBUFFER, shadowFramebuffer);
        glClear(GL_DEPTH_BUFFER_BIT);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    }

    // Draws shadow casters into the shadow map with the shadow program, as the light sees them.
    template <typename Draw> void castShadow(glm::vec3 lightDirection, const glm::mat4& model, Draw draw) {
        glBindFramebuffer(GL_FRAMEBUFFER, shadowFramebuffer);
        glViewport(0, 0, kShadowSize, kShadowSize);
        shadow->use();
        shadow->setUniform("lightSpaceMatrix", lightSpaceAlong(lightDirection));
        shadow->setUniform("modelMatrix", model);
        draw();
        glViewport(0, 0, kSize, kSize);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    }

    std::vector<float> readShadowMap() {
        std::vector<float> depths(static_cast<size_t>(kShadowSize * kShadowSize));
        shadowMap->bind(3);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depths.data());
        return depths;
    }

    std::shared_ptr<Shader> level;
    std::shared_ptr<Shader> shadow;
    SphereGeometry sphere{48, 48, 1.0f};
    QuadGeometry quad;
    GLuint framebuffer = 0;
    GLuint colorTarget = 0;
    GLuint depthTarget = 0;
    GLuint shadowFramebuffer = 0;
    std::shared_ptr<ShadowmapTexture> shadowMap;
    std::vector<GLuint> surfaceMaps;
};

const glm::u8vec3 kMatte = {255, 0, 255};      // roughness 1, metalness 0, unoccluded
const glm::u8vec3 kTiltedUp = {128, 218, 218}; // normal (0, 0.7, 0.7)

// The level's lights come without ambient colours, yet the side turned away from the sun must
// not be black: each directional light brings sky light along, on top of its ambient colour.
TEST_F(ShadingGLTest, TheSideTurnedFromADirectionalLightGetsSkyLightAndItsAmbient) {
    useLevelProgram({255, 255, 255}, kMatte);
    addDirectionalLight({-1.0f, 0.0f, 0.0f}, lightColor(0.0f, 1.0f, 1.0f));
    const Image image = drawSphere();

    const glm::vec3 lit = at(image, pixelOf(0.7f), pixelOf(0.0f));
    const float shaded = at(image, pixelOf(-0.7f), pixelOf(0.0f)).r;
    EXPECT_GT(lit.r, 0.5f);
    EXPECT_NEAR(lit.r, lit.b, 1e-3f) << "white light on white stays grey";
    EXPECT_GT(shaded, 0.05f);
    EXPECT_LT(shaded, 0.3f * lit.r);
    level->setUniform("directionalLights", 0, "color", lightColor(0.1f, 1.0f, 1.0f));
    EXPECT_NEAR(at(drawSphere(), pixelOf(-0.7f), pixelOf(0.0f)).r - shaded, 0.1f, 0.01f)
        << "the ambient colour adds on";
}

// Albedo is sRGB-encoded: byte 188 is 0.5 in linear light, which a light of diffuse colour 1
// shining straight at a matte surface returns (less the 4 % its Fresnel reflection takes). The
// direct light is what the surface loses when the light is turned to face away from it.
TEST_F(ShadingGLTest, AMatteSurfaceFacingALightOfColourOneReturnsItsLinearAlbedo) {
    useLevelProgram({188, 188, 188}, kMatte);
    addDirectionalLight({0.0f, 0.0f, -1.0f}, lightColor(0.0f, 1.0f, 0.0f));
    const float facing = at(drawSphere(), kSize / 2, kSize / 2).g;
    setLightDirection({0.0f, 0.0f, 1.0f});
    const float turnedAway = at(drawSphere(), kSize / 2, kSize / 2).g;
    EXPECT_NEAR(facing - turnedAway, 0.5f * 0.96f, 0.02f);
}

// The level's normal maps point +y towards the top of the image, which the import puts at v = 0,
// so the mesh's bitangent (towards growing v) points down the picture.
TEST_F(ShadingGLTest, ANormalMapTiltedTowardsTheImagesTopFacesUp) {
    useUprightTangentFrame();
    useLevelProgram({255, 255, 255}, kMatte, kTiltedUp);
    addDirectionalLight({0.0f, -1.0f, -1.0f}, lightColor(0.0f, 1.0f, 0.0f));
    const float fromAbove = at(drawSphere(), kSize / 2, kSize / 2).r;
    setLightDirection({0.0f, 1.0f, -1.0f});
    const float fromBelow = at(drawSphere(), kSize / 2, kSize / 2).r;
    clearTangentFrame();

    EXPECT_NEAR(fromAbove - fromBelow, 0.96f, 0.03f)
        << "light from above and in front falls straight on the tilted normal, from below it grazes it";
}

TEST_F(ShadingGLTest, PointLightsFadeWithTheirAttenuationCoefficients) {
    useLevelProgram({255, 255, 255}, kMatte);
    const glm::vec3 position(0.0f, 0.0f, 2.0f); // one unit in front of the sphere's nearest point
    addPointLight(position, lightColor(0.0f, 1.0f, 0.0f), {1.0f, 0.0f, 0.0f});
    const float unattenuated = at(drawSphere(), kSize / 2, kSize / 2).r;
    level->setUniform("pointLights", 0, "attenuation", glm::vec3(1.0f, 1.0f, 2.0f));
    const float attenuated = at(drawSphere(), kSize / 2, kSize / 2).r;
    ASSERT_GT(unattenuated, 0.5f);
    EXPECT_NEAR(attenuated / unattenuated, 1.0f / (1.0f + 1.0f + 2.0f), 0.01f);
}

// A bevel in the normal map can lean towards a lamp behind the surface; the mesh still hides the
// lamp, as it hides the sun, so the bevels of a wall do not glow in the colour of a lamp behind it.
TEST_F(ShadingGLTest, APointLightBehindTheMeshDoesNotLightNormalsTiltedTowardsIt) {
    useUprightTangentFrame();
    useLevelProgram({255, 255, 255}, kMatte, kTiltedUp);
    // Above the sphere's nearest point (0, 0, 1), a little in front of it, then a little behind.
    addPointLight({0.0f, 3.0f, 1.5f}, lightColor(0.0f, 1.0f, 0.0f), {1.0f, 0.0f, 0.0f});
    const float inFront = at(drawSphere(), kSize / 2, kSize / 2).r;
    level->setUniform("pointLights", 0, "position", glm::vec3(0.0f, 3.0f, 0.5f));
    const float behind = at(drawSphere(), kSize / 2, kSize / 2).r;
    clearTangentFrame();

    EXPECT_GT(inFront, 0.3f);
    EXPECT_NEAR(behind, 0.0f, 1e-4f) << "the tilted normal faces the lamp, the mesh does not";
}

// Behind the occluder only the light's ambient and sky light remain, as on a surface turned away.
TEST_F(ShadingGLTest, AnOccluderInTheShadowMapLeavesOnlyAmbientLightBehindIt) {
    const glm::vec3 down(0.0f, 0.0f, -1.0f);
    // A plate in front of the sphere covering the light's view left of x = 0.
    castShadow(down,
               glm::translate(glm::mat4(1.0f), {-1.0f, 0.0f, 3.0f}) *
                   glm::scale(glm::mat4(1.0f), {1.0f, 2.0f, 1.0f}),
               [&] { quad.draw(); });
    useLevelProgram({255, 255, 255}, kMatte);
    addDirectionalLight(down, lightColor(0.1f, 1.0f, 0.0f));
    const Image image = drawSphere();
    setLightDirection(-down);
    const Image turnedAway = drawSphere();

    const auto litFraction = [&](float x) {
        const int column = pixelOf(x);
        const int row = pixelOf(0.3f);
        const float unlit = at(turnedAway, column, row).r;
        return (at(image, column, row).r - unlit) / (1.0f - unlit);
    };
    EXPECT_NEAR(litFraction(-0.3f), 0.0f, 0.01f) << "behind the plate";
    EXPECT_GT(litFraction(0.3f), 0.8f) << "beside it";
    EXPECT_LT(litFraction(-0.08f), 0.05f) << "the shadow reaches the plate's edge";
    EXPECT_GT(litFraction(0.08f), 0.8f) << "and stops there";
}

// The sphere casts its own shadow map and is then lit by the same light at an angle: apart from
// the band along its terminator, the lit side must match the picture without shadows, pixel
// for pixel (no acne), while the far side stays dark.
TEST_F(ShadingGLTest, ASurfaceDoesNotShadowItselfWhereItFacesTheLight) {
    const glm::vec3 direction = glm::normalize(glm::vec3(-1.0f, -0.6f, -1.0f));
    useLevelProgram({255, 255, 255}, kMatte);
    addDirectionalLight(direction, lightColor(0.0f, 1.0f, 0.0f));
    const Image unshadowed = drawSphere();
    castShadow(direction, glm::mat4(1.0f), [&] { sphere.draw(); });
    useLevelProgram({255, 255, 255}, kMatte);
    addDirectionalLight(direction, lightColor(0.0f, 1.0f, 0.0f));
    const Image shadowed = drawSphere();

    int compared = 0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const glm::vec2 w(((x + 0.5f) / kSize * 2.0f - 1.0f) * kViewHalfWidth,
                              ((y + 0.5f) / kSize * 2.0f - 1.0f) * kViewHalfWidth);
            if (glm::dot(w, w) > 0.9f * 0.9f) {
                continue;
            }
            const glm::vec3 normal(w, std::sqrt(1.0f - glm::dot(w, w)));
            if (glm::dot(normal, -direction) > 0.25f) {
                ++compared;
                ASSERT_NEAR(at(shadowed, x, y).r, at(unshadowed, x, y).r, 0.02f) << x << ", " << y;
            }
        }
    }
    EXPECT_GT(compared, 500);
}

// The peas are drawn instanced with an identity model matrix, other meshes plainly with theirs.
TEST_F(ShadingGLTest, TheShadowPassPlacesInstancesByTheirOwnMatrixAndPlainMeshesByTheModelMatrix) {
    SphereGeometry pea(16, 16, 0.5f);
    pea.bind();
    const glm::mat4 instance = glm::translate(glm::mat4(1.0f), {-1.0f, 0.0f, 0.0f});
    GLuint instanceBuffer = 0;
    glGenBuffers(1, &instanceBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, instanceBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof instance, &instance, GL_STATIC_DRAW);
    for (GLuint column = 0; column < 4; ++column) {
        glEnableVertexAttribArray(5 + column);
        glVertexAttribPointer(5 + column, 4, GL_FLOAT, GL_FALSE, sizeof instance,
                              reinterpret_cast<const void*>(column * sizeof(glm::vec4)));
        glVertexAttribDivisor(5 + column, 1);
    }
    const glm::vec3 direction(0.0f, 0.0f, -1.0f);
    castShadow(direction, glm::mat4(1.0f), [&] { pea.drawInstanced(1); });
    castShadow(direction,
               glm::translate(glm::mat4(1.0f), {1.0f, 0.0f, 0.0f}) *
                   glm::scale(glm::mat4(1.0f), glm::vec3(0.25f)),
               [&] { quad.draw(); });
    const std::vector<float> depths = readShadowMap();
    glDeleteBuffers(1, &instanceBuffer);

    const auto depthAt = [&](float x) {
        const int texel = static_cast<int>((x + 2.0f) / 4.0f * kShadowSize);
        return depths[static_cast<size_t>(kShadowSize / 2 * kShadowSize + texel)];
    };
    EXPECT_LT(depthAt(-1.0f), 1.0f) << "the instance at x = -1";
    EXPECT_EQ(depthAt(0.0f), 1.0f) << "nothing at the origin";
    EXPECT_LT(depthAt(1.0f), 1.0f) << "the plain quad at its model matrix's x = 1";
}

// The sky panorama seen from its centre: the image's middle straight ahead along -z, its top
// row overhead, left and right not mirrored; its sRGB bytes arrive as linear light.
TEST_F(ShadingGLTest, TheSkyShowsThePanoramaAroundTheViewerInLinearLight) {
    // Four columns (u quarters) by two rows (top, bottom), each its own colour.
    const std::vector<glm::u8vec3> panorama = {{10, 0, 0}, {20, 0, 0}, {30, 0, 0},  {40, 0, 0},
                                               {50, 0, 0}, {60, 0, 0}, {188, 0, 0}, {80, 0, 0}};
    bindImage(0, 4, 2, panorama.data());
    Shader sky("assets/shader/skybox.vert", "assets/shader/skybox.frag");
    sky.setUniform("viewProjMatrix", glm::perspective(glm::radians(90.0f), 1.0f, 0.1f, 10.0f) *
                                         glm::lookAt(glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, -1.0f),
                                                     glm::vec3(0.0f, 1.0f, 0.0f)));
    sky.setUniform("modelMatrix", glm::mat4(1.0f));
    sky.setUniform("skybox", 0);
    glDisable(GL_DEPTH_TEST);
    const Image image = drawSphere();

    const auto red = [&](int x, int y) {
        return at(image, x, y).r;
    };
    const auto linear = [](int byte) {
        return std::pow((byte / 255.0f + 0.055f) / 1.055f, 2.4f);
    };
    EXPECT_NEAR(red(kSize * 3 / 4, kSize * 3 / 4), linear(30), 1e-3f) << "ahead, right and up";
    EXPECT_NEAR(red(kSize / 4, kSize * 3 / 4), linear(20), 1e-3f) << "ahead, left and up";
    EXPECT_NEAR(red(kSize * 3 / 4, kSize / 4), 0.5f, 1e-2f) << "ahead, right and down";
    EXPECT_NEAR(red(kSize / 4, kSize / 4), linear(60), 1e-3f) << "ahead, left and down";
}

// The bloom passes on small float images, drawn as the game draws them.
class BloomPassGLTest : public GlTest {
protected:
    static constexpr int kWidth = 65;

    void SetUp() override {
        GlTest::SetUp();
        glViewport(0, 0, kWidth, kWidth);
        target = std::make_unique<FloatTarget>(kWidth, glm::vec4(0.0f));
    }

    Image run(const char* fragmentFile, const Image& input) {
        const auto pass = std::make_shared<Shader>("assets/shader/quad.vert", fragmentFile);
        const GLuint source = makeFloatTexture(kWidth, kWidth, input);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        drawFullscreenPass(pass, source, target->getFramebuffer());
        glDeleteTextures(1, &source);
        return readTexture(target->getTexture(), kWidth, kWidth);
    }

    static glm::vec4& pixel(Image& image, int x, int y) { return image[static_cast<size_t>(y * kWidth + x)]; }

    std::unique_ptr<FloatTarget> target;
};

TEST_F(BloomPassGLTest, TheBrightFilterKeepsOnlyWhatIsBrighterThanWhiteAndItsHue) {
    Image input(kWidth * kWidth, glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
    pixel(input, 1, 0) = {1.0f, 1.0f, 1.0f, 1.0f};
    pixel(input, 2, 0) = {1.1f, 0.2f, 0.0f, 1.0f};
    pixel(input, 3, 0) = {4.0f, 2.0f, 1.0f, 1.0f};
    Image output = run("assets/shader/brightfilter.frag", input);

    EXPECT_EQ(glm::vec3(pixel(output, 1, 0)), glm::vec3(0.0f)) << "white itself does not bloom";
    EXPECT_GT(pixel(output, 2, 0).r, 0.0f) << "just above white blooms a little";
    EXPECT_LT(pixel(output, 2, 0).r, 0.1f);
    const glm::vec3 bright(pixel(output, 3, 0));
    EXPECT_GT(bright.r, 2.0f);
    EXPECT_LT(bright.r, 4.0f);
    EXPECT_NEAR(bright.g / bright.r, 0.5f, 0.01f) << "the hue is kept";
}

// A single bright texel spreads along the pass's axis only, into a normalised bell: ten times the
// 9-tap Gaussian of sigma 2 (deviation 1.85 each, so sqrt(10) x 1.85 = 5.85 together), cut off
// after 22 texels; mirrored taps agree.
TEST_F(BloomPassGLTest, EachBlurSpreadsAPointIntoANormalisedGaussianAlongItsOwnAxis) {
    constexpr int kCentre = kWidth / 2;
    Image input(kWidth * kWidth, glm::vec4(0.0f));
    pixel(input, kCentre, kCentre) = glm::vec4(1.0f);
    for (const bool horizontal : {true, false}) {
        Image output =
            run(horizontal ? "assets/shader/blurhorizontal.frag" : "assets/shader/blurvertical.frag", input);
        const auto along = [&](int offset) -> float {
            return horizontal ? pixel(output, kCentre + offset, kCentre).r
                              : pixel(output, kCentre, kCentre + offset).r;
        };
        const auto across = [&](int offset) -> float {
            return horizontal ? pixel(output, kCentre, kCentre + offset).r
                              : pixel(output, kCentre + offset, kCentre).r;
        };
        float sum = 0.0f;
        float variance = 0.0f;
        for (int offset = -24; offset <= 24; ++offset) {
            sum += along(offset);
            variance += along(offset) * static_cast<float>(offset * offset);
            EXPECT_NEAR(along(offset), along(-offset), 1e-3f) << offset;
        }
        EXPECT_NEAR(sum, 1.0f, 0.01f) << (horizontal ? "horizontal" : "vertical");
        EXPECT_NEAR(std::sqrt(variance), 5.85f, 0.05f);
        EXPECT_GT(along(22), 0.0f) << "45 taps wide";
        EXPECT_EQ(along(23), 0.0f);
        EXPECT_LT(across(1), 1e-3f) << "nothing spreads across the pass's axis";
    }
}

} // namespace
