#include "GlImages.h"
#include "GlTest.h"
#include "GlmAssertions.h"
#include "SceneTestPrograms.h"
#include "physics/DummyPhysicsObject.h"
#include "physics/ModelPhysicsObject.h"
#include "render/LightObjectMaterial.h"
#include "render/VideoTexture.h"
#include "scene/ConcreteObject.h"
#include "scene/DirectionalLight.h"
#include "scene/PointLight.h"
#include "scene/SceneImporter.h"

#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <array>
#include <assimp/Exporter.hpp>
#include <assimp/scene.h>
#include <cmath>
#include <gmock/gmock.h>
#include <limits>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

const std::string kFixtures = ZELVIRA_SOURCE_DIR "/tests/scene/fixtures";

using Texel = std::array<GLubyte, 4>;
// First texels of the fixture images, which tell the maps apart.
const Texel kBrickAlbedo{204, 77, 51, 255};
const Texel kBrickRma{128, 0, 255, 255};
const Texel kBrickNormal{128, 128, 255, 255};
const Texel kGlow{255, 255, 0, 255};

// One textured triangle, for scenes built here.
aiMesh* triangle() {
    auto* mesh = new aiMesh();
    mesh->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
    mesh->mNumVertices = 3;
    mesh->mVertices = new aiVector3D[3]{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    mesh->mTextureCoords[0] = new aiVector3D[3]{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    mesh->mNumUVComponents[0] = 2;
    mesh->mNumFaces = 1;
    mesh->mFaces = new aiFace[1];
    mesh->mFaces[0].mNumIndices = 3;
    mesh->mFaces[0].mIndices = new unsigned[3]{0, 1, 2};
    return mesh;
}

// An empty root node and the triangle as the scene's only mesh.
void addTriangleRoot(aiScene& scene) {
    scene.mRootNode = new aiNode("Root");
    scene.mNumMeshes = 1;
    scene.mMeshes = new aiMesh* [1] {
        triangle()
    };
}

// A child of the root that shows the triangle.
aiNode* addTriangleNode(aiScene& scene, const char* name) {
    aiNode* node = new aiNode(name);
    node->mNumMeshes = 1;
    node->mMeshes = new unsigned[1]{0};
    scene.mRootNode->addChildren(1, &node);
    return node;
}

class SceneImporterGLTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        program = scene_test::makeFlatProgram(folder);
    }

    bool load(const std::string& path) {
        testing::internal::CaptureStdout();
        const bool loaded = SceneImporter().load(program, program, path, objects, lights, video);
        output = testing::internal::GetCapturedStdout();
        return loaded;
    }

    // Imports a scene built here through a file in the one format that keeps everything assimp holds.
    testing::AssertionResult loadInMemory(const aiScene& scene) {
        const std::string path = folder.path("level.assbin");
        if (Assimp::Exporter().Export(&scene, "assbin", path) != aiReturn_SUCCESS) {
            return testing::AssertionFailure() << "export failed";
        }
        return load(path) ? testing::AssertionSuccess() : testing::AssertionFailure() << output;
    }

    std::shared_ptr<ConcreteObject> object(const std::string& name) {
        for (const auto& candidate : objects) {
            if (candidate->getName() == name) {
                return std::dynamic_pointer_cast<ConcreteObject>(candidate);
            }
        }
        ADD_FAILURE() << "no object " << name;
        return nullptr;
    }

    std::vector<std::string> names() {
        std::vector<std::string> result;
        for (const auto& each : objects) {
            result.push_back(each->getName());
        }
        return result;
    }

    btRigidBody* body(const std::string& name) {
        auto physics = std::dynamic_pointer_cast<ModelPhysicsObject>(object(name)->getPhysicsObject());
        return physics ? physics->getRigidBody() : nullptr;
    }

    void expectBody(const std::string& name, float mass, float friction) {
        SCOPED_TRACE(name);
        btRigidBody* rigidBody = body(name);
        ASSERT_NE(rigidBody, nullptr);
        EXPECT_FLOAT_EQ(static_cast<float>(rigidBody->getMass()), mass);
        EXPECT_FLOAT_EQ(static_cast<float>(rigidBody->getFriction()), friction);
    }

    // Draws the object, which binds its material's maps, and reports the texture on a unit.
    GLuint textureOnUnit(const std::string& name, unsigned unit) {
        testing::internal::CaptureStdout();
        object(name)->draw();
        output = testing::internal::GetCapturedStdout();
        return boundOnUnit(unit);
    }

    Texel firstTexelOnUnit(const std::string& name, unsigned unit) {
        textureOnUnit(name, unit);
        std::array<GLubyte, 2 * 2 * 4> image{};
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.data());
        return Texel{image[0], image[1], image[2], image[3]};
    }

    TempDirectory folder;
    std::shared_ptr<Shader> program;
    std::shared_ptr<VideoTexture> video = std::make_shared<VideoTexture>(folder.path("video_"), ".png");
    std::vector<std::shared_ptr<Object>> objects;
    std::vector<std::shared_ptr<Light>> lights;
    std::string output;
};

