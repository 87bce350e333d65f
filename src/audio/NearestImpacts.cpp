#include "audio/NearestImpacts.h"

void NearestImpacts::restart(glm::vec3 listenerPosition) {
    listener = listenerPosition;
    count = 0;
}

void NearestImpacts::offer(const PeaImpact& impact) {
    const glm::vec3 offset = impact.position - listener;
    const float squaredDistance = glm::dot(offset, offset);
    int slot = count;
    if (count < kCapacity) {
        ++count;
    } else {
        slot = farthestKept();
        if (squaredDistance >= squaredDistances[slot]) {
            return;
        }
    }
    impacts[slot] = impact;
    squaredDistances[slot] = squaredDistance;
}

int NearestImpacts::farthestKept() const {
    int farthest = 0;
    for (int i = 1; i < count; ++i) {
        if (squaredDistances[i] > squaredDistances[farthest]) {
            farthest = i;
        }
    }
    return farthest;
}
