// The wizard's route on its small rules tree: which step windows open, in which order and under
// which titles, for templates that leave different picks; closing one step and opening the next
// in the same frame; and only an event named exactly "nextStep" moving it on.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "support/ui_harness.h"
#include "tracker/bravui_create_attributes.h"
#include "tracker/wizard/brav_sub_state_character_creation.h"
#include "tracker/wizard/bravui_create_bio_information.h"
#include "tracker/wizard/bravui_pick_new_character_class.h"
#include "tracker/wizard/class_and_route_data.h"
#include "ui/game_ui_base_window.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_push_button.h"
#include "ui/window_manager.h"

namespace {

class RouteTest : public ::testing::Test {
protected:
    RouteTest() {
        registerLineHeight(ui);
        wizard = std::make_unique<BRAVSubStateCharacterCreation>(0, &ui.context(), &ui.windowManager(), rules.get(),
                                                                 character.get());
        ui.record(wizard->signal);
        noteActiveWindow();
    }
    // One frame as the main menu runs it: the windows, then the wizard.
    void frame() {
        ui.step();
        wizard->goToStep();
        noteActiveWindow();
    }
    void noteActiveWindow() {
        auto* window = dynamic_cast<GameUIBaseWindow*>(ui.windowManager().activeWindow);
        if (window && (titles.empty() || titles.back() != window->title)) titles.push_back(window->title);
    }
    void finishAttributes() {
        ASSERT_NE(wizard->attributesWindow, nullptr);
        wizard->attributesWindow->nextStepPending = 1;
        frame();
    }
    // Chooses the class and template at those option positions and presses Next Step.
    void finishClass(std::size_t classPosition, std::size_t templatePosition) {
        BRAVUIPickNewCharacterClass* step = wizard->classWindow;
        ASSERT_NE(step, nullptr);
        chooseOption(ui, *step->classCombo, classPosition);
        chooseOption(ui, *step->templateCombo, templatePosition);
        ui.clickElement(*step->nextStepButton);
        wizard->goToStep();
        noteActiveWindow();
    }
    void finishBio() {
        BRAVUICreateBioInformation* step = wizard->bioWindow;
        ASSERT_NE(step, nullptr);
        step->nameBox->setText("Route");
        step->nameChangedPending = 1;
        frame();
        step->nextStepPending = 1;
        frame();
    }

    std::unique_ptr<RulesCatalogues> rules = loadWizardRules();
    std::unique_ptr<CharacterSheet> character = makeCharacter(*rules, 12);
    UIHarness ui;
    std::unique_ptr<BRAVSubStateCharacterCreation> wizard;
    std::vector<std::string> titles;
};

constexpr std::size_t warrior = 3;
constexpr std::size_t guard = 1;

TEST_F(RouteTest, NoPicksGoStraightFromTheClassToTheBiographyAsStepThree) {
    finishAttributes();
    finishClass(warrior, guard);
    EXPECT_EQ(character->unallocatedClassProficiencySlots, 0);
    EXPECT_EQ(character->unallocatedGeneralProficiencySlots, 0);
    EXPECT_EQ(character->countUnallocatedArcaneSpellSlots(), 0);
    finishBio();
    EXPECT_EQ(titles, (std::vector<std::string>{"Step 1: Create Attributes", "Step 2: Pick Class & Template",
                                                "Step 3: Complete biographical information"}));
    EXPECT_EQ(ui.countEvents(0, "finishedCharacter"), 1u);
    EXPECT_EQ(character->name, "Route");
    frame();
    EXPECT_EQ(ui.windowManager().windows.size(), 1u) << "only the tool tip is left";
}

TEST_F(RouteTest, OneStepClosesAndTheNextOpensInTheSameFrame) {
    BRAVUICreateAttributes* attributes = wizard->attributesWindow;
    attributes->nextStepPending = 1;
    ui.step();
    wizard->goToStep();
    const auto& removals = ui.windowManager().removalQueue;
    EXPECT_NE(std::find(removals.begin(), removals.end(), attributes), removals.end());
    EXPECT_EQ(wizard->attributesWindow, nullptr);
    ASSERT_NE(wizard->classWindow, nullptr);
    EXPECT_EQ(ui.windowManager().activeWindow, wizard->classWindow);
    EXPECT_EQ(wizard->stepNumber, 2u);
}

TEST_F(RouteTest, OnlyAnEventNamedExactlyNextStepMovesOn) {
    using Slot = void (BRAVSubStateCharacterCreation::*)(UIEvent::Data&);
    const Slot slots[] = {&BRAVSubStateCharacterCreation::onAttributesEvent,
                          &BRAVSubStateCharacterCreation::onClassEvent,
                          &BRAVSubStateCharacterCreation::onProficiencyEvent,
                          &BRAVSubStateCharacterCreation::onSpellsEvent, &BRAVSubStateCharacterCreation::onBioEvent};
    for (const char* name : {"nextStepX", "next", "", "NextStep", "closeDialog"}) {
        SCOPED_TRACE(name);
        UIEvent::Data event;
        event.type = UIEvent::Click;
        event.name = name;
        for (Slot slot : slots) (wizard.get()->*slot)(event);
        frame();
        EXPECT_FALSE(wizard->attributesDonePending || wizard->openClassStepPending || wizard->classDonePending ||
                     wizard->proficiencyStepPending || wizard->spellsDonePending || wizard->bioDonePending);
        EXPECT_NE(wizard->attributesWindow, nullptr);
        EXPECT_EQ(wizard->classWindow, nullptr);
        EXPECT_EQ(wizard->bioWindow, nullptr);
        EXPECT_EQ(wizard->stepNumber, 1u);
    }
    UIEvent::Data event;
    event.name = "nextStep";
    wizard->onAttributesEvent(event);
    frame();
    EXPECT_NE(wizard->classWindow, nullptr);
}

} // namespace
