#pragma once

#include "physics/BulletConversions.h"
#include "physics/ModelPhysicsObject.h"
#include "physics/PhysicsWorld.h"
#include "scene/Object.h"

#include <assimp/mesh.h>
#include <btBulletDynamicsCommon.h>
#include <glm/gtc/matrix_transform.hpp>
#include <limits>
#include <memory>
#include <string>
#include <vector>

// Meshes, bodies and frame steps built in code for the physics tests.
namespace physics_test {

// One frame of the game at 60 frames per second.
constexpr double kFrame = 1.0 / 60.0;
// The distance a ray reports when it hits nothing.
constexpr float kMiss = std::numeric_limits<float>::max();

inline void runFrames(PhysicsWorld& world, int frames) {
    for (int i = 0; i < frames; ++i) {
        world.step(kFrame);
    }
}

struct Corner {
    float x, y, z;
};

// A hand-built mesh; aiMesh frees its arrays itself.
inline std::unique_ptr<aiMesh> makeMesh(const std::vector<Corner>& corners,
                                        const std::vector<std::vector<unsigned int>>& faces) {
    auto mesh = std::make_unique<aiMesh>();
    mesh->mNumVertices = static_cast<unsigned int>(corners.size());
    mesh->mVertices = new aiVector3D[corners.size()];
    for (size_t i = 0; i < corners.size(); ++i) {
        mesh->mVertices[i] = aiVector3D(corners[i].x, corners[i].y, corners[i].z);
    }
    mesh->mNumFaces = static_cast<unsigned int>(faces.size());
    mesh->mFaces = new aiFace[faces.size()];
    for (size_t i = 0; i < faces.size(); ++i) {
        mesh->mFaces[i].mNumIndices = static_cast<unsigned int>(faces[i].size());
        mesh->mFaces[i].mIndices = new unsigned int[faces[i].size()];
        std::copy(faces[i].begin(), faces[i].end(), mesh->mFaces[i].mIndices);
    }
    return mesh;
}

// A prism over a footprint of corner points (x, z) in counter-clockwise order, from y = 0 to y = height;
// only the corners matter for a hull, so the side faces are a fan per cap plus one quad pair per edge.
inline std::unique_ptr<aiMesh> makePrism(const std::vector<glm::vec2>& footprint, float height) {
    std::vector<Corner> corners;
    for (float y : {0.0f, height}) {
        for (const glm::vec2& point : footprint) {
            corners.push_back({point.x, y, point.y});
        }
    }
    const auto n = static_cast<unsigned int>(footprint.size());
    std::vector<std::vector<unsigned int>> faces;
    for (unsigned int i = 1; i + 1 < n; ++i) {
        faces.push_back({0, i + 1, i});
        faces.push_back({n, n + i, n + i + 1});
    }
    for (unsigned int i = 0; i < n; ++i) {
        const unsigned int next = (i + 1) % n;
        faces.push_back({i, next, n + next});
        faces.push_back({i, n + next, n + i});
    }
    return makeMesh(corners, faces);
}

// An axis-aligned box centred on the origin.
inline std::unique_ptr<aiMesh> makeBox(glm::vec3 halfExtent) {
    std::vector<glm::vec2> footprint = {{-halfExtent.x, -halfExtent.z},
                                        {halfExtent.x, -halfExtent.z},
                                        {halfExtent.x, halfExtent.z},
                                        {-halfExtent.x, halfExtent.z}};
    auto mesh = makePrism(footprint, 2.0f * halfExtent.y);
    for (unsigned int i = 0; i < mesh->mNumVertices; ++i) {
        mesh->mVertices[i].y -= halfExtent.y;
    }
    return mesh;
}

inline glm::mat4 translation(glm::vec3 offset) {
    return glm::translate(glm::mat4(1.0f), offset);
}

// A static slab 20 x 1 x 20 whose top face is at y = 0, centred on (x, z) = centre.
inline std::shared_ptr<ModelPhysicsObject> makeFloor(PhysicsWorld& world, glm::vec2 centre = glm::vec2(0.0f),
                                                     float friction = 0.0f) {
    auto floor = std::make_shared<ModelPhysicsObject>(makeBox(glm::vec3(10.0f, 0.5f, 10.0f)).get(),
                                                      translation(glm::vec3(centre.x, -0.5f, centre.y)), 0.0f,
                                                      friction);
    floor->addToPhysicsWorld(&world);
    return floor;
}

inline glm::vec3 velocityOf(btRigidBody* body) {
    return toGlm(body->getLinearVelocity());
}

// A scene object that is nothing but its name.
class NamedObject : public Object {
public:
    explicit NamedObject(std::string name) : name(std::move(name)) {}
    std::string getName() override { return name; }
    void drawWithShader(std::shared_ptr<Shader>) override {}
    void draw() override {}
    void addToPhysicsWorld(PhysicsWorld*) override {}
    void setPosition(glm::vec3) override {}
    void addShadowMap(std::shared_ptr<Texture>) override {}
    void setProperty(std::string, float) override {}
    glm::vec3 getPosition() override { return glm::vec3(0.0f); }

private:
    std::string name;
};

} // namespace physics_test
