// The scrollable text box: line breaks stored as "\n" pairs and edited as one, moving over wrapped
// lines, keeping the cursor's line in view, measuring in the configured font, and read-only use.
#include <gtest/gtest.h>

#include "render/text_markup.h"
#include "support/ui_harness.h"
#include "ui/game_ui_image_push_button.h"
#include "ui/game_ui_scroll_bar.h"
#include "ui/game_ui_scrollable_text_box.h"
#include "ui/text_measure.h"

namespace {

constexpr std::uint32_t keyA = 0x1E;

KeyEvent::Data key(std::uint32_t code, char character = 0) {
    KeyEvent::Data event;
    event.action = KeyEvent::Pressed;
    event.scanCode = code;
    event.character = character;
    return event;
}

const std::string paragraph =
    "The river ran high that spring, and the ferry at Dunmoor sat idle for a month while the reeve argued "
    "with the boatmen about the toll and the rope and whose fault the broken winch had been.";

class ScrollableTextBoxTest : public ::testing::Test {
protected:
    void make(const std::string& text, bool editable) {
        const float tl[2] = {-0.5f, 0.4f}, br[2] = {0.3f, -0.4f};
        box = ui.addWindow(new GameUIScrollableTextBox(0, &ui.context(), ui.theme(), "notesBox", text, "Notes", tl, br,
                                                       nullptr, 0, 0, 0));
        box->editable = editable ? 1 : 0;
        ui.record(box->eventSignal);
        ui.step();
    }
    void focus() {
        ui.click((box->clipTopLeft[0] + box->clipBottomRight[0]) * 0.5f, (box->clipTopLeft[1] + box->clipBottomRight[1]) * 0.5f);
        ui.step();
        ASSERT_TRUE(box->active);
        ui.clearEvents();
    }
    void press(KeyEvent::Data event) {
        ui.sendKey(event);
        ui.step();
    }
    // Moves the cursor of the focused box with the arrow keys, as a typist does: to the start, then
    // right until it stands at `at` (a stored line break is one press).
    void setCursor(std::int32_t at) {
        for (std::size_t i = 0; i < box->text.size(); ++i) ui.sendKey(key(textentry::keyLeft));
        for (std::size_t i = 0; i < box->text.size() && box->cursorPosition < at; ++i) {
            ui.sendKey(key(textentry::keyRight));
        }
        ui.step();
        ASSERT_EQ(box->cursorPosition, at);
    }

    float lineHeight() { return measureUIText(&ui.renderInterface(), box->fontName, "A", true, 20000.0f).height; }
    // The pen's baseline y of the cursor where the box now shows its text.
    float cursorY() {
        float pen[2];
        ui.renderInterface().layoutWrappedText(pen, box->text, box->fontName, box->textTopLeft, box->clipWidth,
                                               static_cast<std::uint32_t>(box->cursorPosition));
        return pen[1];
    }

    UIHarness ui;
    GameUIScrollableTextBox* box = nullptr;
};

TEST_F(ScrollableTextBoxTest, LineBreaksAreStoredAsPairsAndEditedAsOne) {
    make("ab", true);
    focus();
    ASSERT_EQ(box->cursorPosition, 2);
    press(key(textentry::keyReturn, '\r'));
    EXPECT_EQ(box->text, "ab\\n");
    EXPECT_EQ(box->cursorPosition, 4);
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "keyPressed"), 1u);
    EXPECT_EQ(ui.events().back().source, box);
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "enterPressed"), 0u);
    EXPECT_TRUE(box->active) << "Return does not end the editing";
    press(key(keyA, 'c'));
    press(key(textentry::keyLeft));
    press(key(textentry::keyLeft));
    EXPECT_EQ(box->cursorPosition, 2) << "Left crosses the break in one press";
    press(key(textentry::keyRight));
    EXPECT_EQ(box->cursorPosition, 4);
    press(key(textentry::keyBack));
    EXPECT_EQ(box->text, "abc");
    EXPECT_EQ(box->cursorPosition, 2);
    press(key(textentry::keyReturn, '\r'));
    press(key(textentry::keyLeft));
    press(key(textentry::keyDelete));
    EXPECT_EQ(box->text, "abc");
    // Typing a backslash cannot start a break.
    press(key(0x2B, '\\'));
    press(key(keyA, 'n'));
    EXPECT_EQ(box->text, "ab/nc");
    ui.osInterface().clipboard = "one\r\ntwo\rthree\n";
    KeyEvent::Data paste = key(textentry::keyV, '\x16');
    paste.ctrl = true;
    ui.clearEvents();
    press(paste);
    EXPECT_EQ(box->text, "ab/none\\ntwo\\nthree\\nc");
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "keyPressed"), 1u) << "a paste reports as a typed character";
}

TEST_F(ScrollableTextBoxTest, UpAndDownCrossWrappedLines) {
    make(paragraph, true);
    focus();
    const float bottomLine = cursorY();
    press(key(textentry::keyUp));
    const std::int32_t up = box->cursorPosition;
    EXPECT_LT(up, static_cast<std::int32_t>(paragraph.size()));
    EXPECT_NEAR(cursorY() - bottomLine, lineHeight(), lineHeight() * 0.1f);
    press(key(textentry::keyUp));
    EXPECT_LT(box->cursorPosition, up);
    press(key(textentry::keyDown));
    EXPECT_NEAR(box->cursorPosition, up, 2);
    press(key(textentry::keyDown));
    press(key(textentry::keyDown));
    EXPECT_LE(box->cursorPosition, static_cast<std::int32_t>(box->text.size()));
    EXPECT_NEAR(cursorY(), bottomLine, lineHeight() * 0.1f);
}

