// The mouse pointer's mapping file and the pointer object it drives.
#include <gtest/gtest.h>

#include "app/direct_input_devices.h"
#include "app/simple_parameter_group.h"
#include "support/temp_folder.h"
#include "support/ui_harness.h"
#include "ui/mouse_pointer.h"

namespace {

class MousePointerTest : public ::testing::Test {
protected:
    MousePointer& pointer() { return *ui.mousePointer(); }
    std::string mapping(const std::string& entries, const char* root = "PointerMapping") {
        return folder.write("mapping.xml", std::string("<?xml version=\"1.0\"?>\n<") + root + ">" + entries + "</" +
                                               root + ">\n");
    }

    UIHarness ui{[] {
        UIHarness::Options options;
        options.mousePointer = true;
        return options;
    }()};
    TempFolder folder;
};

TEST_F(MousePointerTest, ShippedMappingSetsTheNormalImageOnce) {
    ASSERT_NE(pointer().pointerObject, nullptr);
    EXPECT_EQ(UIHarness::layerOf(pointer().pointerObject), 31u);
    EXPECT_EQ(pointer().currentType, MousePointer::noType);
    const PointerTypeEntry& normal = pointer().findPointerType(MousePointer::normalType);
    ASSERT_FALSE(normal.mapped.empty());
    pointer().setPointerType();
    RenderInterface::UIObject* object = pointer().pointerObject;
    EXPECT_EQ(UIHarness::stringOf(object, "pointerType"), normal.mapped);
    EXPECT_EQ(UIHarness::intOf(object, "horizAlign"), -1) << "hot spot at the image's top-left";
    EXPECT_EQ(UIHarness::intOf(object, "vertAlign"), -1);
    // A second call changes nothing, even after someone else wrote the parameter.
    object->pair()->updateGroup()->setString("pointerType", "elsewhere");
    pointer().setPointerType();
    EXPECT_EQ(UIHarness::stringOf(object, "pointerType"), "elsewhere");
}

TEST_F(MousePointerTest, MappingFileRules) {
    MousePointer fresh(nullptr, &ui.renderInterface(), nullptr, "mousePointer");
    fresh.loadPointerMapping(mapping("<PointerType id=\"normal\" mapped=\"arrow\" vertAlign=\"1\"/>"
                                     "<PointerType id=\"rotate_camera\" mapped=\"turn\" horizAlign=\"0\"/>"
                                     "<PointerType id=\"no_such_kind\" mapped=\"odd\"/>"
                                     "<Other id=\"wait\" mapped=\"never\"/>"
                                     "<PointerType id=\"wait\" mapped=\"first\"/>"
                                     "<PointerType id=\"wait\" mapped=\"hourglass\"/>"));
    struct Case {
        std::uint32_t kind;
        const char* mapped;
        int horiz, vert;
    };
    const Case cases[] = {{4, "arrow", -1, 1}, {13, "turn", 0, -1}, {0, "odd", -1, -1}, {6, "hourglass", -1, -1}};
    for (const Case& c : cases) {
        const PointerTypeEntry& entry = fresh.findPointerType(c.kind);
        EXPECT_EQ(entry.mapped, c.mapped) << c.kind;
        EXPECT_EQ(entry.horizAlign, c.horiz) << c.kind;
        EXPECT_EQ(entry.vertAlign, c.vert) << c.kind;
    }
    EXPECT_EQ(fresh.pointerTypes.size(), 4u);
    EXPECT_EQ(MousePointer::kindOf("dodge_out_of_range"), 17u);

    MousePointer foreign(nullptr, &ui.renderInterface(), nullptr, "mousePointer");
    foreign.loadPointerMapping(mapping("<PointerType id=\"normal\" mapped=\"arrow\"/>", "Mapping"));
    foreign.loadPointerMapping(folder.path() + "missing.xml");
    EXPECT_TRUE(foreign.pointerTypes.empty());
    // Without an entry for "normal" nothing is applied.
    foreign.setPointerType();
    EXPECT_EQ(foreign.currentType, MousePointer::noType);
    EXPECT_EQ(UIHarness::stringOf(foreign.pointerObject, "pointerType"), "normal");
}

TEST_F(MousePointerTest, FollowsTheCursorEveryCycle) {
    ui.movePointer(0.5f, 0.5f);
    ui.step();
    EXPECT_EQ(UIHarness::unsignedOf(pointer().pointerObject, "xPos"), 960u);
    EXPECT_EQ(UIHarness::unsignedOf(pointer().pointerObject, "yPos"), 180u);
    ui.movePointer(-1.0f, 1.0f);
    ui.step();
    EXPECT_EQ(UIHarness::unsignedOf(pointer().pointerObject, "xPos"), 0u);
    EXPECT_EQ(UIHarness::unsignedOf(pointer().pointerObject, "yPos"), 0u);
}

TEST(MousePointerWithoutObject, NothingIsDrawnOrMoved) {
    ParameterDescriptionRegistry empty;
    ThreadResourcePool pool("updatePool");
    RenderInterface bare(&empty, &pool, 640, 480, "");
    bare.setOwnerThreadId(platform::currentThreadId());
    MousePointer pointer(nullptr, &bare, &pool, "mousePointer");
    EXPECT_EQ(pointer.pointerObject, nullptr);
    pointer.loadPointerMapping(MousePointer::mappingFile);
    pointer.setPointerType();
    pointer.updatePosition();
    EXPECT_EQ(pointer.currentType, MousePointer::noType);
}

} // namespace
