// One-line texts stay in their boxes: a label kept on one line is cut with "..." at its box, and
// a push button whose caption is too wide draws it at a smaller size of the same font.
#include <gtest/gtest.h>

#include "render/text_markup.h"
#include "support/ui_harness.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"
#include "ui/text_measure.h"

namespace {

class OneLineTextTest : public ::testing::Test {
protected:
    float width(const std::string& text, const std::string& font) {
        return measureUIText(&ui.renderInterface(), font, text, true, 20000.0f).width;
    }
    std::string mainFont() { return ui.renderInterface().mainFontName(); }

    UIHarness ui;
};

TEST_F(OneLineTextTest, ALabelKeptOnOneLineIsCutWithAnEllipsisAtItsBox) {
    const float tl[2] = {-0.6f, 0.5f}, br[2] = {0.0f, 0.4f};
    struct Case {
        std::string text;
        bool cut;
    };
    const Case cases[] = {
        {"[*Name: ]" + literalText("Sir Bartholomew Ambrose Fitzgerald-Whitmore the Third"), true},
        {"[*Name: ]Bob", false},
        {"Petrification\\n& Paralysis", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto* label =
            ui.addWindow(new GameUILabel(&ui.context(), ui.theme(), "nameLabel", c.text, "", tl, br, nullptr,
                                         labelflag::notRightAligned, labelflag::notCentred, labelflag::atTop));
        label->keepOnOneLine();
        const std::string shown = UIHarness::stringOf(label->textBox);
        EXPECT_LE(width(shown, mainFont()), br[0] - tl[0]);
        EXPECT_EQ(label->text, c.text) << "the label keeps its text";
        if (c.cut) {
            EXPECT_EQ(shown.substr(shown.size() - 3), "...");
            EXPECT_EQ(shown.rfind("[*Name: ]Sir Bartholomew", 0), 0u);
        } else {
            EXPECT_EQ(shown.find("..."), std::string::npos);
            // A line break becomes a space: one line, every character still there.
            EXPECT_EQ(shown.find("\\n"), std::string::npos);
            EXPECT_GE(countDrawnCharacters(shown), countDrawnCharacters(c.text));
        }
        ui.windowManager().removeWindow(label);
        ui.step();
    }
}

TEST_F(OneLineTextTest, AButtonCaptionTooWideIsDrawnAtASmallerSizeOfTheSameFont) {
    const std::vector<std::string> smaller = ui.renderInterface().smallerSizesOfFont(mainFont());
    ASSERT_FALSE(smaller.empty()) << "the font list has a smaller size of the main font";
    const std::string caption = "Accounts";
    const float wide = width(caption, mainFont());
    const float small = width(caption, smaller.front());
    ASSERT_LT(small, wide);
    // Narrower than the caption at the main size, wide enough at the smaller one.
    const float buttonWidth = (wide + small) * 0.5f;
    const float tl[2] = {0.0f, 0.1f}, br[2] = {buttonWidth, 0.0f};
    auto* narrow = ui.addWindow(new GameUIPushButton(&ui.context(), ui.theme(), "accountsButton", caption, "", tl, br,
                                                     nullptr));
    EXPECT_EQ(UIHarness::stringOf(narrow->captionBox, "font"), smaller.front());
    EXPECT_EQ(UIHarness::stringOf(narrow->captionBox, "string"), caption);
    const float wideBr[2] = {wide * 2.0f, 0.0f};
    auto* roomy = ui.addWindow(new GameUIPushButton(&ui.context(), ui.theme(), "accountsButton", caption, "", tl, wideBr,
                                                    nullptr));
    EXPECT_EQ(UIHarness::stringOf(roomy->captionBox, "font"), mainFont());
}

// Bold spans are drawn in the bold font, so measuring them in the regular one would cut a bold
// title too late and let it wrap.
TEST_F(OneLineTextTest, BoldSpansAreMeasuredInTheBoldFont) {
    const std::string bold = ui.renderInterface().boldFontName();
    ASSERT_NE(bold, mainFont());
    const std::string words = "Confirm sale price for: Masterwork";
    EXPECT_FLOAT_EQ(width("[*" + words + "]", mainFont()), width(words, bold));
    EXPECT_FLOAT_EQ(width("[*Name: ]Bob", mainFont()), width("Name: ", bold) + width("Bob", mainFont()));
}

} // namespace
