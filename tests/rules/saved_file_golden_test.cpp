// The saved file of a rich character against a file written by hand: every section, in the
// order and with the names a saved character has, so that a field the writer and the reader
// swap or rename together is still caught.
#include <gtest/gtest.h>

#include "app/xml_file.h"
#include "catalogue_b.h"
#include "coins.h"
#include "rules/class_lookups.h"
#include "rules/spell_catalogue.h"
#include "saved_tree.h"
#include "support/temp_folder.h"

namespace {

const std::string goldenPath = std::string(ZODERUD_TEST_DATA_DIR) + "/saved_b/rich_priest.xml";

std::unique_ptr<BRAVCharacterEquipment> itemOf(const std::string& id, int quantity = 1) {
    auto item = std::make_unique<BRAVCharacterEquipment>(nullptr, catalogueB().equipment.findEquipment(id));
    EXPECT_NE(item->record, nullptr) << id;
    item->quantity = quantity;
    return item;
}

void addProficiency(CharacterSheet& sheet, const char* id, int level, int roll, const char* domain, const char* notes) {
    sheet.addProficiency(id, domain);
    sheet.proficiencies.back()->level = level;
    sheet.proficiencies.back()->roll = roll;
    sheet.proficiencies.back()->playerNotes = notes;
}

// A wounded priest of the Sun at level 4, set field by field (no dice).
std::unique_ptr<CharacterSheet> richPriest() {
    const RulesCatalogues& rules = catalogueB();
    auto sheet = newCharacter();
    sheet->name = "Sister Ma\xEBlis & \"Dawn\"";
    sheet->setAlignment("Neutral");
    sheet->age = 34;
    sheet->weight = 131;
    sheet->belief = "The dawn returns";
    sheet->instinct = "Shield the weak";
    sheet->opinion = "Rogues <never> pay tithes";
    sheet->biography = "Raised at the shrine.\nSworn to the sun.";
    sheet->notes = "Owes the abbot a candle";
    sheet->currentHitPoints = 6;
    sheet->maximumHitPoints = 19;
    sheet->experience = 6512;
    sheet->level = 4;
    const int scores[6][2] = {{11, 10}, {9, 8}, {16, 15}, {12, 12}, {14, 13}, {7, 7}};
    for (int i = 0; i < 6; ++i) {
        sheet->attributes[i].current = scores[i][0];
        sheet->attributes[i].natural = scores[i][1];
    }
    const CharacterClass* priest = findClassById(rules.classes, "priest");
    sheet->characterClass = priest;
    sheet->subClass = priest->findSubClass("sun");
    sheet->classAbilities = {priest->findClassAbility("turn_undead"), priest->findClassAbility("sun_blessing")};
    addProficiency(*sheet, "adventuring", 1, 11, "", "");
    addProficiency(*sheet, "lore", 2, 9, "history", "Temple archives");
    addProficiency(*sheet, "healing", 1, 12, "", "");
    addProficiency(*sheet, "languages", 3, 8, "Elvish", "Reads, does not speak");
    sheet->unallocatedClassProficiencySlots = 1;
    sheet->unallocatedGeneralProficiencySlots = 2;
    sheet->addArcaneSpell(rules.spells.findArcaneSpell("light_orb"));
    sheet->unallocatedArcaneSpellSlots[1] = 1;
    sheet->arcaneDailyCastings[1] = 3;
    sheet->arcaneRepertoireSlots[1] = 4;
    for (const char* id : {"calm_mind", "bless_word", "heal_touch", "spirit_hammer", "ward_light"}) {
        sheet->addDivineSpell(rules.spells.findDivineSpell(id));
    }
    sheet->divineDailyCastings[1] = 2;
    sheet->divineDailyCastings[2] = 5;

    auto pack = itemOf("backpack");
    pack->customName = "Pilgrim's Pack";
    auto sack = itemOf("sack");
    sack->areContentsExpanded = false;
    auto torches = itemOf("torch", 3);
    torches->playerNotes = "Two are damp";
    sack->attachEquipment(std::move(torches));
    pack->attachEquipment(std::move(sack));
    pack->attachEquipment(itemOf("rations", 4));
    sheet->inventory.attachEquipment(std::move(pack), nullptr);
    sheet->inventory.attachEquipment(itemOf("chain_mail"), nullptr);
    sheet->inventory.equippedArmour = sheet->inventory.items.back().get();
    auto rope = itemOf("rope", 2);
    rope->customName = "Bell Rope";
    rope->playerNotes = "From the old chapel";
    rope->customValue = coins(0, 5, 0, 1, 0);
    sheet->inventory.attachEquipment(std::move(rope), nullptr);
    sheet->inventory.attachEquipment(itemOf("shield"), nullptr);
    sheet->inventory.equippedShield = sheet->inventory.items.back().get();

    sheet->wealth.current = coins(15, 7, 3, 12, 1);
    sheet->wealth.history.push_back({"Tithe from the village", coins(0, 0, 0, 10, 0)});
    sheet->wealth.history.push_back({"Bought equipment: Bell Rope", coins(0, -5, 0, -1, 0)});
    return sheet;
}

TEST(SavedFileGolden, RichCharacterIsWrittenAsTheHandWrittenFile) {
    TempFolder folder;
    auto sheet = richPriest();
    const std::string path = folder.path() + "rich.xml";
    ASSERT_TRUE(sheet->save(path));
    EXPECT_EQ(savedTreeOf(path), savedTreeOf(goldenPath));
}

TEST(SavedFileGolden, HandWrittenFileLoadsIntoEveryField) {
    const RulesCatalogues& rules = catalogueB();
    auto sheet = newCharacter();
    ASSERT_TRUE(sheet->load(goldenPath));

    EXPECT_EQ(sheet->name, "Sister Ma\xEBlis & \"Dawn\"");
    EXPECT_EQ(sheet->alignment, "Neutral");
    EXPECT_EQ(sheet->alignmentCode, 1);
    EXPECT_EQ(sheet->age, 34);
    EXPECT_EQ(sheet->weight, 131);
    EXPECT_EQ(sheet->belief, "The dawn returns");
    EXPECT_EQ(sheet->instinct, "Shield the weak");
    EXPECT_EQ(sheet->opinion, "Rogues <never> pay tithes");
    EXPECT_EQ(sheet->biography, "Raised at the shrine.\nSworn to the sun.");
    EXPECT_EQ(sheet->notes, "Owes the abbot a candle");
    EXPECT_EQ(sheet->currentHitPoints, 6);
    EXPECT_EQ(sheet->maximumHitPoints, 19);
    EXPECT_EQ(sheet->experience, 6512u);
    EXPECT_EQ(sheet->level, 4u);
    const int scores[6][2] = {{11, 10}, {9, 8}, {16, 15}, {12, 12}, {14, 13}, {7, 7}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(sheet->attributes[i].current, scores[i][0]) << sheet->attributes[i].name;
        EXPECT_EQ(sheet->attributes[i].natural, scores[i][1]) << sheet->attributes[i].name;
    }

    const CharacterClass* priest = findClassById(rules.classes, "priest");
    EXPECT_EQ(sheet->characterClass, priest);
    EXPECT_EQ(sheet->subClass, priest->findSubClass("sun"));
    ASSERT_EQ(sheet->classAbilities.size(), 2u);
    EXPECT_EQ(sheet->classAbilities[0]->id, "turn_undead");
    EXPECT_EQ(sheet->classAbilities[1]->id, "sun_blessing");

    struct Expected {
        const char* id;
        int level;
        int roll;
        const char* domain;
        const char* notes;
    };
    const Expected proficiencies[] = {{"adventuring", 1, 11, "", ""},
                                      {"lore", 2, 9, "history", "Temple archives"},
                                      {"healing", 1, 12, "", ""},
                                      {"languages", 3, 8, "Elvish", "Reads, does not speak"}};
    ASSERT_EQ(sheet->proficiencies.size(), std::size(proficiencies));
    for (std::size_t i = 0; i < std::size(proficiencies); ++i) {
        const CharacterProficiency& read = *sheet->proficiencies[i];
        EXPECT_EQ(read.id, proficiencies[i].id);
        EXPECT_NE(read.record, nullptr) << read.id;
        EXPECT_EQ(read.level, proficiencies[i].level) << read.id;
        EXPECT_EQ(read.roll, proficiencies[i].roll) << read.id;
        EXPECT_EQ(read.domain, proficiencies[i].domain) << read.id;
        EXPECT_EQ(read.playerNotes, proficiencies[i].notes) << read.id;
    }
    EXPECT_EQ(sheet->unallocatedClassProficiencySlots, 1);
    EXPECT_EQ(sheet->unallocatedGeneralProficiencySlots, 2);

    auto ids = [](const SpellList& spells) {
        std::vector<std::string> out;
        for (const SpellRecord* spell : spells) out.push_back(spell->id);
        return out;
    };
    using Ids = std::vector<std::string>;
    EXPECT_EQ(ids(sheet->arcaneSpells.at(1)), Ids{"light_orb"});
    EXPECT_EQ(ids(sheet->divineSpells.at(1)), (Ids{"bless_word", "heal_touch", "ward_light"}));
    EXPECT_EQ(ids(sheet->divineSpells.at(2)), (Ids{"calm_mind", "spirit_hammer"}));
    using Counts = std::map<std::uint32_t, std::int32_t>;
    EXPECT_EQ(sheet->unallocatedArcaneSpellSlots, (Counts{{1, 1}}));
    EXPECT_EQ(sheet->arcaneDailyCastings, (Counts{{1, 3}}));
    EXPECT_EQ(sheet->arcaneRepertoireSlots, (Counts{{1, 4}}));
    EXPECT_EQ(sheet->divineDailyCastings, (Counts{{1, 2}, {2, 5}}));

    const EquipmentList& items = sheet->inventory.items;
    ASSERT_EQ(items.size(), 4u);
    const BRAVCharacterEquipment& pack = *items[0];
    EXPECT_EQ(pack.id, "backpack");
    EXPECT_EQ(pack.customName, "Pilgrim's Pack");
    EXPECT_TRUE(pack.areContentsExpanded);
    ASSERT_EQ(pack.contents.size(), 2u);
    const BRAVCharacterEquipment& sack = *pack.contents[0];
    EXPECT_EQ(sack.id, "sack");
    EXPECT_FALSE(sack.areContentsExpanded);
    EXPECT_EQ(sack.parent, &pack);
    ASSERT_EQ(sack.contents.size(), 1u);
    EXPECT_EQ(sack.contents[0]->id, "torch");
    EXPECT_EQ(sack.contents[0]->quantity, 3);
    EXPECT_EQ(sack.contents[0]->playerNotes, "Two are damp");
    EXPECT_EQ(pack.contents[1]->id, "rations");
    EXPECT_EQ(pack.contents[1]->quantity, 4);
    EXPECT_EQ(items[1]->id, "chain_mail");
    EXPECT_EQ(sheet->inventory.equippedArmour, items[1].get());
    EXPECT_EQ(items[2]->id, "rope");
    EXPECT_EQ(items[2]->quantity, 2);
    EXPECT_EQ(items[2]->customName, "Bell Rope");
    EXPECT_EQ(items[2]->playerNotes, "From the old chapel");
    EXPECT_EQ(items[2]->customValue, coins(0, 5, 0, 1, 0));
    EXPECT_EQ(items[3]->id, "shield");
    EXPECT_EQ(sheet->inventory.equippedShield, items[3].get());

    EXPECT_EQ(sheet->wealth.current, coins(15, 7, 3, 12, 1));
    ASSERT_EQ(sheet->wealth.history.size(), 2u);
    EXPECT_EQ(sheet->wealth.history[0].description, "Tithe from the village");
    EXPECT_EQ(sheet->wealth.history[0].amount, coins(0, 0, 0, 10, 0));
    EXPECT_EQ(sheet->wealth.history[1].description, "Bought equipment: Bell Rope");
    EXPECT_EQ(sheet->wealth.history[1].amount, coins(0, -5, 0, -1, 0));
    EXPECT_TRUE(sheet->saved);
}

} // namespace
