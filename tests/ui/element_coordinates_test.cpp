// Element rectangles in parent and screen space, hit tests, depth and the element tree.
#include <gtest/gtest.h>

#include "support/ui_harness.h"
#include "ui/game_ui_element_group.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_standard_element.h"
#include "probe_element.h"

namespace {

TEST(ElementCoordinates, ChildAndGrandchildRectangles) {
    UIContext context;
    ProbeElement top(&context, "top", -1.0f, 1.0f, 1.0f, -1.0f);
    ProbeElement child(&context, "child", -0.5f, 0.5f, 0.5f, -0.5f, &top);
    ProbeElement grandchild(&context, "grandchild", 0.0f, 1.0f, 1.0f, 0.0f, &child);
    ProbeElement offset(&context, "offset", -1.0f, 1.0f, 0.0f, 0.0f, &child);
    struct Case {
        const GameUIBaseElement* element;
        float left, top, right, bottom;
    };
    const Case cases[] = {
        {&child, -0.5f, 0.5f, 0.5f, -0.5f},
        {&grandchild, 0.0f, 0.5f, 0.5f, 0.0f},
        {&offset, -0.5f, 0.5f, 0.0f, 0.0f},
    };
    for (const Case& c : cases) {
        EXPECT_FLOAT_EQ(c.element->absTopLeft[0], c.left) << c.element->name;
        EXPECT_FLOAT_EQ(c.element->absTopLeft[1], c.top) << c.element->name;
        EXPECT_FLOAT_EQ(c.element->absBottomRight[0], c.right) << c.element->name;
        EXPECT_FLOAT_EQ(c.element->absBottomRight[1], c.bottom) << c.element->name;
    }
    // Own space back from screen space: the grandchild's corner and centre, and clamping.
    struct Back {
        float x, y, localX, localY;
    };
    const Back backs[] = {
        {0.0f, 0.0f, -1.0f, -1.0f},
        {0.25f, 0.25f, 0.0f, 0.0f},
        {-0.9f, 0.25f, -1.0f, 0.0f},  // left of it
        {0.25f, 0.9f, 0.0f, 1.0f},    // above it
        {0.9f, -0.9f, 1.0f, -1.0f},   // right of and below it
    };
    for (const Back& b : backs) {
        float point[2] = {b.x, b.y};
        grandchild.absoluteToLocal(point);
        EXPECT_NEAR(point[0], b.localX, 1e-6) << b.x << "," << b.y;
        EXPECT_NEAR(point[1], b.localY, 1e-6) << b.x << "," << b.y;
    }
    EXPECT_FLOAT_EQ(grandchild.toAbsoluteWidth(2.0f), 0.5f);
    EXPECT_FLOAT_EQ(grandchild.toAbsoluteHeight(1.0f), 0.25f);
}

TEST(ElementCoordinates, ContainsPointIsInclusive) {
    UIContext context;
    ProbeElement element(&context, "e", -0.5f, 0.5f, 0.5f, -0.5f);
    struct Case {
        float x, y;
        bool inside;
    };
    const Case cases[] = {
        {-0.5f, 0.5f, true}, {0.5f, -0.5f, true}, {0.5f, 0.0f, true}, {0.0f, -0.5f, true},
        {0.0f, 0.0f, true},  {0.50001f, 0.0f, false}, {0.0f, 0.50001f, false}, {-0.50001f, -0.5f, false},
    };
    for (const Case& c : cases) EXPECT_EQ(element.containsPoint(c.x, c.y), c.inside) << c.x << "," << c.y;
}

TEST(ElementCoordinates, DepthIsOneBelowTheParentAndCapped) {
    UIHarness ui;
    const float tl[2] = {-0.5f, 0.5f}, br[2] = {0.5f, -0.5f};
    struct Case {
        std::uint32_t parentDepth, expected;
    };
    for (const Case c : {Case{5, 6}, Case{31, 32}, Case{32, 32}}) {
        ProbeElement parent(&ui.context(), "parent", -1, 1, 1, -1);
        parent.depth = c.parentDepth;
        GameUILabel label(&ui.context(), ui.theme(), "label", "text", "", tl, br, &parent, false, false, false);
        GameUIElementGroup group(0, 0, &ui.context(), ui.theme(), "group", "", tl, br, &parent);
        EXPECT_EQ(label.depth, c.expected);
        EXPECT_EQ(group.depth, c.expected);
        // Nothing is placed above the top layer the renderer draws.
        EXPECT_LE(UIHarness::layerOf(label.textBox), 31u);
    }
    GameUILabel topLevel(&ui.context(), ui.theme(), "label", "text", "", tl, br, nullptr, false, false, false);
    EXPECT_EQ(topLevel.depth, 0u);
}

TEST(ElementTree, DeletingParentOrChildKeepsTheTreeConsistent) {
    UIContext context;
    auto* parent = new ProbeElement(&context, "parent", -1, 1, 1, -1);
    ProbeElement first(&context, "first", -1, 1, 0, 0, parent);
    auto* second = new ProbeElement(&context, "second", 0, 1, 1, 0, parent);
    ProbeElement third(&context, "third", 0, 0, 1, -1, parent);
    delete second;
    ASSERT_EQ(parent->attachedChildren.size(), 2u);
    EXPECT_EQ(parent->attachedChildren[0], &first);
    EXPECT_EQ(parent->attachedChildren[1], &third);
    delete parent;
    EXPECT_EQ(first.parent, nullptr);
    EXPECT_EQ(third.parent, nullptr);
}

TEST(ElementTree, DisableTwiceCallsOnDisabledOnce) {
    UIContext context;
    ProbeElement element(&context, "e", -1, 1, 1, -1);
    element.disable();
    element.disable();
    EXPECT_EQ(element.calls, "disabled ");
    UIEvent::Data record;
    record.type = 9;
    record.value = 7;
    element.GameUIBaseElement::fillEventData(record);
    EXPECT_EQ(record.name, "null");
    EXPECT_EQ(record.type, 9u);
    EXPECT_EQ(record.value, 7u);
}

TEST(StandardElement, ForwardsToEveryChildAndCountsHandledWhenOneDid) {
    UIHarness ui;
    const float tl[2] = {-1, 1}, br[2] = {1, -1};
    GameUIStandardElement container(0, &ui.context(), tl, br, nullptr, "container", "tip", nullptr);
    auto* a = new ProbeElement(&ui.context(), "a", -1, 1, 0.5f, -1, &container);
    auto* b = new ProbeElement(&ui.context(), "b", -0.5f, 1, 1, -1, &container);
    container.addChild(a);
    container.addChild(b);
    a->handlesButtons = false;
    MouseEvent::Data press = ui.mouseRecord(MouseEvent::Press, 0.0f, 0.0f);
    EXPECT_TRUE(container.onMouseButton(press));
    EXPECT_EQ(a->buttons.size(), 1u);
    EXPECT_EQ(b->buttons.size(), 1u);
    b->handlesButtons = false;
    EXPECT_FALSE(container.onMouseButton(press));

    // Disabling skips the child already disabled; enabling reaches only the disabled ones.
    a->disabled = 1;
    container.disabled = 1;
    container.onDisabled();
    EXPECT_EQ(a->calls, "");
    EXPECT_EQ(b->calls, "disabled ");
    a->disabled = 0;
    container.disabled = 0;
    container.onEnabled();
    EXPECT_EQ(a->calls, "");
    EXPECT_EQ(b->calls, "disabled enabled ");

    // A child that is not one is neither deleted nor removed.
    ProbeElement stranger(&ui.context(), "stranger", -1, 1, 1, -1);
    container.removeChild(&stranger);
    EXPECT_EQ(container.children.size(), 2u);
    container.removeChild(a);
    ASSERT_EQ(container.children.size(), 1u);
    EXPECT_EQ(container.attachedChildren.size(), 1u);

    GameUIStandardElement empty(0, &ui.context(), tl, br, nullptr, "empty", "", nullptr);
    empty.update(0.1f);
    EXPECT_EQ(empty.topDepth, 0u);
}

TEST(StandardElement, MoveOverNoChildMakesTheContainerHovered) {
    UIHarness ui;
    const float tl[2] = {-0.5f, 0.5f}, br[2] = {0.5f, -0.5f};
    auto* container = new GameUIStandardElement(0, &ui.context(), tl, br, nullptr, "panel", "Panel tip", nullptr);
    auto* child = new ProbeElement(&ui.context(), "child", -1, 1, 0, 0, container);
    container->addChild(child);
    ui.addWindow(container);
    ui.movePointer(0.4f, -0.4f);
    ui.step();
    EXPECT_EQ(ui.windowManager().underPointer, container);
    ui.movePointer(-0.4f, 0.4f);
    ui.step();
    EXPECT_EQ(ui.windowManager().underPointer, child);
}

} // namespace
