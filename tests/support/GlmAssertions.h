#pragma once

#include <cmath>
#include <glm/glm.hpp>
#include <gtest/gtest.h>

// Vectors and matrices compared component by component, each within the tolerance.

inline testing::AssertionResult vecNear(glm::vec3 actual, glm::vec3 expected, float tolerance) {
    if (glm::all(glm::lessThanEqual(glm::abs(actual - expected), glm::vec3(tolerance)))) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << "(" << actual.x << ", " << actual.y << ", " << actual.z << ") is not (" << expected.x << ", "
           << expected.y << ", " << expected.z << ")";
}

inline testing::AssertionResult matNear(const glm::mat4& actual, const glm::mat4& expected, float tolerance) {
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            if (!(std::abs(actual[column][row] - expected[column][row]) <= tolerance)) {
                return testing::AssertionFailure()
                       << "[" << column << "][" << row << "] is " << actual[column][row] << ", not "
                       << expected[column][row];
            }
        }
    }
    return testing::AssertionSuccess();
}
