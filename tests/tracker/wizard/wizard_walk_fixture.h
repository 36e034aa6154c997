#pragma once
// Walking the creation wizard from the main menu's New as a user would: eighteen typed for every
// score, the class and template chosen, the first rows picked until the picks are spent (typing a
// new domain when asked), Roll Random for the spells (seeded), and a name.
#include <memory>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "rules/character_class.h"
#include "rules/character_sheet.h"
#include "rules/class_template_catalogue.h"
#include "rules/rules_catalogues.h"
#include "rules/saved_tree.h"
#include "support/temp_folder.h"
#include "tracker/bravui_create_attributes.h"
#include "tracker/main_menu_fixture.h"
#include "tracker/ui_attribute_entry_line.h"
#include "tracker/wizard/brav_sub_state_character_creation.h"
#include "tracker/wizard/bravui_arcane_spell_picker.h"
#include "tracker/wizard/bravui_create_bio_information.h"
#include "tracker/wizard/bravui_pick_new_character_class.h"
#include "tracker/wizard/bravui_pick_proficiencies.h"
#include "tracker/wizard/bravui_pick_proficiency_list_item.h"
#include "tracker/wizard/bravui_proficiency_domain_picker.h"
#include "tracker/wizard/character_file_name.h"
#include "ui/game_ui_combo_box.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_standard_element_list.h"
#include "ui/game_ui_toggle_button.h"
#include "ui/game_ui_toggle_group.h"
#include "ui/window_manager.h"

class WizardWalkTest : public MainMenuTest {
protected:
    WizardWalkTest() { harness.renderInterface().registerFontName(harness.renderInterface().mainFontName(), 0.03f); }

    void frames(int count) {
        for (int i = 0; i < count; ++i) frame();
    }
    void press(const GameUIBaseElement& element) {
        ASSERT_FALSE(element.disabled) << element.name;
        click(element);
        frames(2);
    }
    void typeInto(GameUIEditableTextLineBox& box, const std::string& text) {
        press(box);
        ASSERT_TRUE(box.active) << box.name;
        box.setText("");
        frame();
        harness.typeQuickly(text);
        frames(2);
    }
    void choose(GameUIComboBox& combo, std::size_t position) {
        press(*combo.showToggle);
        ASSERT_TRUE(combo.isOpen()) << combo.name;
        ASSERT_LT(position, combo.optionsGroup->buttons.size());
        press(*combo.optionsGroup->buttons[position]);
    }

    void createAttributes(BRAVSubStateCharacterCreation& wizard) {
        BRAVUICreateAttributes* step = wizard.attributesWindow;
        ASSERT_NE(step, nullptr);
        for (UIAttributeEntryLine* row : step->rows) typeInto(*row->valueBox, "18");
        for (const auto& attribute : menu->character->attributes) ASSERT_EQ(attribute.current, 18);
        press(*step->nextStepButton);
    }
    void pickClass(BRAVSubStateCharacterCreation& wizard, const CharacterClass& wanted, std::size_t templateIndex) {
        BRAVUIPickNewCharacterClass* step = wizard.classWindow;
        ASSERT_NE(step, nullptr);
        std::size_t position = 0;
        for (std::size_t i = 0; i < step->classOptions.size(); ++i) {
            if (step->classOptions[i] == &wanted) position = i + 1;
        }
        ASSERT_NE(position, 0u) << wanted.id << " is offered for eighteens";
        choose(*step->classCombo, position);
        choose(*step->templateCombo, templateIndex + 1);
        press(*step->nextStepButton);
    }
    // The first row of the upper list, as long as picks are left and a row can take one.
    void pickProficiencies(BRAVUIPickProficiencies& step) {
        for (int domain = 1; step.picksLeft > 0 && domain < 100; ++domain) {
            if (step.domainPicker) {
                ++domainsTyped;
                typeInto(*step.domainPicker->domainLine, "Field " + std::to_string(domain));
                press(*step.domainPicker->doneButton);
                continue;
            }
            if (step.availableList->disabled || step.availableList->items.empty()) break;
            auto* row = dynamic_cast<BRAVUIPickProficiencyListItem*>(step.availableList->items.front());
            ASSERT_NE(row, nullptr);
            ASSERT_NE(row->pickDumpButton, nullptr) << row->text;
            press(*row->pickDumpButton);
        }
        press(*step.nextStepButton);
    }
    void walkPickers(BRAVSubStateCharacterCreation& wizard) {
        for (int guard = 0; guard < 10 && !wizard.bioWindow; ++guard) {
            if (BRAVUIPickProficiencies* step = wizard.proficiencyWindow) {
                ++proficiencySteps;
                pickProficiencies(*step);
            } else if (BRAVUIArcaneSpellPicker* spells = wizard.spellWindow) {
                ++spellSteps;
                // The same spells at every run, so a failure can be replayed.
                spells->random = RandomSource(20261212);
                press(*spells->rollButton);
                press(*spells->nextStepButton);
            } else {
                frame();
            }
        }
    }
    void writeBiography(BRAVSubStateCharacterCreation& wizard, const std::string& name) {
        BRAVUICreateBioInformation* step = wizard.bioWindow;
        ASSERT_NE(step, nullptr);
        typeInto(*step->nameBox, name);
        press(*step->nextStepButton);
    }

    // The running wizard walked to its end for a character named name: the first class offered
    // for eighteens with its first template.
    void finishCreationAs(const std::string& name) {
        ASSERT_NE(menu->creation, nullptr);
        BRAVSubStateCharacterCreation& wizard = *menu->creation;
        createAttributes(wizard);
        ASSERT_NE(wizard.classWindow, nullptr);
        ASSERT_FALSE(wizard.classWindow->classOptions.empty());
        pickClass(wizard, *wizard.classWindow->classOptions.front(), 0);
        walkPickers(wizard);
        // Pasted, so that a name no key types (accented letters) goes in as it is.
        BRAVUICreateBioInformation* bio = wizard.bioWindow;
        ASSERT_NE(bio, nullptr);
        press(*bio->nameBox);
        ASSERT_TRUE(bio->nameBox->active);
        bio->nameBox->setText("");
        frame();
        harness.paste(name);
        frames(2);
        ASSERT_EQ(bio->nameBox->text, name);
        press(*bio->nextStepButton);
        frames(3);
        ASSERT_EQ(menu->creation, nullptr);
    }

    int proficiencySteps = 0;
    int spellSteps = 0;
    int domainsTyped = 0;
};

