#include "GlTest.h"
#include "render/Shader.h"

#include <gtest/gtest.h>
#include <map>
#include <ostream>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

// What one of the game's programs reads: its active vertex inputs by location and its active
// uniforms by name. Array elements are written "[]"; the game addresses element 0 as "[0]".
struct ProgramInterface {
    const char* name;
    const char* vertexFile;
    const char* fragmentFile;
    std::map<GLint, GLenum> inputs;
    std::map<std::string, GLenum> uniforms;
};

const std::map<std::string, GLenum> kCameraAndModel = {{"viewProjMatrix", GL_FLOAT_MAT4},
                                                       {"viewPosition", GL_FLOAT_VEC3},
                                                       {"modelMatrix", GL_FLOAT_MAT4},
                                                       {"normalMatrix", GL_FLOAT_MAT4},
                                                       {"lightColor", GL_FLOAT_VEC3}};

// Every program pair the game builds, with exactly what it reads of what the game feeds it.
// Reading less than listed loses data the game provides; reading more reads something nobody sets.
const std::vector<ProgramInterface> kPrograms = {
    {"LevelSurfaces",
     "assets/shader/texture.vert",
     "assets/shader/texture.frag",
     {{0, GL_FLOAT_VEC3}, {1, GL_FLOAT_VEC3}, {2, GL_FLOAT_VEC3}, {3, GL_FLOAT_VEC3}, {4, GL_FLOAT_VEC3}},
     {{"viewProjMatrix", GL_FLOAT_MAT4},
      {"viewPosition", GL_FLOAT_VEC3},
      {"modelMatrix", GL_FLOAT_MAT4},
      {"normalMatrix", GL_FLOAT_MAT4},
      {"albedoTexture", GL_SAMPLER_2D},
      {"normalTexture", GL_SAMPLER_2D},
      {"rmaTexture", GL_SAMPLER_2D},
      // Plain 2D samplers: the shadow maps have no comparison mode.
      {"shadowMaps[]", GL_SAMPLER_2D},
      {"numDirectionalLights", GL_INT},
      {"directionalLights[].direction", GL_FLOAT_VEC3},
      {"directionalLights[].color", GL_FLOAT_MAT3},
      {"directionalLights[].lightSpaceMatrix", GL_FLOAT_MAT4},
      {"numPointLights", GL_INT},
      {"pointLights[].position", GL_FLOAT_VEC3},
      {"pointLights[].color", GL_FLOAT_MAT3},
      {"pointLights[].attenuation", GL_FLOAT_VEC3}}},
    {"LightObjects",
     "assets/shader/lightobject.vert",
     "assets/shader/lightobject.frag",
     {{0, GL_FLOAT_VEC3}, {1, GL_FLOAT_VEC3}},
     kCameraAndModel},
    {"InstancedLightObjects",
     "assets/shader/instancedlightobject.vert",
     "assets/shader/lightobject.frag",
     {{0, GL_FLOAT_VEC3}, {1, GL_FLOAT_VEC3}, {5, GL_FLOAT_MAT4}},
     kCameraAndModel},
    {"Sky",
     "assets/shader/skybox.vert",
     "assets/shader/skybox.frag",
     {{0, GL_FLOAT_VEC3}},
     {{"viewProjMatrix", GL_FLOAT_MAT4}, {"modelMatrix", GL_FLOAT_MAT4}, {"skybox", GL_SAMPLER_2D}}},
    {"PhysicsDebugLines",
     "assets/shader/physicsdebug.vert",
     "assets/shader/physicsdebug.frag",
     {{0, GL_FLOAT_VEC3}, {1, GL_FLOAT_VEC3}},
     {{"viewProjMatrix", GL_FLOAT_MAT4}, {"viewPosition", GL_FLOAT_VEC3}}},
    {"ShadowPass",
     "assets/shader/shadowmap.vert",
     "assets/shader/shadowmap.frag",
     {{0, GL_FLOAT_VEC3}, {5, GL_FLOAT_MAT4}},
     {{"lightSpaceMatrix", GL_FLOAT_MAT4}, {"modelMatrix", GL_FLOAT_MAT4}}},
    // The bright filter and the blurs address texels by window position, so they read no uv; the
    // tone mapping scales the scene up to the window and does.
    {"ToneMapping",
     "assets/shader/quad.vert",
     "assets/shader/tonemapping.frag",
     {{0, GL_FLOAT_VEC3}, {1, GL_FLOAT_VEC2}},
     {{"textureSampler", GL_SAMPLER_2D}, {"bloomResult", GL_SAMPLER_2D}, {"exposure", GL_FLOAT}}},
    {"BrightFilter",
     "assets/shader/quad.vert",
     "assets/shader/brightfilter.frag",
     {{0, GL_FLOAT_VEC3}},
     {{"textureSampler", GL_SAMPLER_2D}}},
    {"HorizontalBlur",
     "assets/shader/quad.vert",
     "assets/shader/blurhorizontal.frag",
     {{0, GL_FLOAT_VEC3}},
     {{"textureSampler", GL_SAMPLER_2D}}},
    {"VerticalBlur",
     "assets/shader/quad.vert",
     "assets/shader/blurvertical.frag",
     {{0, GL_FLOAT_VEC3}},
     {{"textureSampler", GL_SAMPLER_2D}}},
    // The glyph sampler is never set: it keeps its default, unit 0.
    {"HeadsUpDisplay",
     "assets/shader/headupdisplay.vert",
     "assets/shader/headupdisplay.frag",
     {{0, GL_FLOAT_VEC4}},
     {{"projection", GL_FLOAT_MAT4},
      {"brightness", GL_FLOAT},
      {"textColor", GL_FLOAT_VEC3},
      {"isRect", GL_INT},
      {"outlineWidth", GL_FLOAT},
      {"glyphTexture", GL_SAMPLER_2D}}},
};

