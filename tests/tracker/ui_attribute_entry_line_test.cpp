// One ability-score row as the user types into it: the score is brought into 3..18 in the box,
// text that is not a score shows the held score again, changed scores are reported, and the
// modifier shows its sign.
#include <gtest/gtest.h>

#include "support/ui_harness.h"
#include "tracker/ui_attribute_entry_line.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_label.h"
#include "ui/text_entry.h"

namespace {

class AttributeRowTest : public ::testing::Test {
protected:
    AttributeRowTest() {
        const float tl[2] = {-0.5f, 0.1f}, br[2] = {0.5f, -0.1f};
        row = ui.addWindow(new UIAttributeEntryLine(0, &ui.context(), "Strength", 12, 0, "strength",
                                                    "How strong the character is", ui.theme(), tl, br, nullptr));
        ui.record(row->eventSignal);
    }

    // Empties the box, gives it the edit focus and types the text as one burst of keys.
    void typeIntoEmptyBox(const std::string& text) {
        row->valueBox->setText("");
        ui.step();
        ui.clickElement(*row->valueBox);
        ui.step();
        ASSERT_TRUE(row->valueBox->active);
        ui.clearEvents();
        ui.typeQuickly(text);
    }

    std::vector<std::uint32_t> acceptedValues() const {
        std::vector<std::uint32_t> values;
        for (const RecordedUIEvent& event : ui.events()) {
            if (event.type == UIEvent::AttributeAccepted && event.name == "strength") values.push_back(event.value);
        }
        return values;
    }

    UIHarness ui;
    UIAttributeEntryLine* row = nullptr;
};

TEST_F(AttributeRowTest, TypedTextEndsInTheBoxAsTheScoreTheRowHolds) {
    struct Case {
        std::string typed;
        // What the box shows while the edit goes on, and once Enter has ended it.
        std::string whileTyping;
        std::string shown;
        std::vector<std::uint32_t> events;
    };
    const Case cases[] = {
        {"25", "18", "18", {18}},
        {"7", "7", "7", {7}},
        {"18", "18", "18", {18}},
        // Below 3: shown and counted as 3 when the edit ends (until then a 1 may become 15).
        {"0", "0", "3", {3}},
        {"1", "1", "3", {3}},
        {"00", "00", "3", {3}},
        {"2", "2", "3", {3}},
        {"15", "15", "15", {15}},
        // Not a score: the box shows the held score again, and nothing changes.
        {"1.5", "12", "12", {}},
        {"-3", "12", "12", {}},
        {"", "", "12", {}},
        {"12", "12", "12", {}},
        // Too long for a 32-bit number: must not wrap round to a small or negative score.
        {"99999999999", "18", "18", {18}},
        {"4294967297", "18", "18", {18}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        row->setValue(12);
        typeIntoEmptyBox(c.typed);
        EXPECT_EQ(row->valueBox->text, c.whileTyping);
        ui.tapKey(textentry::keyReturn);
        ui.step();
        EXPECT_EQ(row->valueBox->text, c.shown);
        EXPECT_EQ(acceptedValues(), c.events);
        EXPECT_EQ(row->score(), std::stoi(c.shown));
    }
}

TEST_F(AttributeRowTest, AnEmptiedBoxShowsTheHeldScoreWhenTheFocusGoesElsewhere) {
    typeIntoEmptyBox("");
    ui.click(0.9f, 0.9f);
    ui.step();
    EXPECT_FALSE(row->valueBox->active);
    EXPECT_EQ(row->valueBox->text, "12");
    EXPECT_TRUE(acceptedValues().empty());
}

TEST_F(AttributeRowTest, ReadsOnlyAllDigitText) {
    struct Case {
        std::string text;
        bool numeric;
        int value;
    };
    const Case cases[] = {{"12", true, 12}, {"", false, 0}, {"1a", false, 0}, {"-3", false, 0}, {"\xB2", false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        row->valueBox->setText(c.text);
        EXPECT_EQ(row->hasNumericValue(), c.numeric);
        EXPECT_EQ(row->value(), c.value);
    }
}

TEST_F(AttributeRowTest, SetValueTakesOnlyScores) {
    EXPECT_EQ(row->valueBox->text, "12");
    row->setValue(0);
    row->setValue(19);
    row->setValue(-4);
    EXPECT_EQ(row->valueBox->text, "12");
    row->setValue(1);
    EXPECT_EQ(row->valueBox->text, "1");
    EXPECT_EQ(row->score(), 1);
    row->setValue(18);
    EXPECT_EQ(row->valueBox->text, "18");
}

TEST_F(AttributeRowTest, ModifierShowsItsSign) {
    const std::pair<int, const char*> cases[] = {{2, "+2"}, {0, "0"}, {-2, "-2"}, {-1, "-1"}, {13, "+13"}};
    for (const auto& [modifier, shown] : cases) {
        row->setModifierText(modifier);
        ui.step();
        EXPECT_EQ(row->modifierLabel->text, shown);
        EXPECT_EQ(UIHarness::stringOf(row->modifierLabel->textBox), shown);
    }
}

TEST(AttributeRowConstruction, OutOfRangeScoreStartsAtZero) {
    UIHarness ui;
    const float tl[2] = {-0.5f, 0.1f}, br[2] = {0.5f, -0.1f};
    for (const auto& [score, shown] : {std::pair{0, "0"}, std::pair{19, "0"}, std::pair{1, "1"}, std::pair{18, "18"}}) {
        auto* row = ui.addWindow(
            new UIAttributeEntryLine(0, &ui.context(), "Wisdom", score, -1, "wisdom", "", ui.theme(), tl, br, nullptr));
        EXPECT_EQ(row->valueBox->text, shown);
        EXPECT_EQ(row->valueBox->name, "attributeDisplay");
        EXPECT_EQ(row->modifierLabel->text, "-1");
        EXPECT_EQ(row->depth, row->valueBox->depth);
    }
}

} // namespace
