#version 430 core

// Sky around the viewer: the view-projection comes without translation, and z = w puts every
// sky fragment on the far plane, behind everything else in the scene.

layout(location = 0) in vec3 position;

uniform mat4 viewProjMatrix;
uniform mat4 modelMatrix;

out vec3 direction;

void main() {
    vec4 world = modelMatrix * vec4(position, 1.0);
    direction = world.xyz;
    gl_Position = (viewProjMatrix * world).xyww;
}
