// The one-line text entry as a typist meets it: editing keys, the character filter, pastes, the
// "..." window of a long text, key repeat by the frame clock, and focus.
#include <gtest/gtest.h>

#include <random>

#include "render/text_markup.h"
#include "support/ui_harness.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/text_measure.h"
#include "ui/theme.h"

namespace {

const char* const font = "EBGaramond-Regular_48";
constexpr std::uint32_t keyA = 0x1E;

KeyEvent::Data key(std::uint32_t code, char character = 0, std::uint32_t action = KeyEvent::Pressed) {
    KeyEvent::Data event;
    event.action = action;
    event.scanCode = code;
    event.character = character;
    return event;
}

KeyEvent::Data ctrlV() {
    KeyEvent::Data event = key(textentry::keyV, '\x16');
    event.ctrl = true;
    return event;
}

class EditLineTest : public ::testing::Test {
protected:
    GameUIEditableTextLineBox* make(const std::string& text, bool numeric = false) {
        const float tl[2] = {-0.3f, 0.05f}, br[2] = {0.3f, -0.05f};
        box = ui.addWindow(new GameUIEditableTextLineBox(&ui.context(), ui.theme(), "nameBox", text, font, "Your name",
                                                         tl, br, nullptr, numeric));
        ui.record(box->eventSignal);
        return box;
    }
    // Clicks the box and lets the window manager hand it the edit focus.
    void focus() {
        ui.clickElement(*box);
        ui.step();
        ASSERT_TRUE(box->active);
        ui.clearEvents();
    }
    // Moves the cursor of the focused box with the arrow keys, as a typist does: to the start,
    // then at characters right. What the presses report is cleared.
    void placeCursor(std::int32_t at) {
        for (std::size_t i = 0; i < box->text.size(); ++i) ui.sendKey(key(textentry::keyLeft));
        for (std::int32_t i = 0; i < at; ++i) ui.sendKey(key(textentry::keyRight));
        ui.step();
        ASSERT_EQ(box->cursorPosition, at);
        ui.clearEvents();
    }
    // A click above the box ends the editing.
    void unfocus() {
        ui.click(0.0f, 0.9f);
        ui.step();
        ASSERT_FALSE(box->active);
    }
    std::string shown() const { return UIHarness::stringOf(box->textObject); }
    float width(const std::string& s) { return measureUIText(&ui.renderInterface(), font, s, true, 20000.0f).width; }

