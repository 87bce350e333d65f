#pragma once

#include "physics/PeaSlots.h"
#include "scene/Object.h"

#include <GL/glew.h>
#include <array>

class Geometry;
class Material;

// Every live pea of the level as one scene object: the peas share one sphere mesh and one material
// and are drawn with a single instanced draw, their model matrices streamed per instance into
// attributes 5 to 8 of the sphere's vertex array.
class PeaContainer : public Object {
public:
    // Needs the GL context: attaches the instance buffer to the geometry's vertex array.
    PeaContainer(std::shared_ptr<Geometry> geometry, std::shared_ptr<Material> material);
    ~PeaContainer();
    PeaContainer(const PeaContainer&) = delete;
    PeaContainer& operator=(const PeaContainer&) = delete;

    // Takes a new pea; with all slots taken it is dropped and never enters the world.
    void addPea(std::shared_ptr<Pea> pea);
    // Ages the peas and removes the expired ones.
    void update(double dt);
    // Streams the live peas' matrices and draws them all at once, also when there are none.
    void drawInstances();

    int getLiveCount() const { return peas.getLiveCount(); }

    std::string getName() override { return "peaContainer"; }
    void drawWithShader(std::shared_ptr<Shader> program) override;
    void draw() override;
    void addToPhysicsWorld(PhysicsWorld* world) override { peas.setWorld(world); }
    void setPosition(glm::vec3) override {}
    void addShadowMap(std::shared_ptr<Texture>) override {}
    void setProperty(std::string, float) override {}
    glm::vec3 getPosition() override { return glm::vec3(0.0f); }

private:
    static constexpr GLsizeiptr kInstanceBufferBytes = PeaSlots::kCapacity * sizeof(glm::mat4);

    std::shared_ptr<Geometry> geometry;
    std::shared_ptr<Material> material;
    PeaSlots peas;
    std::array<glm::mat4, PeaSlots::kCapacity> instanceMatrices;
    GLuint instanceBuffer = 0;
};