TEST_F(ScrollableTextBoxTest, TheCursorsLineStaysInsideTheClip) {
    make("", true);
    focus();
    for (int line = 0; line < 40; ++line) {
        press(key(keyA, 'x'));
        press(key(textentry::keyReturn, '\r'));
        const float y = cursorY();
        ASSERT_GE(y, box->clipBottomRight[1] - 1e-4f) << "line " << line;
        ASSERT_LE(y + lineHeight(), box->clipTopLeft[1] + 1e-4f) << "line " << line;
    }
    ASSERT_NE(box->scrollBar, nullptr);
    EXPECT_NE(box->scrollBar->slider, nullptr) << "forty lines are more than the box shows";
    EXPECT_NEAR(box->scrollBar->value, box->scrollValue, 1e-6f);
    // Back at the start the view goes back to the top.
    setCursor(0);
    EXPECT_NEAR(box->textTopLeft[1], box->clipTopLeft[1], 1e-4f);
    // Scrolled to the end, then most of the text goes: the view stays within the text.
    setCursor(static_cast<std::int32_t>(box->text.size()));
    // Backspace from the end until one character is left (a line break goes in one press).
    for (std::size_t i = box->text.size(); i > 1 && box->text.size() > 1; --i) ui.sendKey(key(textentry::keyBack));
    ui.step();
    ASSERT_EQ(box->text, "x");
    setCursor(1);
    EXPECT_LE(box->scrollValue, box->textBottom);
    EXPECT_NEAR(box->textTopLeft[1], box->clipTopLeft[1], 1e-4f);
}

TEST_F(ScrollableTextBoxTest, ReadOnlyBoxesIgnoreKeysButScroll) {
    std::string text;
    for (int i = 0; i < 12; ++i) text += paragraph + "\\n";
    make(text, false);
    ui.click((box->clipTopLeft[0] + box->clipBottomRight[0]) * 0.5f, 0.0f);
    ui.step();
    EXPECT_FALSE(box->active);
    EXPECT_FALSE(ui.sendKey(key(keyA, 'q')));
    ui.step();
    EXPECT_EQ(box->text, text);
    EXPECT_TRUE(ui.events().empty());
    ASSERT_NE(box->scrollBar->slider, nullptr);
    const float top = box->textTopLeft[1];
    ui.clickElement(*box->scrollBar->incrementButton);
    ui.step();
    EXPECT_GT(box->scrollValue, box->clipTopLeft[1]);
    EXPECT_GT(box->textTopLeft[1], top) << "the text moves up";
}

TEST_F(ScrollableTextBoxTest, ShortTextsHaveNothingToScroll) {
    make("Two words", false);
    ASSERT_NE(box->scrollBar, nullptr);
    EXPECT_EQ(box->scrollBar->slider, nullptr);
    EXPECT_TRUE(box->scrollBar->incrementButton->disabled);
}

TEST_F(ScrollableTextBoxTest, SetTextMeasuresInTheConfiguredFont) {
    make("", false);
    ASSERT_EQ(box->fontName, ui.renderInterface().mainFontName());
    std::string text;
    for (int i = 0; i < 6; ++i) text += paragraph;
    box->setText(text);
    ui.step();
    const TextMeasure inFont = measureUIText(&ui.renderInterface(), box->fontName, text, false, box->clipWidth);
    const TextMeasure other = measureUIText(&ui.renderInterface(), "EBGaramond-Regular_64", text, false, box->clipWidth);
    ASSERT_NE(inFont.height, other.height) << "the fixture needs fonts that measure differently";
    EXPECT_FLOAT_EQ(box->textHeight, inFont.height);
    EXPECT_FLOAT_EQ(box->scrollBar->maxValue, box->clipTopLeft[1] + inFont.height + box->scrollStep);
    EXPECT_EQ(UIHarness::stringOf(box->textObject), text);
}

} // namespace

namespace {

TEST_F(ScrollableTextBoxTest, AnEditableBoxShowsTypedMarkupCharactersButKeepsItsLineBreaks) {
    // Text from a file, then typed: both are the player's and show as they are.
    make("Notes <b>", true);
    EXPECT_EQ(countDrawnCharacters(UIHarness::stringOf(box->textObject)), 9u);
    focus();
    ui.typeString(" Bob <rogue> {x} [y]");
    press(key(textentry::keyReturn, '\r'));
    ui.typeString("[*z]");
    ui.step();
    ASSERT_EQ(box->text, "Notes <b> Bob <rogue> {x} [y]\\n[*z]");
    const std::string drawn = UIHarness::stringOf(box->textObject);
    EXPECT_EQ(countDrawnCharacters(drawn), box->text.size() - 2) << "all but the line break's two characters";
    EXPECT_EQ(UIHarness::unsignedOf(box->textObject, "cursorLetterPosition"), drawn.size());
    // A read-only box shows the program's own text with its markup.
    ui.windowManager().removeWindow(box);
    ui.step();
    make("[*Roll Results] <rx>", false);
    EXPECT_EQ(countDrawnCharacters(UIHarness::stringOf(box->textObject)), 14u);
}

} // namespace
