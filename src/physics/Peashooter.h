#pragma once

#include <glm/glm.hpp>
#include <memory>

class ConcreteObject;
class Pea;

// A turret of the level: fires a pea towards the vertical axis at a fixed interval, from where its
// node stood when the level was assembled.
class Peashooter {
public:
    // The interval comes from the node's "interval" property; missing or 0 means 0.45 s.
    explicit Peashooter(const std::shared_ptr<ConcreteObject>& node);

    // A new pea once more than the interval has passed since the last one, else nothing. At most one
    // per call: a long frame never fires a burst, the surplus carries over to the next frames.
    std::shared_ptr<Pea> update(double dt);

private:
    static constexpr float kDefaultInterval = 0.45f;
    static constexpr float kPeaMass = 7.0f;
    static constexpr float kPeaSpeed = 11.0f;

    double timeSinceLastShot = 0.0;
    float interval;
    float peaRadius = 0.15f;
    glm::vec3 position;

    // A shooter on the vertical axis has no direction to fire in and stays silent.
    bool canAim() const { return position.x != 0.0f || position.z != 0.0f; }
};
