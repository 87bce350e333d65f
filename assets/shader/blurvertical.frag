#version 430 core

// Bloom: one vertical pass of a 9-tap Gaussian (sigma 2 texels) in 5 bilinear fetches. Each
// outer fetch lands between two texels where the filter hardware mixes them in the ratio of their
// Gaussian weights.

in vec2 texCoord;

uniform sampler2D textureSampler;

out vec4 fragColor;

const float kOffsets[3] = float[](0.0, 1.4073334, 3.2942150);
const float kWeights[3] = float[](0.2041637, 0.3040054, 0.0939128);

void main() {
    vec2 texelStep = vec2(0.0, 1.0 / float(textureSize(textureSampler, 0).y));
    vec3 sum = texture(textureSampler, texCoord).rgb * kWeights[0];
    for (int i = 1; i < 3; ++i) {
        vec2 offset = texelStep * kOffsets[i];
        sum += (texture(textureSampler, texCoord + offset).rgb + texture(textureSampler, texCoord - offset).rgb) *
               kWeights[i];
    }
    fragColor = vec4(sum, 1.0);
}
