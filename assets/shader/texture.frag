#version 430 core

// Level surfaces: metallic-roughness shading (GGX distribution, height-correlated Smith
// visibility, Schlick Fresnel) under every directional light, each through its filtered shadow
// map, and every point light with its attenuation. Output is linear HDR radiance.
//
// Light colours are 3 x 3 matrices whose columns are the ambient, diffuse and specular colour.
// A diffuse colour of 1 lights a white matte surface facing the light to 1.

const int kMaxDirectionalLights = 4;
const int kMaxPointLights = 16;
const float kPi = 3.14159265;
// Below this perceptual roughness highlights get too small to be seen and overflow half floats.
const float kMinRoughness = 0.089;
// Ceiling of the output, inside the half-float range of the HDR target.
const float kMaxRadiance = 60000.0;
// Sky and bounce light that comes with a directional light, as a share of its diffuse colour on
// surfaces facing up; surfaces facing down get kGroundFill of that.
const float kSkyFill = 0.2;
const float kGroundFill = 0.4;

struct DirectionalLight {
    vec3 direction; // the way the light travels
    mat3 color;
    mat4 lightSpaceMatrix;
};

struct PointLight {
    vec3 position;
    mat3 color;
    vec3 attenuation; // constant, linear, quadratic
};

in vec3 worldPosition;
in vec3 worldNormal;
in vec3 worldTangent;
in vec3 worldBitangent;
in vec2 texCoord;

uniform vec3 viewPosition;
uniform sampler2D albedoTexture; // sRGB-encoded colour
uniform sampler2D normalTexture; // tangent space, +y towards the top of the image
uniform sampler2D rmaTexture;    // roughness, metalness, ambient occlusion in r, g, b
uniform sampler2D shadowMaps[kMaxDirectionalLights];
uniform int numDirectionalLights;
uniform DirectionalLight directionalLights[kMaxDirectionalLights];
uniform int numPointLights;
uniform PointLight pointLights[kMaxPointLights];

out vec4 fragColor;

struct Surface {
    vec3 position;
    vec3 normal;     // with the normal map applied
    vec3 meshNormal; // interpolated mesh normal: decides shadow bias and the light's terminator
    vec3 toViewer;
    float nDotV;
    vec3 diffuseColor;
    vec3 f0;
    float perceptualRoughness;
    float alpha;
    float occlusion;
};

vec3 srgbToLinear(vec3 c) {
    return mix(c / 12.92, pow((c + 0.055) / 1.055, vec3(2.4)), greaterThan(c, vec3(0.04045)));
}

vec3 safeNormalize(vec3 v) {
    return v * inversesqrt(max(dot(v, v), 1e-20));
}

vec3 mappedNormal(vec3 n) {
    vec3 t = worldTangent - n * dot(n, worldTangent);
    vec3 m = texture(normalTexture, texCoord).xyz * 2.0 - 1.0;
    // Meshes without tangents, and a map that is missing or holds no normals, keep the mesh normal.
    if (dot(t, t) < 1e-12 || m.z <= 0.0) {
        return n;
    }
    t = normalize(t);
    // The import flips v, so the bitangent points down the image; the map's +y points up it.
    float handedness = dot(cross(n, t), worldBitangent) < 0.0 ? -1.0 : 1.0;
    vec3 up = -handedness * cross(n, t);
    return normalize(t * m.x + up * m.y + n * m.z);
}

// Widens the highlight where the normal changes quickly across a pixel, so that small bright
// highlights do not flicker from pixel to pixel (Kaplanyan and Hoffman's normal filtering).
float filteredAlpha(vec3 n, float alpha) {
    vec3 du = dFdx(n);
    vec3 dv = dFdy(n);
    float kernel = min(2.0 * 0.15 * (dot(du, du) + dot(dv, dv)), 0.2);
    return sqrt(clamp(alpha * alpha + kernel, 0.0, 1.0));
}

