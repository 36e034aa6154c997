#include <gtest/gtest.h>

#include "catalogue_b.h"
#include "rules/class_lookups.h"
#include "support/temp_folder.h"

namespace {

constexpr std::uint32_t testSeed = 20261210;

const CharacterClass& classOf(const std::string& id) {
    const CharacterClass* found = findClassById(catalogueB().classes, id);
    EXPECT_NE(found, nullptr) << id;
    return *found;
}

const ClassTemplate& templateOf(const std::string& classId, const std::string& name) {
    const ClassTemplate* found = findClassTemplate(catalogueB().templates, classId, name);
    EXPECT_NE(found, nullptr) << name;
    return *found;
}

std::unique_ptr<CharacterSheet> seededCharacter(const RulesCatalogues& catalogues = catalogueB()) {
    auto sheet = newCharacter(catalogues);
    sheet->random = RandomSource(testSeed);
    return sheet;
}

// A class of two levels whose hit dice are given; level 2 rolls twenty of them.
struct HitDiceClass {
    TempFolder base;
    std::unique_ptr<RulesCatalogues> catalogues;

    explicit HitDiceClass(const std::string& dice) {
        base.write("Data/classes/c.xml", "<CharacterClass id=\"c\"><Levels>"
                                         "<Level value=\"1\" hitDiceType=\"" + dice + "\" additionalHitDice=\"1\" receiveConBonus=\"1\"/>"
                                         "<Level value=\"2\" hitDiceType=\"" + dice + "\" additionalHitDice=\"20\" hitPointBonus=\"1\"/>"
                                         "<Level value=\"3\"/></Levels></CharacterClass>");
        catalogues = loadRulesCatalogues(base.path());
    }
    const CharacterClass& characterClass() const { return *catalogues->classes.classes().at(0); }
};

TEST(HitPoints, CreationMaximisesTheDieAndAddsConstitution) {
    struct Case {
        const char* dice;
        int constitution;
        int expected;
    };
    const Case cases[] = {{"d8", 3, 5}, {"d4", 3, 1}, {"d12", 10, 6}, {"D8", 10, 6}, {"d10", 18, 13}, {"d6", 16, 8}};
    for (const Case& c : cases) {
        HitDiceClass fixture(c.dice);
        auto sheet = seededCharacter(*fixture.catalogues);
        sheet->attributes[CharacterSheet::Constitution].current = c.constitution;
        sheet->applyCharacterClass(fixture.characterClass());
        EXPECT_EQ(sheet->maximumHitPoints, c.expected) << c.dice << " with Constitution " << c.constitution;
        EXPECT_EQ(sheet->currentHitPoints, c.expected);
        EXPECT_EQ(sheet->levelUpReport.hitPointsGained, c.expected);
    }
}

TEST(HitPoints, LevelUpRollsTheSeededDice) {
    struct Case {
        const char* dice;
        std::uint32_t sides;
    };
    for (const Case& c : {Case{"d12", 6}, Case{"d8", 8}, Case{"", 6}}) {
        HitDiceClass fixture(c.dice);
        auto sheet = seededCharacter(*fixture.catalogues);
        sheet->attributes[CharacterSheet::Constitution].current = 3; // no bonus flag at level 2
        sheet->applyCharacterClass(fixture.characterClass());
        const int before = sheet->maximumHitPoints;

        RandomSource replay(testSeed);
        int expected = 1;
        for (int die = 0; die < 20; ++die) expected += 1 + static_cast<int>(replay.draw() % c.sides);
        ASSERT_TRUE(sheet->levelUp());
        EXPECT_EQ(sheet->levelUpReport.hitPointsGained, expected) << c.dice;
        EXPECT_EQ(sheet->maximumHitPoints, before + expected);
        EXPECT_EQ(sheet->currentHitPoints, before + expected);

        // A level without dice or bonus still gives at least one hit point.
        ASSERT_TRUE(sheet->levelUp());
        EXPECT_EQ(sheet->levelUpReport.hitPointsGained, 1);
    }
}

TEST(ProficiencySlots, TokensAddSlotsAndIntelligenceBonus) {
    TempFolder base;
    base.write("Data/classes/c.xml", R"(<CharacterClass id="c"><Levels>
        <Level value="1"><Proficiencies><ClassList/></Proficiencies></Level>
        <Level value="2"><Proficiencies><GeneralList/><IntBonus/><Other/><GeneralList/></Proficiencies></Level>
        <Level value="3"><Proficiencies><IntBonus/></Proficiencies></Level>
    </Levels></CharacterClass>)");
    auto catalogues = loadRulesCatalogues(base.path());
    struct Case {
        int intelligence;
        int generalAtTwo;
        int generalAtThree;
    };
    for (const Case& c : {Case{16, 4, 6}, Case{12, 2, 2}, Case{3, 2, 2}}) {
        auto sheet = seededCharacter(*catalogues);
        sheet->attributes[CharacterSheet::Intelligence].current = c.intelligence;
        sheet->applyCharacterClass(*catalogues->classes.classes().at(0));
        EXPECT_EQ(sheet->unallocatedClassProficiencySlots, 1);
        EXPECT_EQ(sheet->unallocatedGeneralProficiencySlots, 0);
        ASSERT_TRUE(sheet->levelUp());
        EXPECT_EQ(sheet->unallocatedGeneralProficiencySlots, c.generalAtTwo) << "Intelligence " << c.intelligence;
        ASSERT_TRUE(sheet->levelUp());
        EXPECT_EQ(sheet->unallocatedGeneralProficiencySlots, c.generalAtThree);
        EXPECT_EQ(sheet->unallocatedClassProficiencySlots, 1);
    }
}

TEST(SpellSlots, ArcaneFirstGainOfALevelAddsTheIntelligenceBonusToTheRepertoire) {
    auto sheet = seededCharacter();
    sheet->attributes[CharacterSheet::Intelligence].current = 13;
    sheet->applyCharacterClass(classOf("mage"));
    EXPECT_EQ(sheet->getUnallocatedArcaneSpellSlots(1), 2);
    EXPECT_EQ(sheet->arcaneRepertoireSlots.at(1), 2);
    EXPECT_EQ(sheet->getArcaneDailyCastings(1), 1);

    ASSERT_TRUE(sheet->levelUp()); // level 2: one more level-1 slot
    EXPECT_EQ(sheet->getUnallocatedArcaneSpellSlots(1), 3);
    EXPECT_EQ(sheet->arcaneRepertoireSlots.at(1), 3);
    EXPECT_EQ(sheet->getArcaneDailyCastings(1), 2);
    EXPECT_EQ(sheet->levelUpReport.arcaneCastingsGained, (std::map<std::int32_t, std::int32_t>{{1, 1}}));

    ASSERT_TRUE(sheet->levelUp()); // level 3: the first level-2 slot
    EXPECT_EQ(sheet->getUnallocatedArcaneSpellSlots(2), 2);
    EXPECT_EQ(sheet->arcaneRepertoireSlots.at(2), 2);
    EXPECT_EQ(sheet->getArcaneDailyCastings(2), 1);
    EXPECT_EQ(sheet->levelUpReport.arcaneCastingsGained, (std::map<std::int32_t, std::int32_t>{{2, 1}}));

    ASSERT_TRUE(sheet->levelUp()); // level 4: another level-2 slot
    EXPECT_EQ(sheet->getUnallocatedArcaneSpellSlots(2), 3);
    EXPECT_EQ(sheet->arcaneRepertoireSlots.at(2), 3);
    EXPECT_EQ(sheet->getArcaneDailyCastings(2), 2);
    EXPECT_TRUE(sheet->divineDailyCastings.empty());
}

TEST(SpellSlots, DivineFirstGainLearnsTheWholeListOnce) {
    auto sheet = seededCharacter();
    sheet->attributes[CharacterSheet::Wisdom].current = 13;
    sheet->applyCharacterClass(classOf("priest"));
    std::vector<std::string> ids;
    for (const SpellRecord* spell : sheet->divineSpells.at(1)) ids.push_back(spell->id);
    EXPECT_EQ(ids, (std::vector<std::string>{"bless_word", "heal_touch", "ward_light"}));
    EXPECT_EQ(sheet->getDivineDailyCastings(1), 1);

    ASSERT_TRUE(sheet->levelUp());
    EXPECT_EQ(sheet->divineSpells.at(1).size(), 3u) << "later gains add castings only";
    EXPECT_EQ(sheet->getDivineDailyCastings(1), 2);
    EXPECT_EQ(sheet->levelUpReport.divineCastingsGained, (std::map<std::int32_t, std::int32_t>{{1, 1}}));

    ASSERT_TRUE(sheet->levelUp());
    EXPECT_EQ(sheet->divineSpells.at(2).size(), 2u);
    EXPECT_EQ(sheet->getDivineDailyCastings(2), 1);
    EXPECT_TRUE(sheet->arcaneDailyCastings.empty());
}

TEST(ClassTemplates, SlotFormulaOfTheStartingProficiencies) {
    struct Case {
        const char* templateName;
        std::vector<std::string> proficiencyIds;
        int generalSlots;
    };
    const Case cases[] = {
        // Three picks of level 1 for two slots: the first two are taken and spend both.
        {"Soldier", {"adventuring", "riding", "not_in_catalogue", "", "swordplay", "alertness"}, 0},
        // No picks: the general count grows by one.
        {"Brawler", {"adventuring"}, 2},
    };
    for (const Case& c : cases) {
        auto sheet = seededCharacter();
        sheet->applyCharacterClass(classOf("fighter"));
        ASSERT_EQ(sheet->unallocatedClassProficiencySlots, 1);
        ASSERT_EQ(sheet->unallocatedGeneralProficiencySlots, 1);
        sheet->applyClassTemplate(templateOf("fighter", c.templateName));
        EXPECT_EQ(sheet->unallocatedClassProficiencySlots, 0) << c.templateName;
        EXPECT_EQ(sheet->unallocatedGeneralProficiencySlots, c.generalSlots) << c.templateName;
        std::vector<std::string> ids;
        for (const auto& proficiency : sheet->proficiencies) ids.push_back(proficiency->id);
        EXPECT_EQ(ids, c.proficiencyIds) << c.templateName;
    }
}

TEST(ClassTemplates, StartingProficienciesUpgradeWhatIsAlreadyOwned) {
    auto sheet = seededCharacter();
    sheet->applyCharacterClass(classOf("fighter"));
    sheet->addProficiency("swordplay", "");
    sheet->addProficiency("alertness", "");
    sheet->proficiencies.back()->level = 3;
    sheet->applyClassTemplate(templateOf("fighter", "Soldier"));
    // swordplay is already at the template's level 1 and alertness above it: nothing spent.
    EXPECT_EQ(sheet->findProficiency("swordplay", "")->level, 1);
    EXPECT_EQ(sheet->findProficiency("alertness", "")->level, 3);
    EXPECT_EQ(sheet->findProficiency("tracking", ""), nullptr) << "only as many positions as slots";
    EXPECT_EQ(sheet->unallocatedGeneralProficiencySlots, 2);
}

TEST(ClassTemplates, EquipmentMoneyAndStartingSpells) {
    auto sheet = seededCharacter();
    Money coins;
    coins.platinum = 9;
    sheet->wealth.earnMoney("Inheritance", coins);
    sheet->applyCharacterClass(classOf("fighter"));
    const ClassTemplate& soldier = templateOf("fighter", "Soldier");
    sheet->applyClassTemplate(soldier);
    ASSERT_EQ(sheet->inventory.items.size(), 4u);
    const BRAVCharacterEquipment& backpack = *sheet->inventory.items[0];
    EXPECT_NE(&backpack, soldier.startingInventory.items[0].get()) << "a deep copy";
    ASSERT_EQ(backpack.contents.size(), 2u);
    EXPECT_EQ(backpack.contents[0]->parent, &backpack);
    EXPECT_EQ(backpack.contents[0]->contents.at(0)->id, "torch");
    EXPECT_EQ(sheet->inventory.equippedArmour, nullptr) << "worn marks stay with the template";
    EXPECT_EQ(sheet->inventory.equippedShield, nullptr);
    EXPECT_EQ(sheet->wealth.current, soldier.startingMoney);
    EXPECT_EQ(sheet->wealth.history.size(), 1u) << "the history is not touched";

    auto mage = seededCharacter();
    mage->attributes[CharacterSheet::Intelligence].current = 13;
    mage->applyCharacterClass(classOf("mage"));
    ASSERT_EQ(mage->getUnallocatedArcaneSpellSlots(1), 2);
    mage->applyClassTemplate(templateOf("mage", "Apprentice"));
    std::vector<std::string> ids;
    for (const SpellRecord* spell : mage->arcaneSpells.at(1)) ids.push_back(spell->id);
    EXPECT_EQ(ids, (std::vector<std::string>{"spark_bolt", "sleep_mist"}));
    EXPECT_EQ(mage->getUnallocatedArcaneSpellSlots(1), 0);
    EXPECT_EQ(mage->unallocatedGeneralProficiencySlots, 2) << "GeneralList and Intelligence 13, no pick used";
}

TEST(ClassTemplates, SubclassGivesItsLevelsAndStartingDivineSpellsAreNotApplied) {
    auto sheet = seededCharacter();
    sheet->attributes[CharacterSheet::Wisdom].current = 13;
    sheet->applyCharacterClass(classOf("priest"));
    sheet->applyClassTemplate(templateOf("priest", "Sun Acolyte"));
    ASSERT_NE(sheet->subClass, nullptr);
    EXPECT_EQ(sheet->subClass->id, "sun");
    ASSERT_EQ(sheet->classAbilities.size(), 2u);
    EXPECT_EQ(sheet->classAbilities[0]->id, "turn_undead");
    EXPECT_EQ(sheet->classAbilities[1]->id, "sun_blessing");
    std::vector<std::string> divine;
    for (const SpellRecord* spell : sheet->divineSpells.at(1)) divine.push_back(spell->id);
    EXPECT_EQ(divine, (std::vector<std::string>{"bless_word", "heal_touch", "ward_light", "ward_light"}))
        << "the class list, then the subclass bonus; the template's own divine spell is not added";

    ASSERT_TRUE(sheet->levelUp());
    EXPECT_NE(sheet->findProficiency("healing", ""), nullptr);
    ASSERT_EQ(sheet->arcaneSpells.at(1).size(), 1u);
    EXPECT_EQ(sheet->arcaneSpells.at(1)[0]->id, "light_orb");
}

TEST(LevelUp, FallingThrowsSetTheReportFlags) {
    auto sheet = seededCharacter();
    sheet->applyCharacterClass(classOf("fighter"));
    sheet->updateAttackThrow();
    EXPECT_FALSE(sheet->levelUpReport.attackImproved) << "no level 0 to compare with";
    EXPECT_FALSE(sheet->levelUpReport.savesImproved);
    sheet->saved = true;

    struct Step {
        bool attack;
        bool saves;
    };
    const Step steps[] = {{true, false}, {false, true}, {true, false}}; // Attack 19>18, death 12>11, Attack 18>17
    for (const Step& step : steps) {
        ASSERT_TRUE(sheet->levelUp());
        EXPECT_EQ(sheet->levelUpReport.attackImproved, step.attack) << "level " << sheet->level;
        EXPECT_EQ(sheet->levelUpReport.savesImproved, step.saves) << "level " << sheet->level;
        EXPECT_FALSE(sheet->saved);
        EXPECT_EQ(sheet->experience, 0u) << "experience is not changed by a level-up";
    }
    EXPECT_EQ(sheet->getLevelTitle(), "Knight");
    std::vector<std::string> abilities;
    for (const ClassAbility* ability : sheet->classAbilities) abilities.push_back(ability->id);
    EXPECT_EQ(abilities, (std::vector<std::string>{"weapon_focus", "cleave"}));
}

TEST(LevelUp, AtTheLastLevelRecordNothingChanges) {
    auto sheet = seededCharacter();
    sheet->applyCharacterClass(classOf("fighter"));
    while (sheet->levelUp()) {
    }
    ASSERT_EQ(sheet->level, 4u);
    sheet->saved = true;
    const int hitPoints = sheet->maximumHitPoints;
    const LevelUpReport report = sheet->levelUpReport;
    const std::size_t proficiencyCount = sheet->proficiencies.size();
    EXPECT_FALSE(sheet->levelUp());
    EXPECT_EQ(sheet->level, 4u);
    EXPECT_EQ(sheet->maximumHitPoints, hitPoints);
    EXPECT_EQ(sheet->levelUpReport.hitPointsGained, report.hitPointsGained);
    EXPECT_EQ(sheet->proficiencies.size(), proficiencyCount);
    EXPECT_EQ(sheet->actions.size(), 2u);
    EXPECT_TRUE(sheet->saved);
}

TEST(LevelUp, ApplyingAClassGivesAdventuringAndActions) {
    auto sheet = seededCharacter();
    sheet->attributes[CharacterSheet::Strength].current = 16;
    sheet->saved = true;
    sheet->applyCharacterClass(classOf("fighter"));
    EXPECT_FALSE(sheet->saved);
    ASSERT_EQ(sheet->proficiencies.size(), 1u);
    EXPECT_EQ(sheet->proficiencies[0]->id, "adventuring");
    EXPECT_EQ(sheet->proficiencies[0]->domain, "");
    ASSERT_EQ(sheet->actions.size(), 2u);
    EXPECT_EQ(sheet->actions[0].throwText, "10+");
    EXPECT_EQ(sheet->actions[1].throwText, "14+");
}

} // namespace
