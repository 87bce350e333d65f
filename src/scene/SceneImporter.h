#pragma once

#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <glm/glm.hpp>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct aiLight;
struct aiMesh;
struct aiNode;
struct aiScene;
class Light;
class Object;
class Shader;
class ImageDecoder;
class Texture;
class VideoTexture;

// Turns the level file into objects and lights. Every mesh of the node tree becomes a named
// object with its own geometry, body and material; directional and point lights become lights,
// point lights with a small marker sphere. Node names and metadata carry the level's conventions:
// "skybox…" is the sky, "screen…" plays the video, "weight" and "friction" shape the body.
// The importer owns the imported scene, so it lives for one import only.
class SceneImporter {
public:
    SceneImporter() = default;
    // The level's images are decoded on the decoder's workers from the moment a material names them.
    explicit SceneImporter(ImageDecoder& decoder) : decoder(&decoder) {}

    // Appends the level's objects and lights to the lists; false, after printing why, if the file
    // gave no level (unreadable, cut short, incomplete or without meshes). A level without a
    // finish box still loads, with a warning that it cannot be won.
    bool load(std::shared_ptr<Shader> textureProgram, std::shared_ptr<Shader> lightObjectProgram,
              const std::string& path, std::vector<std::shared_ptr<Object>>& objects,
              std::vector<std::shared_ptr<Light>>& lights, std::shared_ptr<VideoTexture> videoTexture);

private:
    // Appends the objects of the node's meshes, then those of its children, depth first.
    void processNode(const aiNode* node, const glm::mat4& parentWorld);
    std::shared_ptr<Object> processMesh(const aiMesh* mesh, const glm::mat4& world, const std::string& name,
                                        float weight, float friction);
    // The textures of one kind, shared with every earlier material that names the same file.
    std::vector<std::shared_ptr<Texture>> loadMaterialTextures(const aiMaterial* material,
                                                               aiTextureType type);
    void processLight(const aiLight* light);

    Assimp::Importer importer;
    ImageDecoder* decoder = nullptr;
    std::unordered_map<std::string, std::shared_ptr<Texture>> textureCache;

    // What the current import reads from and appends to.
    const aiScene* scene = nullptr;
    std::string directory;
    std::shared_ptr<Shader> textureProgram;
    std::shared_ptr<Shader> lightObjectProgram;
    std::shared_ptr<VideoTexture> videoTexture;
    std::vector<std::shared_ptr<Object>>* objects = nullptr;
    std::vector<std::shared_ptr<Light>>* lights = nullptr;
};
