#version 430 core

// Sky: an equirectangular panorama looked up by view direction, so any closed mesh around the
// origin shows it undistorted and without a seam. The image's centre lies towards -z, its top
// row straight up.

in vec3 direction;

uniform sampler2D skybox; // sRGB-encoded panorama

out vec4 fragColor;

const float kPi = 3.14159265;

vec3 srgbToLinear(vec3 c) {
    return mix(c / 12.92, pow((c + 0.055) / 1.055, vec3(2.4)), greaterThan(c, vec3(0.04045)));
}

void main() {
    vec3 d = normalize(direction);
    // Straight up or down the azimuth is undefined; any value serves there.
    vec2 horizontal = dot(d.xz, d.xz) > 0.0 ? d.xz : vec2(0.0, -1.0);
    vec2 uv = vec2(atan(horizontal.x, -horizontal.y) / (2.0 * kPi) + 0.5, acos(clamp(d.y, -1.0, 1.0)) / kPi);
    // u wraps from 1 to 0 behind the viewer; measure its change across the wrap so the mipmap
    // level stays that of the neighbours and no seam line appears.
    vec2 uvDx = dFdx(uv);
    vec2 uvDy = dFdy(uv);
    uvDx.x -= round(uvDx.x);
    uvDy.x -= round(uvDy.x);
    fragColor = vec4(srgbToLinear(textureGrad(skybox, uv, uvDx, uvDy).rgb), 1.0);
}