    UIHarness ui;
    GameUIEditableTextLineBox* box = nullptr;
};

TEST_F(EditLineTest, KeysEditTheTextAndEveryPressReports) {
    struct Case {
        const char* what;
        std::string text;
        std::int32_t cursor;
        KeyEvent::Data event;
        bool numeric;
        std::string expected;
        std::int32_t expectedCursor;
    };
    const Case cases[] = {
        {"insert", "abc", 1, key(keyA, 'x'), false, "axbc", 2},
        {"Back at 0", "abc", 0, key(textentry::keyBack), false, "abc", 0},
        {"Back inside", "abc", 2, key(textentry::keyBack), false, "ac", 1},
        {"Delete at the end", "abc", 3, key(textentry::keyDelete), false, "abc", 3},
        {"Delete at 0", "abc", 0, key(textentry::keyDelete), false, "bc", 0},
        {"Left at 0", "abc", 0, key(textentry::keyLeft), false, "abc", 0},
        {"Left inside", "abc", 2, key(textentry::keyLeft), false, "abc", 1},
        {"Right at the end", "abc", 3, key(textentry::keyRight), false, "abc", 3},
        {"Right at 0", "abc", 0, key(textentry::keyRight), false, "abc", 1},
        {"backslash gives a slash", "ab", 1, key(0x2B, '\\'), false, "a/b", 2},
        {"pound sign", "ab", 2, key(0x04, '\xA3'), false, "ab\xA3", 3},
        {"e acute refused", "ab", 2, key(0x12, '\xE9'), false, "ab", 2},
        {"euro sign refused", "ab", 2, key(0x05, '\x80'), false, "ab", 2},
        {"markup character", "ab", 0, key(0x1A, '['), false, "[ab", 1},
        {"numeric refuses a letter", "12", 2, key(keyA, 'a'), true, "12", 2},
        {"numeric takes a minus", "12", 1, key(0x0C, '-'), true, "1-2", 2},
        {"numeric takes a point", "1.2", 3, key(0x34, '.'), true, "1.2.", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        make(c.text, c.numeric);
        focus();
        placeCursor(c.cursor);
        KeyEvent::Data event = c.event;
        ui.sendKey(event);
        ui.step();
        EXPECT_EQ(box->text, c.expected);
        EXPECT_EQ(box->cursorPosition, c.expectedCursor);
        ASSERT_EQ(ui.events().size(), 1u);
        EXPECT_EQ(ui.events()[0].name, "keyPressed");
        EXPECT_EQ(ui.events()[0].type, UIEvent::Click);
        EXPECT_EQ(ui.events()[0].parentName, "nameBox");
        EXPECT_EQ(ui.events()[0].source, box);
        ui.windowManager().removeWindow(box);
        ui.step();
        ui.clearEvents();
    }
}

TEST_F(EditLineTest, ReturnReportsEnterThenLosesTheFocus) {
    make("Brenna");
    focus();
    KeyEvent::Data event = key(textentry::keyReturn, '\r');
    ui.sendKey(event);
    ASSERT_EQ(ui.events().size(), 1u);
    EXPECT_EQ(ui.events()[0].name, "enterPressed");
    ui.step();
    EXPECT_FALSE(box->active);
    ASSERT_EQ(ui.events().size(), 2u);
    EXPECT_EQ(ui.events()[1].name, "lostEditFocus");
    EXPECT_EQ(ui.events()[0].source, box);
    EXPECT_EQ(ui.events()[1].source, box);
    EXPECT_FALSE(UIHarness::boolOf(box->textObject, "hasEditCursor"));
    EXPECT_EQ(box->text, "Brenna");
}

TEST_F(EditLineTest, AReadOnlyBoxNeverTakesTheFocus) {
    make("fixed");
    box->editable = 0;
    ui.clickElement(*box);
    ui.stepSeconds(0.1f);
    EXPECT_FALSE(box->active);
    EXPECT_FALSE(UIHarness::boolOf(box->textObject, "hasEditCursor"));
    KeyEvent::Data event = key(keyA, 'a');
    EXPECT_FALSE(ui.sendKey(event) && box->text != "fixed");
    EXPECT_EQ(box->text, "fixed");
    EXPECT_TRUE(ui.events().empty());
}

TEST_F(EditLineTest, PasteFlattensLineBreaksInTextBoxesOnly) {
    struct Case {
        const char* what;
        bool numeric;
        KeyEvent::Data event;
        std::string clipboard;
        std::string expected;
    };
    KeyEvent::Data layoutCtrlV = key(0x2D, '\x16');
    layoutCtrlV.ctrl = true;
    const Case cases[] = {
        {"breaks and tabs", false, ctrlV(), "one\r\ntwo\tthree\nfour\rfive", "<one two three four five>"},
        {"Ctrl+V where the layout puts it", false, layoutCtrlV, "x\ny", "<x y>"},
        {"not filtered by the glyph set", false, ctrlV(), "\xE9", "<\xE9>"},
        {"numeric boxes take it as it is", true, ctrlV(), "1\n2a", "<1\n2a>"},
        {"empty clipboard", false, ctrlV(), "", "<>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        make("<>", c.numeric);
        focus();
        placeCursor(1);
        ui.osInterface().clipboard = c.clipboard;
        KeyEvent::Data event = c.event;
        ui.sendKey(event);
        ui.step();
        EXPECT_EQ(box->text, c.expected);
        EXPECT_EQ(box->cursorPosition, static_cast<std::int32_t>(c.expected.size()) - 1);
        // A paste reports what a typed character does; an empty clipboard pastes nothing.
        if (c.clipboard.empty()) {
            EXPECT_TRUE(ui.events().empty());
        } else {
            ASSERT_EQ(ui.events().size(), 1u);
            EXPECT_EQ(ui.events()[0].type, UIEvent::Click);
            EXPECT_EQ(ui.events()[0].name, "keyPressed");
            EXPECT_EQ(ui.events()[0].parentName, "nameBox");
            EXPECT_EQ(ui.events()[0].source, box);
        }
        ui.clearEvents();
        ui.windowManager().removeWindow(box);
        ui.step();
    }
}

// A text of varied characters, so that a wrong window shows as a wrong substring.
std::string sample(std::size_t length) {
    const std::string pattern = "Quick brown foxes jump over lazy dogs 0123456789 ";
    std::string out;
    while (out.size() < length) out += pattern;
    out.resize(length);
    return out;
}

TEST_F(EditLineTest, TextOfExactlyTheFittingCountShowsWhole) {
    make(sample(400));
    const std::uint32_t fitting = box->fittingCount;
    ASSERT_GT(fitting, 5u);
    ASSERT_LT(fitting, 400u);
    box->setText(sample(fitting));
    ui.step();
    EXPECT_EQ(shown(), sample(fitting));
    box->setText(sample(fitting + 1));
    ui.step();
    EXPECT_NE(shown().find("..."), std::string::npos);
}

TEST_F(EditLineTest, EllipsisWindowsFitAndKeepTheCursorInView) {
    make(sample(400));
    const std::size_t fitting = box->fittingCount;
    for (std::size_t length : {fitting + 1, fitting + 3, fitting * 3}) {
        const std::string text = sample(length);
        for (bool activeBox : {false, true}) {
            for (std::size_t cursor : {std::size_t{0}, length / 2, length}) {
                SCOPED_TRACE(::testing::Message() << "length " << length << " cursor " << cursor
                                                  << (activeBox ? " active" : " idle"));
                box->setText(text);
                // A new text puts the cursor of a focused box at its end.
                ui.step();
                if (activeBox) {
                    if (!box->active) focus();
                    placeCursor(static_cast<std::int32_t>(cursor));
                } else if (box->active) {
                    unfocus();
                }
                ui.step();
                const std::string s = shown();
                EXPECT_LE(width(s), box->innerWidth);
                ASSERT_NE(s.find("..."), std::string::npos);
                const std::size_t lead = s.rfind("...", 0) == 0 ? 3 : 0;
                const std::size_t trail = s.size() >= 3 && s.compare(s.size() - 3, 3, "...") == 0 ? 3 : 0;
                ASSERT_GE(s.size(), lead + trail);
                const std::string core = s.substr(lead, s.size() - lead - trail);
                EXPECT_GT(core.size(), 0u);
                if (!activeBox) {
                    // Idle: the tail of the text behind "...".
                    EXPECT_EQ(lead, 3u);
                    EXPECT_EQ(text.substr(text.size() - core.size()), core);
                    continue;
                }
                // Active: the shown cursor stands where the text's cursor is.
                const std::int64_t inCore = static_cast<std::int64_t>(box->displayCursorPosition) - lead;
                ASSERT_GE(inCore, 0);
                ASSERT_LE(inCore, static_cast<std::int64_t>(core.size()));
                const std::size_t start = cursor - static_cast<std::size_t>(inCore);
                EXPECT_EQ(text.substr(start, core.size()), core);
            }
        }
    }
    unfocus();
}

TEST_F(EditLineTest, RandomKeysFollowAStringAndCursorModel) {
    const std::string accepted = "abcXYZ 09\xA3<{[]*";
    const std::string refused = "\xE9\x80\x01\x7F";
    const std::string pastes[] = {"pq", "a\r\nb", "\tq\n", "\xE9"};
    make("");
    for (std::uint32_t seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        box->setText("");
        focus();
        std::mt19937 random(seed);
        std::string model;
        std::size_t cursor = 0;
        for (int i = 0; i < 1000; ++i) {
            const int kind = static_cast<int>(random() % 9);
            KeyEvent::Data event;
            switch (kind) {
            case 0:
            case 1:
            case 2: {
                const char c = accepted[random() % accepted.size()];
                event = key(keyA, c);
                model.insert(cursor++, 1, c);
                break;
            }
            case 3:
                event = key(keyA, refused[random() % refused.size()]);
                break;
            case 4:
                event = key(0x2B, '\\');
                model.insert(cursor++, 1, '/');
                break;
            case 5:
                event = key(random() % 2 ? textentry::keyLeft : textentry::keyRight);
                if (event.scanCode == textentry::keyLeft && cursor > 0) --cursor;
                if (event.scanCode == textentry::keyRight && cursor < model.size()) ++cursor;
                break;
            case 6:
                event = key(textentry::keyBack);
                if (cursor > 0) model.erase(--cursor, 1);
                break;
            case 7:
                event = key(textentry::keyDelete);
                if (cursor < model.size()) model.erase(cursor, 1);
                break;
            default: {
                const std::string& paste = pastes[random() % 4];
                ui.osInterface().clipboard = paste;
                std::string flat;
                for (std::size_t j = 0; j < paste.size(); ++j) {
                    if (paste[j] == '\r' && j + 1 < paste.size() && paste[j + 1] == '\n') continue;
                    flat += paste[j] == '\r' || paste[j] == '\n' || paste[j] == '\t' ? ' ' : paste[j];
                }
                model.insert(cursor, flat);
                cursor += flat.size();
                event = ctrlV();
                break;
            }
            }
            ASSERT_NO_THROW(ui.sendKey(event));
            ASSERT_NO_THROW(ui.step());
            ASSERT_EQ(box->text, model) << "key " << i;
            ASSERT_EQ(box->cursorPosition, static_cast<std::int32_t>(cursor)) << "key " << i;
            ASSERT_LE(width(shown()), box->innerWidth) << "key " << i << ": " << shown();
        }
    }
}

TEST_F(EditLineTest, HeldKeysRepeatByTheFrameClock) {
    for (std::uint8_t code : {std::uint8_t{keyA}, std::uint8_t{textentry::keyLeft}}) {
        SCOPED_TRACE(static_cast<int>(code));
        make(code == keyA ? "" : std::string(200, 'i'));
        focus();
        auto progress = [&] {
            return code == keyA ? box->text.size() : box->text.size() - static_cast<std::size_t>(box->cursorPosition);
        };
        std::vector<float> times;
        const std::size_t before = progress();
        std::size_t seen = before;
        ui.pressKey(code, 'k');
        for (int i = 0; i < 100; ++i) {
            if (progress() != seen) {
                seen = progress();
                times.push_back(ui.clock());
            }
            ui.step(0.01f);
            ui.poll();
        }
        ui.releaseKey(code);
        ASSERT_GE(times.size(), 5u);
        EXPECT_EQ(seen - before, times.size()) << "one step per repeat";
        const float second = times[1] - times[0];
        EXPECT_GE(second, 0.45f - 1e-3f);
        EXPECT_LE(second, 0.48f + 1e-3f);
        for (std::size_t i = 2; i < times.size(); ++i) {
            EXPECT_GE(times[i] - times[i - 1], 0.05f - 1e-3f) << i;
            EXPECT_LE(times[i] - times[i - 1], 0.07f + 1e-3f) << i;
        }
        ui.windowManager().removeWindow(box);
        ui.step();
    }
}

TEST_F(EditLineTest, AClickPlacesTheCursorWhereItLands) {
    make("abcdefgh");
    const float y = (box->absTopLeft[1] + box->absBottomRight[1]) * 0.5f;
    ui.click(box->textTopLeft[0] + 0.001f, y);
    ui.step();
    ASSERT_TRUE(box->active);
    EXPECT_EQ(box->cursorPosition, 0);
    EXPECT_EQ(box->getToolTipText(), "") << "no tool tip while editing";
    ui.click(box->absBottomRight[0] - 0.01f, y);
    ui.step();
    EXPECT_EQ(box->cursorPosition, 8);
    ui.clearEvents();
    ui.click(0.0f, 0.9f);
    ui.step();
    EXPECT_FALSE(box->active) << "a click elsewhere ends the editing";
    EXPECT_EQ(box->getToolTipText(), "Your name");
    ASSERT_EQ(ui.events().size(), 1u);
    EXPECT_EQ(ui.events()[0].name, "lostEditFocus");
}

TEST_F(EditLineTest, DisabledBoxesShowTheDisabledColoursAndIgnoreKeys) {
    make("abc");
    focus();
    auto themed = [&](Theme::Slot slot) {
        const float* c = (*ui.theme())[slot];
        return std::array<float, 4>{c[0], c[1], c[2], c[3]};
    };
    box->disable();
    EXPECT_EQ(UIHarness::colourOf(box->textObject), themed(Theme::TextDisabled));
    EXPECT_EQ(UIHarness::colourOf(box->frameObject), themed(Theme::WidgetDisabled));
    EXPECT_EQ(UIHarness::colourOf(box->frameObject, "borderColour"), themed(Theme::WidgetOutlineDisabled));
    KeyEvent::Data event = key(keyA, 'z');
    ui.sendKey(event);
    ui.step();
    EXPECT_EQ(box->text, "abc");
    box->disabled = 0;
    box->onEnabled();
    EXPECT_EQ(UIHarness::colourOf(box->textObject), themed(Theme::TextNormal));
    EXPECT_EQ(UIHarness::colourOf(box->frameObject, "borderColour2"), themed(Theme::WidgetOutlineNormal2));
}

} // namespace

// An owner may replace the text of the focused box; keys that arrive before the next update then
// meet a cursor that may lie past the new end.
TEST_F(EditLineTest, KeysAfterTheOwnerShortensTheFocusedTextEditTheNewText) {
    struct Case {
        const char* what;
        KeyEvent::Data event;
        std::string expected;
    };
    const Case cases[] = {
        {"insert", key(keyA, 'x'), "abx"},
        {"Back", key(textentry::keyBack), "a"},
        {"Delete", key(textentry::keyDelete), "ab"},
        {"Left", key(textentry::keyLeft), "ab"},
        {"Right", key(textentry::keyRight), "ab"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        make("Brenna the Bold");
        focus();
        placeCursor(12);
        box->setText("ab");
        ui.sendKey(c.event);
        ui.step();
        EXPECT_EQ(box->text, c.expected);
        EXPECT_LE(box->cursorPosition, static_cast<std::int32_t>(box->text.size()));
        ui.windowManager().removeWindow(box);
        ui.step();
        ui.clearEvents();
    }
}

namespace {

TEST_F(EditLineTest, TypedMarkupCharactersAreShownAndMeasuredAsTheyAre) {
    for (const std::string typed : {"Bob <rogue> {x} [y]", "a<b>.xml", "[*x]<id='TitleBarText'"}) {
        SCOPED_TRACE(typed);
        make("");
        focus();
        ui.typeString(typed);
        ui.step();
        ASSERT_EQ(box->text, typed);
        // The box is wide enough: the whole text, every character drawn, the cursor after the last.
        const std::string drawn = shown();
        EXPECT_EQ(countDrawnCharacters(drawn), box->text.size());
        EXPECT_EQ(drawn.find("..."), std::string::npos);
        EXPECT_EQ(UIHarness::unsignedOf(box->textObject, "cursorLetterPosition"), drawn.size());
        EXPECT_EQ(box->fittingCount, box->text.size());
        // A click before the first character puts the cursor there, counted in the text.
        ui.click(box->textTopLeft[0] + 0.001f, (box->absTopLeft[1] + box->absBottomRight[1]) * 0.5f);
        ui.step();
        EXPECT_EQ(box->cursorPosition, 0);
        ui.windowManager().removeWindow(box);
        ui.step();
    }
}

} // namespace
