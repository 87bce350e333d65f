#pragma once

#include "physics/CameraPlayer.h"

#include <glm/glm.hpp>

// The player's viewing direction, read off its view: with no projection set, the view-projection
// matrix is the view itself, whose third row is the negated viewing direction.
inline glm::vec3 viewDirection(CameraPlayer& player) {
    const glm::mat4 view = player.getViewProjectionMatrix();
    return -glm::vec3(view[0][2], view[1][2], view[2][2]);
}