class FixtureLevelGLTest : public SceneImporterGLTest {
protected:
    void SetUp() override {
        SceneImporterGLTest::SetUp();
        ASSERT_TRUE(load(kFixtures + "/level.fbx"));
    }
};

// Depth first, a node's meshes before its children, point-light markers after every mesh.
TEST_F(FixtureLevelGLTest, NamesObjectsAfterTheirNodesInWalkOrder) {
    EXPECT_THAT(names(), ElementsAre("skyboxDome", "Wall", "Crate", "Tower[0]", "Tower[1]", "Tower[2]",
                                     "screen_left", "Plain", "Backslashed", "Shouted", "Pillar", "Lamp"));
}

TEST_F(FixtureLevelGLTest, BodiesTakeMassAndFrictionFromFloatMetadataOnly) {
    const struct {
        const char* name;
        float mass;
        float friction;
    } cases[] = {
        {"Wall", 2.5f, 1.0f},   // weight 2.5 as float, no friction
        {"Crate", 0.0f, 0.25f}, // weight 3 stored as an integer: static
        {"Plain", 0.0f, 1.0f},  // no metadata
    };
    for (const auto& expected : cases) {
        expectBody(expected.name, expected.mass, expected.friction);
    }
}

// A weight or friction no body can have counts as absent: the node's body is static with full grip.
TEST_F(SceneImporterGLTest, NonsenseWeightAndFrictionCountAsAbsent) {
    const float infinity = std::numeric_limits<float>::infinity();
    const struct {
        const char* name;
        float weight;
        float friction;
        float mass;
        float expectedFriction;
    } cases[] = {
        {"Sound", 4.0f, 0.5f, 4.0f, 0.5f},
        {"Negative", -2.0f, -1.0f, 0.0f, 1.0f},
        {"NotANumber", std::nanf(""), std::nanf(""), 0.0f, 1.0f},
        {"Infinite", infinity, infinity, 0.0f, 1.0f},
    };
    aiScene scene;
    addTriangleRoot(scene);
    for (const auto& c : cases) {
        aiNode* node = addTriangleNode(scene, c.name);
        node->mMetaData = aiMetadata::Alloc(2);
        node->mMetaData->Set(0, "weight", c.weight);
        node->mMetaData->Set(1, "friction", c.friction);
    }
    ASSERT_TRUE(loadInMemory(scene));
    for (const auto& c : cases) {
        expectBody(c.name, c.mass, c.expectedFriction);
    }
}

// Pillar stands at (2, 1, 0) in a group turned a quarter round y and moved to (10, 0, 0).
TEST_F(FixtureLevelGLTest, BodiesStandAtTheirNodesWorldTransform) {
    EXPECT_TRUE(vecNear(object("Wall")->getPosition(), glm::vec3(0.0f, 1.0f, 0.0f), 1e-5f));
    EXPECT_TRUE(vecNear(object("Pillar")->getPosition(), glm::vec3(10.0f, 1.0f, -2.0f), 1e-5f));
}

TEST_F(FixtureLevelGLTest, SkyStandsStillAtTheOriginWithoutMaterial) {
    const auto sky = object("skyboxDome");
    auto dummy = std::dynamic_pointer_cast<DummyPhysicsObject>(sky->getPhysicsObject());
    ASSERT_NE(dummy, nullptr);
    EXPECT_EQ(dummy->getTransformMatrix(), glm::mat4(1.0f));
    EXPECT_EQ(sky->getMaterial(), nullptr);
}

