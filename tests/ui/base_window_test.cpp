// The framed window at 1280 x 720: frame, title bar, title, close button and "closeDialog".
#include <gtest/gtest.h>

#include "support/ui_harness.h"
#include "ui/game_ui_base_window.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_layout_rectangle.h"
#include "ui/game_ui_push_button.h"

namespace {

class BaseWindowTest : public ::testing::Test {
protected:
    GameUIBaseWindow* open(bool closeButton) {
        const float tl[2] = {-0.5f, 0.5f}, br[2] = {0.5f, -0.5f};
        auto* window = new GameUIBaseWindow(0, &ui.context(), ui.theme(), "testWindow", "Ability Scores", tl, br, 3,
                                            nullptr, closeButton);
        ui.record(window->windowSignal);
        return ui.addWindow(window, true);
    }

    UIHarness ui;
};

TEST_F(BaseWindowTest, GeometryAt1280x720) {
    GameUIBaseWindow* window = open(true);
    const float px = 4.0f / 1280.0f, py = 4.0f / 720.0f;
    EXPECT_FLOAT_EQ(window->absTopLeft[0], -0.5f + px);
    EXPECT_FLOAT_EQ(window->absTopLeft[1], 0.4f - py);
    EXPECT_FLOAT_EQ(window->absBottomRight[0], 0.5f - px);
    EXPECT_FLOAT_EQ(window->absBottomRight[1], -0.5f + py);
    EXPECT_EQ(window->localTopLeft[0], window->absTopLeft[0]);

    RenderInterface::UIObject* frame = window->frameRectangle->rectangle;
    EXPECT_EQ(frame->name(), "ui_shadowed_outlined_rectangle");
    EXPECT_EQ(UIHarness::layerOf(frame), 3u);
    EXPECT_EQ(UIHarness::vector2Of(frame, "topLeft"), (std::array<float, 2>{-0.5f, 0.5f}));
    EXPECT_EQ(UIHarness::vector2Of(frame, "bottomRight"), (std::array<float, 2>{0.5f, -0.5f}));
    EXPECT_EQ(UIHarness::unsignedOf(frame, "border1Width"), 2u);
    EXPECT_TRUE(UIHarness::boolOf(frame, "roundedCorners"));
    EXPECT_EQ(UIHarness::colourOf(frame), (std::array<float, 4>{0.15f, 0.15f, 0.15f, 0.85f}));

    ASSERT_EQ(window->titleBarRectangle->name, "titleBArLayoutRectangle");
    RenderInterface::UIObject* bar = window->titleBarRectangle->rectangle;
    EXPECT_EQ(bar->name(), "ui_simple_rectangle");
    EXPECT_FLOAT_EQ(UIHarness::vector2Of(bar, "bottomRight")[1], 0.4f);
    EXPECT_EQ(UIHarness::colourOf(bar), (std::array<float, 4>{0.4f, 0.4f, 0.4f, 0.85f}));

    RenderInterface::UIObject* title = window->titleLabel->textBox;
    EXPECT_EQ(UIHarness::stringOf(title), "<id='TitleBarText'[*Ability Scores]>");
    EXPECT_EQ(UIHarness::stringOf(title, "font"), "EBGaramond-Regular_48");
    EXPECT_EQ(UIHarness::stringOf(title, "boldFont"), "original-garamond-bold-bt_48");
    EXPECT_EQ(UIHarness::intOf(title, "vertAlignment"), 0);

    // The close button: a square 2 pixels in from the title bar's top-right corner.
    auto* close = ui.find<GameUIPushButton>("closeDialogButton");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(UIHarness::stringOf(close->captionBox), "X");
    EXPECT_EQ(close->getToolTipText(), "Close the Window");
    EXPECT_NEAR(close->absBottomRight[0], 0.5f - px, 1e-6);
    EXPECT_NEAR(close->absTopLeft[1], 0.5f - py, 1e-6);
    const float widthPixels = (close->absBottomRight[0] - close->absTopLeft[0]) * 640.0f;
    const float heightPixels = (close->absTopLeft[1] - close->absBottomRight[1]) * 360.0f;
    EXPECT_NEAR(widthPixels, heightPixels, 1e-3);
    EXPECT_NEAR(heightPixels, 0.06f * 360.0f, 1e-3) << "60 % of the title bar";
    EXPECT_EQ(window->topDepth, close->topDepth);
}

TEST_F(BaseWindowTest, CloseButtonReportsCloseDialog) {
    GameUIBaseWindow* window = open(true);
    ui.clickElement(*ui.find<GameUIPushButton>("closeDialogButton"));
    ASSERT_EQ(ui.events().size(), 1u);
    EXPECT_EQ(ui.events()[0].name, "closeDialog");
    EXPECT_EQ(ui.events()[0].type, UIEvent::Click);
    EXPECT_EQ(ui.events()[0].source, window);
    // The owner closes it; it is gone after the next update.
    ui.windowManager().removeWindow(window);
    ui.step();
    EXPECT_EQ(ui.findElement("testWindow"), nullptr);
    EXPECT_EQ(ui.windowManager().activeWindow, nullptr);
    EXPECT_EQ(ui.objectWithString("X"), nullptr) << "its UI objects went with it";
}

TEST_F(BaseWindowTest, TitleBarCountsAsInsideAndNoCloseButtonNeverCloses) {
    GameUIBaseWindow* window = open(false);
    EXPECT_EQ(ui.findElement("closeDialogButton"), nullptr);
    EXPECT_TRUE(window->containsPoint(0.0f, 0.45f)) << "title bar";
    EXPECT_TRUE(window->containsPoint(-0.5f, -0.5f)) << "frame corner";
    EXPECT_FALSE(window->containsPoint(0.0f, 0.51f));
    ui.click(0.45f, 0.45f);
    EXPECT_TRUE(ui.events().empty());
}

TEST_F(BaseWindowTest, DisablingGreysFrameAndTitleAndDisablesChildren) {
    GameUIBaseWindow* window = open(true);
    auto* close = ui.find<GameUIPushButton>("closeDialogButton");
    window->disable();
    EXPECT_EQ(close->disabled, 1);
    EXPECT_EQ(UIHarness::stringOf(window->titleLabel->textBox), "<id='TitleBarTextDisabled'[*Ability Scores]>");
    EXPECT_EQ(UIHarness::colourOf(window->frameRectangle->rectangle), (std::array<float, 4>{0.05f, 0.05f, 0.05f, 0.85f}));
    EXPECT_EQ(UIHarness::colourOf(window->titleBarRectangle->rectangle), (std::array<float, 4>{0.2f, 0.2f, 0.2f, 0.85f}));
    window->disabled = 0;
    window->onEnabled();
    EXPECT_EQ(close->disabled, 0);
    EXPECT_EQ(UIHarness::stringOf(window->titleLabel->textBox), "<id='TitleBarText'[*Ability Scores]>");
    EXPECT_EQ(UIHarness::colourOf(window->frameRectangle->rectangle, "borderColour"),
              (std::array<float, 4>{0.4f, 0.4f, 0.4f, 0.85f}));
}

TEST_F(BaseWindowTest, ChildWindowLayers) {
    GameUIBaseWindow* parent = open(false);
    const float tl[2] = {-0.5f, 0.5f}, br[2] = {0.5f, -0.5f};
    GameUIBaseWindow child(0, &ui.context(), ui.theme(), "child", "Child", tl, br, 9, parent, false);
    EXPECT_EQ(UIHarness::layerOf(child.frameRectangle->rectangle), parent->depth + 1);
    EXPECT_EQ(child.depth, parent->depth + 2);
    parent->depth = 32;
    GameUIBaseWindow deep(0, &ui.context(), ui.theme(), "deep", "Deep", tl, br, 9, parent, false);
    EXPECT_EQ(deep.depth, 9u);
}

// A title too long for its bar stays on the bar's one line, cut with "..." clear of the close button.
TEST_F(BaseWindowTest, ALongTitleIsCutOnOneLineBeforeTheCloseButton) {
    const float tl[2] = {-0.5f, 0.5f}, br[2] = {0.5f, -0.5f};
    const std::string name = "Masterwork Silvered Longsword of the Northern Marches (+1)";
    auto* window = ui.addWindow(new GameUIBaseWindow(0, &ui.context(), ui.theme(), "saleWindow",
                                                     "Confirm sale price for: " + name, tl, br, 3, nullptr, true),
                                true);
    const std::string shown = UIHarness::stringOf(window->titleLabel->textBox);
    EXPECT_EQ(shown.rfind("<id='TitleBarText'[*Confirm sale price for: Masterwork", 0), 0u) << shown;
    EXPECT_EQ(shown.substr(shown.size() - 3), "...") << shown;
    EXPECT_EQ(window->title, "Confirm sale price for: " + name) << "the window keeps its whole title";
    // Drawn in the bold face, the cut title ends left of the close button.
    TextMeasure size;
    ui.renderInterface().measureText(size, "original-garamond-bold-bt_48", shown, true, 20000.0f);
    auto* close = ui.find<GameUIPushButton>("closeDialogButton");
    ASSERT_NE(close, nullptr);
    EXPECT_LE(window->titleLabel->absTopLeft[0] + size.width, close->absTopLeft[0]);

    // Disabling recolours the title and keeps it cut.
    window->disable();
    const std::string disabled = UIHarness::stringOf(window->titleLabel->textBox);
    EXPECT_EQ(disabled.rfind("<id='TitleBarTextDisabled'[*Confirm", 0), 0u) << disabled;
    EXPECT_EQ(disabled.substr(disabled.size() - 3), "...") << disabled;
}

} // namespace
