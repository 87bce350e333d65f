#version 430 core

// Last pass into the window: scene plus bloom, exposure, a neutral tone curve and the sRGB
// transfer curve. The HDR image and the bloom may be smaller than the window (render scale).

in vec2 texCoord;

uniform sampler2D textureSampler; // HDR scene, unit 0
uniform sampler2D bloomResult;    // blurred bright parts, unit 1
uniform float exposure;

out vec4 fragColor;

const float kBloomStrength = 0.8;
// The curve leaves colours up to kCompressionStart as they are, so lit textures keep their
// look, and rolls brighter ones off smoothly towards white, desaturating as they go rather than
// clipping or shifting hue (the shoulder of Khronos' PBR Neutral).
const float kCompressionStart = 0.76;
const float kDesaturation = 0.15;

vec3 toneMap(vec3 color) {
    float peak = max(color.r, max(color.g, color.b));
    if (peak < kCompressionStart) {
        return color;
    }
    const float d = 1.0 - kCompressionStart;
    float newPeak = 1.0 - d * d / (peak + d - kCompressionStart);
    color *= newPeak / peak;
    float toWhite = 1.0 - 1.0 / (kDesaturation * (peak - newPeak) + 1.0);
    return mix(color, vec3(newPeak), toWhite);
}

vec3 linearToSrgb(vec3 c) {
    return mix(c * 12.92, 1.055 * pow(c, vec3(1.0 / 2.4)) - 0.055, greaterThan(c, vec3(0.0031308)));
}

// Noise of half an 8-bit step (interleaved gradient noise) against banding in dark gradients.
float dither() {
    return (fract(52.9829189 * fract(dot(gl_FragCoord.xy, vec2(0.06711056, 0.00583715)))) - 0.5) / 255.0;
}

// The image's texel under this window pixel. At full scale that is the pixel's own texel; a
// smaller image (render scale) is stretched over the window by repeating its texels, which costs
// no more than the full-scale fetch.
vec3 scene(sampler2D image) {
    return texelFetch(image, ivec2(texCoord * vec2(textureSize(image, 0))), 0).rgb;
}

void main() {
    vec3 hdr = scene(textureSampler) + kBloomStrength * scene(bloomResult);
    vec3 display = linearToSrgb(toneMap(max(hdr * exposure, 0.0)));
    fragColor = vec4(display + dither(), 1.0);
}
