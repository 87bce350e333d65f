#include "physics/PeaSlots.h"

#include "physics/Pea.h"

#include <utility>

void PeaSlots::add(std::shared_ptr<Pea> pea) {
    int slot = cursor;
    while (slots[slot]) {
        slot = (slot + 1) % kCapacity;
        if (slot == cursor) {
            return;
        }
    }
    if (world != nullptr) {
        pea->addToPhysicsWorld(world);
    }
    slots[slot] = std::move(pea);
    ++liveCount;
    cursor = (slot + 1) % kCapacity;
}

void PeaSlots::update(double dt) {
    for (std::shared_ptr<Pea>& pea : slots) {
        if (!pea) {
            continue;
        }
        pea->update(dt);
        if (!pea->isAlive()) {
            pea.reset();
            --liveCount;
        }
    }
}

int PeaSlots::collectTransforms(std::array<glm::mat4, kCapacity>& matrices) const {
    int count = 0;
    for (const std::shared_ptr<Pea>& pea : slots) {
        if (pea) {
            matrices[count++] = pea->getTransformMatrix();
        }
    }
    return count;
}
