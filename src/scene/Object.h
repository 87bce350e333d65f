#pragma once

#include <glm/glm.hpp>
#include <memory>
#include <string>

class PhysicsWorld;
class Shader;
class Texture;

// Anything the frame draws, moves or hands shadow maps to. Objects are always made with
// std::make_shared of their concrete class and released through it, hence no virtual destructor.
class Object {
public:
    // The name the level gave the object; its prefix carries the level's conventions.
    virtual std::string getName() = 0;
    // Draws with the given program (the shadow pass).
    virtual void drawWithShader(std::shared_ptr<Shader> program) = 0;
    // Draws with the object's own material (the colour pass).
    virtual void draw() = 0;
    // Puts the object's body into the world.
    virtual void addToPhysicsWorld(PhysicsWorld* world) = 0;
    // Moves the object's body to a position.
    virtual void setPosition(glm::vec3 position) = 0;
    // Receives a directional light's shadow map.
    virtual void addShadowMap(std::shared_ptr<Texture> texture) = 0;
    // Stores a number under a key.
    virtual void setProperty(std::string key, float value) = 0;
    // The body's current position.
    virtual glm::vec3 getPosition() = 0;

protected:
    ~Object() = default;
};
