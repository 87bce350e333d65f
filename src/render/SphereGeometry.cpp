#include "render/SphereGeometry.h"

#include <cmath>

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;

float sine(float angle) {
    return static_cast<float>(std::sin(static_cast<double>(angle)));
}
float cosine(float angle) {
    return static_cast<float>(std::cos(static_cast<double>(angle)));
}

void appendTriangle(MeshData& mesh, unsigned a, unsigned b, unsigned c) {
    mesh.indices.insert(mesh.indices.end(), {a, b, c});
}

} // namespace

SphereGeometry::SphereGeometry(unsigned slices, unsigned stacks, float radius)
    : slices(slices), stacks(stacks), radius(radius) {}

MeshData SphereGeometry::generate() {
    MeshData mesh;
    mesh.positions = {{0.0f, radius, 0.0f}, {0.0f, -radius, 0.0f}};
    mesh.normals = {{0.0f, 1.0f, 0.0f}, {0.0f, -1.0f, 0.0f}};
    mesh.uvs = {{0.0f, 0.0f}, {0.0f, 1.0f}};

    // Ring n's vertex j sits at index 2 + (n - 1) * slices + j; both caps touch the first
    // and the last ring.
    const auto ringVertex = [this](unsigned ring, unsigned segment) {
        return 2 + (ring - 1) * slices + segment;
    };
    const auto nextSegment = [this](unsigned segment) {
        return segment + 1 == slices ? 0 : segment + 1;
    };
    const unsigned lastRing = stacks - 1;
    for (unsigned i = 0; i < slices; ++i) {
        appendTriangle(mesh, 0, ringVertex(1, nextSegment(i)), ringVertex(1, i));
        appendTriangle(mesh, ringVertex(lastRing, i), ringVertex(lastRing, nextSegment(i)), 1);
    }

    for (unsigned n = 1; n < stacks; ++n) {
        const float theta = static_cast<float>(n) * kPi / static_cast<float>(stacks);
        const float ringRadius = radius * sine(theta);
        for (unsigned j = 0; j < slices; ++j) {
            const float phi = static_cast<float>(j + j) * kPi / static_cast<float>(slices);
            const glm::vec3 position(cosine(phi) * ringRadius, radius * cosine(theta),
                                     sine(phi) * ringRadius);
            mesh.positions.push_back(position);
            mesh.normals.push_back(position / glm::length(position));
            mesh.uvs.emplace_back(phi / kTwoPi, theta / kPi);
            if (n >= 2) {
                const unsigned jn = nextSegment(j);
                appendTriangle(mesh, ringVertex(n, j), ringVertex(n - 1, jn), ringVertex(n, jn));
                appendTriangle(mesh, ringVertex(n - 1, jn), ringVertex(n, j), ringVertex(n - 1, j));
            }
        }
    }
    return mesh;
}
