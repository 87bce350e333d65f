#include "scene/SceneImporter.h"

#include "physics/CameraPlayer.h"
#include "physics/DummyPhysicsObject.h"
#include "physics/ModelPhysicsObject.h"
#include "render/ImageTexture.h"
#include "render/LightObjectMaterial.h"
#include "render/ModelGeometry.h"
#include "render/PBRTextureMaterial.h"
#include "render/SphereGeometry.h"
#include "render/VideoTexture.h"
#include "scene/ConcreteObject.h"
#include "scene/DirectionalLight.h"
#include "scene/PointLight.h"

#include <algorithm>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <iostream>

namespace {

constexpr unsigned kImportFlags =
    aiProcess_CalcTangentSpace | aiProcess_Triangulate | aiProcess_GenSmoothNormals | aiProcess_FlipUVs;

constexpr unsigned kMarkerSlices = 20;
constexpr unsigned kMarkerStacks = 20;
constexpr float kMarkerRadius = 0.1f;

// assimp stores rows one after the other, GLM columns: the same matrix is the transpose of the
// memory read as GLM.
glm::mat4 toGlm(const aiMatrix4x4& matrix) {
    return glm::transpose(glm::make_mat4(&matrix.a1));
}

glm::vec3 toGlm(const aiVector3D& vector) {
    return glm::vec3(vector.x, vector.y, vector.z);
}

glm::vec3 toGlm(const aiColor3D& color) {
    return glm::vec3(color.r, color.g, color.b);
}

glm::mat4 worldTransform(const aiNode* node) {
    glm::mat4 world(1.0f);
    for (; node != nullptr; node = node->mParent) {
        world = toGlm(node->mTransformation) * world;
    }
    return world;
}

// Only finite, non-negative 32-bit float entries count: a key stored with another type, or a weight
// or friction no body can have, is as good as absent.
float floatMetadata(const aiNode* node, const char* key, float fallback) {
    float value = fallback;
    if (node->mMetaData == nullptr || !node->mMetaData->Get(std::string(key), value) ||
        !std::isfinite(value) || value < 0.0f) {
        return fallback;
    }
    return value;
}

std::string objectName(const aiNode* node, unsigned meshIndex) {
    const std::string name = node->mName.C_Str();
    if (node->mNumMeshes == 1) {
        return name;
    }
    return name + "[" + std::to_string(meshIndex) + "]";
}

// Levels store texture paths relative to their folder, possibly with Windows separators.
std::string texturePath(const std::string& directory, std::string storedPath) {
    std::replace(storedPath.begin(), storedPath.end(), '\\', '/');
    return directory + "/" + storedPath;
}

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

// Why the file gave no level; assimp leaves its error text empty for a scene it only flagged as
// incomplete, which is how it reports a file without meshes.
std::string importFailure(const aiScene* scene, const Assimp::Importer& importer) {
    const std::string error = importer.GetErrorString();
    if (!error.empty()) {
        return error;
    }
    if (scene == nullptr) {
        return "no scene";
    }
    if (scene->mNumMeshes == 0) {
        return "no meshes";
    }
    if (scene->mRootNode == nullptr) {
        return "no root node";
    }
    return "incomplete scene";
}

bool isLevel(const aiScene* scene) {
    return scene != nullptr && (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) == 0 &&
           scene->mRootNode != nullptr && scene->mNumMeshes > 0;
}

bool hasFinish(const std::vector<std::shared_ptr<Object>>& objects) {
    return std::any_of(objects.begin(), objects.end(), [](const std::shared_ptr<Object>& object) {
        return object->getName().starts_with(CameraPlayer::kFinishPrefix);
    });
}

} // namespace

bool SceneImporter::load(std::shared_ptr<Shader> textureProgram, std::shared_ptr<Shader> lightObjectProgram,
                         const std::string& path, std::vector<std::shared_ptr<Object>>& objects,
                         std::vector<std::shared_ptr<Light>>& lights,
                         std::shared_ptr<VideoTexture> videoTexture) {
    scene = importer.ReadFile(path, kImportFlags);
    if (!isLevel(scene)) {
        std::cout << "ERROR::ASSIMP:: " << importFailure(scene, importer) << std::endl;
        return false;
    }
    directory = directoryOf(path);
    this->textureProgram = std::move(textureProgram);
    this->lightObjectProgram = std::move(lightObjectProgram);
    this->videoTexture = std::move(videoTexture);
    this->objects = &objects;
    this->lights = &lights;

    processNode(scene->mRootNode, glm::mat4(1.0f));
    for (unsigned i = 0; i < scene->mNumLights; ++i) {
        processLight(scene->mLights[i]);
    }
    if (!hasFinish(objects)) {
        std::cout << "WARNING: level '" << path << "' has no " << CameraPlayer::kFinishPrefix
                  << " object, so it cannot be won" << std::endl;
    }
    return true;
}

