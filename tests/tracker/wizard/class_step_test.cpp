// The class and template step on the wizard's small rules tree: which classes are offered, the
// template box following the class, Next Step giving class then template once, and two records
// that share a display name.
#include <gtest/gtest.h>

#include <algorithm>
#include <list>
#include <string>
#include <vector>

#include "rules/character_class.h"
#include "support/ui_harness.h"
#include "tracker/wizard/bravui_pick_new_character_class.h"
#include "tracker/wizard/class_and_route_data.h"
#include "ui/game_ui_push_button.h"

namespace {

class ClassStepTest : public ::testing::Test {
protected:
    // Every score everyScore, but Wisdom wisdom when given.
    void open(int everyScore, int wisdom = 0) {
        registerLineHeight(ui);
        character = makeCharacter(*rules, everyScore);
        if (wisdom) character->attributes[CharacterSheet::Wisdom].current = wisdom;
        const float tl[2] = {-0.5f, 0.9f}, br[2] = {0.5f, -0.7f};
        step = ui.addWindow(new BRAVUIPickNewCharacterClass(0, &ui.context(), ui.theme(), tl, br, &rules->classes,
                                                            &rules->templates, character.get()),
                            true);
        ui.record(step->windowSignal);
        ui.step();
    }
    std::vector<std::string> options(const GameUIComboBox& combo) const {
        return {combo.options.begin(), combo.options.end()};
    }
    std::size_t adventuringCount() const {
        return static_cast<std::size_t>(std::count_if(character->proficiencies.begin(), character->proficiencies.end(),
                                                      [](const auto& p) { return p->id == "adventuring"; }));
    }

    std::unique_ptr<RulesCatalogues> rules = loadWizardRules();
    std::unique_ptr<CharacterSheet> character;
    UIHarness ui;
    BRAVUIPickNewCharacterClass* step = nullptr;
};

TEST_F(ClassStepTest, OffersTheEligibleClassesAndALockedTemplateBox) {
    open(12);
    EXPECT_EQ(step->name, "createAttributesWindow");
    EXPECT_EQ(step->title, "Step 2: Pick Class & Template");
    EXPECT_EQ(step->classCombo->text, "Pick A Class");
    EXPECT_EQ(options(*step->classCombo),
              (std::vector<std::string>{"Pick A Class", "Mystic", "Warrior", "Warrior"}));
    EXPECT_EQ(step->templateCombo->text, "Pick Class First");
    EXPECT_EQ(options(*step->templateCombo), (std::vector<std::string>{"Pick Class First"}));
    EXPECT_TRUE(step->templateCombo->disabled);
    EXPECT_TRUE(step->nextStepButton->disabled);
    EXPECT_EQ(step->nextStepButton->name, "rerollStatsButton");
    EXPECT_EQ(step->nextStepButton->caption, "Next Step");
}

TEST_F(ClassStepTest, ScoresThatAllowNoClassOfferOnlyThePlaceholder) {
    open(8);
    EXPECT_EQ(options(*step->classCombo), (std::vector<std::string>{"Pick A Class"}));
    chooseOption(ui, *step->classCombo, 0);
    EXPECT_TRUE(step->templateCombo->disabled);
    EXPECT_TRUE(step->nextStepButton->disabled);
    EXPECT_EQ(character->characterClass, nullptr);
}

TEST_F(ClassStepTest, AClassWithoutTemplatesIsNeverOffered) {
    // Hermit's scores, and Hermit alone: it has no template, so there is nothing to pick.
    open(8, 12);
    EXPECT_EQ(options(*step->classCombo), (std::vector<std::string>{"Pick A Class"}));
    EXPECT_TRUE(step->nextStepButton->disabled);
}

TEST_F(ClassStepTest, AnotherClassResetsTheTemplateAndThePlaceholderLocksItAgain) {
    open(12);
    chooseOption(ui, *step->classCombo, 2);
    EXPECT_EQ(options(*step->templateCombo),
              (std::vector<std::string>{"Pick A Template", "Guard", "Drifter", "Sentry"}));
    chooseOption(ui, *step->templateCombo, 1);
    EXPECT_FALSE(step->nextStepButton->disabled);

    chooseOption(ui, *step->classCombo, 1);
    EXPECT_EQ(step->templateCombo->text, "Pick A Template");
    EXPECT_EQ(options(*step->templateCombo), (std::vector<std::string>{"Pick A Template", "Novice"}));
    EXPECT_TRUE(step->nextStepButton->disabled) << "a template of the new class is needed";
    chooseOption(ui, *step->templateCombo, 1);
    EXPECT_FALSE(step->nextStepButton->disabled);

    chooseOption(ui, *step->classCombo, 0);
    EXPECT_EQ(step->chosenClass, nullptr);
    EXPECT_TRUE(step->templateCombo->disabled);
    EXPECT_EQ(step->templateCombo->text, "Pick Class First");
    EXPECT_TRUE(step->nextStepButton->disabled);
}

TEST_F(ClassStepTest, NextStepGivesTheClassThenTheTemplateOnceAndReports) {
    open(12);
    chooseOption(ui, *step->classCombo, 2);
    chooseOption(ui, *step->templateCombo, 1);
    ui.clearEvents();
    ui.clickElement(*step->nextStepButton);
    // A second press before the wizard closes the window gives nothing again.
    ui.clickElement(*step->nextStepButton);
    ui.step();
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "nextStep"), 1u);
    ASSERT_NE(character->characterClass, nullptr);
    EXPECT_EQ(character->characterClass->id, "warrior");
    EXPECT_EQ(adventuringCount(), 1u) << "the class is applied once";
    EXPECT_EQ(character->maximumHitPoints, 8) << "one d8, maximised, once";
    // Guard's two picks spent the class's two slots: the template came after the class.
    EXPECT_EQ(character->unallocatedClassProficiencySlots, 0);
    EXPECT_EQ(character->unallocatedGeneralProficiencySlots, 0);
    EXPECT_NE(character->findProficiency("swordplay", ""), nullptr);
    EXPECT_NE(character->findProficiency("tracking", ""), nullptr);
    EXPECT_EQ(character->wealth.current.gold, 1);
    EXPECT_FALSE(character->saved);
    EXPECT_TRUE(step->nextStepButton->disabled);
}

TEST_F(ClassStepTest, TheRecordBehindTheChosenOptionIsAppliedWhenDisplayNamesRepeat) {
    open(12);
    // The second "Warrior", then its second "Veteran".
    chooseOption(ui, *step->classCombo, 3);
    EXPECT_EQ(step->chosenClass->id, "warrior_b");
    EXPECT_EQ(options(*step->templateCombo),
              (std::vector<std::string>{"Pick A Template", "Veteran", "Veteran"}));
    chooseOption(ui, *step->templateCombo, 2);
    ui.clickElement(*step->nextStepButton);
    ui.step();
    ASSERT_NE(character->characterClass, nullptr);
    EXPECT_EQ(character->characterClass->id, "warrior_b");
    EXPECT_EQ(character->wealth.current.gold, 20);
}

} // namespace
