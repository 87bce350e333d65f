#pragma once

#include <glm/glm.hpp>
#include <memory>

class Shader;
class Texture;

// How a surface is drawn: a program together with the textures, constant uniforms and GL state
// it needs. A material can also prepare a foreign program, as the shadow pass does.
class Material {
public:
    explicit Material(std::shared_ptr<Shader> shader);

    // Binds the textures, sets samplers and constants on the program (already current) and
    // sets the GL state.
    virtual void apply(const std::shared_ptr<Shader>& program) = 0;
    virtual ~Material() = default;
    // Receives a directional light's shadow map; materials that do not sample shadows ignore it.
    virtual void addShadowMap(std::shared_ptr<Texture> texture) = 0;

    // Prepares the material's own program for drawing with the given model matrix.
    void setupDraw(const glm::mat4& modelMatrix);
    // Makes the program current, applies the material to it and uploads the model and normal matrices.
    void setupDraw(const std::shared_ptr<Shader>& program, const glm::mat4& modelMatrix);

    const std::shared_ptr<Shader>& getShader() const { return shader; }

protected:
    std::shared_ptr<Shader> shader;
};
