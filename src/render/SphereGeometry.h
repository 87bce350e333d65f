#pragma once

#include "render/GeneratedGeometry.h"

// A UV sphere around the origin: two pole vertices and stacks - 1 rings of slices vertices,
// every triangle counter-clockwise seen from outside. Needs at least 2 stacks.
class SphereGeometry : public GeneratedGeometry {
public:
    SphereGeometry(unsigned slices, unsigned stacks, float radius);

    MeshData generate() override;

private:
    unsigned slices;
    unsigned stacks;
    float radius;
};
