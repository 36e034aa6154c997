// Layout rectangles of the three kinds, and element groups.
#include <gtest/gtest.h>

#include "support/ui_harness.h"
#include "ui/game_ui_element_group.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_layout_rectangle.h"

namespace {

TEST(LayoutRectangle, KindsAndBorders) {
    UIHarness ui;
    const float tl[2] = {-0.5f, 0.5f}, br[2] = {0.5f, -0.5f};
    const float fill[4] = {0.1f, 0.2f, 0.3f, 0.4f}, border[4] = {0.9f, 0.8f, 0.7f, 1.0f};
    struct Case {
        bool outlined, shadowed;
        const char* type;
        // A simple rectangle has no borders at all; a shadowed one not outlined keeps the
        // description's default 1 and no rounded corners.
        bool bordered;
        std::uint32_t borderWidth;
        bool rounded;
    };
    const Case cases[] = {
        {false, false, "ui_simple_rectangle", false, 0, false},
        {true, false, "ui_outlined_rectangle", true, 3, true},
        {true, true, "ui_shadowed_outlined_rectangle", true, 3, true},
        {false, true, "ui_shadowed_outlined_rectangle", true, 1, false},
    };
    for (const Case& c : cases) {
        GameUILayoutRectangle rectangle(0, &ui.context(), ui.theme(), "panel", tl, br, 7, nullptr, fill, c.outlined, 3,
                                        c.shadowed, border);
        ASSERT_NE(rectangle.rectangle, nullptr) << c.type;
        EXPECT_EQ(rectangle.rectangle->name(), c.type);
        EXPECT_EQ(UIHarness::layerOf(rectangle.rectangle), 7u);
        EXPECT_EQ(rectangle.depth, 7u);
        EXPECT_EQ(rectangle.topDepth, 7u);
        EXPECT_EQ(UIHarness::colourOf(rectangle.rectangle), (std::array<float, 4>{0.1f, 0.2f, 0.3f, 0.4f}));
        EXPECT_EQ(UIHarness::vector2Of(rectangle.rectangle, "bottomRight"), (std::array<float, 2>{0.5f, -0.5f}));
        ASSERT_EQ(UIHarness::hasParameter(rectangle.rectangle, "border2Height"), c.bordered) << c.type;
        EXPECT_EQ(UIHarness::hasParameter(rectangle.rectangle, "roundedCorners"), c.bordered) << c.type;
        if (c.bordered) {
            EXPECT_EQ(UIHarness::unsignedOf(rectangle.rectangle, "border2Height"), c.borderWidth) << c.type;
            EXPECT_EQ(UIHarness::boolOf(rectangle.rectangle, "roundedCorners"), c.rounded) << c.type;
        }
        if (c.outlined) {
            EXPECT_EQ(UIHarness::colourOf(rectangle.rectangle, "borderColour2"), (std::array<float, 4>{0.9f, 0.8f, 0.7f, 1.0f}));
            EXPECT_EQ(UIHarness::unsignedOf(rectangle.rectangle, "borderInset"), 3u);
        }
    }
}

TEST(ElementGroup, SitsOneBelowItsParentAndTakesItsChildrensDepth) {
    UIHarness ui;
    const float tl[2] = {-0.5f, 0.5f}, br[2] = {0.5f, -0.5f};
    GameUIElementGroup parent(0, 0, &ui.context(), ui.theme(), "outer", "", tl, br, nullptr);
    GameUIElementGroup group(0, 0, &ui.context(), ui.theme(), "inner", "Inner tip", tl, br, &parent);
    EXPECT_EQ(group.depth, 1u);
    auto* label = new GameUILabel(&ui.context(), ui.theme(), "label", "Text", "", tl, br, &group,
                                  labelflag::notRightAligned, labelflag::notCentred, labelflag::atTop);
    group.addElement(label);
    EXPECT_EQ(group.topDepth, 2u);
    parent.depth = 32;
    group.addElement(new GameUILabel(&ui.context(), ui.theme(), "deep", "Deep", "", tl, br, &group,
                                     labelflag::notRightAligned, labelflag::notCentred, labelflag::atTop));
    EXPECT_EQ(group.depth, 32u) << "recomputed from the parent, capped";
    EXPECT_EQ(group.getToolTipText(), "Inner tip");
    group.eventData.type = 5;
    group.eventData.name = "inner";
    group.eventData.value = 9;
    UIEvent::Data out;
    group.fillEventData(out);
    EXPECT_EQ(out.type, 5u);
    EXPECT_EQ(out.name, "inner");
    EXPECT_EQ(out.value, 0u) << "only names and type are copied";
}

} // namespace
