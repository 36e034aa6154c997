// The wizard's route on its small rules tree: which step windows open, in which order and under
// which titles, for templates that leave different picks; closing one step and opening the next
// in the same frame; and only an event named exactly "nextStep" moving it on.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/ui_harness.h"
#include "tracker/bravui_create_attributes.h"
#include "tracker/ui_attribute_entry_line.h"
#include "tracker/wizard/bravui_arcane_spell_picker.h"
#include "tracker/wizard/bravui_pick_proficiencies.h"
#include "tracker/wizard/brav_sub_state_character_creation.h"
#include "tracker/wizard/bravui_create_bio_information.h"
#include "tracker/wizard/bravui_pick_new_character_class.h"
#include "tracker/wizard/class_and_route_data.h"
#include "tracker/wizard/picker_steps.h"
#include "ui/game_ui_base_window.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_push_button.h"
#include "ui/text_entry.h"
#include "ui/window_manager.h"

namespace {

class RouteTest : public ::testing::Test {
protected:
    RouteTest() { registerLineHeight(ui); }
    // A new wizard over a new character of twelves.
    void begin() {
        character = makeCharacter(*rules, 12);
        wizard = std::make_unique<BRAVSubStateCharacterCreation>(0, &ui.context(), &ui.windowManager(), rules.get(),
                                                                 character.get());
        ui.clearEvents();
        ui.record(wizard->signal);
        titles.clear();
        noteActiveWindow();
    }
    // One frame as the main menu runs it: the windows, then the wizard.
    void frame() {
        ui.step();
        wizard->goToStep();
        noteActiveWindow();
    }
    // Also checks what every step window shares: the name owners compare, a "Next Step" named
    // "rerollStatsButton", and no close button, as there is no way out of the wizard.
    void noteActiveWindow() {
        auto* window = dynamic_cast<GameUIBaseWindow*>(ui.windowManager().activeWindow);
        if (!window || (!titles.empty() && titles.back() == window->title)) return;
        titles.push_back(window->title);
        SCOPED_TRACE(window->title);
        const bool spellStep = dynamic_cast<BRAVUIArcaneSpellPicker*>(window) != nullptr;
        EXPECT_EQ(window->name, spellStep ? "spellsPickerWindow" : "createAttributesWindow");
        EXPECT_TRUE(std::any_of(window->children.begin(), window->children.end(), [](GameUIBaseElement* child) {
            auto* button = dynamic_cast<GameUIPushButton*>(child);
            return button && button->name == "rerollStatsButton" && button->caption == "Next Step";
        }));
        EXPECT_EQ(window->closeButton, nullptr);
    }
    // Types text into a box as a user does: a click, the old text erased, the keys, a frame.
    void typeInto(GameUIEditableTextLineBox& box, const std::string& text) {
        ui.clickElement(box);
        ui.step();
        ASSERT_TRUE(box.active) << box.name;
        for (std::size_t i = 0; i < box.text.size() + 1; ++i) ui.tapKey(textentry::keyBack);
        for (std::size_t i = 0; i < box.text.size() + 1; ++i) ui.tapKey(textentry::keyDelete);
        ASSERT_EQ(box.text, "") << box.name;
        ui.typeQuickly(text);
        frame();
    }
    // Types another Strength and then the old one back (a typed score lets Next Step on, and the
    // scores stay the character's), then presses Next Step.
    void pressAttributesNextStep() {
        BRAVUICreateAttributes* step = wizard->attributesWindow;
        ASSERT_NE(step, nullptr);
        const std::int32_t strength = character->attributes[0].current;
        typeInto(*step->rows[0]->valueBox, std::to_string(strength + 1));
        ui.tapKey(textentry::keyReturn);
        frame();
        typeInto(*step->rows[0]->valueBox, std::to_string(strength));
        ui.tapKey(textentry::keyReturn);
        frame();
        ASSERT_EQ(character->attributes[0].current, strength);
        frame();
        ASSERT_FALSE(step->nextStepButton->disabled);
        ui.clickElement(*step->nextStepButton);
    }
    void finishAttributes() {
        pressAttributesNextStep();
        frame();
    }
    // Chooses the class and template at those option positions and presses Next Step. The rules
    // hand every pick a template leaves to the general list, so class-list picks are added here,
    // as the class step's result, before the wizard routes on.
    void finishClass(std::size_t classPosition, std::size_t templatePosition, std::int32_t classPicks = 0) {
        BRAVUIPickNewCharacterClass* step = wizard->classWindow;
        ASSERT_NE(step, nullptr);
        chooseOption(ui, *step->classCombo, classPosition);
        chooseOption(ui, *step->templateCombo, templatePosition);
        ui.clickElement(*step->nextStepButton);
        ASSERT_EQ(wizard->classDonePending, 1u);
        character->unallocatedClassProficiencySlots += classPicks;
        wizard->goToStep();
        noteActiveWindow();
    }
    // Spends every picker's picks as it comes and presses its Next Step, until the biography opens.
    void passPickers() {
        // The domain prompt a pick may open is no step of the route: frames without noting windows.
        const std::function<void()> run = [this] {
            ui.step();
            wizard->goToStep();
        };
        for (int guard = 0; guard < 10 && !wizard->bioWindow; ++guard) {
            if (wizard->proficiencyWindow) {
                pickersteps::finishProficiencyPicker(ui, *wizard->proficiencyWindow, run);
            } else if (wizard->spellWindow) {
                pickersteps::finishSpellPicker(ui, *wizard->spellWindow, run);
            }
            frame();
        }
    }
    void finishBio() {
        BRAVUICreateBioInformation* step = wizard->bioWindow;
        ASSERT_NE(step, nullptr);
        typeInto(*step->nameBox, "Route");
        ui.clickElement(*step->nextStepButton);
        frame();
    }

