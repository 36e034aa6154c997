// The dice roller through the harness: the history text, seeded rolls, the sign toggles, the
// validation of the count and modifier boxes, and the ways the window asks to be closed.
#include <gtest/gtest.h>

#include "support/ui_harness.h"
#include "tracker/bravui_dice_roller_line.h"
#include "tracker/bravui_dice_roller_window.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_scrollable_text_box.h"
#include "ui/game_ui_toggle_button.h"
#include "ui/game_ui_toggle_group.h"
#include "ui/text_entry.h"

namespace {

DiceRoll record(const char* label, std::vector<int> rolls, int modifier) {
    DiceRoll roll;
    roll.label = label;
    roll.count = static_cast<unsigned>(rolls.size());
    roll.rolls = std::move(rolls);
    roll.modifier = modifier;
    roll.total = modifier;
    for (int die : roll.rolls) roll.total += die;
    return roll;
}

TEST(DiceHistoryText, MatchesTheRollsByteForByte) {
    struct Case {
        DiceRoll roll;
        std::string text;
    };
    const Case cases[] = {
        {record("D6", {3, 5}, 1), "[*Roll Results] \n\nRoll (2D6)+1: \n3, 5+1\nTotal: 9\n\n"},
        {record("D6", {3, 5}, -1), "[*Roll Results] \n\nRoll (2D6)-1: \n3, 5-1\nTotal: 7\n\n"},
        {record("D20", {17}, 0), "[*Roll Results] \n\nRoll (1D20)+0: \n17+0\nTotal: 17\n\n"},
        {record("D4", {}, -3), "[*Roll Results] \n\nRoll (0D4)-3: \n-3\nTotal: -3\n\n"},
    };
    for (const Case& c : cases) {
        DiceRoll roll = c.roll;
        EXPECT_EQ(BRAVUIDiceRollerWindow::historyText({&roll}), c.text);
    }
    EXPECT_EQ(BRAVUIDiceRollerWindow::historyText({}), "[*Roll Results] \n\n");
}

class DiceRollerTest : public ::testing::Test {
protected:
    DiceRollerTest() {
        const float tl[2] = {-0.95f, 0.9f}, br[2] = {0.95f, -0.7f};
        roller = ui.addWindow(new BRAVUIDiceRollerWindow(0, &ui.context(), ui.theme(), "Dice Roller", tl, br, 1), true);
        for (int i = 0; i < BRAVUIDiceRollerWindow::rowCount; ++i) {
            roller->rows[i]->random = RandomSource(100 + static_cast<std::uint32_t>(i));
        }
        ui.record(roller->windowSignal);
        ui.step();
    }

    BRAVUIDiceRollerLine& row(const std::string& label) {
        for (BRAVUIDiceRollerLine* line : roller->rows) {
            if (line->label == label) return *line;
        }
        throw std::runtime_error("no row " + label);
    }

    void typeInto(GameUIEditableTextLineBox& box, const std::string& text) {
        box.setText("");
        ui.step();
        ui.clickElement(box);
        ui.step();
        ASSERT_TRUE(box.active);
        ui.typeQuickly(text);
        ui.step();
    }

    // Letters cannot be typed into a numeric box, but a paste puts in whatever the clipboard holds.
    void pasteInto(GameUIEditableTextLineBox& box, const std::string& text) {
        box.setText("");
        ui.step();
        ui.clickElement(box);
        ui.step();
        ASSERT_TRUE(box.active);
        ui.paste(text);
        ui.step();
        ASSERT_TRUE(box.active) << "no key but the paste";
    }

    void roll(BRAVUIDiceRollerLine& line) {
        ui.clickElement(*line.rollButton);
        // The row rolls, then the window collects the record at its next update.
        ui.step();
        ui.step();
    }

    std::string history() const { return roller->historyBox->text; }

