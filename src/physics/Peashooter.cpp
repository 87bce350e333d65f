#include "physics/Peashooter.h"

#include "physics/Pea.h"
#include "scene/ConcreteObject.h"

#include <iostream>

namespace {

float intervalOf(ConcreteObject& node, float fallback) {
    const float interval = node.getProperties()["interval"];
    return interval == 0.0f ? fallback : interval;
}

} // namespace

Peashooter::Peashooter(const std::shared_ptr<ConcreteObject>& node)
    : interval(intervalOf(*node, kDefaultInterval)), position(node->getPosition()) {
    if (!canAim()) {
        std::cout << "Peashooter '" << node->getName()
                  << "' stands on the vertical axis and has no direction to fire in" << std::endl;
    }
}

std::shared_ptr<Pea> Peashooter::update(double dt) {
    if (!canAim()) {
        return nullptr;
    }
    timeSinceLastShot += dt;
    if (timeSinceLastShot <= interval) {
        return nullptr;
    }
    timeSinceLastShot -= interval;
    return std::make_shared<Pea>(peaRadius, position, kPeaMass, kPeaSpeed);
}
