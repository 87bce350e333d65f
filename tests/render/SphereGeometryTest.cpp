#include "render/SphereGeometry.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr float kPi = 3.1415927f;

TEST(SphereGeometry, TwentyByTwentyHasTheExpectedVerticesAndFirstTriangles) {
    const float radius = 0.15f;
    const MeshData mesh = SphereGeometry(20, 20, radius).generate();

    ASSERT_EQ(mesh.positions.size(), 382u);
    EXPECT_EQ(mesh.normals.size(), 382u);
    EXPECT_EQ(mesh.uvs.size(), 382u);
    ASSERT_EQ(mesh.indices.size(), 2280u);

    EXPECT_EQ(mesh.positions[0], glm::vec3(0.0f, radius, 0.0f));
    EXPECT_EQ(mesh.positions[1], glm::vec3(0.0f, -radius, 0.0f));
    EXPECT_EQ(mesh.uvs[1], glm::vec2(0.0f, 1.0f));
    EXPECT_FLOAT_EQ(mesh.positions[2].x, radius * std::sin(kPi / 20));
    EXPECT_FLOAT_EQ(mesh.positions[2].y, radius * std::cos(kPi / 20));
    EXPECT_FLOAT_EQ(mesh.positions[2].z, 0.0f);
    EXPECT_FLOAT_EQ(mesh.uvs[2].x, 0.0f);
    EXPECT_FLOAT_EQ(mesh.uvs[2].y, 0.05f);

    const std::vector<unsigned> firstSix(mesh.indices.begin(), mesh.indices.begin() + 6);
    EXPECT_EQ(firstSix, (std::vector<unsigned>{0, 3, 2, 362, 363, 1}));
    EXPECT_EQ(*std::max_element(mesh.indices.begin(), mesh.indices.end()), 381u);
}

TEST(SphereGeometry, NormalsPointOutwardAndUvsSpanTheSphere) {
    const MeshData mesh = SphereGeometry(7, 5, 2.0f).generate();
    for (std::size_t i = 0; i < mesh.positions.size(); ++i) {
        EXPECT_NEAR(glm::length(mesh.positions[i]), 2.0f, 1e-5f) << i;
        EXPECT_NEAR(glm::length(mesh.normals[i] - mesh.positions[i] / 2.0f), 0.0f, 1e-5f) << i;
        EXPECT_GE(mesh.uvs[i].x, 0.0f);
        EXPECT_LT(mesh.uvs[i].x, 1.0f);
        EXPECT_GE(mesh.uvs[i].y, 0.0f);
        EXPECT_LE(mesh.uvs[i].y, 1.0f);
    }
}

// Every triangle, seen from outside, winds counter-clockwise: its right-handed normal points
// away from the centre. Degenerate triangles (one or two slices) only need in-range indices.
TEST(SphereGeometry, EveryTriangleIsCounterClockwiseFromOutsideAndIndicesStayInRange) {
    const struct {
        unsigned slices;
        unsigned stacks;
        bool degenerate;
    } cases[] = {{20, 20, false}, {3, 2, false}, {5, 3, false}, {8, 13, false}, {1, 4, true}, {2, 4, true}};
    for (const auto& c : cases) {
        const MeshData mesh = SphereGeometry(c.slices, c.stacks, 1.0f).generate();
        const std::size_t vertexCount = 2 + (c.stacks - 1) * c.slices;
        ASSERT_EQ(mesh.positions.size(), vertexCount) << c.slices << "x" << c.stacks;
        ASSERT_EQ(mesh.indices.size(), 6u * c.slices * (c.stacks - 1)) << c.slices << "x" << c.stacks;
        for (std::size_t t = 0; t < mesh.indices.size(); t += 3) {
            ASSERT_LT(*std::max_element(mesh.indices.begin() + t, mesh.indices.begin() + t + 3), vertexCount);
            if (c.degenerate) {
                continue;
            }
            const glm::vec3 a = mesh.positions[mesh.indices[t]];
            const glm::vec3 b = mesh.positions[mesh.indices[t + 1]];
            const glm::vec3 d = mesh.positions[mesh.indices[t + 2]];
            const glm::vec3 outward = glm::cross(b - a, d - a);
            EXPECT_GT(glm::dot(outward, a + b + d), 0.0f)
                << c.slices << "x" << c.stacks << " triangle " << t / 3;
        }
    }
}

} // namespace
