#include "render/PBRTextureMaterial.h"

#include "render/Shader.h"
#include "render/Texture.h"

#include <GL/glew.h>
#include <utility>

namespace {

constexpr unsigned kAlbedoUnit = 0;
constexpr unsigned kNormalUnit = 1;
constexpr unsigned kRmaUnit = 2;
constexpr unsigned kFirstShadowUnit = 3;

} // namespace

PBRTextureMaterial::PBRTextureMaterial(std::shared_ptr<Shader> shader, std::shared_ptr<Texture> albedoMap,
                                       std::shared_ptr<Texture> normalMap, std::shared_ptr<Texture> rmaMap)
    : Material(std::move(shader)), albedoMap(std::move(albedoMap)), normalMap(std::move(normalMap)),
      rmaMap(std::move(rmaMap)) {}

void PBRTextureMaterial::apply(const std::shared_ptr<Shader>& program) {
    albedoMap->bind(kAlbedoUnit);
    program->setUniform("albedoTexture", static_cast<int>(kAlbedoUnit));
    normalMap->bind(kNormalUnit);
    program->setUniform("normalTexture", static_cast<int>(kNormalUnit));
    rmaMap->bind(kRmaUnit);
    program->setUniform("rmaTexture", static_cast<int>(kRmaUnit));
    for (unsigned i = 0; i < shadowMaps.size(); ++i) {
        shadowMaps[i]->bind(kFirstShadowUnit + i);
        program->setUniform("shadowMaps", i, static_cast<int>(kFirstShadowUnit + i));
    }
    glEnable(GL_DEPTH_TEST);
}

void PBRTextureMaterial::addShadowMap(std::shared_ptr<Texture> texture) {
    shadowMaps.push_back(std::move(texture));
}
