#pragma once

#include <array>
#include <glm/glm.hpp>
#include <span>

// One pea hitting the level: where, and how loud it should sound.
struct PeaImpact {
    glm::vec3 position = glm::vec3(0.0f);
    float gain = 0.0f;
};

// The few pea impacts of a frame that get a sound: peas are many, so of all impacts offered only the
// kCapacity nearest to the listener are kept. Fixed storage; nothing is allocated.
class NearestImpacts {
public:
    static constexpr int kCapacity = 3;

    // Forgets the kept impacts and ranks the next ones by their distance from the listener.
    void restart(glm::vec3 listenerPosition);
    // Keeps the impact if fewer than kCapacity are kept or it is nearer than the farthest kept one,
    // which it then replaces.
    void offer(const PeaImpact& impact);
    std::span<const PeaImpact> kept() const { return {impacts.data(), static_cast<std::size_t>(count)}; }

private:
    int farthestKept() const;

    glm::vec3 listener = glm::vec3(0.0f);
    std::array<PeaImpact, kCapacity> impacts{};
    std::array<float, kCapacity> squaredDistances{};
    int count = 0;
};
