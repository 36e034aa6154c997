// Every class and template of the shipped rules, created from the main menu's New as a user would:
// eighteen typed for every score, the class and template chosen, the first rows picked until the
// picks are spent (typing a new domain when asked), Roll Random for the spells, a name, and the
// finish. The saved file must read back into a record that saves the same tree.
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

namespace {

class EndToEndTest : public MainMenuTest {
protected:
    EndToEndTest() { harness.renderInterface().registerFontName(harness.renderInterface().mainFontName(), 0.03f); }

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

    int proficiencySteps = 0;
    int spellSteps = 0;
    int domainsTyped = 0;
};

TEST_F(EndToEndTest, EveryClassAndTemplateOfTheShippedRulesCanBeCreatedSavedAndReadBack) {
    writeSettings("");
    start();
    std::vector<std::pair<const CharacterClass*, std::size_t>> kits;
    for (const auto& characterClass : menu->catalogues->classes.classes()) {
        const std::size_t count = menu->catalogues->templates.templatesOf(characterClass->id).size();
        for (std::size_t t = 0; t < count; ++t) kits.emplace_back(characterClass.get(), t);
    }
    ASSERT_GE(kits.size(), 5u);
    TempFolder copies;
    for (const auto& [characterClass, templateIndex] : kits) {
        const std::string name = characterClass->displayName + " " + std::to_string(templateIndex + 1);
        SCOPED_TRACE(name);
        harness.movePointer(0.0f, 0.0f);
        frame();
        press(*menu->newButton);
        ASSERT_NE(menu->creation, nullptr);
        BRAVSubStateCharacterCreation& wizard = *menu->creation;
        createAttributes(wizard);
        pickClass(wizard, *characterClass, templateIndex);
        walkPickers(wizard);
        writeBiography(wizard, name);
        frames(2);
        ASSERT_EQ(menu->creation, nullptr);
        ASSERT_EQ(menu->errorPopup, nullptr);

        CharacterSheet& created = *menu->character;
        const std::string path = menu->config.LastSavedFilePath;
        EXPECT_EQ(path.rfind(menu->config.getSettingsFolder() + "/characters/", 0), 0u) << path;
        ASSERT_TRUE(platform::isRegularFile(path));
        EXPECT_EQ(created.filePath, path);
        EXPECT_EQ(savedLastPath(), path);
        EXPECT_EQ(created.unallocatedClassProficiencySlots, 0);
        EXPECT_EQ(created.unallocatedGeneralProficiencySlots, 0);
        EXPECT_EQ(created.countUnallocatedArcaneSpellSlots(), 0);

        const RulesCatalogues& c = *menu->catalogues;
        CharacterSheet reread(nullptr, c.classes, c.proficiencies, c.equipment, c.spells);
        ASSERT_TRUE(reread.load(path));
        ASSERT_NE(reread.characterClass, nullptr);
        EXPECT_EQ(reread.characterClass->id, characterClass->id);
        EXPECT_EQ(reread.name, name);
        EXPECT_EQ(reread.subClass, created.subClass);
        EXPECT_EQ(reread.proficiencies.size(), created.proficiencies.size());
        EXPECT_EQ(reread.inventory.items.size(), created.inventory.items.size());
        EXPECT_EQ(reread.arcaneSpells, created.arcaneSpells);
        EXPECT_EQ(reread.unallocatedGeneralProficiencySlots, 0);
        EXPECT_EQ(reread.countUnallocatedArcaneSpellSlots(), 0);
        const std::string copy = copies.path() + makeCharacterFileName(name) + ".xml";
        ASSERT_TRUE(reread.save(copy));
        EXPECT_EQ(savedTreeOf(copy), savedTreeOf(path));
    }
    // The walk went through the pickers, not around them.
    EXPECT_GT(proficiencySteps, 0);
    EXPECT_GT(spellSteps, 0);
    EXPECT_GT(domainsTyped, 0);
}

} // namespace
