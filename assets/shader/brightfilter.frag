#version 430 core

// First bloom pass: keeps what is brighter than white. The rise starts softly at the threshold
// (quadratic knee) so that bloom does not pop in; single pixels are capped before the blurs
// spread them. One fetch per pixel: the pass runs at the HDR image's own size.

uniform sampler2D textureSampler; // HDR scene

out vec4 fragColor;

const float kThreshold = 1.0;
const float kKnee = 0.25;
const float kCeiling = 64.0;

void main() {
    vec3 color = texelFetch(textureSampler, ivec2(gl_FragCoord.xy), 0).rgb;
    float brightness = max(color.r, max(color.g, color.b));
    float rise = clamp(brightness - kThreshold, 0.0, 2.0 * kKnee);
    float excess = max(rise * rise / (4.0 * kKnee), brightness - kThreshold - kKnee);
    excess = min(excess, kCeiling);
    fragColor = vec4(color * (excess / max(brightness, 1e-4)), 1.0);
}
