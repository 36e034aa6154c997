#include <gtest/gtest.h>

#include "rules/class_lookups.h"
#include "rules/rules_catalogues.h"
#include "support/temp_folder.h"

namespace {

const std::string fixtureBase = std::string(ZODERUD_TEST_DATA_DIR) + "/catalogue_b/";

class FixtureCatalogues : public ::testing::Test {
protected:
    static void SetUpTestSuite() { catalogues = loadRulesCatalogues(fixtureBase).release(); }
    static void TearDownTestSuite() {
        delete catalogues;
        catalogues = nullptr;
    }
    static RulesCatalogues* catalogues;
};
RulesCatalogues* FixtureCatalogues::catalogues = nullptr;

TEST_F(FixtureCatalogues, EveryCatalogueIsLoadedAndClassesSeeTheOthers) {
    ASSERT_EQ(catalogues->classes.classes().size(), 3u);
    EXPECT_EQ(catalogues->classes.classes()[0]->id, "fighter");
    EXPECT_EQ(catalogues->classes.classes()[1]->id, "mage");
    EXPECT_EQ(catalogues->classes.classes()[2]->id, "priest");
    EXPECT_NE(catalogues->equipment.findEquipment("arrows"), nullptr);
    EXPECT_NE(catalogues->proficiencies.findProficiencyList("general"), nullptr);
    EXPECT_NE(catalogues->spells.divineClassSpellList("priest"), nullptr);

    // Class-level actions take the name and description of the action of their id.
    const CharacterClass* fighter = findClassById(catalogues->classes, "fighter");
    ASSERT_NE(fighter, nullptr);
    ASSERT_NE(fighter->getLevel(1), nullptr);
    const std::vector<CharacterAction>& actions = fighter->getLevel(1)->actions;
    ASSERT_EQ(actions.size(), 2u);
    EXPECT_EQ(actions[0].displayName, "Force Door");
    EXPECT_EQ(actions[0].description, "Shoulder a stuck door open.");
    EXPECT_EQ(actions[0].throwText, "18+") << "the level's own throw, not the catalogue's";
    EXPECT_EQ(fighter->maxLevel, 4);
    EXPECT_EQ(findClassById(catalogues->classes, "priest")->subClasses.size(), 2u);
}

TEST_F(FixtureCatalogues, StartingInventoryKeepsNestingAndEquippedMarks) {
    const ClassTemplate* soldier = findClassTemplate(catalogues->templates, "fighter", "Soldier");
    ASSERT_NE(soldier, nullptr);
    const Inventory& inventory = soldier->startingInventory;
    ASSERT_EQ(inventory.items.size(), 4u);
    const BRAVCharacterEquipment& backpack = *inventory.items[0];
    EXPECT_EQ(backpack.id, "backpack");
    EXPECT_FALSE(backpack.areContentsExpanded);
    ASSERT_EQ(backpack.contents.size(), 2u);
    const BRAVCharacterEquipment& sack = *backpack.contents[0];
    EXPECT_EQ(sack.parent, &backpack);
    ASSERT_EQ(sack.contents.size(), 1u);
    EXPECT_EQ(sack.contents[0]->id, "torch");
    EXPECT_EQ(sack.contents[0]->quantity, 3);
    EXPECT_NE(sack.contents[0]->record, nullptr);
    EXPECT_EQ(inventory.equippedArmour, inventory.items[1].get());
    EXPECT_EQ(inventory.equippedShield, inventory.items[2].get());
    EXPECT_EQ(soldier->startingMoney.gold, 5);
    EXPECT_EQ(soldier->startingMoney.silver, 3);
    EXPECT_EQ(soldier->startingMoney.copper, 0);
}

TEST_F(FixtureCatalogues, ProficienciesWithoutRecordsAreStillEntries) {
    const ClassTemplate* soldier = findClassTemplate(catalogues->templates, "fighter", "Soldier");
    ASSERT_NE(soldier, nullptr);
    ASSERT_EQ(soldier->startingProficiencies.size(), 3u);
    EXPECT_EQ(soldier->startingProficiencies.at(2).id, "tracking");
    ASSERT_EQ(soldier->freeProficiencies.size(), 3u);
    EXPECT_EQ(soldier->freeProficiencies[0].id, "riding");
    EXPECT_EQ(soldier->freeProficiencies[0].roll, 10);
    EXPECT_EQ(soldier->freeProficiencies[0].playerNotes, "Grew up with horses");
    EXPECT_NE(soldier->freeProficiencies[0].record, nullptr);
    EXPECT_EQ(soldier->freeProficiencies[1].id, "not_in_catalogue");
    EXPECT_EQ(soldier->freeProficiencies[1].record, nullptr) << "an unknown id has no record";
    EXPECT_EQ(soldier->freeProficiencies[2].record, nullptr) << "an element of another name has no record";
}

TEST_F(FixtureCatalogues, StartingSpellsSkipUnknownIdsWithoutGaps) {
    const ClassTemplate* apprentice = findClassTemplate(catalogues->templates, "mage", "Apprentice");
    ASSERT_NE(apprentice, nullptr);
    ASSERT_EQ(apprentice->startingArcaneSpells.size(), 2u);
    EXPECT_EQ(apprentice->startingArcaneSpells.at(0)->id, "spark_bolt");
    EXPECT_EQ(apprentice->startingArcaneSpells.at(1)->id, "sleep_mist");

    const ClassTemplate* acolyte = findClassTemplate(catalogues->templates, "priest", "Sun Acolyte");
    ASSERT_NE(acolyte, nullptr);
    EXPECT_EQ(acolyte->subClassId, "sun");
    ASSERT_EQ(acolyte->startingDivineSpells.size(), 1u);
    EXPECT_EQ(acolyte->startingDivineSpells.at(0)->id, "heal_touch");
}

TEST_F(FixtureCatalogues, TemplateLookupIsByClassAndExactName) {
    EXPECT_NE(findClassTemplate(catalogues->templates, "fighter", "Brawler"), nullptr);
    EXPECT_EQ(findClassTemplate(catalogues->templates, "fighter", "brawler"), nullptr);
    EXPECT_EQ(findClassTemplate(catalogues->templates, "mage", "Brawler"), nullptr);
    EXPECT_EQ(findClassTemplate(catalogues->templates, "nobody", "Brawler"), nullptr);
}

// A small tree of its own: classes that clash, a wrong root and templates of every kind.
class TemplateRegistration : public ::testing::Test {
protected:
    void SetUp() override {
        base.write("Data/classes/a.xml", R"(<CharacterClass id="twin" displayName="First" templatesPath="Data/t1/"/>)");
        base.write("Data/classes/b.xml", R"(<CharacterClass id="twin" displayName="Second" templatesPath="Data/t2/"/>)");
        base.write("Data/classes/c.xml", R"(<NotAClass id="ghost" templatesPath="Data/t3/"/>)");
        base.write("Data/classes/d.xml", R"(<CharacterClass id="empty" templatesPath="Data/none/"/>)");
        base.write("Data/t1/a.xml", R"(<ClassTemplate displayName="One"/>)");
        base.write("Data/t1/b.xml", R"(<ClassTemplate displayName="One"><StartingMoney><Gold value="7"/></StartingMoney></ClassTemplate>)");
        base.write("Data/t1/c.xml", R"(<Template displayName="Wrong root"/>)");
        base.write("Data/t1/d.xml", "<ClassTemplate displayName=");
        base.write("Data/t2/a.xml", R"(<ClassTemplate displayName="Two"/>)");
        base.write("Data/t3/a.xml", R"(<ClassTemplate displayName="Ghostly"/>)");
        catalogues.loadAll();
    }

