#version 430 core

// Overlay text and bars, drawn straight into the window over the tone-mapped picture. Text gets
// a dark outline, found by looking for glyph coverage within outlineWidth texels.

in vec2 texCoord;

uniform sampler2D glyphTexture; // unit 0: the glyph atlas's coverage in red
uniform vec3 textColor;         // display colour
uniform float brightness;       // the picture's exposure
uniform int isRect;
uniform float outlineWidth; // in atlas texels, which are window pixels

out vec4 fragColor;

const float kOutlineOpacity = 0.85;
const int kOutlineDirections = 16;

float coverage(vec2 uv) {
    return texture(glyphTexture, uv).r;
}

// The most coverage on two rings around the fragment, a full and a half outline away.
float outlineCoverage() {
    vec2 reach = outlineWidth / vec2(textureSize(glyphTexture, 0));
    float found = 0.0;
    for (int i = 0; i < kOutlineDirections; ++i) {
        float angle = 6.2831853 * float(i) / float(kOutlineDirections);
        vec2 step = vec2(cos(angle), sin(angle)) * reach;
        found = max(found, max(coverage(texCoord + step), coverage(texCoord + 0.5 * step)));
    }
    return found;
}

void main() {
    // Follow the picture's exposure: scale in linear light, then back to display values.
    vec3 color = clamp(textColor * pow(max(brightness, 0.0), 1.0 / 2.2), 0.0, 1.0);
    if (isRect == 1) {
        fragColor = vec4(color, 1.0);
        return;
    }
    // The glyph over its black outline: where the glyph covers fully, its colour is exact.
    float text = coverage(texCoord);
    float alpha = text + (1.0 - text) * kOutlineOpacity * outlineCoverage();
    fragColor = vec4(alpha > 0.0 ? color * text / alpha : color, alpha);
}
