#include "GlImages.h"
#include "GlTest.h"
#include "SceneTestPrograms.h"
#include "StubBody.h"
#include "render/LightObjectMaterial.h"
#include "render/SphereGeometry.h"
#include "scene/ConcreteObject.h"

#include <glm/gtc/matrix_transform.hpp>

namespace {

class ConcreteObjectGLTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        own = scene_test::makeFlatProgram(folder);
        shadow = makeProgram(folder, "shadow", scene_test::kFlatVertex, scene_test::kFlatFragment);
        object = std::make_shared<ConcreteObject>(
            "Ball", std::make_shared<SphereGeometry>(8, 4, 1.0f),
            std::make_shared<LightObjectMaterial>(own, glm::vec3(0.25f, 0.5f, 1.0f)), body);
    }

    TempDirectory folder;
    std::shared_ptr<Shader> own;
    std::shared_ptr<Shader> shadow;
    std::shared_ptr<StubBody> body = std::make_shared<StubBody>();
    std::shared_ptr<ConcreteObject> object;
};

TEST_F(ConcreteObjectGLTest, DrawsWhereverItsBodyIsNow) {
    body->transform = glm::translate(glm::mat4(1.0f), glm::vec3(1.0f, 2.0f, 3.0f));
    object->draw();
    EXPECT_EQ(currentProgram(), static_cast<GLint>(own->getProgramId()));
    EXPECT_EQ(uniformValue<glm::mat4>(*own, "modelMatrix"), body->transform);

    body->transform =
        glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(-4.0f, 0.0f, 0.5f)), glm::vec3(2.0f));
    object->draw();
    EXPECT_EQ(uniformValue<glm::mat4>(*own, "modelMatrix"), body->transform);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The shadow pass draws with its own program, which receives the material's settings and the
// body's matrix; the material's own program is left alone.
TEST_F(ConcreteObjectGLTest, DrawWithShaderSetsUpTheGivenProgram) {
    body->transform = glm::translate(glm::mat4(1.0f), glm::vec3(5.0f, 0.0f, 0.0f));
    object->drawWithShader(shadow);
    EXPECT_EQ(currentProgram(), static_cast<GLint>(shadow->getProgramId()));
    EXPECT_EQ(uniformValue<glm::mat4>(*shadow, "modelMatrix"), body->transform);
    EXPECT_EQ(uniformValue<glm::vec3>(*shadow, "lightColor"), glm::vec3(0.25f, 0.5f, 1.0f));
    EXPECT_EQ(uniformValue<glm::mat4>(*own, "modelMatrix"), glm::mat4(0.0f));
}

TEST_F(ConcreteObjectGLTest, WithoutMaterialNeitherPassTouchesGl) {
    object->setMaterial(nullptr);
    glUseProgram(0);
    object->draw();
    object->drawWithShader(shadow);
    EXPECT_EQ(currentProgram(), 0);
    EXPECT_EQ(uniformValue<glm::mat4>(*shadow, "modelMatrix"), glm::mat4(0.0f));
}

} // namespace
