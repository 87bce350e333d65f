#pragma once

#include "physics/BulletConversions.h"

#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <LinearMath/btMotionState.h>

// The origin the body is drawn at (interpolated between fixed steps by the library).
inline glm::vec3 getBodyOrigin(const btMotionState& motionState) {
    btTransform transform;
    motionState.getWorldTransform(transform);
    return toGlm(transform.getOrigin());
}

// Teleports the body, keeping its rotation and velocities, and wakes it up unless it is disabled.
inline void moveBodyOrigin(btRigidBody& body, btMotionState& motionState, glm::vec3 origin) {
    btTransform transform;
    motionState.getWorldTransform(transform);
    transform.setOrigin(toBullet(origin));
    motionState.setWorldTransform(transform);
    body.setWorldTransform(transform);
    body.activate();
}