    TempFolder base;
    RulesCatalogues catalogues{base.path()};
};

TEST_F(TemplateRegistration, FirstClassOfAnIdKeepsItsTemplates) {
    const ClassTemplateList& templates = catalogues.templates.templatesOf("twin");
    ASSERT_EQ(templates.size(), 4u) << "every listed file yields a template";
    EXPECT_EQ(templates[2]->displayName, "");
    EXPECT_EQ(templates[3]->displayName, "");
    const ClassTemplate* one = findClassTemplate(catalogues.templates, "twin", "One");
    EXPECT_EQ(one, templates[1].get()) << "the last match";
    EXPECT_EQ(one->startingMoney.gold, 7);
    EXPECT_EQ(findClassTemplate(catalogues.templates, "twin", "Two"), nullptr);
}

TEST_F(TemplateRegistration, WrongRootRegistersNeitherClassNorTemplates) {
    EXPECT_EQ(findClassById(catalogues.classes, "ghost"), nullptr);
    EXPECT_TRUE(catalogues.templates.templatesOf("ghost").empty());
    EXPECT_TRUE(catalogues.templates.templatesOf("").empty());
    EXPECT_EQ(findClassTemplate(catalogues.templates, "ghost", "Ghostly"), nullptr);
}

TEST_F(TemplateRegistration, ClassWithoutTemplateFilesHasAnEmptyList) {
    ASSERT_NE(findClassById(catalogues.classes, "empty"), nullptr);
    EXPECT_TRUE(catalogues.templates.templatesOf("empty").empty());
    EXPECT_EQ(findClassTemplate(catalogues.templates, "empty", ""), nullptr);
}

} // namespace
