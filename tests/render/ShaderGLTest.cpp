#include "GlImages.h"
#include "GlTest.h"
#include "TempDirectory.h"
#include "render/Shader.h"

#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>
#include <memory>

namespace {

const char* const kVertexSource = R"(#version 430 core
layout(location = 0) in vec3 position;
out vec3 tint;
void main() {
    tint = position;
    gl_Position = vec4(position, 1.0);
}
)";

const char* const kFragmentSource = R"(#version 430 core
in vec3 tint;
out vec4 color;
void main() { color = vec4(tint, 1.0); }
)";

// Reads every kind of uniform the setters write, including arrays of structs and samplers.
const char* const kUniformFragmentSource = R"(#version 430 core
struct DirectionalLight {
    vec3 direction;
    mat3 color;
    mat4 lightSpaceMatrix;
};
uniform DirectionalLight directionalLights[3];
uniform sampler2D shadowMaps[2];
uniform int count;
uniform float exposure;
uniform vec3 lightColor;
uniform mat4 modelMatrix;
uniform int index;
in vec3 tint;
out vec4 color;
void main() {
    DirectionalLight light = directionalLights[index];
    vec3 sum = light.direction + light.color * tint + (light.lightSpaceMatrix * modelMatrix * vec4(tint, 1.0)).xyz;
    color = vec4(sum * lightColor * exposure * float(count), 1.0) + texture(shadowMaps[index], tint.xy);
}
)";

int countOccurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

class ShaderGLTest : public GlTest {
protected:
    // Builds a shader and returns what its construction printed.
    std::string construct(const std::string& vertexPath, const std::string& fragmentPath) {
        testing::internal::CaptureStdout();
        shader = std::make_unique<Shader>(vertexPath, fragmentPath);
        return testing::internal::GetCapturedStdout();
    }

    std::vector<float> readFloats(const std::string& name, std::size_t count) {
        std::vector<float> values(count);
        glGetUniformfv(shader->getProgramId(), glGetUniformLocation(shader->getProgramId(), name.c_str()),
                       values.data());
        return values;
    }

    TempDirectory files;
    std::unique_ptr<Shader> shader;
};

TEST_F(ShaderGLTest, AValidPairLinksSilentlyAndIsLeftCurrent) {
    const std::string output =
        construct(files.write("a.vert", kVertexSource), files.write("a.frag", kFragmentSource));
    EXPECT_EQ(output, "");
    ASSERT_NE(shader->getProgramId(), 0u);
    EXPECT_EQ(currentProgram(), static_cast<GLint>(shader->getProgramId()));
}

TEST_F(ShaderGLTest, CompileAndLinkFailuresPrintOneMessageAndLeaveNoProgramCurrent) {
    const std::string vertex = files.write("a.vert", kVertexSource);
    const std::string fragment = files.write("a.frag", kFragmentSource);
    const std::string brokenFragment =
        files.write("broken.frag", "#version 430 core\nvoid main() { oops }\n");
    const std::string unlinkableFragment = files.write("unlinkable.frag", R"(#version 430 core
in vec3 neverWritten;
out vec4 color;
void main() { color = vec4(neverWritten, 1.0); }
)");
    const struct {
        const char* what;
        std::string vertexPath;
        std::string fragmentPath;
        std::string named; // the file or files the report names
    } cases[] = {
        {"missing vertex file", files.path("missing.vert"), fragment, files.path("missing.vert")},
        {"fragment syntax error", vertex, brokenFragment, brokenFragment},
        {"varying missing in the vertex stage", vertex, unlinkableFragment,
         vertex + " + " + unlinkableFragment},
    };
    for (const auto& c : cases) {
        Shader previous(vertex, fragment);
        const std::string output = construct(c.vertexPath, c.fragmentPath);
        // The debug output may echo the compiler's messages; our own report is exactly one,
        // naming the files, followed by the driver's log.
        EXPECT_EQ(countOccurrences(output, "error from me: "), 1) << c.what << ": " << output;
        EXPECT_EQ(countOccurrences(output, "error from me: " + c.named + ": "), 1)
            << c.what << ": " << output;
        EXPECT_EQ(countOccurrences(output, "error from me: " + c.named + ": \n"), 0)
            << c.what << ": " << output;
        EXPECT_EQ(shader->getProgramId(), 0u) << c.what;
        EXPECT_EQ(currentProgram(), 0) << c.what;
        EXPECT_EQ(shader->getUniformLocation("tint"), -1) << c.what;
        EXPECT_EQ(shader->getUniformInt("tint"), 0) << c.what;
        // The game goes on setting the failed program's uniforms every frame: that must not raise
        // GL errors, which would flood the console through the debug output.
        shader->use();
        shader->setUniform("tint", 1);
        shader->setUniform("tint", 1.0f);
        shader->setUniform("tint", glm::vec3(1.0f));
        shader->setUniform("tint", glm::mat4(1.0f));
        shader->setUniform("lights", 0, "color", glm::mat3(1.0f));
        shader->setUniform("lights", 0, "matrix", glm::mat4(1.0f));
        shader->setUniform("lights", 0, "position", glm::vec3(1.0f));
        shader->setUniform("maps", 0, 1);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << c.what;
    }
}

