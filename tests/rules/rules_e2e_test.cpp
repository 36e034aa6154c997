// Plays the shipped rules from end to end the way the tracker does: the catalogues load in the
// main menu's order; every class is created from its first template, spends every pick the way
// the pickers do, commits its spells and rises to its top level; a character buys, packs,
// equips, spends and earns; and every character comes back from a save and a load unchanged.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "rules/character_class.h"
#include "rules/character_sheet.h"
#include "rules/class_lookups.h"
#include "shipped_rules.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

// High enough for every class, and the best Intelligence a roll gives: the most picks and
// spell slots any character can get.
const Scores everyClassScores{16, 18, 16, 16, 14, 12};

void setScores(CharacterSheet& sheet, const Scores& scores) {
    const unsigned values[] = {scores.strength,  scores.intelligence, scores.wisdom,
                               scores.dexterity, scores.constitution, scores.charisma};
    for (int index = 0; index < 6; ++index) {
        sheet.attributes[index].current = static_cast<std::int32_t>(values[index]);
        sheet.attributes[index].natural = static_cast<std::int32_t>(values[index]);
    }
}

std::unique_ptr<CharacterSheet> newCharacter(const RulesCatalogues& rules, const Scores& scores) {
    auto sheet = std::make_unique<CharacterSheet>(nullptr, rules.classes, rules.proficiencies, rules.equipment,
                                                  rules.spells);
    sheet->random = RandomSource(20261210);
    setScores(*sheet, scores);
    return sheet;
}

// Whether the picker would list a member as already owned.
bool owns(const CharacterSheet& sheet, const ProficiencyCatalogue& catalogue, const ProficiencyKey& member) {
    const Proficiency* proficiency = catalogue.findProficiency(member.id);
    for (const auto& owned : sheet.proficiencies) {
        if (owned->id != member.id) continue;
        if (proficiency == nullptr || !proficiency->hasDomain || member.domain.empty() || owned->domain == member.domain) {
            return true;
        }
    }
    return false;
}

// Spends picks from one list the way the proficiency picker does: each member the character
// does not own yet (a domain proficiency listed without one gets a domain typed in), then one
// rank at a time on owned members below their top rank. Each pick lowers the character's
// count of that list. A domain proficiency listed without a domain could be taken again and
// again under new domains; it is taken once here, so the lists must not lean on that.
void spendPicks(CharacterSheet& sheet, const ProficiencyCatalogue& catalogue, const std::string& listId,
                std::int32_t& count, const std::string& when) {
    const ProficiencyList* list = catalogue.findProficiencyList(listId);
    ASSERT_NE(list, nullptr) << listId;
    for (const ProficiencyKey& member : list->entries) {
        if (count <= 0) return;
        if (owns(sheet, catalogue, member)) continue;
        const Proficiency* proficiency = catalogue.findProficiency(member.id);
        ASSERT_NE(proficiency, nullptr) << member.id;
        const std::string domain = proficiency->hasDomain && member.domain.empty() ? "the " + when : member.domain;
        sheet.addProficiency(member.id, domain);
        --count;
    }
    std::set<std::string> listIds;
    for (const ProficiencyKey& member : list->entries) listIds.insert(member.id);
    bool upgraded = true;
    while (count > 0 && upgraded) {
        upgraded = false;
        for (const auto& owned : sheet.proficiencies) {
            if (count <= 0) break;
            const Proficiency* record = owned->record;
            if (record == nullptr || !record->canBeUpgraded || owned->level >= record->maxLevel ||
                listIds.count(owned->id) == 0) {
                continue;
            }
            sheet.upgradeProficiency(owned->id, owned->domain);
            --count;
            upgraded = true;
        }
    }
    EXPECT_EQ(count, 0) << "the list \"" << listId << "\" ran out of picks at " << when;
}

// The level-up flow's order: the general list, then the class's own.
void spendEveryPick(CharacterSheet& sheet, const RulesCatalogues& rules, const std::string& when) {
    spendPicks(sheet, rules.proficiencies, "general", sheet.unallocatedGeneralProficiencySlots, when);
    spendPicks(sheet, rules.proficiencies, sheet.characterClass->proficiencyList, sheet.unallocatedClassProficiencySlots,
               when);
}