TEST_F(FixtureLevelGLTest, MaterialsCarryAlbedoNormalAndRmaFromTheLevelsSlots) {
    EXPECT_EQ(firstTexelOnUnit("Wall", 0), kBrickAlbedo);
    EXPECT_EQ(firstTexelOnUnit("Wall", 1), kBrickNormal);
    EXPECT_EQ(firstTexelOnUnit("Wall", 2), kBrickRma);
    EXPECT_EQ(firstTexelOnUnit("Crate", 1), kGlow);
    EXPECT_EQ(object("Plain")->getMaterial(), nullptr);
}

TEST_F(FixtureLevelGLTest, ScreenShowsTheVideo) {
    const GLuint albedo = textureOnUnit("screen_left", 0);
    EXPECT_EQ(albedo, video->getId());
    EXPECT_EQ(firstTexelOnUnit("screen_left", 1), kBrickNormal);
    EXPECT_EQ(firstTexelOnUnit("screen_left", 2), kBrickRma);
}

// Textures are shared by their full path; a backslash in the stored path is a separator.
TEST_F(FixtureLevelGLTest, SameTexturePathSharesOneTexture) {
    const GLuint backslashed = textureOnUnit("Backslashed", 0);
    EXPECT_EQ(output, "");
    EXPECT_EQ(firstTexelOnUnit("Backslashed", 0), kBrickAlbedo);
    EXPECT_EQ(textureOnUnit("Wall", 0), backslashed);
    EXPECT_EQ(textureOnUnit("Crate", 0), backslashed);

    EXPECT_NE(textureOnUnit("Shouted", 0), backslashed);
    EXPECT_EQ(output, "Texture failed to load at path: " + kFixtures + "/textures/BRICK_ALBEDO.png\n");
}

// Lamp stands at (1, 3, 0) in the turned group; Sun is turned 30 degrees about x.
TEST_F(FixtureLevelGLTest, DirectionalAndPointLightsWithMarkers) {
    ASSERT_EQ(lights.size(), 2u);
    auto lamp = std::dynamic_pointer_cast<PointLight>(lights[0]);
    auto sun = std::dynamic_pointer_cast<DirectionalLight>(lights[1]);
    ASSERT_NE(lamp, nullptr);
    ASSERT_NE(sun, nullptr);

    EXPECT_TRUE(vecNear(lamp->getPosition(), glm::vec3(10.0f, 3.0f, -1.0f), 1e-5f));
    EXPECT_TRUE(vecNear(lamp->getAttenuation(), glm::vec3(0.0f, 0.0f, 0.0032f), 1e-5f));
    EXPECT_TRUE(vecNear(lamp->getColor()[0], glm::vec3(0.0f), 1e-5f));
    EXPECT_TRUE(vecNear(lamp->getColor()[1], glm::vec3(1.0f, 0.5f, 0.25f), 1e-5f));
    EXPECT_TRUE(vecNear(lamp->getColor()[2], glm::vec3(1.0f, 0.5f, 0.25f), 1e-5f));
    EXPECT_TRUE(vecNear(sun->getDirection(), glm::vec3(0.0f, -std::sqrt(3.0f) / 2.0f, -0.5f), 1e-5f));

    const auto marker = object("Lamp");
    EXPECT_NE(std::dynamic_pointer_cast<LightObjectMaterial>(marker->getMaterial()), nullptr);
    EXPECT_TRUE(vecNear(glm::vec3(marker->getPhysicsObject()->getTransformMatrix()[3]),
                        glm::vec3(10.0f, 3.0f, -1.0f), 1e-5f));
    EXPECT_THAT(output, HasSubstr("Light 'Spot' skipped: only directional and point lights are supported\n"));
}

TEST_F(FixtureLevelGLTest, LevelWithoutFinishLoadsWithOneWarning) {
    EXPECT_FALSE(objects.empty());
    EXPECT_EQ(output, "Light 'Spot' skipped: only directional and point lights are supported\n"
                      "WARNING: level '" +
                          kFixtures + "/level.fbx' has no finish_box object, so it cannot be won\n");
}

TEST_F(SceneImporterGLTest, LevelWithFinishLoadsWithoutWarning) {
    aiScene scene;
    addTriangleRoot(scene);
    addTriangleNode(scene, "finish_box_goal");
    ASSERT_TRUE(loadInMemory(scene));
    EXPECT_EQ(output, "");
}

