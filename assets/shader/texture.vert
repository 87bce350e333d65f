#version 430 core

// Level surfaces: world-space position and tangent frame for the lit fragment program.

layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec3 tangent;
layout(location = 3) in vec3 bitangent;
layout(location = 4) in vec3 uv;

uniform mat4 viewProjMatrix;
uniform mat4 modelMatrix;
uniform mat4 normalMatrix;

out vec3 worldPosition;
out vec3 worldNormal;
out vec3 worldTangent;
out vec3 worldBitangent;
out vec2 texCoord;

// The depth pre-pass (depthprepass.vert) computes the same position and must get the same depth.
invariant gl_Position;

void main() {
    vec4 world = modelMatrix * vec4(position, 1.0);
    worldPosition = world.xyz;
    worldNormal = mat3(normalMatrix) * normal;
    // Tangents lie in the surface, so they follow the model matrix itself.
    worldTangent = mat3(modelMatrix) * tangent;
    worldBitangent = mat3(modelMatrix) * bitangent;
    texCoord = uv.xy;
    gl_Position = viewProjMatrix * world;
}
