// Every class and template of the shipped rules, created from the main menu's New as a user would:
// eighteen typed for every score, the class and template chosen, the first rows picked until the
// picks are spent (typing a new domain when asked), Roll Random for the spells, a name, and the
// finish. The saved file must read back into a record that saves the same tree.
#include <string>
#include <vector>

#include "platform/paths.h"
#include "rules/character_class.h"
#include "rules/character_sheet.h"
#include "rules/class_template_catalogue.h"
#include "rules/rules_catalogues.h"
#include "rules/saved_tree.h"
#include "support/temp_folder.h"
#include "tracker/wizard/character_file_name.h"
#include "tracker/wizard/wizard_walk_fixture.h"

namespace {

using EndToEndTest = WizardWalkTest;

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
