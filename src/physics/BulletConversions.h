#pragma once

#include <LinearMath/btTransform.h>
#include <glm/glm.hpp>

// GLM's 32-bit floats are widened into the physics library's doubles and narrowed on the way back.

inline btVector3 toBullet(glm::vec3 v) {
    return btVector3(v.x, v.y, v.z);
}

inline glm::vec3 toGlm(const btVector3& v) {
    return glm::vec3(static_cast<float>(v.x()), static_cast<float>(v.y()), static_cast<float>(v.z()));
}

// Column-major, as OpenGL draws with it: rotation columns with w = 0, origin with w = 1.
inline glm::mat4 toGlm(const btTransform& transform) {
    btScalar columns[16];
    transform.getOpenGLMatrix(columns);
    glm::mat4 matrix;
    for (int i = 0; i < 16; ++i) {
        matrix[i / 4][i % 4] = static_cast<float>(columns[i]);
    }
    return matrix;
}