    UIHarness ui;
    BRAVUIDiceRollerWindow* roller = nullptr;
};

TEST_F(DiceRollerTest, OpensWithEveryRowReady) {
    EXPECT_EQ(roller->name, "spellsPickerWindow");
    for (const char* title : {"[*Die]", "[*Number]", "[*+/-]", "[*Modifier]", "[*Results]"}) {
        EXPECT_NE(ui.objectWithString(title), nullptr) << title;
    }
    const char* labels[] = {"D4", "D6", "D8", "D10", "D12", "D20"};
    const char* names[] = {"d4rollerLine", "d6rollerLine", "d6rollerLine", "d10rollerLine", "d12rollerLine",
                           "d20rollerLine"};
    const std::uint32_t sides[] = {4, 6, 8, 10, 12, 20};
    for (int i = 0; i < BRAVUIDiceRollerWindow::rowCount; ++i) {
        const BRAVUIDiceRollerLine& line = *roller->rows[i];
        EXPECT_EQ(line.label, labels[i]);
        EXPECT_EQ(line.name, names[i]);
        EXPECT_EQ(line.sides, sides[i]);
        EXPECT_EQ(line.countBox->text, "1");
        EXPECT_EQ(line.modifierBox->text, "0");
        EXPECT_EQ(line.modifierBox->name, "attributeDisplay");
        EXPECT_EQ(line.resultBox->text, "0");
        EXPECT_TRUE(line.plusToggle->active);
        EXPECT_FALSE(line.minusToggle->active);
        EXPECT_EQ(line.signToggleGroup->selected, line.plusToggle);
        EXPECT_EQ(line.plusToggle->name, "plusOrMinusToggleGroup");
        // Drawn on the window's own layer, the row would vanish under the window's frame.
        EXPECT_GT(UIHarness::layerOf(line.countBox->frameObject), roller->depth + 1);
        EXPECT_GT(UIHarness::layerOf(line.nameLabel->textBox), roller->depth + 1);
    }
    EXPECT_NE(ui.objectWithString("<id='TitleBarText'[*Results history]>"), nullptr);
    EXPECT_EQ(roller->clearButton->caption, "Clear History");
    EXPECT_EQ(roller->finishButton->caption, "Finish");
    EXPECT_EQ(roller->finishButton->name, "finishsButton");
    ASSERT_NE(roller->closeButton, nullptr);
    EXPECT_EQ(history(), "");
}

// The column titles stand side by side: each fits its column in the font it is drawn in, so
// "Number" no longer runs under "+/-" at 1024 x 768.
TEST(DiceRollerTitles, EachColumnTitleFitsItsColumnAt1024x768) {
    UIHarness::Options options;
    options.width = 1024;
    options.height = 768;
    UIHarness ui(options);
    const float tl[2] = {-0.95f, 0.9f}, br[2] = {0.95f, -0.7f};
    ui.addWindow(new BRAVUIDiceRollerWindow(0, &ui.context(), ui.theme(), "Dice Roller", tl, br, 1), true);
    ui.step();
    bool shrunk = false;
    for (const char* name : {"dieTitleLabel", "numberTitleLabel", "plusMinusTitleLabel", "modifierTitleLabel",
                             "resultsTitleLabel"}) {
        SCOPED_TRACE(name);
        auto* label = ui.find<GameUILabel>(name);
        ASSERT_NE(label, nullptr);
        const std::string font = UIHarness::stringOf(label->textBox, "font");
        TextMeasure size;
        ui.renderInterface().measureText(size, font, label->text, true, 20000.0f);
        EXPECT_LE(size.width, label->absBottomRight[0] - label->absTopLeft[0]) << font;
        if (font != ui.renderInterface().mainFontName()) {
            shrunk = true;
            EXPECT_NE(UIHarness::stringOf(label->textBox, "boldFont"), ui.renderInterface().boldFontName())
                << "its bold words shrink with it";
        }
    }
    EXPECT_TRUE(shrunk) << "\"Number\" is wider than its column at the main size";
}

TEST_F(DiceRollerTest, SeededRollGivesTheTwinGeneratorsDice) {
    BRAVUIDiceRollerLine& d8 = row("D8");
    d8.random = RandomSource(7);
    typeInto(*d8.countBox, "4");
    typeInto(*d8.modifierBox, "2");
    roll(d8);

    RandomSource twin(7);
    DiceRoll expected = record("D8", {}, 2);
    for (int i = 0; i < 4; ++i) expected.rolls.push_back(static_cast<int>(twin.draw() % 8 + 1));
    expected.count = 4;
    expected.total = 2;
    for (int die : expected.rolls) expected.total += die;

    ASSERT_NE(d8.latestRoll, nullptr);
    EXPECT_EQ(d8.latestRoll->rolls, expected.rolls);
    EXPECT_EQ(d8.resultBox->text, std::to_string(expected.total));
    EXPECT_EQ(history(), BRAVUIDiceRollerWindow::historyText({&expected}));
}

TEST_F(DiceRollerTest, MinusToggleSubtractsAndTurnsPlusOff) {
    BRAVUIDiceRollerLine& d6 = row("D6");
    typeInto(*d6.modifierBox, "5");
    ui.clickElement(*d6.minusToggle);
    ui.step();
    EXPECT_TRUE(d6.minusToggle->active);
    EXPECT_FALSE(d6.plusToggle->active);
    roll(d6);
    ASSERT_NE(d6.latestRoll, nullptr);
    EXPECT_EQ(d6.latestRoll->modifier, -5);
    EXPECT_EQ(d6.latestRoll->total, d6.latestRoll->rolls.at(0) - 5);

    ui.clickElement(*d6.plusToggle);
    ui.step();
    EXPECT_TRUE(d6.plusToggle->active);
    EXPECT_FALSE(d6.minusToggle->active);
    roll(d6);
    EXPECT_EQ(d6.latestRoll->modifier, 5);

    // Subtracting nothing still prints as "+0".
    typeInto(*d6.modifierBox, "0");
    ui.clickElement(*d6.minusToggle);
    ui.step();
    roll(d6);
    const std::string die = std::to_string(d6.latestRoll->rolls.at(0));
    EXPECT_EQ(history().find("[*Roll Results] \n\nRoll (1D6)+0: \n" + die + "+0\nTotal: " + die + "\n\n"), 0u);
}

TEST_F(DiceRollerTest, HistoryListsNewestFirstAndClearLeavesOnlyLaterRolls) {
    roll(row("D6"));
    roll(row("D20"));
    const std::string both = history();
    const std::size_t d20 = both.find("Roll (1D20)+0: \n");
    const std::size_t d6 = both.find("Roll (1D6)+0: \n");
    ASSERT_NE(d20, std::string::npos);
    ASSERT_NE(d6, std::string::npos);
    EXPECT_LT(d20, d6);

    ui.clickElement(*roller->clearButton);
    ui.step();
    EXPECT_EQ(history(), "");
    for (BRAVUIDiceRollerLine* line : roller->rows) {
        EXPECT_TRUE(line->history.empty());
        EXPECT_EQ(line->latestRoll, nullptr);
    }
    BRAVUIDiceRollerLine& d12 = row("D12");
    roll(d12);
    EXPECT_EQ(history(), BRAVUIDiceRollerWindow::historyText({d12.latestRoll}));
}

TEST_F(DiceRollerTest, BoxesAreValidatedBeforeTheRoll) {
    struct Case {
        bool countBox;
        bool pasted;
        std::string typed;
        std::string shown;
    };
    const Case cases[] = {
        {true, false, "0", "1"},           {true, true, "abc", "1"},
        {true, false, "-", "1"},           {true, false, ".", "1"},
        {true, false, "1000", "999"},      {true, false, "99999999999", "999"},
        {true, true, "4294967297", "999"}, {true, false, "12", "12"},
        {true, true, "0", "1"},            {true, true, "7", "7"},
        {false, false, "1000", "999"},     {false, false, "99999999999", "999"},
        {false, false, ".", "0"},          {false, true, "x1", "0"},
        {false, false, "-2", "0"},         {false, false, "3", "3"},
    };
    BRAVUIDiceRollerLine& d10 = row("D10");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        GameUIEditableTextLineBox& box = c.countBox ? *d10.countBox : *d10.modifierBox;
        if (c.pasted) {
            pasteInto(box, c.typed);
        } else {
            typeInto(box, c.typed);
        }
        EXPECT_EQ(box.text, c.shown);
    }
}

