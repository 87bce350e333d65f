#version 430 core

// Bloom: the horizontal blur, along the image's rows. It is the 9-tap Gaussian (sigma 2 texels)
// applied ten times over, folded into its one 81-tap kernel (a bell of sigma 6.3 texels). The
// taps beyond 22 texels hold less than 1e-4 of the weight together; they are left out and the rest
// scaled to keep the sum 1. Neighbouring taps share one bilinear fetch placed between them in the
// ratio of their weights, so the pass reads 23 times per pixel where ten passes of the small
// kernel read 50 times and wrote ten images.
// Beyond the border the edge texels repeat (clamp to edge).

in vec2 texCoord;

uniform sampler2D textureSampler;

out vec4 fragColor;

const int kFetchPairs = 11;
const float kOffsets[kFetchPairs + 1] = float[](
    0.0, 1.4893345, 3.4750708, 5.4607029, 7.4461678, 9.4313980, 11.4163191, 13.4008474, 15.3848862,
    17.3683217, 19.3510168, 21.3328024);
const float kWeights[kFetchPairs + 1] = float[](
    0.067702407, 0.130705430, 0.113470919, 0.087898436, 0.060665461, 0.037222860, 0.020243321,
    0.009719771, 0.004099816, 0.001509648, 0.000481461, 0.000131675);

void main() {
    vec2 texelStep = vec2(1.0 / float(textureSize(textureSampler, 0).x), 0.0);
    vec3 sum = texture(textureSampler, texCoord).rgb * kWeights[0];
    for (int i = 1; i <= kFetchPairs; ++i) {
        vec2 offset = texelStep * kOffsets[i];
        sum += (texture(textureSampler, texCoord + offset).rgb + texture(textureSampler, texCoord - offset).rgb) *
               kWeights[i];
    }
    fragColor = vec4(sum, 1.0);
}
