#pragma once

#include "scene/Object.h"

#include <map>

class Geometry;
class Material;
class PhysicsObject;

// A named mesh of the level: a geometry drawn with a material wherever its body is. The model
// matrix is asked from the body at every draw, so a moving body carries its drawing along.
class ConcreteObject : public Object {
public:
    // Registers itself as the body's owner, so that collisions lead back to the object.
    ConcreteObject(std::string name, std::shared_ptr<Geometry> geometry, std::shared_ptr<Material> material,
                   std::shared_ptr<PhysicsObject> physics);
    ConcreteObject(const ConcreteObject&) = delete;
    ConcreteObject& operator=(const ConcreteObject&) = delete;

    std::string getName() override;
    // An object without a material is not drawn in either pass.
    void drawWithShader(std::shared_ptr<Shader> program) override;
    void draw() override;
    void addToPhysicsWorld(PhysicsWorld* world) override;
    void setPosition(glm::vec3 position) override;
    void addShadowMap(std::shared_ptr<Texture> texture) override;
    void setProperty(std::string key, float value) override;
    glm::vec3 getPosition() override;

    std::map<std::string, float> getProperties() const { return properties; }
    void setMaterial(std::shared_ptr<Material> newMaterial);
    const std::shared_ptr<Material>& getMaterial() const { return material; }
    const std::shared_ptr<PhysicsObject>& getPhysicsObject() const { return physics; }

private:
    std::string name;
    std::shared_ptr<Geometry> geometry;
    std::shared_ptr<Material> material;
    std::shared_ptr<PhysicsObject> physics;
    std::map<std::string, float> properties;
};