bool knowsArcane(const CharacterSheet& sheet, std::int32_t level, const std::string& id) {
    const auto inList = [&](const SpellList& spells) {
        return std::any_of(spells.begin(), spells.end(), [&](const SpellRecord* spell) { return spell->id == id; });
    };
    return inList(sheet.arcaneSpells.at(level)) || inList(sheet.getKnownSpellsOfLevel(level));
}

// Fills every open arcane slot as the spell picker does (a spell the character doesn't know
// yet, level by level), then commits the picks with Next Step.
void commitArcanePicks(CharacterSheet& sheet, const SpellCatalogue& spells, const std::string& when) {
    for (std::int32_t level = 1; level <= 9; ++level) {
        const SpellGroup* group = spells.arcaneSpellsOfLevel(level);
        if (group == nullptr) continue;
        for (const SpellRecord* spell : *group) {
            if (sheet.getUnallocatedArcaneSpellSlots(level) <= 0) break;
            if (knowsArcane(sheet, level, spell->id)) continue;
            sheet.addKnownSpell(spell);
            sheet.useUnallocatedArcaneSpellSlot(level);
        }
    }
    sheet.clearKnownSpells();
    EXPECT_EQ(sheet.countUnallocatedArcaneSpellSlots(), 0) << "arcane slots left open at " << when;
}

std::set<std::string> abilityIds(const CharacterSheet& sheet) {
    std::set<std::string> ids;
    for (const ClassAbility* ability : sheet.classAbilities) ids.insert(ability->id);
    return ids;
}

// Saves original, loads the file into copy (a just-made record) and saves copy again: the two
// files must be the same byte for byte.
void saveLoadAndSaveAgain(CharacterSheet& original, CharacterSheet& copy, const TempFolder& folder,
                          const std::string& name) {
    const std::string first = folder.path() + name + ".xml";
    const std::string second = folder.path() + name + "_again.xml";
    EXPECT_TRUE(original.save(first));
    EXPECT_TRUE(copy.load(first));
    EXPECT_TRUE(copy.save(second));
    const std::string text = readFile(first);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text, readFile(second)) << name << ": the file changed on its way through a load";
}

} // namespace

TEST(RulesEndToEnd, CataloguesLoadInTheMainMenusOrderWithoutAComplaint) {
    LogCapture log;
    const auto rules = loadRulesCatalogues(shippedBaseFolder());
    EXPECT_TRUE(log.lines().empty()) << "first line logged: " << log.lines().front();

    // Each catalogue is read before the ones that refer to it: the class levels take their
    // action names from the actions, the templates find their items, proficiencies and spells.
    ASSERT_FALSE(rules->classes.classes().empty());
    for (const auto& characterClass : rules->classes.classes()) {
        for (const CharacterAction& action : characterClass->getLevel(1)->actions) {
            EXPECT_FALSE(action.displayName.empty()) << characterClass->id << ": " << action.id;
            EXPECT_FALSE(action.description.empty()) << characterClass->id << ": " << action.id;
        }
        for (const auto& classTemplate : rules->templates.templatesOf(characterClass->id)) {
            for (const auto& item : classTemplate->startingInventory.items) EXPECT_NE(item->record, nullptr) << item->id;
            for (const auto& [position, proficiency] : classTemplate->startingProficiencies) {
                EXPECT_NE(proficiency.record, nullptr) << proficiency.id;
            }
        }
    }
}

