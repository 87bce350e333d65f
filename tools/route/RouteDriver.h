#pragma once

#include "app/FrameInput.h"

#include <glm/glm.hpp>
#include <string>
#include <vector>

class CameraPlayer;
class PhysicsWorld;

// One step of a route, on the level's ground plan (x, z).
struct RouteStep {
    enum class Kind {
        // Walk to the point and stop on it.
        Walk,
        // Face the point, charge just the jump whose flight lands there, let go, and wait until landed.
        Jump,
        // Walk towards the point until the player touches the finish.
        Finish,
        // Stand still for `seconds`.
        Wait,
    };
    Kind kind;
    glm::vec2 point{0.0f};
    double seconds = 0.0;
};

// Steers the player along a route as a careful player would, one frame of input at a time: turn
// towards the next point, walk there at a moderate pace and stop; for a jump, stand still facing the
// landing point and hold the jump exactly as long as the ballistic flight to it needs.
class RouteDriver {
public:
    RouteDriver(std::vector<RouteStep> steps, CameraPlayer& player, PhysicsWorld& world, float startYaw);

    // The input of the next frame of dt seconds.
    FrameInput nextFrame(double dt);
    bool isDone() const { return stepIndex == steps.size() || !failure.empty(); }
    // The step being driven, counted from 1.
    std::size_t currentStep() const { return stepIndex + 1; }
    // Why the route was abandoned; empty while it goes well.
    const std::string& getFailure() const { return failure; }

private:
    enum class JumpPhase { Face, Charge, Fly };

    bool walk(glm::vec2 point, FrameInput& input);
    bool jump(glm::vec2 point, double dt, FrameInput& input);
    // Turns by at most one frame's share towards the point; returns the heading error left after it.
    float turnTowards(glm::vec2 point, FrameInput& input);
    // Frames of charging whose jump lands on the point, or -1 when it is out of reach.
    int chargeFramesTo(glm::vec2 point, double dt);
    bool isStanding();
    float groundHeightAt(glm::vec2 point);
    glm::vec3 position();
    glm::vec3 velocity();
    void nextStep();

    std::vector<RouteStep> steps;
    CameraPlayer& player;
    PhysicsWorld& world;
    float yaw;
    std::size_t stepIndex = 0;
    double stepTime = 0.0;
    JumpPhase jumpPhase = JumpPhase::Face;
    int chargeFramesLeft = 0;
    std::string failure;
};
