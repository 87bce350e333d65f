#version 430 core

// Overlay quads given in window pixels, with their glyph texture coordinates.

layout(location = 0) in vec4 vertex; // x, y in pixels, then u, v

uniform mat4 projection;

out vec2 texCoord;

void main() {
    texCoord = vertex.zw;
    gl_Position = projection * vec4(vertex.xy, 0.0, 1.0);
}
