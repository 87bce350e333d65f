#include "physics/CameraPlayer.h"

#include "physics/BodyPose.h"
#include "physics/BulletConversions.h"
#include "physics/PhysicsWorld.h"

#include <array>
#include <btBulletDynamicsCommon.h>
#include <glm/gtc/matrix_transform.hpp>
#include <iostream>

namespace {

const btScalar kCapsuleRadius = 0.5;
const btScalar kCapsuleCylinderHeight = 1.0;
const btScalar kMass = 10.0;
const btScalar kFriction = 1.5;

const float kDegreesToRadians = 0.017453292f;
const float kMaxPitch = 89.0f;
const glm::vec3 kEyeOffset(0.0f, 0.5f, 0.0f);

// Rays reach 0.3 below the capsule's bottom; the corner rays keep a player on a ledge's edge grounded.
const float kGroundRayLength = 1.3f;
const std::array<glm::vec3, 5> kGroundRayOffsets = {
    glm::vec3(0.0f, 0.0f, 0.0f),  glm::vec3(0.5f, 0.0f, 0.5f),   glm::vec3(-0.5f, 0.0f, 0.5f),
    glm::vec3(0.5f, 0.0f, -0.5f), glm::vec3(-0.5f, 0.0f, -0.5f),
};

// Below this the keys cancel out (or the camera looks straight up) and there is no way to go.
const float kMinDirectionLength = 1e-6f;
// How far a charged jump leans up from the movement keys held while charging.
const float kJumpLean = 1.5f;
const float kFullJumpCharge = 125.0f;
const float kMinJumpCharge = 0.1f;
const float kChargeRate = 0.5f;

} // namespace

CameraPlayer::CameraPlayer(glm::vec3 position, float yaw, float pitch)
    : position(position), yaw(yaw), pitch(pitch) {
    updateCameraVectors();

    shape = std::make_unique<btCapsuleShape>(kCapsuleRadius, kCapsuleCylinderHeight);
    btTransform start;
    start.setIdentity();
    start.setOrigin(toBullet(position));
    motionState = std::make_unique<btDefaultMotionState>(start);
    btVector3 localInertia(0.0, 0.0, 0.0);
    shape->calculateLocalInertia(kMass, localInertia);

    btRigidBody::btRigidBodyConstructionInfo info(kMass, motionState.get(), shape.get(), localInertia);
    info.m_friction = kFriction;
    info.m_rollingFriction = 0.0;
    info.m_spinningFriction = 0.0;
    info.m_restitution = 0.0;
    info.m_linearDamping = 0.0;
    info.m_angularDamping = 0.0;
    body = std::make_unique<btRigidBody>(info);
    body->setActivationState(DISABLE_DEACTIVATION);
    // Upright for good: neither contacts nor impulses may tip the capsule over.
    body->setAngularFactor(btVector3(0.0, 0.0, 0.0));
}

CameraPlayer::~CameraPlayer() {
    PhysicsWorld::removeRigidBody(world, body.get());
}

glm::mat4 CameraPlayer::getTransformMatrix() {
    std::cout << "CameraPlayer::getTransformMatrix() is not valid" << std::endl;
    return glm::mat4(1.0f);
}

void CameraPlayer::addToPhysicsWorld(PhysicsWorld* newWorld) {
    PhysicsWorld::moveRigidBody(world, newWorld, body.get(), this);
}

void CameraPlayer::setPosition(glm::vec3 newPosition) {
    finished = false;
    if (freeCamera) {
        position = newPosition;
        return;
    }
    moveBodyOrigin(*body, *motionState, newPosition);
}

void CameraPlayer::onCollision(PhysicsObject* other) {
    if (freeCamera) {
        return;
    }
    Object* touched = other->getOwner();
    if (touched != nullptr && touched->getName().starts_with(kFinishPrefix)) {
        finished = true;
    }
}

glm::vec3 CameraPlayer::getPosition() {
    return freeCamera ? position : getBodyOrigin(*motionState);
}

std::string CameraPlayer::getName() {
    return "player";
}

void CameraPlayer::drawWithShader(std::shared_ptr<Shader>) {}

void CameraPlayer::draw() {}

void CameraPlayer::addShadowMap(std::shared_ptr<Texture>) {}

void CameraPlayer::setProperty(std::string, float) {}