void PrintTo(const ProgramInterface& program, std::ostream* out) {
    *out << program.vertexFile << " + " << program.fragmentFile;
}

std::map<GLint, GLenum> activeInputs(GLuint program) {
    std::map<GLint, GLenum> inputs;
    GLint count = 0;
    glGetProgramInterfaceiv(program, GL_PROGRAM_INPUT, GL_ACTIVE_RESOURCES, &count);
    for (GLint i = 0; i < count; ++i) {
        const GLenum properties[] = {GL_LOCATION, GL_TYPE};
        GLint values[2] = {};
        glGetProgramResourceiv(program, GL_PROGRAM_INPUT, static_cast<GLuint>(i), 2, properties, 2, nullptr,
                               values);
        if (values[0] >= 0) { // built-in inputs have no location
            inputs[values[0]] = static_cast<GLenum>(values[1]);
        }
    }
    return inputs;
}

// Active uniforms with array indices blanked out ("shadowMaps[]", "pointLights[].color").
std::map<std::string, GLenum> activeUniforms(GLuint program) {
    static const std::regex kIndex(R"(\[\d+\])");
    std::map<std::string, GLenum> uniforms;
    GLint count = 0;
    glGetProgramInterfaceiv(program, GL_UNIFORM, GL_ACTIVE_RESOURCES, &count);
    for (GLint i = 0; i < count; ++i) {
        GLchar name[256] = {};
        glGetProgramResourceName(program, GL_UNIFORM, static_cast<GLuint>(i), sizeof name, nullptr, name);
        const GLenum property = GL_TYPE;
        GLint type = 0;
        glGetProgramResourceiv(program, GL_UNIFORM, static_cast<GLuint>(i), 1, &property, 1, nullptr, &type);
        uniforms[std::regex_replace(name, kIndex, "[]")] = static_cast<GLenum>(type);
    }
    return uniforms;
}

GLint arraySize(GLuint program, const std::string& firstElement) {
    const GLuint index = glGetProgramResourceIndex(program, GL_UNIFORM, firstElement.c_str());
    const GLenum property = GL_ARRAY_SIZE;
    GLint size = 0;
    glGetProgramResourceiv(program, GL_UNIFORM, index, 1, &property, 1, nullptr, &size);
    return size;
}

class ShaderProgramsGLTest : public GlTest, public testing::WithParamInterface<ProgramInterface> {};

TEST_P(ShaderProgramsGLTest, BuildsAndReadsExactlyWhatTheGameFeedsIt) {
    const ProgramInterface& expected = GetParam();
    testing::internal::CaptureStdout();
    Shader shader(expected.vertexFile, expected.fragmentFile);
    const std::string output = testing::internal::GetCapturedStdout();
    ASSERT_EQ(output, "") << "compile or link log";
    const GLuint program = shader.getProgramId();
    ASSERT_NE(program, 0u);

    EXPECT_EQ(activeInputs(program), expected.inputs);
    EXPECT_EQ(activeUniforms(program), expected.uniforms);
    for (const auto& [name, type] : expected.uniforms) {
        const std::string firstElement = std::regex_replace(name, std::regex(R"(\[\])"), "[0]");
        EXPECT_NE(shader.getUniformLocation(firstElement), -1) << firstElement;
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

INSTANTIATE_TEST_SUITE_P(GamePrograms, ShaderProgramsGLTest, testing::ValuesIn(kPrograms),
                         [](const testing::TestParamInfo<ProgramInterface>& info) {
                             return info.param.name;
                         });

// Each directional light samples the shadow map of the same index, so both arrays hold as many
// lights as the fragment stage has units left after albedo, normal and RMA maps, up to what a
// level uses; and a handful of point lights fit.
class LevelProgramGLTest : public GlTest {};

TEST_F(LevelProgramGLTest, HoldsAShadowMapForEveryDirectionalLight) {
    Shader shader("assets/shader/texture.vert", "assets/shader/texture.frag");
    const GLuint program = shader.getProgramId();
    ASSERT_NE(program, 0u);
    GLint fragmentUnits = 0;
    glGetIntegerv(GL_MAX_TEXTURE_IMAGE_UNITS, &fragmentUnits);

    const GLint shadowMaps = arraySize(program, "shadowMaps[0]");
    EXPECT_GE(shadowMaps, 2);
    EXPECT_LE(3 + shadowMaps, fragmentUnits);
    const std::string lastLight =
        "directionalLights[" + std::to_string(shadowMaps - 1) + "].lightSpaceMatrix";
    EXPECT_NE(shader.getUniformLocation(lastLight), -1);
    EXPECT_EQ(shader.getUniformLocation("directionalLights[" + std::to_string(shadowMaps) + "].direction"),
              -1);
    EXPECT_NE(shader.getUniformLocation("pointLights[7].attenuation"), -1);
}

} // namespace
