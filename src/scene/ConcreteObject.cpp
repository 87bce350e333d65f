#include "scene/ConcreteObject.h"

#include "physics/PhysicsObject.h"
#include "render/Geometry.h"
#include "render/Material.h"

#include <utility>

ConcreteObject::ConcreteObject(std::string name, std::shared_ptr<Geometry> geometry,
                               std::shared_ptr<Material> material, std::shared_ptr<PhysicsObject> physics)
    : name(std::move(name)), geometry(std::move(geometry)), material(std::move(material)),
      physics(std::move(physics)) {
    this->physics->setOwner(this);
}

std::string ConcreteObject::getName() {
    return name;
}

void ConcreteObject::drawWithShader(std::shared_ptr<Shader> program) {
    if (!material) {
        return;
    }
    material->setupDraw(program, physics->getTransformMatrix());
    geometry->draw();
}

void ConcreteObject::draw() {
    if (material) {
        drawWithShader(material->getShader());
    }
}

void ConcreteObject::addToPhysicsWorld(PhysicsWorld* world) {
    physics->addToPhysicsWorld(world);
}

void ConcreteObject::setPosition(glm::vec3 position) {
    physics->setPosition(position);
}

void ConcreteObject::addShadowMap(std::shared_ptr<Texture> texture) {
    if (material) {
        material->addShadowMap(std::move(texture));
    }
}

void ConcreteObject::setProperty(std::string key, float value) {
    properties[std::move(key)] = value;
}

glm::vec3 ConcreteObject::getPosition() {
    return physics->getPosition();
}

void ConcreteObject::setMaterial(std::shared_ptr<Material> newMaterial) {
    material = std::move(newMaterial);
}
