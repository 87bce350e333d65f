#pragma once

#include "TestPrograms.h"

#include <memory>

// Small GLSL programs for the scene tests, written to a scratch folder and linked.
namespace scene_test {

// Draws positions through the light-space and model matrices, coloured by "lightColor" and
// the albedo texture: enough for the colour and the shadow pass of one object.
const char* const kFlatVertex = R"(#version 430 core
layout(location = 0) in vec3 position;
uniform mat4 lightSpaceMatrix;
uniform mat4 modelMatrix;
void main() { gl_Position = lightSpaceMatrix * modelMatrix * vec4(position, 1.0); }
)";

const char* const kFlatFragment = R"(#version 430 core
uniform vec3 lightColor;
uniform sampler2D albedoTexture;
out vec4 color;
void main() { color = vec4(lightColor, 1.0) * texture(albedoTexture, vec2(0.5)); }
)";

// Declares the level program's light arrays and reads every element below the counts.
const char* const kLightsFragment = R"(#version 430 core
struct DirectionalLight {
    vec3 direction;
    mat3 color;
    mat4 lightSpaceMatrix;
};
struct PointLight {
    vec3 position;
    mat3 color;
    vec3 attenuation;
};
uniform DirectionalLight directionalLights[4];
uniform PointLight pointLights[4];
uniform int numDirectionalLights;
uniform int numPointLights;
out vec4 color;
void main() {
    vec3 sum = vec3(0.0);
    for (int i = 0; i < numDirectionalLights; ++i) {
        DirectionalLight light = directionalLights[i];
        sum += light.direction + light.color[1] + light.lightSpaceMatrix[3].xyz;
    }
    for (int i = 0; i < numPointLights; ++i) {
        PointLight light = pointLights[i];
        sum += light.position + light.color[1] + light.attenuation;
    }
    color = vec4(sum, 1.0);
}
)";

inline std::shared_ptr<Shader> makeFlatProgram(const TempDirectory& folder) {
    return makeProgram(folder, "flat", kFlatVertex, kFlatFragment);
}

} // namespace scene_test
