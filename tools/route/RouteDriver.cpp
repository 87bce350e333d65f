#include "RouteDriver.h"

#include "physics/BulletConversions.h"
#include "physics/CameraPlayer.h"
#include "physics/PhysicsWorld.h"

#include <algorithm>
#include <btBulletDynamicsCommon.h>
#include <cmath>

namespace {

// The player's own numbers (CameraPlayer): mouse sensitivity in degrees per cursor unit, mass, full
// charge and charging rate, and the jump's lean of 1.5 up per unit of the walking direction.
constexpr float kMouseSensitivity = 0.1f;
constexpr double kPlayerMass = 10.0;
constexpr double kFullCharge = 125.0;
constexpr double kChargePerSecond = 125.0;
constexpr double kJumpLean = 1.5;
constexpr double kGravity = 10.0;

// A human pace: a quarter turn in a quarter second, walking at 4 m/s, braking early enough to stop
// on the point.
constexpr float kMaxTurnPerFrame = 6.0f;
constexpr float kWalkSpeed = 4.0f;
constexpr float kBrakingDeceleration = 5.0f;
constexpr float kArrivalRadius = 0.25f;
constexpr float kStoppedSpeed = 0.3f;
constexpr float kWalkHeadingTolerance = 20.0f;
constexpr float kJumpHeadingTolerance = 0.3f;
// Long enough for the slowest step; a step that takes longer has gone wrong.
constexpr double kStepTimeLimit = 20.0;
// Rays start this high above the course, above every platform.
constexpr float kRayTop = 60.0f;
// The player's ground rays reach this far below the body centre.
constexpr float kGroundRayLength = 1.3f;

float wrapDegrees(float angle) {
    return std::remainder(angle, 360.0f);
}

glm::vec2 groundPlan(glm::vec3 point) {
    return glm::vec2(point.x, point.z);
}

// How far a jump with this velocity change flies before it comes down to `rise` above its start.
double flightDistance(double velocityChange, double rise) {
    const double lean = std::sqrt(1.0 + kJumpLean * kJumpLean);
    const double horizontal = velocityChange / lean;
    const double vertical = velocityChange * kJumpLean / lean;
    const double discriminant = vertical * vertical - 2.0 * kGravity * rise;
    if (discriminant < 0.0) {
        return 0.0;
    }
    return horizontal * (vertical + std::sqrt(discriminant)) / kGravity;
}

} // namespace

RouteDriver::RouteDriver(std::vector<RouteStep> steps, CameraPlayer& player, PhysicsWorld& world,
                         float startYaw)
    : steps(std::move(steps)), player(player), world(world), yaw(startYaw) {}

FrameInput RouteDriver::nextFrame(double dt) {
    FrameInput input;
    input.dt = dt;
    if (isDone()) {
        return input;
    }
    stepTime += dt;
    const RouteStep& step = steps[stepIndex];
    bool stepDone = false;
    switch (step.kind) {
    case RouteStep::Kind::Walk:
        stepDone = walk(step.point, input);
        break;
    case RouteStep::Kind::Jump:
        stepDone = jump(step.point, dt, input);
        break;
    case RouteStep::Kind::Finish:
        walk(step.point, input);
        stepDone = player.isFinished();
        break;
    case RouteStep::Kind::Wait:
        stepDone = stepTime >= step.seconds;
        break;
    }
    // The player turns by exactly this, in its own arithmetic.
    yaw = static_cast<float>(yaw + kMouseSensitivity * input.look.x);
    if (stepDone) {
        nextStep();
    } else if (stepTime > kStepTimeLimit) {
        failure = "step " + std::to_string(stepIndex + 1) + " took longer than " +
                  std::to_string(static_cast<int>(kStepTimeLimit)) + " s";
    }
    return input;
}

void RouteDriver::nextStep() {
    ++stepIndex;
    stepTime = 0.0;
    jumpPhase = JumpPhase::Face;
}

