#pragma once

#include <cstdint>

// The movement keys as the frame reads them; a byte is non-zero while its key is held.
struct PlayerKeys {
    std::uint8_t forward = 0;
    std::uint8_t backward = 0;
    std::uint8_t left = 0;
    std::uint8_t right = 0;
    std::uint8_t jump = 0;

    bool operator==(const PlayerKeys&) const = default;
};
