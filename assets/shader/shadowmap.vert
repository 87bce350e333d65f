#version 430 core

// Shadow pass: positions in the light's clip space, for plain meshes and instanced ones alike.

layout(location = 0) in vec3 position;
// The instance's model matrix when the mesh is drawn instanced (the peas). Without an instance
// buffer the attribute reads its default value (0, 0, 0, 1) in every column, whose rotation part
// is zero, which no real model matrix has.
layout(location = 5) in mat4 instanceMatrix;

uniform mat4 lightSpaceMatrix;
uniform mat4 modelMatrix;

void main() {
    bool instanced = dot(instanceMatrix[0].xyz, instanceMatrix[0].xyz) > 0.0;
    mat4 model = instanced ? instanceMatrix * modelMatrix : modelMatrix;
    gl_Position = lightSpaceMatrix * model * vec4(position, 1.0);
}
