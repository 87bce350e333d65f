#include "render/Shader.h"

#include <fstream>
#include <glm/gtc/type_ptr.hpp>
#include <iostream>
#include <sstream>
#include <utility>
#include <vector>

namespace {

std::string readFile(const std::string& path) {
    std::ifstream file(path);
    std::stringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

std::string elementName(const std::string& arrayName, unsigned index) {
    return arrayName + "[" + std::to_string(index) + "]";
}

std::string memberName(const std::string& arrayName, unsigned index, const std::string& member) {
    return elementName(arrayName, index) + "." + member;
}

// Prints the info log of a shader or program object after the fixed prefix and the files it came
// from, so that whoever edited a shader file learns which one fails.
void printInfoLog(const std::string& files, GLuint object, PFNGLGETSHADERIVPROC getParameter,
                  PFNGLGETSHADERINFOLOGPROC getInfoLog) {
    GLint logLength = 0;
    getParameter(object, GL_INFO_LOG_LENGTH, &logLength);
    std::vector<GLchar> log(static_cast<size_t>(logLength) + 1, '\0');
    getInfoLog(object, logLength, nullptr, log.data());
    std::cout << "error from me: " << files << ": " << log.data();
}

} // namespace

Shader::Shader(std::string vertexPath, std::string fragmentPath)
    : vertexPath(std::move(vertexPath)), fragmentPath(std::move(fragmentPath)) {
    const GLuint vertexShader = compileShader(this->vertexPath, GL_VERTEX_SHADER);
    if (vertexShader != 0) {
        const GLuint fragmentShader = compileShader(this->fragmentPath, GL_FRAGMENT_SHADER);
        if (fragmentShader != 0) {
            link(vertexShader, fragmentShader);
        } else {
            glDeleteShader(vertexShader);
        }
    }
    glUseProgram(programId);
}

Shader::~Shader() {
    glDeleteProgram(programId);
}

GLuint Shader::compileShader(const std::string& path, GLenum type) {
    const GLuint shader = glCreateShader(type);
    const std::string source = readFile(path);
    const GLchar* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint status = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status != 0) {
        return shader;
    }
    printInfoLog(path, shader, glGetShaderiv, glGetShaderInfoLog);
    glDeleteShader(shader);
    return 0;
}

void Shader::link(GLuint vertexShader, GLuint fragmentShader) {
    programId = glCreateProgram();
    glAttachShader(programId, vertexShader);
    glAttachShader(programId, fragmentShader);
    glLinkProgram(programId);
    GLint status = 0;
    glGetProgramiv(programId, GL_LINK_STATUS, &status);
    if (status == 0) {
        printInfoLog(vertexPath + " + " + fragmentPath, programId, glGetProgramiv, glGetProgramInfoLog);
        glDeleteProgram(programId);
        programId = 0;
    }
    // The program keeps what it needs; the shader objects are not used again.
    glDeleteShader(fragmentShader);
    glDeleteShader(vertexShader);
}

void Shader::use() {
    glUseProgram(programId);
}

GLint Shader::getUniformLocation(const std::string& name) {
    const auto found = uniformLocations.find(name);
    if (found != uniformLocations.end()) {
        return found->second;
    }
    // A failed program has no uniforms; asking GL about program 0 would only raise an error.
    const GLint location = programId == 0 ? -1 : glGetUniformLocation(programId, name.c_str());
    uniformLocations.emplace(name, location);
    return location;
}

GLint Shader::getUniformInt(const std::string& name) {
    const GLint location = getUniformLocation(name);
    if (location == -1) {
        return 0;
    }
    GLint value = 0;
    glGetUniformiv(programId, location, &value);
    return value;
}

void Shader::setUniform(const std::string& name, int value) {
    if (const GLint location = getUniformLocation(name); location != -1) {
        glUniform1i(location, value);
    }
}

void Shader::setUniform(const std::string& name, float value) {
    if (const GLint location = getUniformLocation(name); location != -1) {
        glUniform1f(location, value);
    }
}

void Shader::setUniform(const std::string& name, const glm::vec3& value) {
    if (const GLint location = getUniformLocation(name); location != -1) {
        glUniform3fv(location, 1, glm::value_ptr(value));
    }
}

void Shader::setUniform(const std::string& name, const glm::mat4& value) {
    if (const GLint location = getUniformLocation(name); location != -1) {
        glUniformMatrix4fv(location, 1, GL_FALSE, glm::value_ptr(value));
    }
}

void Shader::setUniform(const std::string& arrayName, unsigned index, const std::string& member,
                        const glm::mat3& value) {
    if (const GLint location = getUniformLocation(memberName(arrayName, index, member)); location != -1) {
        glUniformMatrix3fv(location, 1, GL_FALSE, glm::value_ptr(value));
    }
}

void Shader::setUniform(const std::string& arrayName, unsigned index, const std::string& member,
                        const glm::mat4& value) {
    if (const GLint location = getUniformLocation(memberName(arrayName, index, member)); location != -1) {
        glUniformMatrix4fv(location, 1, GL_FALSE, glm::value_ptr(value));
    }
}

void Shader::setUniform(const std::string& arrayName, unsigned index, const std::string& member,
                        const glm::vec3& value) {
    if (const GLint location = getUniformLocation(memberName(arrayName, index, member)); location != -1) {
        glUniform3fv(location, 1, glm::value_ptr(value));
    }
}

void Shader::setUniform(const std::string& arrayName, unsigned index, int value) {
    if (const GLint location = getUniformLocation(elementName(arrayName, index)); location != -1) {
        glUniform1i(location, value);
    }
}