bool RouteDriver::walk(glm::vec2 point, FrameInput& input) {
    const glm::vec2 toPoint = point - groundPlan(position());
    const float distance = glm::length(toPoint);
    const float speed = glm::length(groundPlan(velocity()));
    if (distance < kArrivalRadius) {
        return speed < kStoppedSpeed;
    }
    const float headingError = turnTowards(point, input);
    const float approachSpeed = glm::dot(groundPlan(velocity()), toPoint / distance);
    const float wantedSpeed = std::min(kWalkSpeed, std::sqrt(2.0f * kBrakingDeceleration * distance));
    input.keys.forward = std::abs(headingError) < kWalkHeadingTolerance && approachSpeed < wantedSpeed;
    return false;
}

bool RouteDriver::jump(glm::vec2 point, double dt, FrameInput& input) {
    switch (jumpPhase) {
    case JumpPhase::Face:
        if (std::abs(turnTowards(point, input)) < kJumpHeadingTolerance && input.look.x == 0.0 &&
            isStanding()) {
            chargeFramesLeft = chargeFramesTo(point, dt);
            if (chargeFramesLeft < 0) {
                failure = "step " + std::to_string(stepIndex + 1) + ": the landing point is out of reach";
                return false;
            }
            jumpPhase = JumpPhase::Charge;
        }
        return false;
    case JumpPhase::Charge:
        if (chargeFramesLeft-- > 0) {
            input.keys.forward = 1;
            input.keys.jump = 1;
            return false;
        }
        // Letting go of every key fires the charge.
        jumpPhase = JumpPhase::Fly;
        stepTime = 0.0;
        return false;
    case JumpPhase::Fly:
        return stepTime > 0.25 && isStanding();
    }
    return false;
}

float RouteDriver::turnTowards(glm::vec2 point, FrameInput& input) {
    const glm::vec2 toPoint = point - groundPlan(position());
    const float heading = glm::degrees(std::atan2(toPoint.y, toPoint.x));
    const float error = wrapDegrees(heading - yaw);
    const float turn = std::abs(error) < kJumpHeadingTolerance * 0.5f
                           ? 0.0f
                           : std::clamp(error, -kMaxTurnPerFrame, kMaxTurnPerFrame);
    input.look.x = turn / kMouseSensitivity;
    return error - turn;
}

int RouteDriver::chargeFramesTo(glm::vec2 point, double dt) {
    const glm::vec3 here = position();
    const double distance = glm::length(point - groundPlan(here));
    const float groundHere = here.y - world.rayTestDistance(here, here - glm::vec3(0.0f, kRayTop, 0.0f));
    // Standing there, the body centre will be as high above the ground as it is here.
    const double rise = groundHeightAt(point) - groundHere;
    const double fullVelocityChange = kFullCharge / kPlayerMass;
    if (flightDistance(fullVelocityChange, rise) < distance) {
        return -1;
    }
    double low = 0.0;
    double high = fullVelocityChange;
    for (int i = 0; i < 60; ++i) {
        const double middle = 0.5 * (low + high);
        (flightDistance(middle, rise) < distance ? low : high) = middle;
    }
    const double charge = high * kPlayerMass;
    return static_cast<int>(std::lround(charge / (kChargePerSecond * dt)));
}

bool RouteDriver::isStanding() {
    const glm::vec3 here = position();
    const bool grounded =
        world.rayTestDistance(here, here - glm::vec3(0.0f, kGroundRayLength, 0.0f)) < kGroundRayLength;
    return grounded && glm::length(velocity()) < kStoppedSpeed;
}

float RouteDriver::groundHeightAt(glm::vec2 point) {
    const glm::vec3 top(point.x, kRayTop, point.y);
    return kRayTop - world.rayTestDistance(top, top - glm::vec3(0.0f, 2.0f * kRayTop, 0.0f));
}

glm::vec3 RouteDriver::position() {
    return toGlm(player.getRigidBody()->getCenterOfMassPosition());
}

glm::vec3 RouteDriver::velocity() {
    return toGlm(player.getRigidBody()->getLinearVelocity());
}
