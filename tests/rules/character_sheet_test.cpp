#include <gtest/gtest.h>

#include <climits>

#include "catalogue_b.h"
#include "rules/class_lookups.h"
#include "support/temp_folder.h"

namespace {

std::unique_ptr<BRAVCharacterEquipment> itemOf(const std::string& id, int quantity = 1) {
    auto item = std::make_unique<BRAVCharacterEquipment>(nullptr, catalogueB().equipment.findEquipment(id));
    item->quantity = quantity;
    return item;
}

TEST(CharacterRecord, NewRecordHasTheDefaults) {
    auto sheet = newCharacter();
    EXPECT_EQ(sheet->name, "Default Character");
    EXPECT_EQ(sheet->level, 1u);
    EXPECT_EQ(sheet->experience, 0u);
    EXPECT_EQ(sheet->alignment, "Lawful");
    EXPECT_EQ(sheet->alignmentCode, 0);
    EXPECT_EQ(sheet->currentHitPoints, 0);
    EXPECT_EQ(sheet->maximumHitPoints, 0);
    const char* names[] = {"Strength", "Intelligence", "Wisdom", "Dexterity", "Constitution", "Charisma"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(sheet->attributes[i].name, names[i]);
        EXPECT_EQ(sheet->attributes[i].current, 3);
        EXPECT_EQ(sheet->attributes[i].natural, 3);
    }
    EXPECT_EQ(sheet->characterClass, nullptr);
    EXPECT_EQ(sheet->subClass, nullptr);
    EXPECT_TRUE(sheet->inventory.items.empty());
    EXPECT_EQ(sheet->wealth.current, Money());
    EXPECT_TRUE(sheet->wealth.history.empty());
    EXPECT_TRUE(sheet->saved);
    for (int spellLevel = 1; spellLevel <= 9; ++spellLevel) {
        EXPECT_EQ(sheet->arcaneSpells.count(spellLevel), 1u);
        EXPECT_EQ(sheet->divineSpells.count(spellLevel), 1u);
    }
}

TEST(CharacterRecord, FilePathGivesThePortraitBesideIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"/x/hero.xml", "/x/hero.png"},
        {"hero", "hero.png"},
        {"c:/a.b/hero", "c:/a.b/hero.png"},
        {"/home/u/.local/share/zoderud/characters/Hero", "/home/u/.local/share/zoderud/characters/Hero.png"},
        {"c:\\a.b\\hero", "c:\\a.b\\hero.png"},
        {"/x/hero.tar.xml", "/x/hero.tar.png"},
        {"/x/.hidden", "/x/.png"},
    };
    for (const auto& [path, portrait] : cases) {
        auto sheet = newCharacter();
        sheet->setFilePath(path);
        EXPECT_EQ(sheet->filePath, path);
        EXPECT_EQ(sheet->portraitPath, portrait) << path;
        EXPECT_FALSE(sheet->saved);
    }
}

TEST(CharacterRecord, AlignmentTakesOnlyTheThreeNames) {
    auto sheet = newCharacter();
    sheet->setAlignment("Chaotic");
    EXPECT_EQ(sheet->alignment, "Chaotic");
    EXPECT_EQ(sheet->alignmentCode, 2);
    sheet->saved = true;
    sheet->setAlignment("neutral");
    EXPECT_EQ(sheet->alignment, "Chaotic");
    EXPECT_EQ(sheet->alignmentCode, 2);
    EXPECT_FALSE(sheet->saved) << "every call counts as an edit";
}