void SceneImporter::processNode(const aiNode* node, const glm::mat4& parentWorld) {
    const glm::mat4 world = parentWorld * toGlm(node->mTransformation);
    const float weight = floatMetadata(node, "weight", 0.0f);
    const float friction = floatMetadata(node, "friction", 1.0f);
    for (unsigned i = 0; i < node->mNumMeshes; ++i) {
        const aiMesh* mesh = scene->mMeshes[node->mMeshes[i]];
        objects->push_back(processMesh(mesh, world, objectName(node, i), weight, friction));
    }
    for (unsigned i = 0; i < node->mNumChildren; ++i) {
        processNode(node->mChildren[i], world);
    }
}

std::shared_ptr<Object> SceneImporter::processMesh(const aiMesh* mesh, const glm::mat4& world,
                                                   const std::string& name, float weight, float friction) {
    // Uploaded now: the imported scene is gone after the import.
    auto geometry = std::make_shared<ModelGeometry>(mesh);
    geometry->bind();

    const aiMaterial* surface = scene->mMaterials[mesh->mMaterialIndex];
    const auto diffuse = loadMaterialTextures(surface, aiTextureType_DIFFUSE);
    const auto specular = loadMaterialTextures(surface, aiTextureType_SPECULAR);
    const auto emissive = loadMaterialTextures(surface, aiTextureType_EMISSIVE);

    // The level keeps the normal map in the emissive slot and roughness-metalness-occlusion in
    // the specular slot.
    std::shared_ptr<Material> material;
    std::shared_ptr<PhysicsObject> body;
    if (name.starts_with("screen") && specular.size() == 1 && emissive.size() == 1) {
        material =
            std::make_shared<PBRTextureMaterial>(textureProgram, videoTexture, emissive[0], specular[0]);
    } else if (name.starts_with("skybox")) {
        // The sky is modelled around the origin and drawn there, whatever its node says.
        body = std::make_shared<DummyPhysicsObject>(glm::mat4(1.0f));
    } else if (diffuse.size() == 1 && specular.size() == 1 && emissive.size() == 1) {
        material = std::make_shared<PBRTextureMaterial>(textureProgram, diffuse[0], emissive[0], specular[0]);
    }
    if (!body) {
        body = std::make_shared<ModelPhysicsObject>(mesh, world, weight, friction);
    }
    return std::make_shared<ConcreteObject>(name, geometry, material, body);
}

std::vector<std::shared_ptr<Texture>> SceneImporter::loadMaterialTextures(const aiMaterial* material,
                                                                          aiTextureType type) {
    std::vector<std::shared_ptr<Texture>> textures;
    const unsigned count = aiGetMaterialTextureCount(material, type);
    for (unsigned i = 0; i < count; ++i) {
        aiString storedPath;
        aiGetMaterialTexture(material, type, i, &storedPath);
        const std::string path = texturePath(directory, storedPath.C_Str());
        auto& texture = textureCache[path];
        if (!texture) {
            auto image = std::make_shared<ImageTexture>(path);
            if (decoder != nullptr) {
                image->decodeAhead(*decoder);
            }
            texture = image;
        }
        textures.push_back(texture);
    }
    return textures;
}

void SceneImporter::processLight(const aiLight* light) {
    const aiNode* node = scene->mRootNode->FindNode(light->mName);
    const glm::mat4 world = node != nullptr ? worldTransform(node) : glm::mat4(1.0f);
    const glm::mat3 color(toGlm(light->mColorAmbient), toGlm(light->mColorDiffuse),
                          toGlm(light->mColorSpecular));
    const std::string name = light->mName.C_Str();

    switch (light->mType) {
    case aiLightSource_DIRECTIONAL: {
        const glm::vec3 direction = glm::mat3(world) * toGlm(light->mDirection);
        lights->push_back(std::make_shared<DirectionalLight>(color, direction));
        break;
    }
    case aiLightSource_POINT: {
        const glm::vec3 position = glm::vec3(world * glm::vec4(toGlm(light->mPosition), 1.0f));
        const glm::vec3 attenuation(light->mAttenuationConstant, light->mAttenuationLinear,
                                    light->mAttenuationQuadratic);
        objects->push_back(std::make_shared<ConcreteObject>(
            name, std::make_shared<SphereGeometry>(kMarkerSlices, kMarkerStacks, kMarkerRadius),
            std::make_shared<LightObjectMaterial>(lightObjectProgram, toGlm(light->mColorDiffuse)),
            std::make_shared<DummyPhysicsObject>(glm::translate(glm::mat4(1.0f), position))));
        lights->push_back(std::make_shared<PointLight>(color, position, attenuation));
        break;
    }
    default:
        std::cout << "Light '" << name << "' skipped: only directional and point lights are supported"
                  << std::endl;
        break;
    }
}
