#version 430 core

// Bloom: the vertical blur, along the image's columns. It is the 9-tap Gaussian (sigma 2 texels)
// applied ten times over, folded into its one 81-tap kernel (a bell of sigma 6.3 texels). The
// taps beyond 22 texels hold less than 1e-4 of the weight together; they are left out and the rest
// scaled to keep the sum 1. The pass reads 45 texels per pixel where ten passes of the small kernel
// read 90 and wrote ten images. Each tap is its own unfiltered fetch: on a software renderer that
// is cheaper than pairing neighbouring taps in one filtered fetch between them.
// Beyond the border the edge texels repeat, as with clamp to edge. The pass writes an image of its
// source's size, so a pixel's own texel is the one under it.

uniform sampler2D textureSampler;

out vec4 fragColor;

const int kRadius = 22;
const float kWeights[kRadius + 1] = float[](
    0.067702407, 0.066746754, 0.063958676, 0.059564199, 0.053906720, 0.047403372, 0.040495064,
    0.033598486, 0.027066975, 0.021164993, 0.016057867, 0.011815640, 0.008427681, 0.005823626,
    0.003896145, 0.002521853, 0.001577963, 0.000953612, 0.000556036, 0.000312460, 0.000169001,
    0.000087853, 0.000043822);

void main() {
    ivec2 last = textureSize(textureSampler, 0) - 1;
    ivec2 center = ivec2(gl_FragCoord.xy);
    const ivec2 step = ivec2(0, 1);
    vec3 sum = texelFetch(textureSampler, center, 0).rgb * kWeights[0];
    for (int i = 1; i <= kRadius; ++i) {
        ivec2 after = min(center + step * i, last);
        ivec2 before = max(center - step * i, ivec2(0));
        vec3 pair = texelFetch(textureSampler, after, 0).rgb + texelFetch(textureSampler, before, 0).rgb;
        sum += pair * kWeights[i];
    }
    fragColor = vec4(sum, 1.0);
}
