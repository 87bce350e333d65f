#pragma once

#include "physics/PlayerKeys.h"

#include <array>
#include <glm/glm.hpp>

// One frame's input as the update stages take it, and as a record file keeps it.
struct FrameInput {
    // Function-key releases one frame keeps; more in a single frame are left out of the record.
    static constexpr int kMaxFunctionKeys = 8;

    double dt = 0.0;
    PlayerKeys keys;
    // The cursor movement handed to mouse look: x to the right, y up.
    glm::dvec2 look{0.0};
    // GLFW codes of the function keys released during the frame, in the order they were let go.
    std::array<int, kMaxFunctionKeys> functionKeys{};
    int functionKeyCount = 0;

    void addFunctionKey(int key) {
        if (functionKeyCount < kMaxFunctionKeys) {
            functionKeys[static_cast<std::size_t>(functionKeyCount++)] = key;
        }
    }

    bool operator==(const FrameInput&) const = default;
};