Surface readSurface() {
    Surface s;
    s.position = worldPosition;
    s.meshNormal = normalize(worldNormal);
    s.normal = mappedNormal(s.meshNormal);
    s.toViewer = safeNormalize(viewPosition - worldPosition);
    s.nDotV = max(dot(s.normal, s.toViewer), 1e-4);
    vec3 albedo = srgbToLinear(texture(albedoTexture, texCoord).rgb);
    vec3 rma = texture(rmaTexture, texCoord).rgb;
    float metalness = rma.g;
    s.diffuseColor = albedo * (1.0 - metalness);
    s.f0 = mix(vec3(0.04), albedo, metalness);
    s.perceptualRoughness = clamp(rma.r, kMinRoughness, 1.0);
    s.alpha = filteredAlpha(s.normal, s.perceptualRoughness * s.perceptualRoughness);
    s.occlusion = rma.b;
    return s;
}

float ggxDistribution(float nDotH, float alpha) {
    float a2 = alpha * alpha;
    float d = nDotH * nDotH * (a2 - 1.0) + 1.0;
    return a2 / (kPi * d * d);
}

// Smith's height-correlated masking-shadowing, divided by 4 n.l n.v.
float smithVisibility(float nDotV, float nDotL, float alpha) {
    float a2 = alpha * alpha;
    float viewTerm = nDotL * sqrt(nDotV * nDotV * (1.0 - a2) + a2);
    float lightTerm = nDotV * sqrt(nDotL * nDotL * (1.0 - a2) + a2);
    return 0.5 / (viewTerm + lightTerm);
}

vec3 fresnelSchlick(vec3 f0, float cosTheta) {
    return f0 + (1.0 - f0) * pow(1.0 - cosTheta, 5.0);
}

// Radiance towards the viewer from a light arriving from toLight with the given colour matrix.
// The BRDF is scaled by pi, which makes the light's colours the radiance a white matte surface
// facing it sends back.
vec3 directLight(Surface s, vec3 toLight, mat3 color) {
    float nDotL = dot(s.normal, toLight);
    if (nDotL <= 0.0) {
        return vec3(0.0);
    }
    vec3 halfway = safeNormalize(toLight + s.toViewer);
    float nDotH = max(dot(s.normal, halfway), 0.0);
    vec3 fresnel = fresnelSchlick(s.f0, max(dot(toLight, halfway), 0.0));
    vec3 specular = kPi * ggxDistribution(nDotH, s.alpha) * smithVisibility(s.nDotV, nDotL, s.alpha) * fresnel;
    vec3 diffuse = (1.0 - fresnel) * s.diffuseColor;
    return (diffuse * color[1] + specular * color[2]) * nDotL;
}

// What the surface returns of uniform ambient light: its diffuse colour plus the specular part
// integrated over the hemisphere (Karis' analytic fit), so metals are not black in the shade.
vec3 ambientReflectance(Surface s) {
    const vec4 c0 = vec4(-1.0, -0.0275, -0.572, 0.022);
    const vec4 c1 = vec4(1.0, 0.0425, 1.04, -0.04);
    vec4 r = s.perceptualRoughness * c0 + c1;
    float a004 = min(r.x * r.x, exp2(-9.28 * s.nDotV)) * r.x + r.y;
    vec2 scaleBias = vec2(-1.04, 1.04) * a004 + r.zw;
    return s.diffuseColor + s.f0 * scaleBias.x + scaleBias.y;
}

// Ambient light of a directional light: its own ambient colour plus the sky and bounce light that
// a sun brings along, so faces turned away from it and its shadows are not black when the level
// gives no ambient colour.
vec3 directionalAmbient(Surface s, mat3 color) {
    float skyFacing = mix(kGroundFill, 1.0, 0.5 + 0.5 * s.normal.y);
    return color[0] + kSkyFill * skyFacing * color[1];
}

// Number of lit samples out of four in the 2 x 2 texels of a gather at a texel corner, weighted.
float litSamples(int light, vec2 corner, float reference, vec4 weights) {
    vec4 depths = textureGather(shadowMaps[light], corner);
    return dot(step(vec4(reference), depths), weights);
}

