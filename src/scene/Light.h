#pragma once

#include <memory>
#include <vector>

class Object;
class Shader;
class Texture;

// A light of the level. Every frame it renders its shadow map, if it has one, and appends itself
// to the light uniform arrays of the level program. Lights never change after the import.
class Light {
public:
    Light() = default;
    Light(const Light&) = delete;
    Light& operator=(const Light&) = delete;
    virtual ~Light() = default;

    // Makes the light's shadow map; empty for lights that cast no shadows.
    virtual std::shared_ptr<Texture> createShadowMap() = 0;
    // Draws every object's depth, as the light sees it, into the shadow map.
    virtual void renderShadowMap(std::shared_ptr<Shader> program,
                                 std::vector<std::shared_ptr<Object>> objects) = 0;
    // Appends the light to the program's uniform arrays behind the lights of its kind already there.
    virtual void setUniforms(std::shared_ptr<Shader> program) = 0;
};
