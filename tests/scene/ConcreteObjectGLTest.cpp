#include "GlTest.h"
#include "SceneTestPrograms.h"
#include "physics/PhysicsObject.h"
#include "render/LightObjectMaterial.h"
#include "render/SphereGeometry.h"
#include "scene/ConcreteObject.h"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

namespace {

// A body that is wherever the test puts it.
class MovableBody : public PhysicsObject {
public:
    glm::mat4 getTransformMatrix() override { return transform; }
    void addToPhysicsWorld(PhysicsWorld*) override {}
    void setPosition(glm::vec3) override {}
    void onCollision(PhysicsObject*) override {}
    glm::vec3 getPosition() override { return glm::vec3(transform[3]); }

    glm::mat4 transform{1.0f};
};

class ConcreteObjectGLTest : public GlTest {
protected:
    glm::mat4 uniformMatrix(const std::shared_ptr<Shader>& program, const char* name) {
        glm::mat4 value(0.0f);
        glGetUniformfv(program->getProgramId(), program->getUniformLocation(name), glm::value_ptr(value));
        return value;
    }

    glm::vec3 uniformVector(const std::shared_ptr<Shader>& program, const char* name) {
        glm::vec3 value(0.0f);
        glGetUniformfv(program->getProgramId(), program->getUniformLocation(name), glm::value_ptr(value));
        return value;
    }

    GLint currentProgram() {
        GLint program = 0;
        glGetIntegerv(GL_CURRENT_PROGRAM, &program);
        return program;
    }

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
    std::shared_ptr<MovableBody> body = std::make_shared<MovableBody>();
    std::shared_ptr<ConcreteObject> object;
};

TEST_F(ConcreteObjectGLTest, DrawsWhereverItsBodyIsNow) {
    body->transform = glm::translate(glm::mat4(1.0f), glm::vec3(1.0f, 2.0f, 3.0f));
    object->draw();
    EXPECT_EQ(currentProgram(), static_cast<GLint>(own->getProgramId()));
    EXPECT_EQ(uniformMatrix(own, "modelMatrix"), body->transform);

    body->transform =
        glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(-4.0f, 0.0f, 0.5f)), glm::vec3(2.0f));
    object->draw();
    EXPECT_EQ(uniformMatrix(own, "modelMatrix"), body->transform);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The shadow pass draws with its own program, which receives the material's settings and the
// body's matrix; the material's own program is left alone.
TEST_F(ConcreteObjectGLTest, DrawWithShaderSetsUpTheGivenProgram) {
    body->transform = glm::translate(glm::mat4(1.0f), glm::vec3(5.0f, 0.0f, 0.0f));
    object->drawWithShader(shadow);
    EXPECT_EQ(currentProgram(), static_cast<GLint>(shadow->getProgramId()));
    EXPECT_EQ(uniformMatrix(shadow, "modelMatrix"), body->transform);
    EXPECT_EQ(uniformVector(shadow, "lightColor"), glm::vec3(0.25f, 0.5f, 1.0f));
    EXPECT_EQ(uniformMatrix(own, "modelMatrix"), glm::mat4(0.0f));
}

TEST_F(ConcreteObjectGLTest, WithoutMaterialNeitherPassTouchesGl) {
    object->setMaterial(nullptr);
    glUseProgram(0);
    object->draw();
    object->drawWithShader(shadow);
    EXPECT_EQ(currentProgram(), 0);
    EXPECT_EQ(uniformMatrix(shadow, "modelMatrix"), glm::mat4(0.0f));
}

} // namespace