TEST_F(DiceRollerTest, EmptyCountRollsNoDiceAndTotalsTheModifier) {
    BRAVUIDiceRollerLine& d4 = row("D4");
    typeInto(*d4.modifierBox, "6");
    d4.countBox->setText("");
    roll(d4);
    ASSERT_NE(d4.latestRoll, nullptr);
    EXPECT_TRUE(d4.latestRoll->rolls.empty());
    EXPECT_EQ(d4.latestRoll->total, 6);
    ui.clickElement(*d4.minusToggle);
    ui.step();
    roll(d4);
    EXPECT_EQ(d4.latestRoll->total, -6);
    EXPECT_EQ(d4.resultBox->text, "-6");
}

TEST_F(DiceRollerTest, FinishAndCloseButtonEachAskToClose) {
    ui.clickElement(*roller->finishButton);
    ui.step();
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "finish"), 1u);
    ui.clickElement(*roller->closeButton);
    ui.step();
    ASSERT_EQ(ui.events().size(), 2u);
    EXPECT_EQ(ui.events().back().name, "closeDialog");
}

} // namespace

// What the main menu does with the roller's signal: any event removes the window, records and all.
class RollerOwner : public sigslot::has_slots<> {
public:
    RollerOwner(UIHarness& ui, BRAVUIDiceRollerWindow* roller) : ui(ui), roller(roller) {
        roller->windowSignal.connect(this, &RollerOwner::onRollerEvent);
    }
    void onRollerEvent(UIEvent::Data&) { closePending = 1; }
    void update() {
        if (!closePending || !roller) return;
        closePending = 0;
        roller->windowSignal.disconnect(this);
        ui.windowManager().removeWindow(roller);
        roller = nullptr;
    }

    UIHarness& ui;
    BRAVUIDiceRollerWindow* roller;
    std::uint8_t closePending = 0;
};

TEST(DiceRollerOwner, EitherCloseRequestRemovesTheWindowWithItsRecords) {
    for (const bool useCloseButton : {false, true}) {
        SCOPED_TRACE(useCloseButton ? "X" : "Finish");
        UIHarness ui;
        const float tl[2] = {-0.95f, 0.9f}, br[2] = {0.95f, -0.7f};
        auto* roller = ui.addWindow(new BRAVUIDiceRollerWindow(0, &ui.context(), ui.theme(), "Dice Roller", tl, br, 1), true);
        RollerOwner owner(ui, roller);
        ui.step();
        ui.clickElement(*roller->rows[5]->rollButton);
        ui.step();
        ui.step();
        ASSERT_FALSE(roller->history.empty());
        ui.clickElement(useCloseButton ? static_cast<GameUIBaseElement&>(*roller->closeButton)
                                       : static_cast<GameUIBaseElement&>(*roller->finishButton));
        ui.step();
        owner.update();
        ui.step();
        EXPECT_EQ(owner.roller, nullptr);
        EXPECT_EQ(ui.findElement("spellsPickerWindow"), nullptr);
        EXPECT_EQ(ui.objectWithString("Finish"), nullptr);
    }
}