namespace {

// The least a roll may give and still offer the class: 9 in each prime score, each listed
// minimum, 3 elsewhere. Such a character gets no bonus picks or spells and the fewest hit points.
Scores barelyEnough(const CharacterClass& characterClass) {
    std::map<std::string, unsigned> score{{"strength", 3},  {"intelligence", 3}, {"wisdom", 3},
                                          {"dexterity", 3}, {"constitution", 3}, {"charisma", 3}};
    for (const auto& stat : characterClass.primeStats) score[stat] = std::max(score[stat], 9u);
    for (const auto& [stat, minimum] : characterClass.attributeRequirements) {
        score[stat] = std::max(score[stat], static_cast<unsigned>(minimum));
    }
    return {score["strength"],  score["intelligence"], score["wisdom"],
            score["dexterity"], score["constitution"], score["charisma"]};
}

// Creates a character of the class from the template as the wizard does, then levels it to
// the top as the level-up flow does, spending every pick and spell slot on the way; then the
// character must come back from its file unchanged.
void riseToTheTop(const RulesCatalogues& rules, const CharacterClass& characterClass,
                  const ClassTemplate& classTemplate, const Scores& scores, const TempFolder& folder,
                  const std::string& fileName) {
    const auto eligible = eligibleClasses(rules, scores);
    ASSERT_NE(std::find(eligible.begin(), eligible.end(), &characterClass), eligible.end());
    // The class step picks by shown names, so both lookups must lead back here.
    ASSERT_EQ(findClassByName(rules.classes, characterClass.displayName), &characterClass);
    ASSERT_EQ(findClassTemplate(rules.templates, characterClass.id, classTemplate.displayName), &classTemplate);

    auto sheet = newCharacter(rules, scores);
    sheet->applyCharacterClass(characterClass);
    sheet->applyClassTemplate(classTemplate);

    EXPECT_GT(sheet->maximumHitPoints, 0);
    EXPECT_NE(sheet->findProficiency("adventuring", ""), nullptr);
    EXPECT_EQ(sheet->unallocatedClassProficiencySlots, 0);
    EXPECT_GE(sheet->unallocatedGeneralProficiencySlots, 0);
    EXPECT_FALSE(sheet->inventory.items.empty());
    EXPECT_EQ(sheet->wealth.current, classTemplate.startingMoney);
    if (characterClass.hasSubClasses) {
        ASSERT_NE(sheet->subClass, nullptr);
        EXPECT_EQ(sheet->subClass->id, classTemplate.subClassId);
    }
    for (const auto& [position, spell] : classTemplate.startingArcaneSpells) {
        if (position < 1 + std::max(0, sheet->getIntelligenceModifier())) {
            EXPECT_TRUE(knowsArcane(*sheet, 1, spell->id)) << spell->id;
        }
    }
    spendEveryPick(*sheet, rules, "creation");
    commitArcanePicks(*sheet, rules.spells, "creation");

    bool attackImproved = false;
    bool savesImproved = false;
    while (sheet->level < static_cast<std::uint32_t>(characterClass.maxLevel)) {
        const std::string when = "level " + std::to_string(sheet->level + 1);
        sheet->experience = static_cast<std::uint32_t>(characterClass.getLevel(sheet->level + 1)->experience);
        ASSERT_TRUE(sheet->levelUp()) << when;
        EXPECT_GE(sheet->levelUpReport.hitPointsGained, 1) << when;
        attackImproved = attackImproved || sheet->levelUpReport.attackImproved;
        savesImproved = savesImproved || sheet->levelUpReport.savesImproved;
        spendEveryPick(*sheet, rules, when);
        commitArcanePicks(*sheet, rules.spells, when);
        EXPECT_FALSE(sheet->actions.empty()) << when;
    }
    EXPECT_FALSE(sheet->levelUp()) << "a character at the top level has nowhere to go";
    EXPECT_TRUE(attackImproved);
    EXPECT_TRUE(savesImproved);
    EXPECT_EQ(sheet->getLevelTitle(), characterClass.levels.rbegin()->second.title);

    // Every ability of every level reached, the subclass's included.
    std::set<std::string> expectedAbilities;
    for (const auto& [number, level] : characterClass.levels) {
        expectedAbilities.insert(level.classAbilities.begin(), level.classAbilities.end());
    }
    if (sheet->subClass != nullptr) {
        for (const auto& [number, level] : sheet->subClass->levels) {
            expectedAbilities.insert(level.classAbilities.begin(), level.classAbilities.end());
        }
    }
    EXPECT_EQ(abilityIds(*sheet), expectedAbilities);

    // Arcane: every repertoire slot holds a spell. Divine: the whole class list of every level
    // with castings, once, and the subclass's own spells besides.
    for (const auto& [spellLevel, slots] : sheet->arcaneRepertoireSlots) {
        EXPECT_EQ(static_cast<std::int32_t>(sheet->arcaneSpells.at(spellLevel).size()), slots)
            << "arcane level " << spellLevel;
    }
    for (const auto& [spellLevel, castings] : sheet->divineDailyCastings) {
        const ClassSpellList* list = rules.spells.divineClassSpellList(characterClass.id);
        ASSERT_NE(list, nullptr);
        const SpellList& known = sheet->divineSpells.at(static_cast<std::int32_t>(spellLevel));
        for (const std::string& id : list->at(static_cast<int>(spellLevel))) {
            EXPECT_EQ(std::count_if(known.begin(), known.end(), [&](const SpellRecord* spell) { return spell->id == id; }), 1)
                << id;
        }
    }
    if (sheet->subClass != nullptr) {
        for (const auto& [number, level] : sheet->subClass->levels) {
            for (const std::string& id : level.bonusDivineSpells) {
                const SpellRecord* spell = rules.spells.findDivineSpell(id);
                ASSERT_NE(spell, nullptr);
                const SpellList& known = sheet->divineSpells.at(spell->level);
                EXPECT_NE(std::find(known.begin(), known.end(), spell), known.end()) << id;
            }
        }
    }

    auto copy = newCharacter(rules, {3, 3, 3, 3, 3, 3});
    saveLoadAndSaveAgain(*sheet, *copy, folder, fileName);
    EXPECT_EQ(copy->characterClass, &characterClass);
    EXPECT_EQ(copy->subClass, sheet->subClass);
    EXPECT_EQ(copy->level, sheet->level);
    EXPECT_EQ(copy->maximumHitPoints, sheet->maximumHitPoints);
    EXPECT_EQ(copy->proficiencies.size(), sheet->proficiencies.size());
    EXPECT_EQ(abilityIds(*copy), expectedAbilities);
    EXPECT_EQ(copy->actions.size(), sheet->actions.size());
}

} // namespace

