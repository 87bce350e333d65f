#version 430 core

// Self-lit objects (light markers): world position and normal for the facing term.

layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;

uniform mat4 viewProjMatrix;
uniform mat4 modelMatrix;
uniform mat4 normalMatrix;

out vec3 worldPosition;
out vec3 worldNormal;

void main() {
    vec4 world = modelMatrix * vec4(position, 1.0);
    worldPosition = world.xyz;
    worldNormal = mat3(normalMatrix) * normal;
    gl_Position = viewProjMatrix * world;
}
