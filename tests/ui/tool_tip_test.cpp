// The floating tool tip: its delay, where it stands beside the pointer, and when it goes.
#include <gtest/gtest.h>

#include "support/ui_harness.h"
#include "ui/game_ui_floating_tool_tip.h"
#include "ui/game_ui_layout_rectangle.h"
#include "ui/game_ui_push_button.h"
#include "ui/text_measure.h"

namespace {

class ToolTipTest : public ::testing::Test {
protected:
    ToolTipTest() { tip = ui.toolTip(); }
    GameUIPushButton* button(const std::string& name, const std::string& toolTip, float left, float top, float right,
                             float bottom) {
        const float tl[2] = {left, top}, br[2] = {right, bottom};
        return ui.addWindow(new GameUIPushButton(&ui.context(), ui.theme(), name, name, toolTip, tl, br, nullptr));
    }
    bool shown() const { return UIHarness::vector2Of(tip->frame, "topLeft")[0] != GameUIFloatingToolTip::offScreen; }

    UIHarness ui;
    GameUIFloatingToolTip* tip = nullptr;
};

TEST_F(ToolTipTest, HiddenBeforeTheDelayShownAfter) {
    button("rollButton", "Roll the dice", -0.4f, 0.2f, 0.0f, 0.0f);
    ui.movePointer(-0.2f, 0.1f);
    ui.step();  // the hover begins
    ui.stepSeconds(0.7f);
    EXPECT_FALSE(shown()) << "before 0.75 s";
    EXPECT_EQ(ui.objectWithString("Roll the dice"), nullptr);
    ui.stepSeconds(0.1f);
    EXPECT_TRUE(shown()) << "after 0.75 s";
    EXPECT_EQ(UIHarness::stringOf(tip->textBox), "Roll the dice");
    EXPECT_EQ(UIHarness::layerOf(tip->frame), 25u);
    EXPECT_EQ(UIHarness::layerOf(tip->textBox), 26u);
    EXPECT_GT(tip->textWidth, 0.0f);
    EXPECT_GT(tip->textHeight, 0.0f) << "measured with a positive line height";
}

TEST_F(ToolTipTest, TheTextFitsTheBoxItIsMeasuredFor) {
    // Long enough to wrap in the measuring font but not in the text boxes' default font.
    const std::string text = "Load an existing character from a saved file";
    button("loadButton", text, -0.4f, 0.2f, 0.0f, 0.0f);
    ui.movePointer(-0.2f, 0.1f);
    ui.stepSeconds(1.0f);
    ASSERT_TRUE(shown());
    const std::string font = UIHarness::stringOf(tip->textBox, "font");
    EXPECT_EQ(font, GameUIFloatingToolTip::fontKey);
    const auto topLeft = UIHarness::vector2Of(tip->textBox, "topLeft");
    const auto bottomRight = UIHarness::vector2Of(tip->textBox, "bottomRight");
    const TextMeasure drawn = measureUIText(&ui.renderInterface(), font, text, false, bottomRight[0] - topLeft[0]);
    EXPECT_LE(drawn.height, topLeft[1] - bottomRight[1] + 1e-4f) << "the drawn lines stay inside the box";
}

TEST_F(ToolTipTest, FollowsThePointerAndFlipsAtTheEdges) {
    button("wide", "Tip", -1.0f, 1.0f, 1.0f, -1.0f);
    const float a = 48.0f / 1280.0f, pw = 16.0f / 1280.0f, ph = 16.0f / 720.0f;
    struct Case {
        const char* where;
        float x, y;
        bool left, below;
    };
    const Case cases[] = {
        {"middle", 0.0f, 0.0f, false, false},
        {"moved", -0.3f, -0.4f, false, false},
        {"right edge", 0.97f, 0.0f, true, false},
        {"top edge", 0.0f, 0.97f, false, true},
        {"top-right corner", 0.97f, 0.97f, true, true},
    };
    ui.movePointer(0.0f, 0.0f);
    ui.stepSeconds(1.0f);
    ASSERT_TRUE(shown());
    const float w = tip->textWidth, h = tip->textHeight;
    for (const Case& c : cases) {
        ui.movePointer(c.x, c.y);
        ui.step();
        const float left = c.left ? c.x - (w + 2 * pw + a) : c.x + a;
        const float bottom = c.below ? c.y - (h + 2 * ph + a) : c.y + a;
        const auto frameTopLeft = UIHarness::vector2Of(tip->frame, "topLeft");
        const auto frameBottomRight = UIHarness::vector2Of(tip->frame, "bottomRight");
        EXPECT_NEAR(frameTopLeft[0], left, 1e-4) << c.where;
        EXPECT_NEAR(frameBottomRight[1], bottom, 1e-4) << c.where;
        EXPECT_NEAR(frameBottomRight[0], left + w + 2 * pw, 1e-4) << c.where;
        EXPECT_NEAR(frameTopLeft[1], bottom + h + 2 * ph, 1e-4) << c.where;
        const auto textTopLeft = UIHarness::vector2Of(tip->textBox, "topLeft");
        EXPECT_NEAR(textTopLeft[0], left + pw, 1e-4) << c.where;
        EXPECT_NEAR(textTopLeft[1], bottom + h + ph, 1e-4) << c.where;
    }
}

TEST_F(ToolTipTest, HiddenAtOnceWhenThePointerLeaves) {
    button("rollButton", "Roll the dice", -0.4f, 0.2f, 0.0f, 0.0f);
    ui.movePointer(-0.2f, 0.1f);
    ui.stepSeconds(1.0f);
    ASSERT_TRUE(shown());
    ui.movePointer(0.5f, -0.5f);
    ui.step();
    ui.step();
    EXPECT_FALSE(shown());
    EXPECT_EQ(UIHarness::vector2Of(tip->textBox, "bottomRight")[1], GameUIFloatingToolTip::offScreen);
    // Coming back starts the delay again.
    ui.movePointer(-0.2f, 0.1f);
    ui.stepSeconds(0.5f);
    EXPECT_FALSE(shown());
}

TEST_F(ToolTipTest, AWindowThatTakesEveryEventEndsTheHoverBeneathIt) {
    button("loadButton", "Load an existing character", -0.4f, -0.8f, 0.0f, -1.0f);
    // A panel over which moves reach no element that could take the hover over.
    const float tl[2] = {-0.9f, 0.9f}, br[2] = {0.9f, -0.7f}, fill[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    auto* modal = ui.addWindow(new GameUILayoutRectangle(0, &ui.context(), ui.theme(), "dialog", tl, br, 5, nullptr,
                                                         fill, false, 0, false, fill));
    ui.movePointer(-0.2f, -0.9f);
    ui.stepSeconds(1.0f);
    ASSERT_TRUE(shown());
    ui.windowManager().setActiveWindow(modal);
    ui.movePointer(0.0f, 0.0f);
    ui.step();
    ui.step();
    EXPECT_FALSE(shown()) << "the tip of the element under the new window stays up";
}

TEST_F(ToolTipTest, MovingToAnotherElementOnlyChangesTheText) {
    button("first", "First tip", -0.4f, 0.2f, 0.0f, 0.0f);
    button("second", "Second tip, a good deal longer", 0.0f, 0.2f, 0.4f, 0.0f);
    ui.movePointer(-0.2f, 0.1f);
    ui.stepSeconds(1.0f);
    const float firstWidth = tip->textWidth;
    ui.movePointer(0.2f, 0.1f);
    ui.step();
    ui.step();
    EXPECT_TRUE(shown());
    EXPECT_EQ(UIHarness::stringOf(tip->textBox), "Second tip, a good deal longer");
    EXPECT_GT(tip->textWidth, firstWidth);
    EXPECT_NEAR(UIHarness::vector2Of(tip->frame, "bottomRight")[0], 0.2f + 48.0f / 1280 + tip->textWidth + 32.0f / 1280,
                1e-4);
}

TEST_F(ToolTipTest, EmptyTextShowsNothingAndLongTextWraps) {
    button("silent", "", -0.4f, 0.2f, 0.0f, 0.0f);
    ui.movePointer(-0.2f, 0.1f);
    ui.stepSeconds(1.5f);
    EXPECT_FALSE(shown());
    tip->setText("Short");
    const float oneLine = tip->textHeight;
    tip->setText("A tool tip long enough to run past half the screen width, so that it has to wrap at its spaces "
                 "onto a second line and maybe a third");
    EXPECT_LE(tip->textWidth, tip->maxTextWidth);
    EXPECT_GT(tip->textHeight, oneLine * 1.5f);
}

} // namespace
