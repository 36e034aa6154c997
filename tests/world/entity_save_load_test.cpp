// Entities' saved parameters: the element an orbit camera writes, and reading it back.
#include <tinyxml2.h>

#include <cstring>
#include <string>
#include <vector>

#include "entity_test_world.h"
#include "world/model_viewer_camera_entity.h"

namespace {

// Counts the binds a load runs.
struct CountingCamera : ModelViewerCameraEntity {
    explicit CountingCamera(EntityContext* owner, std::string name = "model_viewer_camera")
        : ModelViewerCameraEntity(owner, std::move(name)) {}
    void bindParameters() override {
        ++binds;
        ModelViewerCameraEntity::bindParameters();
    }
    int binds = 0;
};

using EntitySaveLoadTest = EntityWorldTest;

float floatAttribute(const tinyxml2::XMLElement* element, const char* name) {
    return element->FloatAttribute(name, -12345.0f);
}

TEST_F(EntitySaveLoadTest, AnOrbitCameraSavesItsFourParametersInOneDataGroup) {
    ModelViewerCameraEntity camera(&context_, "model_viewer_camera");
    camera.addParameters();
    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* root = document.NewElement("entities");
    document.InsertEndChild(root);

    tinyxml2::XMLNode* saved = camera.saveXml(root);
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved, root->LastChild());
    const tinyxml2::XMLElement* element = saved->ToElement();
    EXPECT_STREQ(element->Name(), "model_viewer_camera");
    const tinyxml2::XMLElement* group = element->FirstChildElement();
    ASSERT_NE(group, nullptr);
    EXPECT_STREQ(group->Name(), "ParameterDataGroup");
    EXPECT_EQ(group->NextSiblingElement(), nullptr) << "one data group";

    struct Expected {
        const char* element;
        const char* name;
        std::vector<std::pair<const char*, float>> values;
    };
    const Expected expected[] = {
        {"Vector2Parameter", "topLeftLimit", {{"x", 1000.0f}, {"y", 1000.0f}}},
        {"Vector2Parameter", "bottomRightLimit", {{"x", -1000.0f}, {"y", -1000.0f}}},
        {"Vector3Parameter", "targetPosition", {{"x", 0.0f}, {"y", 0.0f}, {"z", 0.0f}}},
        {"BoolParameter", "isActive", {{"value", 0.0f}}},
    };
    const tinyxml2::XMLElement* child = group->FirstChildElement();
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name);
        ASSERT_NE(child, nullptr);
        EXPECT_STREQ(child->Name(), e.element);
        EXPECT_STREQ(child->Attribute("name"), e.name);
        for (const auto& [attribute, value] : e.values) EXPECT_EQ(floatAttribute(child, attribute), value) << attribute;
        child = child->NextSiblingElement();
    }
    EXPECT_EQ(child, nullptr) << "nothing after isActive";
}

TEST_F(EntitySaveLoadTest, LoadingRestoresTheParametersAndBindsOnce) {
    ModelViewerCameraEntity saved(&context_, "model_viewer_camera");
    saved.addParameters();
    SimpleParameterGroup* savedGroup = saved.saveGroup();
    savedGroup->setVector2("topLeftLimit", {12.5f, 40.0f});
    savedGroup->setVector2("bottomRightLimit", {-3.0f, -7.25f});
    savedGroup->setVector3("targetPosition", {4.0f, 5.0f, 6.0f});
    savedGroup->setBool("isActive", true);
    tinyxml2::XMLDocument document;
    const tinyxml2::XMLElement* element = saved.saveXml(&document)->ToElement();

    CountingCamera loaded(&context_);
    loaded.loadXml(element);
    EXPECT_EQ(loaded.binds, 1);
    SimpleParameterGroup* group = loaded.saveGroup();
    ASSERT_EQ(group->parameters().size(), 4u);
    EXPECT_EQ(static_cast<Vector2Parameter*>(group->getParameter("topLeftLimit"))->getValue(), (Vector2Value{12.5f, 40.0f}));
    EXPECT_EQ(static_cast<Vector2Parameter*>(group->getParameter("bottomRightLimit"))->getValue(),
              (Vector2Value{-3.0f, -7.25f}));
    EXPECT_EQ(static_cast<Vector3Parameter*>(group->getParameter("targetPosition"))->getValue(),
              (Vector3Value{4.0f, 5.0f, 6.0f}));
    EXPECT_TRUE(static_cast<BoolParameter*>(group->getParameter("isActive"))->getValue());

    // The bind took effect: the loaded camera is the active one and orbits the loaded target.
    EXPECT_EQ(renderInterface_.activeCamera(), &loaded);
    loaded.update(0.0f);
    expectVectorNear(*loaded.getTarget(), {4.0f, 5.0f, 6.0f});
    expectVectorNear(loaded.getPosition(), {4.0f, 5.0f, 36.0f});
}

TEST_F(EntitySaveLoadTest, AnElementOfAnotherNameLoadsNothingButStillBinds) {
    ModelViewerCameraEntity other(&context_, "model_viewer_camera");
    other.addParameters();
    other.saveGroup()->setBool("isActive", true);
    tinyxml2::XMLDocument document;
    const tinyxml2::XMLElement* element = other.saveXml(&document)->ToElement();

    CountingCamera loaded(&context_, "another_camera");
    loaded.loadXml(element);
    EXPECT_EQ(loaded.binds, 1);
    EXPECT_TRUE(loaded.saveGroup()->parameters().empty());
    EXPECT_EQ(renderInterface_.activeCamera(), nullptr) << "no isActive, so not active";
    const gfx::Vector3 before = loaded.getPosition();
    loaded.update(0.0f);
    EXPECT_EQ(loaded.getPosition(), before) << "no target bound, so no orbit";
}

TEST_F(EntitySaveLoadTest, AParameterOfTheRightNameButAnotherKindIsNotBound) {
    tinyxml2::XMLDocument document;
    document.Parse("<model_viewer_camera><ParameterDataGroup>"
                   "<FloatParameter name='targetPosition' value='3'/><IntParameter name='isActive' value='1'/>"
                   "</ParameterDataGroup></model_viewer_camera>");
    ASSERT_FALSE(document.Error());
    CountingCamera loaded(&context_);
    loaded.loadXml(document.RootElement());
    EXPECT_EQ(loaded.saveGroup()->parameters().size(), 2u);
    EXPECT_EQ(renderInterface_.activeCamera(), nullptr);
    const gfx::Vector3 before = loaded.getPosition();
    loaded.update(0.0f);
    EXPECT_EQ(loaded.getPosition(), before);
}

} // namespace