TEST(CharacterRecord, ProficienciesAreFoundAndUpgradedByIdAndDomain) {
    auto sheet = newCharacter();
    sheet->addProficiency("craft", "smithing");
    sheet->addProficiency("craft", "weaving");
    sheet->addProficiency("unknown_skill", "");
    sheet->addProficiency("craft", "smithing");
    ASSERT_EQ(sheet->proficiencies.size(), 4u);
    EXPECT_NE(sheet->proficiencies[0]->record, nullptr);
    EXPECT_EQ(sheet->proficiencies[2]->record, nullptr);
    EXPECT_EQ(sheet->findProficiency("craft", "smithing"), sheet->proficiencies[3].get()) << "the last match";
    EXPECT_EQ(sheet->findProficiency("unknown_skill", ""), sheet->proficiencies[2].get());
    EXPECT_EQ(sheet->findProficiency("craft", ""), nullptr);
    sheet->upgradeProficiency("craft", "smithing");
    sheet->upgradeProficiency("unknown_skill", "");
    EXPECT_EQ(sheet->proficiencies[0]->level, 2);
    EXPECT_EQ(sheet->proficiencies[1]->level, 1);
    EXPECT_EQ(sheet->proficiencies[2]->level, 2);
    EXPECT_EQ(sheet->proficiencies[3]->level, 2);
}

TEST(CharacterRecord, BuyingStacksAndCopies) {
    auto sheet = newCharacter();
    const auto arrows = itemOf("arrows");
    const auto sword = itemOf("long_sword", 3);
    EXPECT_EQ(sheet->buyEquipment(*arrows), 0);
    EXPECT_EQ(sheet->buyEquipment(*sword), 1);
    EXPECT_EQ(sheet->buyEquipment(*arrows), 0) << "found at once: nothing passed over";
    EXPECT_EQ(sheet->buyEquipment(*sword), 2) << "not stackable: a new row";
    ASSERT_EQ(sheet->inventory.items.size(), 3u);
    EXPECT_EQ(sheet->inventory.items[0]->quantity, 40) << "two purchases of 20";
    EXPECT_EQ(sheet->inventory.items[1]->quantity, 1) << "a purchase quantity of 1, not the offer's";
    EXPECT_NE(sheet->inventory.items[1].get(), sword.get());
    EXPECT_FALSE(sheet->saved);

    sheet->saved = true;
    EXPECT_EQ(sheet->acquireEquipment(*itemOf("arrows", 5)), 0);
    EXPECT_EQ(sheet->inventory.items[0]->quantity, 45);
    EXPECT_EQ(sheet->acquireEquipment(*itemOf("rations", 2)), 3);
    EXPECT_EQ(sheet->inventory.items[3]->quantity, 2);
    EXPECT_FALSE(sheet->saved);
}

