#pragma once

#include "physics/PhysicsObject.h"
#include "physics/PlayerKeys.h"
#include "scene/Object.h"

#include <memory>
#include <string>
#include <string_view>

struct btDefaultMotionState;
class btCapsuleShape;
class btRigidBody;

// The first-person player: a camera riding on an upright capsule body. Keys push the body and charge
// jumps, the mouse turns the camera, and touching the level's finish box wins. In free-camera mode
// the view leaves the body behind and flies through the level.
class CameraPlayer : public PhysicsObject, public Object {
public:
    // Touching an object whose name begins with this wins the game.
    static constexpr std::string_view kFinishPrefix = "finish_box";

    CameraPlayer(glm::vec3 position, float yaw, float pitch);
    ~CameraPlayer();
    CameraPlayer(const CameraPlayer&) = delete;
    CameraPlayer& operator=(const CameraPlayer&) = delete;

    glm::mat4 getTransformMatrix() override;
    void addToPhysicsWorld(PhysicsWorld* newWorld) override;
    void setPosition(glm::vec3 newPosition) override;
    void onCollision(PhysicsObject* other) override;
    glm::vec3 getPosition() override;

    std::string getName() override;
    void drawWithShader(std::shared_ptr<Shader> program) override;
    void draw() override;
    void addShadowMap(std::shared_ptr<Texture> texture) override;
    void setProperty(std::string key, float value) override;

    // Walking force, jump charging and release, or free flight; once per frame.
    void processKeyboard(PlayerKeys keys, double dt);
    // Turns the camera by the cursor movement; a positive yoffset looks up.
    void processMouseMovement(double xoffset, double yoffset);
    void setProjection(float fov, float aspect, float nearPlane, float farPlane);
    glm::mat4 getViewProjectionMatrix();
    // The view without its translation, so the sky stays around the eye.
    glm::mat4 getSkyboxViewProjectionMatrix();
    void toggleFreeCamera();
    bool isFinished() const { return finished; }
    // The charged jump as a fraction of a full one, in [0, 1].
    float getJumpCharge() const;
    // The viewing direction and the camera's up, unit length: the listener's orientation.
    glm::vec3 getFront() const { return front; }
    glm::vec3 getUp() const { return up; }

    btRigidBody* getRigidBody() { return body.get(); }

private:
    void updateCameraVectors();
    glm::mat4 getViewMatrix();
    bool isOnGround();
    void pushBody(glm::vec3 direction, bool jumpHeld, double dt);

    glm::vec3 position;
    glm::vec3 front = glm::vec3(0.0f, 0.0f, -1.0f);
    glm::vec3 up;
    glm::vec3 right;
    glm::vec3 worldUp = glm::vec3(0.0f, 1.0f, 0.0f);
    float yaw;
    float pitch;
    float freeSpeed = 20.0f;
    float walkSpeed = 25.0f;
    float mouseSensitivity = 0.1f;
    bool finished = false;
    glm::vec3 jumpCharge = glm::vec3(0.0f);
    bool freeCamera = false;
    glm::mat4 projection = glm::mat4(1.0f);
    std::unique_ptr<btCapsuleShape> shape;
    std::unique_ptr<btDefaultMotionState> motionState;
    std::unique_ptr<btRigidBody> body;
    PhysicsWorld* world = nullptr;
};
