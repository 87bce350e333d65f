#version 430 core

// Physics debug lines in world space, dimmed with distance so that near shapes stand out.

layout(location = 0) in vec3 position;
layout(location = 1) in vec3 color;

uniform mat4 viewProjMatrix;
uniform vec3 viewPosition;

out vec3 lineColor;

const float kFadeStart = 15.0;
const float kFadeEnd = 60.0;
const float kFarLevel = 0.5;

void main() {
    float fade = smoothstep(kFadeStart, kFadeEnd, distance(position, viewPosition));
    lineColor = color * mix(1.0, kFarLevel, fade);
    gl_Position = viewProjMatrix * vec4(position, 1.0);
}
