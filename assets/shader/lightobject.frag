#version 430 core

// Self-lit objects: the object's colour as emitted radiance (HDR, unbounded), a little darker
// towards the silhouette so that spheres read as round.

in vec3 worldPosition;
in vec3 worldNormal;

uniform vec3 viewPosition;
uniform vec3 lightColor;

out vec4 fragColor;

const float kRimLevel = 0.6;

void main() {
    vec3 toViewer = normalize(viewPosition - worldPosition);
    float facing = clamp(dot(normalize(worldNormal), toViewer), 0.0, 1.0);
    fragColor = vec4(lightColor * mix(kRimLevel, 1.0, facing), 1.0);
}