// An item of another record that shows the same name is no stack to add to.
TEST(CharacterRecord, BuyingStacksOnlyOntoTheSameRecord) {
    struct Case {
        const char* name;
        const char* ownedId;
        const char* ownedName;
        bool stacks;
        int expectedRow;
    };
    const Case cases[] = {
        {"BackpackRenamedArrows", "backpack", "Arrows", false, 1},
        {"ArrowsRenamedArrows", "arrows", "Arrows", true, 0},
        {"PlainArrows", "arrows", "", true, 0},
        {"SackRenamedArrows", "sack", "Arrows", false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto sheet = newCharacter();
        sheet->inventory.attachEquipment(itemOf(c.ownedId), nullptr);
        sheet->inventory.items[0]->customName = c.ownedName;
        EXPECT_EQ(sheet->buyEquipment(*itemOf("arrows")), c.expectedRow);
        EXPECT_EQ(sheet->inventory.items[0]->quantity, c.stacks ? 21 : 1);
        ASSERT_EQ(sheet->inventory.items.size(), c.stacks ? 1u : 2u);
        if (!c.stacks) {
            EXPECT_EQ(sheet->inventory.items[1]->id, "arrows");
            EXPECT_EQ(sheet->inventory.items[1]->quantity, 20);
        }
    }
}

TEST(CharacterRecord, BuyingIntoAClosedBagOpensItAndItsHolders) {
    struct Case {
        bool ropeFirst;
        int expectedRow;
    };
    for (const Case& c : {Case{false, 0}, Case{true, 1}}) {
        auto sheet = newCharacter();
        if (c.ropeFirst) sheet->inventory.attachEquipment(itemOf("rope"), nullptr);
        sheet->inventory.attachEquipment(itemOf("backpack"), nullptr);
        BRAVCharacterEquipment* backpack = sheet->inventory.items.back().get();
        backpack->attachEquipment(itemOf("sack"));
        BRAVCharacterEquipment* sack = backpack->contents.back().get();
        sack->attachEquipment(itemOf("torch", 3));
        backpack->areContentsExpanded = false;
        sack->areContentsExpanded = false;

        EXPECT_EQ(sheet->buyEquipment(*itemOf("torch")), c.expectedRow);
        EXPECT_EQ(sack->contents[0]->quantity, 4);
        EXPECT_TRUE(sack->areContentsExpanded);
        EXPECT_TRUE(backpack->areContentsExpanded);
        EXPECT_EQ(sheet->inventory.items.size(), c.ropeFirst ? 2u : 1u);
    }
}

TEST(CharacterRecord, ExpendingTakesOneAndTheLastOneAway) {
    auto sheet = newCharacter();
    sheet->inventory.attachEquipment(itemOf("torch", 2), nullptr);
    sheet->inventory.attachEquipment(itemOf("chain_mail"), nullptr);
    sheet->inventory.attachEquipment(itemOf("rope", 0), nullptr);
    BRAVCharacterEquipment* torch = sheet->inventory.items[0].get();
    BRAVCharacterEquipment* mail = sheet->inventory.items[1].get();
    BRAVCharacterEquipment* rope = sheet->inventory.items[2].get();
    sheet->inventory.equippedArmour = mail;

    sheet->expendEquipment(torch);
    EXPECT_EQ(torch->quantity, 1);
    sheet->saved = true;
    sheet->expendEquipment(rope);
    EXPECT_EQ(sheet->inventory.items.size(), 3u) << "quantity 0 changes nothing";
    EXPECT_FALSE(sheet->saved);
    sheet->expendEquipment(mail);
    EXPECT_EQ(sheet->inventory.items.size(), 2u);
    EXPECT_EQ(sheet->inventory.equippedArmour, nullptr) << "the worn armour is gone";
}

TEST(CharacterRecord, AffordabilityComparesCopperTotals) {
    struct Case {
        Money purse;
        Money price;
        bool affordable;
    };
    Money onePlatinum;
    onePlatinum.platinum = 1;
    Money fiveGold;
    fiveGold.gold = 5;
    Money fourGoldNineSilver;
    fourGoldNineSilver.gold = 4;
    fourGoldNineSilver.silver = 9;
    Money hugePurse;
    hugePurse.platinum = INT_MAX;
    Money hugePrice;
    hugePrice.gold = INT_MAX;
    hugePrice.platinum = 1;
    Money oneCopper;
    oneCopper.copper = 1;
    const Case cases[] = {
        {onePlatinum, fiveGold, true},
        {fourGoldNineSilver, fiveGold, false},
        {fiveGold, fiveGold, true},
        {Money(), Money(), true},
        {hugePurse, hugePrice, true},   // wraps in 32 bits
        {oneCopper, hugePurse, false},  // wraps negative in 32 bits
    };
    for (const Case& c : cases) {
        auto sheet = newCharacter();
        sheet->wealth.current = c.purse;
        EXPECT_EQ(sheet->canAfford(c.price), c.affordable) << c.purse.totalInCopper() << " vs " << c.price.totalInCopper();
        EXPECT_TRUE(sheet->saved);
    }
}

TEST(CharacterRecord, KnownSpellsAndArcaneSlots) {
    auto sheet = newCharacter();
    const SpellRecord* spark = catalogueB().spells.findArcaneSpell("spark_bolt");
    const SpellRecord* sleep = catalogueB().spells.findArcaneSpell("sleep_mist");
    const SpellRecord* mirror = catalogueB().spells.findArcaneSpell("mirror_step");
    ASSERT_TRUE(spark && sleep && mirror);
    EXPECT_TRUE(sheet->getKnownSpellsOfLevel(1).empty());
    sheet->addKnownSpell(spark);
    sheet->addKnownSpell(sleep);
    sheet->addKnownSpell(mirror);
    sheet->addKnownSpell(spark);
    EXPECT_TRUE(sheet->saved) << "picks are transient";
    sheet->removeKnownSpell(spark);
    EXPECT_EQ(sheet->getKnownSpellsOfLevel(1), (SpellList{sleep, spark}));
    sheet->clearKnownSpells();
    EXPECT_TRUE(sheet->knownSpells.empty());
    EXPECT_EQ(sheet->arcaneSpells.at(1), (SpellList{sleep, spark}));
    EXPECT_EQ(sheet->arcaneSpells.at(2), (SpellList{mirror}));
    EXPECT_FALSE(sheet->saved);

    sheet->addUnallocatedArcaneSpellSlot(2);
    sheet->addUnallocatedArcaneSpellSlot(2);
    sheet->addUnallocatedArcaneSpellSlot(1);
    sheet->useUnallocatedArcaneSpellSlot(1);
    sheet->useUnallocatedArcaneSpellSlot(1);
    sheet->useUnallocatedArcaneSpellSlot(7);
    EXPECT_EQ(sheet->getUnallocatedArcaneSpellSlots(1), 0) << "never below zero";
    EXPECT_EQ(sheet->getUnallocatedArcaneSpellSlots(2), 2);
    EXPECT_EQ(sheet->getUnallocatedArcaneSpellSlots(7), 0);
    EXPECT_EQ(sheet->countUnallocatedArcaneSpellSlots(), 2);
    sheet->addDivineSpell(nullptr);
    EXPECT_TRUE(sheet->divineSpells.at(1).empty());
}

TEST(CharacterRecord, ASaveWithPicksPendingWritesEachUsedSlotWithItsSpell) {
    TempFolder folder;
    auto sheet = newCharacter();
    const SpellRecord* spark = catalogueB().spells.findArcaneSpell("spark_bolt");
    const SpellRecord* sleep = catalogueB().spells.findArcaneSpell("sleep_mist");
    const SpellRecord* mirror = catalogueB().spells.findArcaneSpell("mirror_step");
    ASSERT_TRUE(spark && sleep && mirror);
    sheet->addArcaneSpell(spark);
    sheet->addUnallocatedArcaneSpellSlot(1);
    sheet->addUnallocatedArcaneSpellSlot(1);
    sheet->addUnallocatedArcaneSpellSlot(2);
    // As the spell picker picks: the spell pending, its slot used at once.
    sheet->addKnownSpell(sleep);
    sheet->useUnallocatedArcaneSpellSlot(1);
    EXPECT_EQ(sheet->arcaneSpellsToSave().at(1), (SpellList{spark, sleep}));
    EXPECT_TRUE(sheet->arcaneSpellsToSave().at(2).empty());

    const std::string path = folder.path() + "picking.xml";
    ASSERT_TRUE(sheet->save(path));
    // The picker goes on: the pick is still pending, not committed by the save.
    EXPECT_EQ(sheet->getKnownSpellsOfLevel(1), (SpellList{sleep}));
    EXPECT_EQ(sheet->arcaneSpells.at(1), (SpellList{spark}));

    auto reread = newCharacter();
    ASSERT_TRUE(reread->load(path));
    EXPECT_EQ(reread->arcaneSpells.at(1), (SpellList{spark, sleep}));
    EXPECT_EQ(reread->getUnallocatedArcaneSpellSlots(1), 1);
    EXPECT_EQ(reread->getUnallocatedArcaneSpellSlots(2), 1);
    EXPECT_TRUE(reread->knownSpells.empty());
}

TEST(DerivedValues, ModifierTable) {
    const int expected[] = {-3, -3, -3, -3, -2, -2, -1, -1, -1, 0, 0, 0, 0, 1, 1, 1, 2, 2, 3};
    auto sheet = newCharacter();
    for (int score = 0; score <= 18; ++score) {
        EXPECT_EQ(sheet->getModifier(score), expected[score]) << score;
        sheet->attributes[CharacterSheet::Charisma].current = score;
        EXPECT_EQ(sheet->getCharismaModifier(), expected[score]);
    }
    EXPECT_EQ(sheet->getModifier(19), 0);
    EXPECT_EQ(sheet->getModifier(-1), 0);
}

// A class of one level whose only action is force_door with the given throw.
struct ForceDoorClass {
    TempFolder base;
    std::unique_ptr<RulesCatalogues> catalogues;

    explicit ForceDoorClass(int throwValue) {
        base.write("Data/actions/force_door.xml", R"(<Proficiency id="force_door" displayName="Force Door"/>)");
        base.write("Data/classes/c.xml", "<CharacterClass id=\"c\"><PrimeStats><strength/><wisdom/></PrimeStats>"
                                         "<Levels><Level value=\"1\"><Actions><listen value=\"9\"/><force_door value=\"" +
                                             std::to_string(throwValue) + "\"/></Actions></Level></Levels></CharacterClass>");
        catalogues = loadRulesCatalogues(base.path());
    }
};

TEST(DerivedValues, ForceDoorFollowsStrength) {
    struct Case {
        int throwValue, strength, expected;
    };
    const Case cases[] = {{18, 16, 10}, {18, 4, 26}, {3, 18, 1}, {18, 10, 18}, {18, 19, 18}};
    for (const Case& c : cases) {
        ForceDoorClass fixture(c.throwValue);
        auto sheet = newCharacter(*fixture.catalogues);
        sheet->attributes[CharacterSheet::Strength].current = c.strength;
        sheet->characterClass = fixture.catalogues->classes.classes().at(0).get();
        sheet->rebuildActions();
        ASSERT_EQ(sheet->actions.size(), 2u);
        EXPECT_EQ(sheet->actions[0].throwText, "9+") << "other actions are copied as they are";
        EXPECT_EQ(sheet->actions[1].displayName, "Force Door");
        EXPECT_EQ(sheet->actions[1].throwValue, c.expected) << c.throwValue << " with " << c.strength;
        EXPECT_EQ(sheet->actions[1].throwText, std::to_string(c.expected) + "+");
        sheet->rebuildActions();
        EXPECT_EQ(sheet->actions.size(), 2u) << "rebuilding replaces the list";
    }
}

TEST(DerivedValues, PrimeRequisiteBonus) {
    struct Case {
        int strength, wisdom;
        float bonus;
    };
    const Case cases[] = {{16, 14, 0.05f}, {16, 16, 0.10f}, {12, 18, 0.0f}, {13, 13, 0.05f}, {-1, 18, 0.10f}};
    ForceDoorClass fixture(18);
    for (const Case& c : cases) {
        auto sheet = newCharacter(*fixture.catalogues);
        sheet->characterClass = fixture.catalogues->classes.classes().at(0).get();
        sheet->attributes[CharacterSheet::Strength].current = c.strength;
        sheet->attributes[CharacterSheet::Wisdom].current = c.wisdom;
        EXPECT_FLOAT_EQ(sheet->getPrimeRequisiteXPBonus(), c.bonus) << c.strength << "/" << c.wisdom;
    }
}

TEST(DerivedValues, ThrowsAndSpeedsOfTheClass) {
    auto sheet = newCharacter();
    sheet->characterClass = findClassById(catalogueB().classes, "fighter");
    sheet->level = 2;
    EXPECT_EQ(sheet->getSavingThrow("Attack"), 18);
    EXPECT_EQ(sheet->getSavingThrow("death"), 12);
    EXPECT_EQ(sheet->getSavingThrow("Death"), 20);
    EXPECT_EQ(sheet->getMovementSpeed("base"), 40);
    EXPECT_EQ(sheet->getMovementSpeed("climb"), 20);
    EXPECT_EQ(sheet->getLevelTitle(), "Swordsman");
}

TEST(DerivedValues, ArmourClassAddsWornItemsToDexterity) {
    auto sheet = newCharacter();
    sheet->attributes[CharacterSheet::Dexterity].current = 16;
    EXPECT_EQ(sheet->getArmourClass(), 2) << "nothing worn: the modifier alone";
    sheet->inventory.attachEquipment(itemOf("chain_mail"), nullptr);
    sheet->inventory.attachEquipment(itemOf("shield"), nullptr);
    sheet->inventory.equippedArmour = sheet->inventory.items[0].get();
    EXPECT_EQ(sheet->getArmourClass(), 6);
    sheet->inventory.equippedShield = sheet->inventory.items[1].get();
    EXPECT_EQ(sheet->getArmourClass(), 7);
    // An item whose id the catalogue no longer knows has no record and no bonus.
    auto unknown = std::make_unique<BRAVCharacterEquipment>(nullptr, static_cast<const Equipment*>(nullptr));
    unknown->id = "mithril_coat";
    sheet->inventory.attachEquipment(std::move(unknown), nullptr);
    sheet->inventory.equippedArmour = sheet->inventory.items[2].get();
    EXPECT_EQ(sheet->getArmourClass(), 3);
}

TEST(DerivedValues, EveryGetterIsSafeWithoutAClass) {
    for (const char* classId : {"", "unknown"}) {
        auto sheet = newCharacter();
        sheet->characterClass = findClassById(catalogueB().classes, classId);
        ASSERT_EQ(sheet->characterClass, nullptr);
        EXPECT_EQ(sheet->getSavingThrow("Attack"), 20);
        EXPECT_EQ(sheet->getMovementSpeed("base"), 20);
        EXPECT_EQ(sheet->getArmourClass(), -3);
        EXPECT_FLOAT_EQ(sheet->getPrimeRequisiteXPBonus(), 0.0f);
        EXPECT_EQ(sheet->getLevelTitle(), "");
        EXPECT_EQ(sheet->currentLevelRecord(), nullptr);
        sheet->rebuildActions();
        EXPECT_TRUE(sheet->actions.empty());
        EXPECT_FALSE(sheet->levelUp());
        sheet->rollHitPoints(1, true);
        sheet->addClassAbilities(1);
        sheet->addSubClassAbilities(1);
        sheet->addSubClassBonusArcaneSpells(1);
        sheet->addSubClassBonusDivineSpells(1);
        sheet->addSubClassFreeProficiencies(1);
        sheet->updateProficiencySlots();
        sheet->updateSpellSlots();
        sheet->updateAttackThrow();
        EXPECT_EQ(sheet->level, 1u);
        EXPECT_EQ(sheet->maximumHitPoints, 0);
        EXPECT_TRUE(sheet->classAbilities.empty());
        EXPECT_EQ(sheet->unallocatedGeneralProficiencySlots, 0);
        EXPECT_TRUE(sheet->arcaneDailyCastings.empty());
        EXPECT_FALSE(sheet->levelUpReport.attackImproved);
    }
}

TEST(DerivedValues, LevelWithoutARecordIsSafe) {
    auto sheet = newCharacter();
    sheet->characterClass = findClassById(catalogueB().classes, "fighter");
    sheet->level = 9;
    EXPECT_EQ(sheet->getSavingThrow("Attack"), 20);
    EXPECT_EQ(sheet->getMovementSpeed("base"), 40) << "speeds belong to the class, not the level";
    EXPECT_EQ(sheet->getLevelTitle(), "");
    sheet->rebuildActions();
    EXPECT_TRUE(sheet->actions.empty());
    EXPECT_FALSE(sheet->levelUp());
    sheet->updateSpellSlots();
    sheet->updateProficiencySlots();
    EXPECT_EQ(sheet->level, 9u);
}

} // namespace
