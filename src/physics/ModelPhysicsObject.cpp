#include "physics/ModelPhysicsObject.h"

#include "physics/BodyPose.h"
#include "physics/BulletConversions.h"
#include "physics/PhysicsWorld.h"

#include <assimp/mesh.h>
#include <btBulletDynamicsCommon.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>

namespace {

const btScalar kRollingFriction = 0.05;
const btScalar kSpinningFriction = 0.05;
const btScalar kRestitution = 1.0;

struct NodeTransform {
    glm::vec3 translation;
    glm::vec3 scale;
    glm::quat rotation;
};

// Splits a node's matrix so that T * R * S rebuilds it, also for a node flattened to zero along an
// axis or mirrored, which a level may contain.
NodeTransform decompose(const glm::mat4& transform) {
    const glm::mat3 basis(transform);
    glm::vec3 scale(glm::length(basis[0]), glm::length(basis[1]), glm::length(basis[2]));
    glm::mat3 rotation(0.0f);
    for (int axis = 0; axis < 3; ++axis) {
        if (scale[axis] > 0.0f) {
            rotation[axis] = basis[axis] / scale[axis];
        }
    }
    // A flattened axis has no direction of its own: it stands square to the other two.
    for (int axis = 0; axis < 3; ++axis) {
        if (scale[axis] == 0.0f) {
            const glm::vec3 square = glm::cross(rotation[(axis + 1) % 3], rotation[(axis + 2) % 3]);
            rotation[axis] = glm::length(square) > 0.0f ? glm::normalize(square) : glm::mat3(1.0f)[axis];
        }
    }
    // A mirror stays in the scale, so that what is left is a rotation.
    if (glm::determinant(basis) < 0.0f) {
        scale.x = -scale.x;
        rotation[0] = -rotation[0];
    }
    return {glm::vec3(transform[3]), scale, glm::quat_cast(rotation)};
}

bool isTriangleOfMesh(const aiFace& face, unsigned int vertexCount) {
    if (face.mNumIndices != 3) {
        return false;
    }
    for (unsigned int i = 0; i < 3; ++i) {
        if (face.mIndices[i] >= vertexCount) {
            return false;
        }
    }
    return true;
}

} // namespace

ModelPhysicsObject::ModelPhysicsObject(const aiMesh* mesh, glm::mat4 transform, float mass, float friction) {
    const NodeTransform node = decompose(transform);
    copyMesh(mesh);

    meshInterface = std::make_unique<btTriangleIndexVertexArray>(
        static_cast<int>(indices.size() / 3), indices.data(), static_cast<int>(3 * sizeof(int)),
        static_cast<int>(mesh->mNumVertices), vertices.data(), static_cast<int>(3 * sizeof(btScalar)));
    // Scaled before the shape exists, so that the shape's bounds include the scale.
    meshInterface->setScaling(toBullet(node.scale));
    shape = std::make_unique<btConvexTriangleMeshShape>(meshInterface.get(), true);

    btVector3 localInertia(0.0, 0.0, 0.0);
    if (mass != 0.0f) {
        shape->calculateLocalInertia(mass, localInertia);
    }

    btTransform start;
    start.setRotation(btQuaternion(node.rotation.x, node.rotation.y, node.rotation.z, node.rotation.w));
    start.setOrigin(toBullet(node.translation));
    motionState = std::make_unique<btDefaultMotionState>(start);

    btRigidBody::btRigidBodyConstructionInfo info(mass, motionState.get(), shape.get(), localInertia);
    info.m_linearDamping = 0.0;
    info.m_angularDamping = 0.0;
    info.m_friction = friction;
    info.m_rollingFriction = kRollingFriction;
    info.m_spinningFriction = kSpinningFriction;
    info.m_restitution = kRestitution;
    body = std::make_unique<btRigidBody>(info);
}

ModelPhysicsObject::~ModelPhysicsObject() {
    PhysicsWorld::removeRigidBody(world, body.get());
}

// Only triangles whose indices stay inside the mesh go into the hull: the import triangulates, and
// anything else would make the collision mesh read past its arrays.
void ModelPhysicsObject::copyMesh(const aiMesh* mesh) {
    vertices.reserve(3 * static_cast<size_t>(mesh->mNumVertices));
    for (unsigned int i = 0; i < mesh->mNumVertices; ++i) {
        const aiVector3D& vertex = mesh->mVertices[i];
        vertices.insert(vertices.end(), {vertex.x, vertex.y, vertex.z});
    }
    indices.reserve(3 * static_cast<size_t>(mesh->mNumFaces));
    for (unsigned int i = 0; i < mesh->mNumFaces; ++i) {
        const aiFace& face = mesh->mFaces[i];
        if (isTriangleOfMesh(face, mesh->mNumVertices)) {
            indices.insert(indices.end(), face.mIndices, face.mIndices + 3);
        }
    }
}

glm::mat4 ModelPhysicsObject::getTransformMatrix() {
    btTransform transform;
    motionState->getWorldTransform(transform);
    return toGlm(transform) * glm::scale(glm::mat4(1.0f), toGlm(meshInterface->getScaling()));
}

void ModelPhysicsObject::addToPhysicsWorld(PhysicsWorld* newWorld) {
    PhysicsWorld::moveRigidBody(world, newWorld, body.get(), this);
}

void ModelPhysicsObject::setPosition(glm::vec3 position) {
    moveBodyOrigin(*body, *motionState, position);
}

void ModelPhysicsObject::onCollision(PhysicsObject*) {}

glm::vec3 ModelPhysicsObject::getPosition() {
    return getBodyOrigin(*motionState);
}
