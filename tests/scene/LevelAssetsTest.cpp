// Checks the shipped level and media files against what the game needs from them:
// naming conventions, texture slots, body metadata, lights, spawn ground, turret
// muzzles, the sun's shadow box, and the sizes of the sky image and video frames.

#include "render/VideoTexture.h"
#include "scene/DirectionalLight.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <glm/glm.hpp>
#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

const std::string assetsDir = ZELVIRA_SOURCE_DIR "/assets";
constexpr unsigned int gameImportFlags =
    aiProcess_CalcTangentSpace | aiProcess_Triangulate | aiProcess_GenSmoothNormals | aiProcess_FlipUVs;
constexpr float peaRadius = 0.15f;
constexpr float collisionMargin = 0.04f; // the physics library's default, on both bodies

bool startsWith(const std::string& name, const std::string& prefix) {
    return name.rfind(prefix, 0) == 0;
}

glm::mat4 toGlm(const aiMatrix4x4& m) {
    return glm::mat4(m.a1, m.b1, m.c1, m.d1, m.a2, m.b2, m.c2, m.d2, m.a3, m.b3, m.c3, m.d3, m.a4, m.b4, m.c4,
                     m.d4);
}

struct Triangle {
    glm::vec3 a, b, c;
};

// One mesh reference of the level as the game sees it: a named, convex body in world space.
struct MeshNode {
    std::string name;
    const aiNode* node;
    const aiMesh* mesh;
    glm::mat4 world;
    std::vector<glm::vec3> points;
    std::vector<Triangle> triangles;
};

// Outward planes of a convex hull, oriented by the hull's centroid so the file's winding
// does not matter.
struct Hull {
    std::vector<glm::vec4> planes; // xyz unit normal, w offset: dot(n, p) + w is the signed distance

    explicit Hull(const MeshNode& body) {
        glm::vec3 centroid(0.0f);
        for (const glm::vec3& p : body.points) {
            centroid += p;
        }
        centroid /= static_cast<float>(body.points.size());
        for (const Triangle& t : body.triangles) {
            glm::vec3 n = glm::cross(t.b - t.a, t.c - t.a);
            if (glm::length(n) < 1e-6f) {
                continue;
            }
            n = glm::normalize(n);
            if (glm::dot(n, centroid - t.a) > 0.0f) {
                n = -n;
            }
            planes.emplace_back(n, -glm::dot(n, t.a));
        }
    }

    // Whether the segment from a to b passes through the hull's inside (touching it does not count).
    bool crosses(const glm::vec3& a, const glm::vec3& b) const {
        float enter = 0.0f, leave = 1.0f;
        for (const glm::vec4& plane : planes) {
            const float da = glm::dot(glm::vec3(plane), a) + plane.w;
            const float db = glm::dot(glm::vec3(plane), b) + plane.w;
            if (da >= 0.0f && db >= 0.0f) {
                return false;
            }
            if (da >= 0.0f) {
                enter = std::max(enter, da / (da - db));
            } else if (db >= 0.0f) {
                leave = std::min(leave, da / (da - db));
            }
        }
        return enter < leave - 1e-4f;
    }

    // A lower bound of the distance from p to the hull; negative inside.
    float clearance(const glm::vec3& p) const {
        float distance = -std::numeric_limits<float>::max();
        for (const glm::vec4& plane : planes) {
            distance = std::max(distance, glm::dot(glm::vec3(plane), p) + plane.w);
        }
        return distance;
    }
};

// Highest point below `from` where the vertical line through from.x, from.z meets a body.
std::optional<float> surfaceBelow(const std::vector<MeshNode>& bodies, const glm::vec3& from) {
    std::optional<float> best;
    for (const MeshNode& body : bodies) {
        for (const Triangle& t : body.triangles) {
            const glm::vec2 p(from.x, from.z), a(t.a.x, t.a.z), b(t.b.x, t.b.z), c(t.c.x, t.c.z);
            const float area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
            if (std::abs(area) < 1e-8f) {
                continue;
            }
            const float wb = ((p.x - a.x) * (c.y - a.y) - (c.x - a.x) * (p.y - a.y)) / area;
            const float wc = ((b.x - a.x) * (p.y - a.y) - (p.x - a.x) * (b.y - a.y)) / area;
            if (wb < 0.0f || wc < 0.0f || wb + wc > 1.0f) {
                continue;
            }
            const float y = t.a.y + wb * (t.b.y - t.a.y) + wc * (t.c.y - t.a.y);
            if (y <= from.y && (!best || y > *best)) {
                best = y;
            }
        }
    }
    return best;
}