    std::unique_ptr<RulesCatalogues> rules = loadWizardRules();
    std::unique_ptr<CharacterSheet> character;
    UIHarness ui;
    std::unique_ptr<BRAVSubStateCharacterCreation> wizard;
    std::vector<std::string> titles;
};

constexpr std::size_t mystic = 1;
constexpr std::size_t warrior = 2;

TEST_F(RouteTest, OnlyTheStepsThatApplyOpenNumberedInOrderWithTheBiographyLast) {
    struct Case {
        const char* what;
        std::size_t classPosition;
        std::size_t templatePosition;
        std::int32_t classPicks;
        // Picks left by class and template: class list, general list, arcane slots.
        std::int32_t picks[3];
        std::vector<std::string> laterTitles;
    };
    const std::string classList = ": Pick or upgrade proficiencies from class list";
    const std::string generalList = ": Pick or upgrade proficiencies from general list";
    const std::string spells = ": Pick, or roll for, new arcane spells";
    const std::string bio = ": Complete biographical information";
    const Case cases[] = {
        {"Guard: nothing left", warrior, 1, 0, {0, 0, 0}, {"Step 3" + bio}},
        {"Drifter: two general picks", warrior, 2, 0, {0, 2, 0}, {"Step 3" + generalList, "Step 4" + bio}},
        {"Sentry: one of each list", warrior, 3, 1, {1, 1, 0},
         {"Step 3" + classList, "Step 4" + generalList, "Step 5" + bio}},
        {"Novice: a class pick and two spells", mystic, 1, 1, {1, 0, 2},
         {"Step 3" + classList, "Step 4" + spells, "Step 5" + bio}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        begin();
        finishAttributes();
        finishClass(c.classPosition, c.templatePosition, c.classPicks);
        EXPECT_EQ(character->unallocatedClassProficiencySlots, c.picks[0]);
        EXPECT_EQ(character->unallocatedGeneralProficiencySlots, c.picks[1]);
        EXPECT_EQ(character->countUnallocatedArcaneSpellSlots(), c.picks[2]);
        // Each list is offered once, however its picks are spent.
        passPickers();
        finishBio();
        std::vector<std::string> expected = {"Step 1: Create Attributes", "Step 2: Pick Class & Template"};
        expected.insert(expected.end(), c.laterTitles.begin(), c.laterTitles.end());
        EXPECT_EQ(titles, expected);
        EXPECT_EQ(ui.countEvents(0, "finishedCharacter"), 1u);
        EXPECT_EQ(character->name, "Route");
        frame();
        EXPECT_EQ(ui.windowManager().windows.size(), 1u) << "only the tool tip is left";
        wizard.reset();
    }
}

TEST_F(RouteTest, OneStepClosesAndTheNextOpensInTheSameFrame) {
    begin();
    BRAVUICreateAttributes* attributes = wizard->attributesWindow;
    pressAttributesNextStep();
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
    begin();
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
