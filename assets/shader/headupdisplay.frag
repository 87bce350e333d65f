#version 430 core

// Overlay text and bars, drawn straight into the window over the tone-mapped picture.

in vec2 texCoord;

uniform sampler2D glyphTexture; // unit 0: the glyph's coverage in red
uniform vec3 textColor;         // display colour
uniform float brightness;       // the picture's exposure
uniform int isRect;

out vec4 fragColor;

void main() {
    // Bars are solid; glyphs take their coverage from the bitmap.
    float coverage = isRect == 1 ? 1.0 : texture(glyphTexture, texCoord).r;
    // Follow the picture's exposure: scale in linear light, then back to display values.
    vec3 color = clamp(textColor * pow(max(brightness, 0.0), 1.0 / 2.2), 0.0, 1.0);
    fragColor = vec4(color, coverage);
}