TEST(RulesEndToEnd, EveryClassAndTemplateRisesToTheTopLevelWithoutAGap) {
    const RulesCatalogues& rules = shippedRules();
    TempFolder folder;
    int characters = 0;
    for (const auto& characterClass : rules.classes.classes()) {
        const ClassTemplateList& templates = rules.templates.templatesOf(characterClass->id);
        ASSERT_FALSE(templates.empty()) << characterClass->id;
        for (size_t index = 0; index < templates.size(); ++index) {
            for (const auto& [label, scores] : {std::pair{"best", everyClassScores},
                                                std::pair{"barely", barelyEnough(*characterClass)}}) {
                SCOPED_TRACE(characterClass->id + " / " + templates[index]->displayName + " / " + label + " scores");
                riseToTheTop(rules, *characterClass, *templates[index], scores, folder,
                             characterClass->id + "_" + std::to_string(index) + "_" + label);
                ++characters;
            }
        }
    }
    EXPECT_GE(characters, 8);
}

TEST(RulesEndToEnd, ACharacterBuysPacksEquipsSpendsAndEarnsAndKeepsItAllThroughASave) {
    const RulesCatalogues& rules = shippedRules();
    const CharacterClass* mage = findClassById(rules.classes, "mage");
    ASSERT_NE(mage, nullptr);
    const Scores scores{10, 16, 10, 13, 12, 9};
    const auto eligible = eligibleClasses(rules, scores);
    ASSERT_NE(std::find(eligible.begin(), eligible.end(), mage), eligible.end());

    auto sheet = newCharacter(rules, scores);
    sheet->name = "Orla of the Ninth Stair";
    sheet->applyCharacterClass(*mage);
    sheet->applyClassTemplate(*rules.templates.templatesOf("mage").front());
    spendEveryPick(*sheet, rules, "creation");
    commitArcanePicks(*sheet, rules.spells, "creation");

    const Equipment* arrows = rules.equipment.findEquipment("arrows");
    const Equipment* sack = rules.equipment.findEquipment("sack");
    const Equipment* chainMail = rules.equipment.findEquipment("chain_mail");
    ASSERT_TRUE(arrows && sack && chainMail);
    int counter = 0;
    ASSERT_EQ(findEquipmentByShownName(sheet->inventory.items, arrows->displayName, counter), nullptr)
        << "the test wants a character who starts without arrows";

    // A reward first: the template's purse alone does not stretch to a mail shirt.
    const Money startingPurse = sheet->wealth.current;
    Money reward;
    reward.gold = 45;
    reward.copper = 7;
    sheet->wealth.earnMoney("Reward for the lost ledger", reward);
    EXPECT_EQ(sheet->wealth.current.gold, startingPurse.gold + 45) << "earning adds coin by coin";
    EXPECT_EQ(sheet->wealth.current.copper, startingPurse.copper + 7) << "earning adds coin by coin";

    // Buying pays first, as the buy window does once the price is confirmed.
    std::int64_t spent = 0;
    const auto buy = [&](const Equipment* record) {
        EXPECT_TRUE(sheet->canAfford(record->value)) << record->id;
        sheet->wealth.spendMoney("Bought equipment: " + record->displayName, record->value);
        spent += record->value.totalInCopper();
        return sheet->buyEquipment(BRAVCharacterEquipment(nullptr, record));
    };

    // Arrows come by their purchase quantity and stack: two purchases make one stack.
    const size_t itemsBefore = sheet->inventory.items.size();
    buy(arrows);
    buy(arrows);
    EXPECT_EQ(sheet->inventory.items.size(), itemsBefore + 1);
    counter = 0;
    BRAVCharacterEquipment* quiver = findEquipmentByShownName(sheet->inventory.items, arrows->displayName, counter);
    ASSERT_NE(quiver, nullptr);
    EXPECT_EQ(quiver->quantity, 2 * arrows->purchaseQuantity);

    // Pack the arrows into a sack and close it; a third purchase finds the stack inside and
    // opens the sack again.
    buy(sack);
    BRAVCharacterEquipment* bag = sheet->inventory.items.back().get();
    ASSERT_EQ(bag->record, sack);
    ASSERT_EQ(sheet->inventory.moveEquipment(quiver, bag), PackResult::Moved);
    EXPECT_EQ(quiver->parent, bag);
    bag->areContentsExpanded = false;
    const int rowsClosed = countInventoryRows(sheet->inventory);
    buy(arrows);
    EXPECT_EQ(quiver->quantity, 3 * arrows->purchaseQuantity);
    EXPECT_TRUE(bag->areContentsExpanded);
    EXPECT_EQ(countInventoryRows(sheet->inventory), rowsClosed + 1);
    EXPECT_EQ(sheet->inventory.items.size(), itemsBefore + 1) << "the arrows left the top level for the sack";

    // Equip bought armour in place of the template's; the armour class follows.
    buy(chainMail);
    BRAVCharacterEquipment* mail = sheet->inventory.items.back().get();
    ASSERT_EQ(mail->record, chainMail);
    sheet->inventory.equippedArmour = mail;
    EXPECT_EQ(sheet->getArmourClass(), chainMail->armourClassBonus + sheet->getDexterityModifier());

    // Spending borrowed from larger coins where it had to.
    EXPECT_EQ(sheet->wealth.current.totalInCopper(), startingPurse.totalInCopper() + 4507 - spent);
    for (int coin : {sheet->wealth.current.copper, sheet->wealth.current.silver, sheet->wealth.current.electrum,
                     sheet->wealth.current.gold, sheet->wealth.current.platinum}) {
        EXPECT_GE(coin, 0) << "every purchase was affordable, so no coin goes below zero";
    }
    ASSERT_EQ(sheet->wealth.history.size(), 6u);
    EXPECT_EQ(sheet->wealth.history.front().amount, reward);
    EXPECT_EQ(sheet->wealth.history[1].description, "Bought equipment: Arrows");
    EXPECT_EQ(sheet->wealth.history[1].amount.totalInCopper(), -arrows->value.totalInCopper());
    EXPECT_EQ(sheet->wealth.history.back().description, "Bought equipment: Chain Mail");

    TempFolder folder;
    auto copy = newCharacter(rules, {3, 3, 3, 3, 3, 3});
    saveLoadAndSaveAgain(*sheet, *copy, folder, "orla");
    EXPECT_EQ(copy->name, sheet->name);
    EXPECT_EQ(copy->wealth.current, sheet->wealth.current);
    EXPECT_EQ(copy->wealth.history.size(), sheet->wealth.history.size());
    ASSERT_NE(copy->inventory.equippedArmour, nullptr);
    EXPECT_EQ(copy->inventory.equippedArmour->record, chainMail);
    EXPECT_EQ(copy->getArmourClass(), sheet->getArmourClass());
    counter = 0;
    const BRAVCharacterEquipment* loadedQuiver = findEquipmentByShownName(copy->inventory.items, arrows->displayName, counter);
    ASSERT_NE(loadedQuiver, nullptr);
    EXPECT_EQ(loadedQuiver->quantity, 3 * arrows->purchaseQuantity);
    ASSERT_NE(loadedQuiver->parent, nullptr);
    EXPECT_EQ(loadedQuiver->parent->record, sack);
    for (std::int32_t level = 1; level <= 9; ++level) {
        EXPECT_EQ(copy->arcaneSpells.at(level).size(), sheet->arcaneSpells.at(level).size()) << level;
    }
    EXPECT_EQ(copy->arcaneRepertoireSlots, sheet->arcaneRepertoireSlots);
    EXPECT_EQ(copy->arcaneDailyCastings, sheet->arcaneDailyCastings);
}
