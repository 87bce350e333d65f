#pragma once

#include <GL/glew.h>
#include <glm/glm.hpp>
#include <string>
#include <unordered_map>

// One linked GLSL program of a vertex and a fragment shader read from files. Uniforms are set
// by name; array members are addressed as name[index].member.
class Shader {
public:
    // Compiles and links the two files and leaves the program current; failures print the
    // driver's log and leave no program.
    Shader(std::string vertexPath, std::string fragmentPath);
    ~Shader();
    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;

    void use();
    GLuint getProgramId() const { return programId; }

    // Cached lookup: GL is asked once per distinct name, missing names are cached as -1.
    GLint getUniformLocation(const std::string& name);
    // Reads back the current value of an int uniform; 0 for a name without a location.
    GLint getUniformInt(const std::string& name);

    void setUniform(const std::string& name, int value);
    void setUniform(const std::string& name, float value);
    void setUniform(const std::string& name, const glm::vec3& value);
    void setUniform(const std::string& name, const glm::mat4& value);
    void setUniform(const std::string& arrayName, unsigned index, const std::string& member,
                    const glm::mat3& value);
    void setUniform(const std::string& arrayName, unsigned index, const std::string& member,
                    const glm::mat4& value);
    void setUniform(const std::string& arrayName, unsigned index, const std::string& member,
                    const glm::vec3& value);
    void setUniform(const std::string& arrayName, unsigned index, int value);

private:
    // Returns the compiled shader object, or 0 after printing the compile log.
    static GLuint compileShader(const std::string& path, GLenum type);
    void link(GLuint vertexShader, GLuint fragmentShader);

    GLuint programId = 0;
    std::string vertexPath;
    std::string fragmentPath;
    std::unordered_map<std::string, GLint> uniformLocations;
};