// Whatever is wrong with the file, the line says why and nothing of it is kept.
TEST_F(SceneImporterGLTest, BrokenLevelsPrintTheReasonAndAddNothing) {
    const struct {
        const char* file;
        const char* line;
    } cases[] = {
        {"truncated.fbx", "ERROR::ASSIMP:: FBX-Tokenize (offset 0x37dc) block offset is out of range\n"},
        {"empty.fbx", "ERROR::ASSIMP:: FBX-Parser unexpected end of file\n"},
        {"no_meshes.fbx", "ERROR::ASSIMP:: no meshes\n"},
    };
    for (const auto& broken : cases) {
        SCOPED_TRACE(broken.file);
        EXPECT_FALSE(load(kFixtures + "/" + broken.file));
        EXPECT_EQ(output, broken.line);
        EXPECT_TRUE(objects.empty());
        EXPECT_TRUE(lights.empty());
    }
}

TEST_F(SceneImporterGLTest, MissingFilePrintsTheImportErrorAndAddsNothing) {
    const std::string path = folder.path("nowhere.fbx");
    Assimp::Importer reference;
    reference.ReadFile(path, 0);

    EXPECT_FALSE(load(path));
    EXPECT_EQ(output, "ERROR::ASSIMP:: " + std::string(reference.GetErrorString()) + "\n");
    EXPECT_TRUE(objects.empty());
    EXPECT_TRUE(lights.empty());
}

// What FBX cannot carry: a material with two emissive textures and lights without nodes.
class HandBuiltLevelGLTest : public SceneImporterGLTest {
protected:
    static void addTexture(aiMaterial* material, aiTextureType type, unsigned index, const char* path) {
        const aiString stored(path);
        material->AddProperty(&stored, AI_MATKEY_TEXTURE(type, index));
    }

    static aiLight* light(const char* name, aiLightSourceType type) {
        auto* light = new aiLight();
        light->mName = name;
        light->mType = type;
        light->mColorDiffuse = aiColor3D(1.0f, 1.0f, 1.0f);
        return light;
    }

    void SetUp() override {
        SceneImporterGLTest::SetUp();
        aiScene scene;
        addTriangleRoot(scene);
        addTriangleNode(scene, "screen_dual");

        auto* material = new aiMaterial();
        addTexture(material, aiTextureType_SPECULAR, 0, "textures/brick_rma.png");
        addTexture(material, aiTextureType_EMISSIVE, 0, "textures/brick_normal.png");
        addTexture(material, aiTextureType_EMISSIVE, 1, "textures/glow.png");
        scene.mNumMaterials = 1;
        scene.mMaterials = new aiMaterial* [1] {
            material
        };

        aiLight* ghost = light("Ghost", aiLightSource_POINT);
        ghost->mPosition = aiVector3D(1.0f, 2.0f, 3.0f);
        aiLight* beam = light("Beam", aiLightSource_DIRECTIONAL);
        beam->mDirection = aiVector3D(3.0f, -4.0f, 0.0f);
        scene.mNumLights = 2;
        scene.mLights = new aiLight* [2] {
            ghost, beam
        };

        ASSERT_TRUE(loadInMemory(scene));
    }
};

TEST_F(HandBuiltLevelGLTest, ScreenWithTwoEmissiveTexturesGetsNoMaterial) {
    EXPECT_EQ(object("screen_dual")->getMaterial(), nullptr);
}

TEST_F(HandBuiltLevelGLTest, LightsWithoutNodeKeepTheirOwnPlacement) {
    EXPECT_THAT(names(), ElementsAre("screen_dual", "Ghost"));
    ASSERT_EQ(lights.size(), 2u);
    EXPECT_TRUE(vecNear(std::dynamic_pointer_cast<PointLight>(lights[0])->getPosition(),
                        glm::vec3(1.0f, 2.0f, 3.0f), 1e-5f));
    EXPECT_TRUE(vecNear(std::dynamic_pointer_cast<DirectionalLight>(lights[1])->getDirection(),
                        glm::vec3(0.6f, -0.8f, 0.0f), 1e-5f));
    EXPECT_TRUE(vecNear(glm::vec3(object("Ghost")->getPhysicsObject()->getTransformMatrix()[3]),
                        glm::vec3(1.0f, 2.0f, 3.0f), 1e-5f));
}

} // namespace
