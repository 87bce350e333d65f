#version 430 core

// Depth pre-pass of the level surfaces: the position exactly as texture.vert computes it (both
// declare it invariant), so that the lit pass that follows finds the same depth and shades every
// pixel once.

layout(location = 0) in vec3 position;

uniform mat4 viewProjMatrix;
uniform mat4 modelMatrix;

invariant gl_Position;

void main() {
    vec4 world = modelMatrix * vec4(position, 1.0);
    gl_Position = viewProjMatrix * world;
}
