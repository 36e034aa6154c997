// The attributes step with a seeded generator: rolled sets, typed scores written into the
// character, and the "Next Step" gate.
#include <gtest/gtest.h>

#include <array>

#include "rules/character_class_catalogue.h"
#include "rules/character_sheet.h"
#include "rules/equipment_catalogue.h"
#include "rules/proficiency_catalogue.h"
#include "rules/spell_catalogue.h"
#include "support/ui_harness.h"
#include "tracker/bravui_create_attributes.h"
#include "tracker/ui_attribute_entry_line.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"

namespace {

constexpr std::uint32_t seed = 20261210;

class AttributesStepTest : public ::testing::Test {
protected:
    AttributesStepTest()
        : classes("", nullptr, nullptr), proficiencies(""), equipment(""), spells(""),
          character(nullptr, classes, proficiencies, equipment, spells) {
        const float tl[2] = {-0.5f, 0.9f}, br[2] = {0.5f, -0.7f};
        step = ui.addWindow(new BRAVUICreateAttributes(0, &ui.context(), ui.theme(), tl, br, &character));
        step->random = RandomSource(seed);
        ui.record(step->windowSignal);
    }

    void typeIntoRow(int row, const std::string& text) {
        GameUIEditableTextLineBox* box = step->rows[row]->valueBox;
        box->setText("");
        ui.step();
        ui.clickElement(*box);
        ui.step();
        ASSERT_TRUE(box->active) << row;
        ui.typeQuickly(text);
        // The step acts on the row's report one update later, and retests after that.
        ui.step();
        ui.step();
    }

    std::array<int, 6> currentScores() const {
        std::array<int, 6> scores{};
        for (int i = 0; i < 6; ++i) scores[i] = character.attributes[i].current;
        return scores;
    }

    // The set a twin generator gives: three dice per score, sets redrawn until one reaches 9.
    static std::array<int, 6> twinSet(RandomSource& twin) {
        std::array<int, 6> scores{};
        bool usable = false;
        while (!usable) {
            for (int& score : scores) {
                const std::uint32_t a = twin.draw(), b = twin.draw(), c = twin.draw();
                score = static_cast<int>(a % 6 + b % 6 + c % 6 + 3);
                usable = usable || score >= 9;
            }
        }
        return scores;
    }

    UIHarness ui;
    CharacterClassCatalogue classes;
    ProficiencyCatalogue proficiencies;
    EquipmentCatalogue equipment;
    SpellCatalogue spells;
    CharacterSheet character;
    BRAVUICreateAttributes* step = nullptr;
};

TEST_F(AttributesStepTest, BuildsSixRowsFromTheCharacterAndStartsLocked) {
    const char* names[] = {"strength", "intelligence", "wisdom", "dexterity", "constitution", "charisma"};
    EXPECT_EQ(step->name, "createAttributesWindow");
    EXPECT_EQ(step->title, "Step 1: Create Attributes");
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(step->rows[i]->name, names[i]);
        EXPECT_EQ(step->rows[i]->valueBox->text, "3");
        EXPECT_FALSE(step->rows[i]->valueBox->getToolTipText().empty());
        EXPECT_GT(UIHarness::layerOf(step->rows[i]->valueBox->frameObject), step->depth);
        EXPECT_GT(UIHarness::layerOf(step->rows[i]->descriptionLabel->textBox), step->depth);
    }
    EXPECT_EQ(step->rerollButton->name, "rerollStatsButton");
    EXPECT_EQ(step->nextStepButton->name, "rerollStatsButton");
    EXPECT_EQ(step->nextStepButton->caption, "Next Step");
    EXPECT_TRUE(step->nextStepButton->disabled);
}

TEST_F(AttributesStepTest, RerollClickGivesTheTwinGeneratorsSetInCharacterAndRows) {
    RandomSource twin(seed);
    const std::array<int, 6> expected = twinSet(twin);
    character.saved = true;
    ui.clickElement(*step->rerollButton);
    ui.step();
    EXPECT_EQ(currentScores(), expected);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(character.attributes[i].natural, expected[i]);
        EXPECT_EQ(step->rows[i]->valueBox->text, std::to_string(expected[i]));
        const int modifier = character.getModifier(expected[i]);
        EXPECT_EQ(step->rows[i]->modifierLabel->text, (modifier > 0 ? "+" : "") + std::to_string(modifier));
    }
    EXPECT_FALSE(character.saved);
    EXPECT_FALSE(step->nextStepButton->disabled);
}

TEST_F(AttributesStepTest, EveryRolledSetIsThreeDicePerScoreWithOneAtLeastNine) {
    for (int roll = 0; roll < 1000; ++roll) {
        step->rerollPending = 1;
        ui.step();
        const std::array<int, 6> scores = currentScores();
        bool usable = false;
        for (int score : scores) {
            ASSERT_GE(score, 3) << roll;
            ASSERT_LE(score, 18) << roll;
            usable = usable || score >= 9;
        }
        ASSERT_TRUE(usable) << roll;
    }
}

TEST_F(AttributesStepTest, TypedScoresGateNextStep) {
    step->rerollPending = 1;
    ui.step();
    ui.step();
    ASSERT_FALSE(step->nextStepButton->disabled);
    for (int i = 0; i < 6; ++i) typeIntoRow(i, std::to_string(3 + i));
    EXPECT_EQ(currentScores(), (std::array<int, 6>{3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(character.attributes[5].natural, 8);
    EXPECT_TRUE(step->nextStepButton->disabled);

    typeIntoRow(2, "9");
    EXPECT_EQ(character.attributes[2].current, 9);
    EXPECT_FALSE(step->nextStepButton->disabled);

    // Typed above the range, the row cuts it before it reaches the character.
    typeIntoRow(0, "40");
    EXPECT_EQ(character.attributes[0].current, 18);
    EXPECT_EQ(step->rows[0]->modifierLabel->text,
              (character.getModifier(18) > 0 ? "+" : "") + std::to_string(character.getModifier(18)));
}

TEST_F(AttributesStepTest, RowHoldingANonDigitWritesZero) {
    step->rows[4]->valueBox->setText("-");
    typeIntoRow(0, "12");
    EXPECT_EQ(character.attributes[0].current, 12);
    EXPECT_EQ(character.attributes[4].current, 0);
    EXPECT_EQ(character.attributes[4].natural, 0);
}

TEST_F(AttributesStepTest, NextStepReportsOnceEnabled) {
    ui.clickElement(*step->nextStepButton);
    ui.step();
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "nextStep"), 0u);
    step->rerollPending = 1;
    ui.step();
    ui.step();
    ui.clickElement(*step->nextStepButton);
    ui.step();
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "nextStep"), 1u);
}

} // namespace