std::vector<std::string> texturePaths(const aiMaterial* material, aiTextureType type) {
    std::vector<std::string> paths;
    for (unsigned int i = 0; i < aiGetMaterialTextureCount(material, type); ++i) {
        aiString path;
        aiGetMaterialTexture(material, type, i, &path);
        paths.emplace_back(path.C_Str());
    }
    return paths;
}

struct ImageInfo {
    int width = 0, height = 0, channels = 0;
};

std::optional<ImageInfo> imageInfo(const std::string& path) {
    ImageInfo info;
    if (stbi_info(path.c_str(), &info.width, &info.height, &info.channels) == 0) {
        return std::nullopt;
    }
    return info;
}

class LevelAssetsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        importer = new Assimp::Importer;
        scene = importer->ReadFile(assetsDir + "/scene.fbx", gameImportFlags);
        if (scene != nullptr && scene->mRootNode != nullptr) {
            collect(scene->mRootNode, glm::mat4(1.0f));
        }
    }

    static void TearDownTestSuite() {
        meshNodes.clear();
        delete importer;
        importer = nullptr;
        scene = nullptr;
    }

    void SetUp() override {
        ASSERT_NE(scene, nullptr) << importer->GetErrorString();
        ASSERT_EQ(scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE, 0u);
        ASSERT_FALSE(meshNodes.empty());
    }

    static void collect(const aiNode* node, const glm::mat4& parentWorld) {
        const glm::mat4 world = parentWorld * toGlm(node->mTransformation);
        for (unsigned int i = 0; i < node->mNumMeshes; ++i) {
            const aiMesh* mesh = scene->mMeshes[node->mMeshes[i]];
            MeshNode entry{node->mName.C_Str(), node, mesh, world, {}, {}};
            for (unsigned int v = 0; v < mesh->mNumVertices; ++v) {
                const aiVector3D& p = mesh->mVertices[v];
                entry.points.emplace_back(world * glm::vec4(p.x, p.y, p.z, 1.0f));
            }
            for (unsigned int f = 0; f < mesh->mNumFaces; ++f) {
                const aiFace& face = mesh->mFaces[f];
                if (face.mNumIndices == 3) {
                    entry.triangles.push_back({entry.points[face.mIndices[0]], entry.points[face.mIndices[1]],
                                               entry.points[face.mIndices[2]]});
                }
            }
            meshNodes.push_back(std::move(entry));
        }
        for (unsigned int i = 0; i < node->mNumChildren; ++i) {
            collect(node->mChildren[i], world);
        }
    }

    static std::vector<MeshNode> bodies() {
        std::vector<MeshNode> result;
        std::copy_if(meshNodes.begin(), meshNodes.end(), std::back_inserter(result),
                     [](const MeshNode& m) { return !startsWith(m.name, "skybox"); });
        return result;
    }

    static const aiMaterial* materialOf(const MeshNode& m) {
        return scene->mMaterials[m.mesh->mMaterialIndex];
    }

    static inline Assimp::Importer* importer = nullptr;
    static inline const aiScene* scene = nullptr;
    static inline std::vector<MeshNode> meshNodes;
};

