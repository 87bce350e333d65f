#include "scene/ConcreteObject.h"
#include "StubBody.h"
#include "physics/PhysicsWorld.h"
#include "render/LightObjectMaterial.h"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<ConcreteObject> makeObject(std::shared_ptr<PhysicsObject> body,
                                           std::shared_ptr<Material> material = nullptr) {
    return std::make_shared<ConcreteObject>("Wall[1]", nullptr, std::move(material), std::move(body));
}

TEST(ConcreteObjectTest, OwnsItsBodyAndForwardsToIt) {
    auto body = std::make_shared<StubBody>();
    auto object = makeObject(body);
    EXPECT_EQ(body->getOwner(), object.get());
    EXPECT_EQ(object->getName(), "Wall[1]");

    PhysicsWorld world;
    object->addToPhysicsWorld(&world);
    object->setPosition(glm::vec3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(body->world, &world);
    EXPECT_EQ(body->position, glm::vec3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(object->getPosition(), glm::vec3(1.0f, 2.0f, 3.0f));
}

TEST(ConcreteObjectTest, PropertiesKeepTheLastValueAndAreHandedOutAsCopy) {
    auto object = makeObject(std::make_shared<StubBody>());
    object->setProperty("interval", 0.5f);
    object->setProperty("interval", 2.0f);

    auto properties = object->getProperties();
    EXPECT_EQ(properties, (std::map<std::string, float>{{"interval", 2.0f}}));
    properties["interval"] = 9.0f;
    properties["other"] = 1.0f;
    EXPECT_EQ(object->getProperties(), (std::map<std::string, float>{{"interval", 2.0f}}));
}

// Without a GL context any GL call would crash: an object without material touches nothing.
TEST(ConcreteObjectTest, WithoutMaterialDrawsNothingAndIgnoresShadowMaps) {
    auto object = makeObject(std::make_shared<StubBody>());
    object->draw();
    object->drawWithShader(nullptr);
    object->addShadowMap(nullptr);
    EXPECT_EQ(object->getMaterial(), nullptr);
}

TEST(ConcreteObjectTest, ReleasesItsMaterialWithTheLastReference) {
    auto material = std::make_shared<LightObjectMaterial>(nullptr, glm::vec3(1.0f));
    std::weak_ptr<Material> watch = material;
    auto object = makeObject(std::make_shared<StubBody>(), std::move(material));
    object.reset();
    EXPECT_TRUE(watch.expired());
}

} // namespace
