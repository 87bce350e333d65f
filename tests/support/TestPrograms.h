#pragma once

#include "TempDirectory.h"
#include "render/Shader.h"

#include <glm/gtc/type_ptr.hpp>
#include <memory>
#include <string>

// Throw-away GLSL programs: the sources are written to the folder as <name>.vert and
// <name>.frag and linked, which leaves the program current.
inline std::shared_ptr<Shader> makeProgram(const TempDirectory& folder, const std::string& name,
                                           const std::string& vertexSource,
                                           const std::string& fragmentSource) {
    return std::make_shared<Shader>(folder.write(name + ".vert", vertexSource),
                                    folder.write(name + ".frag", fragmentSource));
}

// Passes position at 0 and uv at 1 through, as the full-screen quad provides them.
const char* const kQuadVertexSource = R"(#version 430 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec2 uvIn;
out vec2 uv;
void main() {
    uv = uvIn;
    gl_Position = vec4(position, 1.0);
}
)";

// A full-screen quad program whose fragment stage is the given body; `uv`, `fragColor` and
// "textureSampler" are declared for it.
inline std::shared_ptr<Shader> makeQuadProgram(const TempDirectory& folder, const std::string& name,
                                               const std::string& fragmentBody) {
    return makeProgram(folder, name, kQuadVertexSource,
                       "#version 430 core\nin vec2 uv;\nout vec4 fragColor;\n"
                       "uniform sampler2D textureSampler;\n" +
                           fragmentBody);
}

// The current value of a float vector or matrix uniform, found through the program's cached lookup.
template <typename Value> Value uniformValue(Shader& program, const std::string& name) {
    Value value(0.0f);
    glGetUniformfv(program.getProgramId(), program.getUniformLocation(name), glm::value_ptr(value));
    return value;
}