TEST_F(LevelAssetsTest, SkyIsTheFirstMeshAndASphereInsideTheFarPlaneSeenFromInside) {
    const MeshNode& sky = meshNodes.front();
    ASSERT_TRUE(startsWith(sky.name, "skybox")) << sky.name;
    EXPECT_EQ(std::count_if(meshNodes.begin(), meshNodes.end(),
                            [](const MeshNode& m) { return startsWith(m.name, "skybox"); }),
              1);
    ASSERT_TRUE(sky.mesh->HasTextureCoords(0));

    // The sky is drawn with the identity model matrix and back faces culled, so its own
    // vertices must surround the eye and every face must turn towards the centre.
    float nearest = std::numeric_limits<float>::max(), farthest = 0.0f;
    int inwards = 0, outwards = 0;
    for (unsigned int f = 0; f < sky.mesh->mNumFaces; ++f) {
        const aiFace& face = sky.mesh->mFaces[f];
        ASSERT_EQ(face.mNumIndices, 3u);
        glm::vec3 corner[3];
        for (int k = 0; k < 3; ++k) {
            const aiVector3D& v = sky.mesh->mVertices[face.mIndices[k]];
            corner[k] = glm::vec3(v.x, v.y, v.z);
            nearest = std::min(nearest, glm::length(corner[k]));
            farthest = std::max(farthest, glm::length(corner[k]));
        }
        const glm::vec3 normal = glm::cross(corner[1] - corner[0], corner[2] - corner[0]);
        if (glm::length(normal) > 1e-6f) {
            (glm::dot(normal, corner[0]) < 0.0f ? inwards : outwards) += 1;
        }
    }
    EXPECT_GT(nearest, 10.0f);
    EXPECT_LT(farthest, 100.0f);
    EXPECT_GT(inwards, 0);
    EXPECT_EQ(outwards, 0);
}

TEST_F(LevelAssetsTest, EveryMeshCarriesTheTexturesItsMaterialNeedsAndTheFilesExist) {
    int screens = 0;
    for (const MeshNode& m : bodies()) {
        SCOPED_TRACE(m.name);
        const aiMaterial* material = materialOf(m);
        const auto diffuse = texturePaths(material, aiTextureType_DIFFUSE);
        const auto specular = texturePaths(material, aiTextureType_SPECULAR);
        const auto emissive = texturePaths(material, aiTextureType_EMISSIVE);
        EXPECT_EQ(specular.size(), 1u);
        EXPECT_EQ(emissive.size(), 1u);
        if (startsWith(m.name, "screen")) {
            ++screens;
        } else {
            EXPECT_EQ(diffuse.size(), 1u);
        }
        EXPECT_TRUE(m.mesh->HasTextureCoords(0));
        for (const auto* list : {&diffuse, &specular, &emissive}) {
            for (const std::string& path : *list) {
                EXPECT_FALSE(std::filesystem::path(path).is_absolute()) << path;
                EXPECT_EQ(path.find('\\'), std::string::npos) << path;
                const auto info = imageInfo(assetsDir + "/" + path);
                ASSERT_TRUE(info.has_value()) << path;
                EXPECT_GE(info->channels, 3) << path;
            }
        }
    }
    EXPECT_GE(screens, 1);
}

TEST_F(LevelAssetsTest, GameplayNodesArePresent) {
    for (const char* prefix : {"peashooter", "finish_box", "screen"}) {
        EXPECT_TRUE(std::any_of(meshNodes.begin(), meshNodes.end(), [&](const MeshNode& m) {
            return startsWith(m.name, prefix);
        })) << prefix;
    }
    const auto peashooters = std::count_if(meshNodes.begin(), meshNodes.end(), [](const MeshNode& m) {
        return startsWith(m.name, "peashooter");
    });
    EXPECT_GE(peashooters, 3);
    EXPECT_LE(peashooters, 6);
}

