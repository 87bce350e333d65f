#pragma once

#include "render/Material.h"

#include <vector>

// A textured, physically based surface of the level: albedo, tangent-space normal and
// roughness/metalness/occlusion maps, plus one shadow map per directional light.
class PBRTextureMaterial : public Material {
public:
    PBRTextureMaterial(std::shared_ptr<Shader> shader, std::shared_ptr<Texture> albedoMap,
                       std::shared_ptr<Texture> normalMap, std::shared_ptr<Texture> rmaMap);

    void apply(const std::shared_ptr<Shader>& program) override;
    // Shadow map i belongs to directional light i and is read on unit 3 + i.
    void addShadowMap(std::shared_ptr<Texture> texture) override;

private:
    std::shared_ptr<Texture> albedoMap;
    std::shared_ptr<Texture> normalMap;
    std::shared_ptr<Texture> rmaMap;
    std::vector<std::shared_ptr<Texture>> shadowMaps;
};