void CameraPlayer::processKeyboard(PlayerKeys keys, double dt) {
    glm::vec3 direction(0.0f);
    if (keys.forward) {
        direction += front;
    }
    if (keys.backward) {
        direction -= front;
    }
    if (keys.right) {
        direction += right;
    }
    if (keys.left) {
        direction -= right;
    }
    // A player who has finished can still walk, but no longer charge.
    const bool jumpHeld = keys.jump && !finished;

    if (freeCamera) {
        position += freeSpeed * direction * static_cast<float>(dt);
        return;
    }
    // In the air there is no steering, no charging and no release.
    if (!body->isInWorld() || !isOnGround()) {
        return;
    }
    pushBody(direction, jumpHeld, dt);
}

void CameraPlayer::pushBody(glm::vec3 direction, bool jumpHeld, double dt) {
    const float walkForce = walkSpeed * 10.0f;
    // Walking is horizontal whatever the pitch.
    direction *= glm::vec3(1.0f) - worldUp;
    if (jumpHeld) {
        // Capped at a full charge rather than allowed one frame's overshoot, which at a few frames
        // per second would make the longest jump depend on the frame rate.
        if (glm::length(jumpCharge) < kFullJumpCharge) {
            const glm::vec3 jumpDirection = glm::normalize(direction + worldUp * kJumpLean);
            jumpCharge += jumpDirection * walkForce * static_cast<float>(dt) * kChargeRate;
            const float charge = glm::length(jumpCharge);
            if (charge > kFullJumpCharge) {
                jumpCharge *= kFullJumpCharge / charge;
            }
        }
        return;
    }
    if (glm::length(direction) > kMinDirectionLength) {
        body->applyCentralForce(toBullet(glm::normalize(direction) * walkForce));
    }
    if (glm::length(jumpCharge) > kMinJumpCharge) {
        body->applyCentralImpulse(toBullet(jumpCharge));
        jumpCharge = glm::vec3(0.0f);
    }
}

bool CameraPlayer::isOnGround() {
    const glm::vec3 centre = getPosition();
    for (const glm::vec3& offset : kGroundRayOffsets) {
        const glm::vec3 start = centre + offset;
        const glm::vec3 end = start - glm::vec3(0.0f, kGroundRayLength, 0.0f);
        if (world->rayTestDistance(start, end) < kGroundRayLength) {
            return true;
        }
    }
    return false;
}

void CameraPlayer::processMouseMovement(double xoffset, double yoffset) {
    yaw = static_cast<float>(yaw + mouseSensitivity * xoffset);
    pitch = static_cast<float>(pitch + mouseSensitivity * yoffset);
    pitch = glm::clamp(pitch, -kMaxPitch, kMaxPitch);
    updateCameraVectors();
}

void CameraPlayer::updateCameraVectors() {
    const float yawRadians = yaw * kDegreesToRadians;
    const float pitchRadians = pitch * kDegreesToRadians;
    front = glm::normalize(glm::vec3(std::cos(yawRadians) * std::cos(pitchRadians), std::sin(pitchRadians),
                                     std::sin(yawRadians) * std::cos(pitchRadians)));
    right = glm::normalize(glm::cross(front, worldUp));
    up = glm::normalize(glm::cross(right, front));
}

void CameraPlayer::setProjection(float fov, float aspect, float nearPlane, float farPlane) {
    projection = glm::perspective(fov * kDegreesToRadians, aspect, nearPlane, farPlane);
}

glm::mat4 CameraPlayer::getViewMatrix() {
    const glm::vec3 eye = getPosition() + kEyeOffset;
    return glm::lookAt(eye, eye + front, up);
}

glm::mat4 CameraPlayer::getViewProjectionMatrix() {
    return projection * getViewMatrix();
}

glm::mat4 CameraPlayer::getSkyboxViewProjectionMatrix() {
    return projection * glm::mat4(glm::mat3(getViewMatrix()));
}

void CameraPlayer::toggleFreeCamera() {
    const glm::vec3 current = getPosition();
    freeCamera = !freeCamera;
    setPosition(current);
}

float CameraPlayer::getJumpCharge() const {
    return glm::clamp(glm::length(jumpCharge) / kFullJumpCharge, 0.0f, 1.0f);
}