TEST_F(LevelAssetsTest, BodyMetadataIsFloatAndSensible) {
    int dynamicBodies = 0, slipperyBodies = 0;
    for (const MeshNode& m : bodies()) {
        SCOPED_TRACE(m.name);
        const aiMetadata* meta = m.node->mMetaData;
        if (meta == nullptr) {
            continue;
        }
        for (const char* key : {"weight", "friction"}) {
            for (unsigned int i = 0; i < meta->mNumProperties; ++i) {
                if (std::string(meta->mKeys[i].C_Str()) == key) {
                    EXPECT_EQ(meta->mValues[i].mType, AI_FLOAT) << key;
                }
            }
        }
        float weight = 0.0f, friction = 1.0f;
        if (meta->Get("weight", weight) && weight > 0.0f) {
            ++dynamicBodies;
        }
        if (meta->Get("friction", friction)) {
            EXPECT_GT(friction, 0.0f);
            slipperyBodies += friction < 0.2f ? 1 : 0;
        }
        EXPECT_FALSE(weight > 0.0f && startsWith(m.name, "peashooter")) << "turrets must stay put";
    }
    EXPECT_GE(dynamicBodies, 1);
    EXPECT_GE(slipperyBodies, 1);
}

TEST_F(LevelAssetsTest, LightsAreOneTiltedSunAndAFewColouredPointLightsWithNodes) {
    int suns = 0, points = 0;
    for (unsigned int i = 0; i < scene->mNumLights; ++i) {
        const aiLight* light = scene->mLights[i];
        SCOPED_TRACE(light->mName.C_Str());
        EXPECT_NE(scene->mRootNode->FindNode(light->mName), nullptr);
        if (light->mType == aiLightSource_DIRECTIONAL) {
            ++suns;
        } else if (light->mType == aiLightSource_POINT) {
            ++points;
            EXPECT_GT(light->mAttenuationConstant + light->mAttenuationLinear + light->mAttenuationQuadratic,
                      0.0f);
            EXPECT_GT(light->mColorDiffuse.r + light->mColorDiffuse.g + light->mColorDiffuse.b, 0.0f);
        } else {
            ADD_FAILURE() << "unsupported light type " << light->mType;
        }
    }
    EXPECT_EQ(suns, 1);
    EXPECT_GE(points, 2);
    EXPECT_LE(points, 4);
}

// World direction of every directional light, as the game computes it from the light's node.
std::vector<glm::vec3> sunDirections(const aiScene* scene) {
    std::vector<glm::vec3> directions;
    for (unsigned int i = 0; i < scene->mNumLights; ++i) {
        const aiLight* light = scene->mLights[i];
        if (light->mType != aiLightSource_DIRECTIONAL) {
            continue;
        }
        glm::mat4 world(1.0f);
        for (const aiNode* n = scene->mRootNode->FindNode(light->mName); n != nullptr; n = n->mParent) {
            world = toGlm(n->mTransformation) * world;
        }
        directions.push_back(glm::mat3(world) *
                             glm::vec3(light->mDirection.x, light->mDirection.y, light->mDirection.z));
    }
    return directions;
}

TEST_F(LevelAssetsTest, EveryBodyLiesInsideTheSunsShadowBox) {
    const auto directions = sunDirections(scene);
    ASSERT_FALSE(directions.empty());
    for (const glm::vec3& direction : directions) {
        ASSERT_GT(glm::length(glm::cross(glm::normalize(direction), glm::vec3(0.0f, 0.0f, 1.0f))), 0.1f);
        ASSERT_LT(glm::normalize(direction).y, -0.5f) << "the sun shines downwards";
        const glm::mat4 lightSpace = DirectionalLight(glm::mat3(1.0f), direction).getLightSpaceMatrix();
        for (const MeshNode& m : bodies()) {
            for (const glm::vec3& p : m.points) {
                const glm::vec4 clip = lightSpace * glm::vec4(p, 1.0f);
                const bool inside =
                    std::abs(clip.x) <= 1.0f && std::abs(clip.y) <= 1.0f && std::abs(clip.z) <= 1.0f;
                ASSERT_TRUE(inside) << m.name << " at (" << p.x << ", " << p.y << ", " << p.z << ")";
            }
        }
    }
}

TEST_F(LevelAssetsTest, PlayerStartAndResetStandOnTheGround) {
    const auto solid = bodies();
    // The player starts at (-5, 2, 0) and drops; the reset puts the capsule (bottom 1 below
    // its centre) at the origin: both must find the ground top at -1 and nothing in between.
    for (const glm::vec3& capsuleTop : {glm::vec3(-5.0f, 2.0f, 0.0f), glm::vec3(0.0f, 1.0f, 0.0f)}) {
        SCOPED_TRACE(capsuleTop.x);
        const auto ground = surfaceBelow(solid, capsuleTop);
        ASSERT_TRUE(ground.has_value());
        EXPECT_NEAR(*ground, -1.0f, 1e-4f);
    }
}