// Fraction of directional light i that reaches the surface past its shadow map. The filter is
// nine bilinear shadow tests on a 3 x 3 texel grid, folded into four gathers over the 4 x 4 texels
// they touch. Acne is kept off by moving the lookup along the normal and by a depth bias that
// grows with the slope towards the light; both stay within a few texels, so contact shadows do
// not detach.
float shadowVisibility(int i, Surface s, vec3 toLight) {
    mat4 lightSpace = directionalLights[i].lightSpaceMatrix;
    vec2 mapSize = vec2(textureSize(shadowMaps[i], 0));
    // World size of one shadow texel, and map depth per world unit along the light.
    float texelSize = 2.0 / (mapSize.x * length(vec3(lightSpace[0][0], lightSpace[1][0], lightSpace[2][0])));
    float depthScale = 0.5 * length(vec3(lightSpace[0][2], lightSpace[1][2], lightSpace[2][2]));

    float cosTheta = clamp(dot(s.meshNormal, toLight), 1e-3, 1.0);
    float sinTheta = sqrt(1.0 - cosTheta * cosTheta);
    float tanTheta = min(sinTheta / cosTheta, 5.0);
    vec3 lookup = s.position + s.meshNormal * (texelSize * sinTheta);
    vec4 clip = lightSpace * vec4(lookup, 1.0);
    vec3 mapPosition = clip.xyz / clip.w * 0.5 + 0.5;
    if (mapPosition.z >= 1.0) {
        return 1.0; // beyond the light's far plane nothing is recorded
    }
    float reference = mapPosition.z - depthScale * texelSize * (0.5 + 2.0 * tanTheta);

    vec2 texel = mapPosition.xy * mapSize - 0.5;
    vec2 base = floor(texel);
    vec2 f = texel - base;
    // Texels base - 1 to base + 2 weigh 1 - f, 1, 1, f along each axis.
    vec4 wx = vec4(1.0 - f.x, 1.0, 1.0, f.x);
    vec4 wy = vec4(1.0 - f.y, 1.0, 1.0, f.y);
    vec2 texelToUv = 1.0 / mapSize;
    float lit = 0.0;
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column) {
            vec2 cx = column == 0 ? wx.xy : wx.zw;
            vec2 cy = row == 0 ? wy.xy : wy.zw;
            // Gather order: (x0, y1), (x1, y1), (x1, y0), (x0, y0).
            vec4 weights = vec4(cx.x * cy.y, cx.y * cy.y, cx.y * cy.x, cx.x * cy.x);
            vec2 corner = (base + vec2(2 * column, 2 * row)) * texelToUv;
            lit += litSamples(i, corner, reference, weights);
        }
    }
    return lit / 9.0;
}

void main() {
    Surface s = readSurface();
    vec3 ambient = vec3(0.0);
    vec3 direct = vec3(0.0);

    for (int i = 0; i < min(numDirectionalLights, kMaxDirectionalLights); ++i) {
        DirectionalLight light = directionalLights[i];
        vec3 toLight = -light.direction;
        ambient += directionalAmbient(s, light.color);
        // Past the mesh's terminator the surface shadows itself, whatever its normal map says.
        if (dot(s.meshNormal, toLight) > 0.0) {
            direct += shadowVisibility(i, s, toLight) * directLight(s, toLight, light.color);
        }
    }

    for (int i = 0; i < min(numPointLights, kMaxPointLights); ++i) {
        PointLight light = pointLights[i];
        vec3 toLight = light.position - s.position;
        float distance = length(toLight);
        float falloff = dot(light.attenuation, vec3(1.0, distance, distance * distance));
        // Without attenuation coefficients the light does not fade.
        float attenuation = falloff > 0.0 ? 1.0 / falloff : 1.0;
        ambient += attenuation * light.color[0];
        // Behind the mesh's surface the light cannot reach it, whatever its normal map says:
        // else bevels tilted towards a lamp glow in its colour on faces turned away from it.
        if (dot(s.meshNormal, toLight) > 0.0) {
            direct += attenuation * directLight(s, toLight / max(distance, 1e-4), light.color);
        }
    }

    vec3 radiance = ambient * ambientReflectance(s) * s.occlusion + direct;
    fragColor = vec4(min(radiance, vec3(kMaxRadiance)), 1.0);
}
