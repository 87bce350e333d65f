#pragma once

#include "physics/PhysicsObject.h"

#include <LinearMath/btScalar.h>
#include <memory>
#include <vector>

struct aiMesh;
struct btDefaultMotionState;
class btConvexTriangleMeshShape;
class btRigidBody;
class btTriangleIndexVertexArray;

// The body of an imported mesh: it collides as the convex hull of the mesh's scaled vertices, static
// with mass 0 and dynamic otherwise. The node's scale lives only in the hull and the drawing matrix.
class ModelPhysicsObject : public PhysicsObject {
public:
    // The mesh is read only here; transform is the node's full model matrix.
    ModelPhysicsObject(const aiMesh* mesh, glm::mat4 transform, float mass, float friction);
    ~ModelPhysicsObject();
    ModelPhysicsObject(const ModelPhysicsObject&) = delete;
    ModelPhysicsObject& operator=(const ModelPhysicsObject&) = delete;

    glm::mat4 getTransformMatrix() override;
    void addToPhysicsWorld(PhysicsWorld* newWorld) override;
    void setPosition(glm::vec3 position) override;
    void onCollision(PhysicsObject* other) override;
    glm::vec3 getPosition() override;

    btRigidBody* getRigidBody() { return body.get(); }

private:
    void copyMesh(const aiMesh* mesh);

    // The mesh interface points into both arrays, so they stay untouched for the object's lifetime.
    std::vector<btScalar> vertices;
    std::vector<int> indices;
    std::unique_ptr<btTriangleIndexVertexArray> meshInterface;
    std::unique_ptr<btConvexTriangleMeshShape> shape;
    std::unique_ptr<btDefaultMotionState> motionState;
    std::unique_ptr<btRigidBody> body;
    PhysicsWorld* world = nullptr;
};
