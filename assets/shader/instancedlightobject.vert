#version 430 core

// Self-lit objects drawn many at once (the peas): each instance brings its own model matrix.

layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
// Columns of the instance's model matrix, one instance step per attribute (locations 5 to 8).
layout(location = 5) in mat4 instanceMatrix;

uniform mat4 viewProjMatrix;
uniform mat4 modelMatrix;
uniform mat4 normalMatrix;

out vec3 worldPosition;
out vec3 worldNormal;

void main() {
    vec4 world = instanceMatrix * modelMatrix * vec4(position, 1.0);
    worldPosition = world.xyz;
    // Instance matrices are rigid (rotation and translation), so they are their own normal matrix.
    worldNormal = mat3(instanceMatrix) * (mat3(normalMatrix) * normal);
    gl_Position = viewProjMatrix * world;
}