TEST_F(ShaderGLTest, AnUndeclaredUniformIsQueriedOnceAndSettingItIsHarmless) {
    construct(files.write("a.vert", kVertexSource), files.write("a.frag", kUniformFragmentSource));
    static int queries = 0;
    static PFNGLGETUNIFORMLOCATIONPROC realQuery = glGetUniformLocation;
    queries = 0;
    glGetUniformLocation = [](GLuint program, const GLchar* name) {
        ++queries;
        return realQuery(program, name);
    };
    const GLint first = shader->getUniformLocation("notDeclared");
    const GLint second = shader->getUniformLocation("notDeclared");
    const GLint declared = shader->getUniformLocation("exposure");
    shader->getUniformLocation("exposure");
    glGetUniformLocation = realQuery;

    EXPECT_EQ(first, -1);
    EXPECT_EQ(second, -1);
    EXPECT_NE(declared, -1);
    EXPECT_EQ(queries, 2);
    testing::internal::CaptureStdout();
    shader->setUniform("notDeclared", 3);
    shader->setUniform("notDeclared", glm::mat4(2.0f));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(shader->getUniformInt("notDeclared"), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ShaderGLTest, SettersWriteTheNamedUniformsWithoutAnExplicitUse) {
    construct(files.write("a.vert", kVertexSource), files.write("a.frag", kUniformFragmentSource));
    const glm::mat3 color(1, 2, 3, 4, 5, 6, 7, 8, 9);
    const glm::mat4 lightSpace(glm::vec4(1, 2, 3, 4), glm::vec4(5, 6, 7, 8), glm::vec4(9, 10, 11, 12),
                               glm::vec4(13, 14, 15, 16));
    const glm::mat4 model = glm::transpose(lightSpace);
    shader->setUniform("count", 7);
    shader->setUniform("exposure", 0.75f);
    shader->setUniform("lightColor", glm::vec3(0.5f, 1.5f, 2.5f));
    shader->setUniform("modelMatrix", model);
    shader->setUniform("directionalLights", 2, "color", color);
    shader->setUniform("directionalLights", 2, "lightSpaceMatrix", lightSpace);
    shader->setUniform("directionalLights", 1, "direction", glm::vec3(-1.0f, -2.0f, -3.0f));
    shader->setUniform("shadowMaps", 1, 3);

    EXPECT_EQ(shader->getUniformInt("count"), 7);
    EXPECT_EQ(readFloats("exposure", 1), std::vector<float>{0.75f});
    EXPECT_EQ(readFloats("lightColor", 3), (std::vector<float>{0.5f, 1.5f, 2.5f}));
    const float* modelValues = glm::value_ptr(model);
    EXPECT_EQ(readFloats("modelMatrix", 16), std::vector<float>(modelValues, modelValues + 16));
    const float* colorValues = glm::value_ptr(color);
    EXPECT_EQ(readFloats("directionalLights[2].color", 9), std::vector<float>(colorValues, colorValues + 9));
    const float* lightSpaceValues = glm::value_ptr(lightSpace);
    EXPECT_EQ(readFloats("directionalLights[2].lightSpaceMatrix", 16),
              std::vector<float>(lightSpaceValues, lightSpaceValues + 16));
    EXPECT_EQ(readFloats("directionalLights[1].direction", 3), (std::vector<float>{-1.0f, -2.0f, -3.0f}));
    EXPECT_EQ(readFloats("directionalLights[0].direction", 3), (std::vector<float>{0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(shader->getUniformInt("shadowMaps[1]"), 3);
    EXPECT_EQ(shader->getUniformInt("shadowMaps[0]"), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
