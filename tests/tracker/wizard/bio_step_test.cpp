// The biography step: the name gate of Next Step, the age and weight boxes refilled with "0" and
// read as all-digit numbers only, and Next Step copying every field into the character.
#include <gtest/gtest.h>

#include <list>
#include <memory>
#include <string>

#include "support/ui_harness.h"
#include "tracker/wizard/bravui_create_bio_information.h"
#include "tracker/wizard/class_and_route_data.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_scrollable_text_box.h"
#include "ui/text_entry.h"
#include "ui/window_manager.h"

namespace {

class BioStepTest : public ::testing::Test {
protected:
    BioStepTest() {
        registerLineHeight(ui);
        const float tl[2] = {-0.75f, 0.9f}, br[2] = {0.75f, -0.7f};
        step = ui.addWindow(new BRAVUICreateBioInformation(0, &ui.context(), ui.theme(), tl, br,
                                                           "Step 3: Complete biographical information",
                                                           character.get()),
                            true);
        ui.record(step->windowSignal);
        ui.step();
    }
    void typeInto(GameUIEditableTextLineBox& box, const std::string& text) {
        ui.clickElement(box);
        ui.step();
        ASSERT_TRUE(box.active) << box.name;
        box.setText("");
        ui.step();
        ui.typeQuickly(text);
        ui.step();
        ui.step();
    }
    void pressNextStep() {
        ui.clickElement(*step->nextStepButton);
        ui.step();
    }

    std::unique_ptr<RulesCatalogues> rules = loadWizardRules();
    std::unique_ptr<CharacterSheet> character = makeCharacter(*rules, 12);
    UIHarness ui;
    BRAVUICreateBioInformation* step = nullptr;
};

TEST_F(BioStepTest, StartsWithTheSpecifiedFieldsAndNextStepLocked) {
    EXPECT_EQ(step->title, "Step 3: Complete biographical information");
    EXPECT_EQ(step->name, "createAttributesWindow");
    EXPECT_EQ(step->alignmentCombo->text, "Lawful");
    EXPECT_EQ(std::list<std::string>(step->alignmentCombo->options),
              (std::list<std::string>{"Lawful", "Neutral", "Chaotic"}));
    EXPECT_EQ(step->ageBox->text, "0");
    EXPECT_EQ(step->weightBox->text, "0");
    EXPECT_EQ(UIHarness::stringOf(step->ageBox->textObject), "0") << "shown in the box's font";
    EXPECT_EQ(UIHarness::stringOf(step->weightBox->textObject), "0");
    EXPECT_TRUE(step->ageBox->numericOnly);
    EXPECT_TRUE(step->weightBox->numericOnly);
    EXPECT_TRUE(step->nameBox->text.empty());
    EXPECT_TRUE(step->nextStepButton->disabled);
    for (const char* label : {"[*Character Name]", "[*Alignment]", "[*Age]", "[*Weight]", "[*Belief]", "[*Instinct]",
                              "[*Opinion]", "[*Biography]"}) {
        EXPECT_NE(ui.objectWithString(label), nullptr) << label;
    }
}

TEST_F(BioStepTest, AnEmptyOrErasedNameLocksNextStep) {
    pressNextStep();
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "nextStep"), 0u);
    typeInto(*step->nameBox, "Al");
    EXPECT_FALSE(step->nextStepButton->disabled);
    ui.tapKey(textentry::keyBack);
    ui.tapKey(textentry::keyBack);
    ui.step();
    EXPECT_TRUE(step->nameBox->text.empty());
    EXPECT_TRUE(step->nextStepButton->disabled);
    pressNextStep();
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "nextStep"), 0u);
    EXPECT_EQ(character->name, "Default Character");
}

TEST_F(BioStepTest, ANameOfOnlySpacesIsNoName) {
    typeInto(*step->nameBox, "   ");
    EXPECT_EQ(step->nameBox->text, "   ");
    EXPECT_TRUE(step->nextStepButton->disabled);
    pressNextStep();
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "nextStep"), 0u);
    EXPECT_EQ(character->name, "Default Character");
    typeInto(*step->nameBox, "  Al ");
    EXPECT_FALSE(step->nextStepButton->disabled);
    pressNextStep();
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "nextStep"), 1u);
    EXPECT_EQ(character->name, "  Al ");
}

TEST_F(BioStepTest, AnEmptiedNumberBoxGetsZeroBackWhenItLosesTheFocus) {
    for (GameUIEditableTextLineBox* box : {step->ageBox, step->weightBox}) {
        SCOPED_TRACE(box->name);
        ui.clickElement(*box);
        ui.step();
        ASSERT_TRUE(box->active);
        ui.tapKey(textentry::keyBack);
        ui.tapKey(textentry::keyDelete);
        ui.step();
        ASSERT_EQ(box->text, "");
        ui.clickElement(*step->nameBox);
        ui.step();
        EXPECT_EQ(box->text, "0");
    }
}

TEST_F(BioStepTest, AgeAndWeightAreReadAsAllDigitTextOnly) {
    struct Case {
        const char* text;
        std::int32_t value;
    };
    const Case cases[] = {{"0", 0},          {"42", 42},       {"007", 7},          {"-5", 0},
                          {"2147483647", 2147483647},          {"2147483648", 2147483647},
                          {"99999999999", 2147483647},         {"12.5", 0},         {"3 ", 0}, {"", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(BRAVUICreateBioInformation::readNumberBox(c.text), c.value);
    }
    // And through the boxes.
    typeInto(*step->nameBox, "Sir Bob 2");
    step->ageBox->setText("-5");
    step->weightBox->setText("99999999999");
    ui.step();
    pressNextStep();
    EXPECT_EQ(character->age, 0);
    EXPECT_EQ(character->weight, 2147483647);
}

TEST_F(BioStepTest, NextStepCopiesEveryFieldOnceAndReports) {
    typeInto(*step->nameBox, "Sir Bob 2");
    typeInto(*step->ageBox, "34");
    typeInto(*step->weightBox, "180");
    chooseOption(ui, *step->alignmentCombo, 2);
    typeInto(*step->beliefBox, "Oaths bind");
    typeInto(*step->instinctBox, "Draw first");
    typeInto(*step->opinionBox, "Mages lie");
    ui.clickElement(*step->bioBox);
    ui.step();
    ui.typeQuickly("Born at sea");
    ui.step();
    EXPECT_EQ(character->name, "Default Character") << "nothing is written before Next Step";
    character->saved = true;
    // Two presses before the wizard closes the window copy once.
    pressNextStep();
    pressNextStep();
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "nextStep"), 1u);
    EXPECT_EQ(character->name, "Sir Bob 2");
    EXPECT_EQ(character->age, 34);
    EXPECT_EQ(character->weight, 180);
    EXPECT_EQ(character->alignment, "Chaotic");
    EXPECT_EQ(character->alignmentCode, 2);
    EXPECT_EQ(character->belief, "Oaths bind");
    EXPECT_EQ(character->instinct, "Draw first");
    EXPECT_EQ(character->opinion, "Mages lie");
    EXPECT_EQ(character->biography, "Born at sea");
    EXPECT_FALSE(character->saved);
    EXPECT_TRUE(step->nextStepButton->disabled);
}

} // namespace