TEST_F(LevelAssetsTest, PeasAreBornOutsideEveryBody) {
    const auto solid = bodies();
    std::vector<Hull> hulls;
    for (const MeshNode& m : solid) {
        hulls.emplace_back(m);
    }
    for (const MeshNode& shooter : solid) {
        if (!startsWith(shooter.name, "peashooter")) {
            continue;
        }
        SCOPED_TRACE(shooter.name);
        const glm::vec3 muzzle(shooter.world[3]);
        EXPECT_GT(glm::length(glm::vec2(muzzle.x, muzzle.z)), 1.0f) << "no direction to fire in";
        for (std::size_t i = 0; i < solid.size(); ++i) {
            EXPECT_GT(hulls[i].clearance(muzzle), peaRadius + 2.0f * collisionMargin) << solid[i].name;
        }
        // The check itself sees a point inside: the shooter's own centroid.
        glm::vec3 centroid(0.0f);
        for (const glm::vec3& p : shooter.points) {
            centroid += p / static_cast<float>(shooter.points.size());
        }
        const auto own = std::find_if(solid.begin(), solid.end(),
                                      [&](const MeshNode& m) { return m.name == shooter.name; });
        EXPECT_LT(hulls[static_cast<std::size_t>(own - solid.begin())].clearance(centroid), 0.0f);
    }
}

// The finish must be found without reading the video: a beacon stands on it, tall enough to be
// seen over the pillars from the start, in the view straight ahead, and from every platform.
TEST_F(LevelAssetsTest, TheFinishBeaconIsInSightFromTheStartAndFromEveryPlatform) {
    const auto solid = bodies();
    const auto beacon = std::find_if(solid.begin(), solid.end(),
                                     [](const MeshNode& m) { return m.name == "finish_box_beacon"; });
    ASSERT_NE(beacon, solid.end());
    glm::vec3 low(std::numeric_limits<float>::max()), high(-std::numeric_limits<float>::max());
    for (const glm::vec3& p : beacon->points) {
        low = glm::min(low, p);
        high = glm::max(high, p);
    }
    const glm::vec3 foot((low.x + high.x) / 2.0f, low.y, (low.z + high.z) / 2.0f);
    std::vector<Hull> blockers;
    for (const MeshNode& m : solid) {
        if (m.name != beacon->name) {
            blockers.emplace_back(m);
        }
    }
    // Metres of the beacon's axis seen from the eye, counting only what passes `inView`.
    const auto seenLength = [&](const glm::vec3& eye, auto inView) {
        constexpr float step = 0.25f;
        float seen = 0.0f;
        for (float y = foot.y + step / 2.0f; y < high.y; y += step) {
            const glm::vec3 point(foot.x, y, foot.z);
            const bool clear = std::none_of(blockers.begin(), blockers.end(),
                                            [&](const Hull& hull) { return hull.crosses(eye, point); });
            seen += clear && inView(point - eye) ? step : 0.0f;
        }
        return seen;
    };
    // The player lands with the capsule's centre 1 above the ground and looks from half a metre
    // above it, along -z, through a 60 degree square view.
    const glm::vec3 startEye(-5.0f, 0.5f, 0.0f);
    const float halfView = std::tan(glm::radians(30.0f));
    EXPECT_GE(seenLength(startEye,
                         [&](const glm::vec3& d) {
                             return d.z < 0.0f && std::abs(d.x) < halfView * -d.z &&
                                    std::abs(d.y) < halfView * glm::length(glm::vec2(d.x, d.z));
                         }),
              3.0f)
        << "in the start view";
    int platforms = 0;
    for (const MeshNode& m : solid) {
        if (!startsWith(m.name, "platform_") && !startsWith(m.name, "stone_")) {
            continue;
        }
        ++platforms;
        glm::vec3 centre(0.0f);
        float top = -std::numeric_limits<float>::max();
        for (const glm::vec3& p : m.points) {
            centre += p / static_cast<float>(m.points.size());
            top = std::max(top, p.y);
        }
        EXPECT_GE(
            seenLength(glm::vec3(centre.x, top + 1.5f, centre.z), [](const glm::vec3&) { return true; }),
            3.0f)
            << "from " << m.name;
    }
    EXPECT_GE(platforms, 10);
}

