#pragma once

#include <array>
#include <glm/glm.hpp>
#include <memory>

class Pea;
class PhysicsWorld;

// The live peas in a ring of fixed slots: a new pea takes the first free slot from the cursor on,
// a full ring drops it, and a pea leaves its slot in the update in which its lifetime is over.
// The storage is made once; every walk covers all slots whatever the number of peas.
class PeaSlots {
public:
    static constexpr int kCapacity = 1000;

    // Peas added from now on enter this world.
    void setWorld(PhysicsWorld* newWorld) { world = newWorld; }
    // Takes the pea into the next free slot and into the world; with every slot taken it is dropped.
    void add(std::shared_ptr<Pea> pea);
    // Ages every pea and releases the expired ones, which takes their bodies out of the world.
    void update(double dt);
    // Writes the model matrices of the live peas in slot order; returns how many.
    int collectTransforms(std::array<glm::mat4, kCapacity>& matrices) const;

    int getLiveCount() const { return liveCount; }

private:
    PhysicsWorld* world = nullptr;
    std::array<std::shared_ptr<Pea>, kCapacity> slots;
    int liveCount = 0;
    int cursor = 0;
};
