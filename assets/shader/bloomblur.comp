#version 430 core

// Bloom blur along one axis: ten passes of a 9-tap Gaussian (sigma 2 texels) one after the other,
// each reading the previous one's result with the image's edge texels repeated beyond the border.
// A work group keeps one stretch of a row or column in shared memory for all ten passes, so the
// image is read and written once instead of ten times. Every pass spreads the light by four
// texels, so the group loads forty texels more on either side than it writes.

const int kRadius = 4;
const int kPasses = 10;
const int kApron = kRadius * kPasses;
const int kGroupSize = 256;
const int kSpan = 2 * kGroupSize;      // texels held per group
const int kOutput = kSpan - 2 * kApron; // texels written per group
const float kWeights[kRadius + 1] = float[](0.2041637, 0.1801738, 0.1238315, 0.0662822, 0.0276306);

layout(local_size_x = 256) in; // kGroupSize

uniform sampler2D textureSampler; // read, unit 0
layout(rgba16f, binding = 0) uniform writeonly image2D blurred;
uniform ivec2 direction; // (1, 0) along rows, (0, 1) along columns

shared vec3 line[2][kSpan];

int lineLength() {
    ivec2 size = textureSize(textureSampler, 0);
    return direction.x != 0 ? size.x : size.y;
}

ivec2 texel(int along) {
    ivec2 across = ivec2(gl_WorkGroupID.y) * (ivec2(1) - direction);
    return across + along * direction;
}

void main() {
    int length = lineLength();
    int first = int(gl_WorkGroupID.x) * kOutput - kApron; // image position of line[.][0]
    int local = int(gl_LocalInvocationID.x);

    for (int i = local; i < kSpan; i += kGroupSize) {
        line[0][i] = texelFetch(textureSampler, texel(clamp(first + i, 0, length - 1)), 0).rgb;
    }
    // Neighbours are clamped to the image, then to what the group holds: texels near the
    // stretch's ends go wrong, but no further in than the apron, which is never written.
    int lowest = max(0, first);
    int highest = min(length, first + kSpan) - 1;
    for (int pass = 0; pass < kPasses; ++pass) {
        int from = pass & 1;
        barrier();
        for (int i = local; i < kSpan; i += kGroupSize) {
            vec3 sum = kWeights[0] * line[from][i];
            for (int offset = 1; offset <= kRadius; ++offset) {
                int before = clamp(first + i - offset, lowest, highest) - first;
                int after = clamp(first + i + offset, lowest, highest) - first;
                sum += kWeights[offset] * (line[from][before] + line[from][after]);
            }
            line[1 - from][i] = sum;
        }
    }
    barrier();
    for (int i = kApron + local; i < kSpan - kApron; i += kGroupSize) {
        int along = first + i;
        if (along < length) {
            imageStore(blurred, texel(along), vec4(line[kPasses & 1][i], 1.0));
        }
    }
}