// Each step of the route can be seen from the one before: standing on a block, the player sees
// the middle of the next block's top.
TEST_F(LevelAssetsTest, EachStepOfTheRouteIsInSightFromThePreviousOne) {
    const std::vector<std::string> route = {
        "ramp_01",     "platform_01", "platform_02", "ice_bridge", "platform_03",    "stone_01", "stone_02",
        "platform_04", "platform_05", "ramp_02",     "beam",       "platform_06",    "stone_03", "stone_04",
        "stone_05",    "platform_07", "stone_06",    "stone_07",   "platform_finish"};
    const auto solid = bodies();
    std::vector<Hull> hulls;
    for (const MeshNode& m : solid) {
        hulls.emplace_back(m);
    }
    // The middle of a block's top face, from its highest vertices.
    const auto topCentre = [&](const std::string& name) {
        const auto block =
            std::find_if(solid.begin(), solid.end(), [&](const MeshNode& m) { return m.name == name; });
        EXPECT_NE(block, solid.end()) << name;
        float top = -std::numeric_limits<float>::max();
        for (const glm::vec3& p : block->points) {
            top = std::max(top, p.y);
        }
        glm::vec3 centre(0.0f);
        int corners = 0;
        for (const glm::vec3& p : block->points) {
            if (p.y > top - 0.6f) {
                centre += p;
                ++corners;
            }
        }
        return centre / static_cast<float>(corners);
    };
    for (std::size_t i = 0; i + 1 < route.size(); ++i) {
        const glm::vec3 eye = topCentre(route[i]) + glm::vec3(0.0f, 1.5f, 0.0f);
        const glm::vec3 target = topCentre(route[i + 1]) + glm::vec3(0.0f, 0.3f, 0.0f);
        EXPECT_TRUE(
            std::none_of(hulls.begin(), hulls.end(), [&](const Hull& h) { return h.crosses(eye, target); }))
            << route[i + 1] << " from " << route[i];
    }
}

TEST(LevelMediaTest, SkyImageIsATwoToOnePanorama) {
    const auto info = imageInfo(assetsDir + "/textures/quarry_03.jpg");
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->width, 2 * info->height);
    EXPECT_GE(info->height, 512);
    EXPECT_EQ(info->channels, 3);
}

TEST(LevelMediaTest, VideoHas120RgbaFramesOfOneSize) {
    const VideoTexture video(assetsDir + "/textures/videoframes/video_", ".png");
    std::optional<ImageInfo> first;
    for (int i = 0; i < VideoTexture::kFrameCount; ++i) {
        const std::string& path = video.getFramePath(i);
        SCOPED_TRACE(path);
        const auto info = imageInfo(path);
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->channels, 4);
        if (!first) {
            first = info;
        }
        EXPECT_EQ(info->width, first->width);
        EXPECT_EQ(info->height, first->height);
    }
    EXPECT_FALSE(std::filesystem::exists(assetsDir + "/textures/videoframes/video_120.png"));
    EXPECT_LE(first->width * first->height, 640 * 360);
}

TEST(LevelMediaTest, FontIsATrueTypeFileWithItsLicence) {
    const std::filesystem::path font = assetsDir + "/fonts/arial.ttf";
    ASSERT_TRUE(std::filesystem::exists(font));
    EXPECT_GT(std::filesystem::file_size(font), 10000u);
    bool licence = false;
    for (const auto& entry : std::filesystem::directory_iterator(font.parent_path())) {
        licence = licence || entry.path().filename().string().find("LICENSE") != std::string::npos;
    }
    EXPECT_TRUE(licence);
}

} // namespace
