#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <limits>
#include <map>
#include <vector>
#include <sys/resource.h>

#include "app/xml_file.h"
#include "catalogue_b.h"
#include "rules/class_lookups.h"
#include "saved_tree.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

int linesContaining(const LogCapture& capture, const std::string& text) {
    int count = 0;
    for (const auto& line : capture.lines()) count += line.find(text) != std::string::npos;
    return count;
}

std::unique_ptr<BRAVCharacterEquipment> itemOf(const std::string& id, int quantity = 1) {
    auto item = std::make_unique<BRAVCharacterEquipment>(nullptr, catalogueB().equipment.findEquipment(id));
    item->quantity = quantity;
    return item;
}

// A priest of the Sun with something in every part of the file.
std::unique_ptr<CharacterSheet> fullCharacter() {
    const RulesCatalogues& rules = catalogueB();
    auto sheet = newCharacter();
    sheet->name = "Ald\xE9n \"the Bold\" & Co";
    sheet->belief = "Light <always> wins";
    sheet->instinct = "Pray first";
    sheet->opinion = "Mages are reckless";
    sheet->biography = "Born by the sea.\nRaised in the temple.";
    sheet->notes = "Owes the smith 3 gold";
    sheet->age = 27;
    sheet->weight = 160;
    sheet->setAlignment("Neutral");
    sheet->experience = 1234;
    const int scores[6][2] = {{10, 9}, {13, 13}, {14, 13}, {11, 11}, {12, 12}, {9, 8}};
    for (int i = 0; i < 6; ++i) {
        sheet->attributes[i].current = scores[i][0];
        sheet->attributes[i].natural = scores[i][1];
    }
    const CharacterClass* priest = findClassById(rules.classes, "priest");
    sheet->applyCharacterClass(*priest);
    sheet->applyClassTemplate(*findClassTemplate(rules.templates, "priest", "Sun Acolyte"));
    sheet->levelUp();

    sheet->addProficiency("craft", "smithing");
    sheet->proficiencies.back()->playerNotes = "Horseshoes";
    sheet->addProficiency("lost_art", "");
    sheet->addArcaneSpell(rules.spells.findArcaneSpell("spark_bolt"));
    sheet->addArcaneSpell(rules.spells.findArcaneSpell("mirror_step"));
    sheet->unallocatedArcaneSpellSlots[1] = 1;
    sheet->unallocatedArcaneSpellSlots[2] = 0;
    sheet->arcaneRepertoireSlots[2] = 3;
    sheet->arcaneDailyCastings[1] = 2;
    sheet->unallocatedClassProficiencySlots = 2;

    sheet->inventory.attachEquipment(itemOf("backpack"), nullptr);
    BRAVCharacterEquipment* backpack = sheet->inventory.items.back().get();
    backpack->customName = "Old Pack";
    backpack->playerNotes = "Patched twice";
    backpack->customValue.silver = 4;
    backpack->attachEquipment(itemOf("sack"));
    backpack->contents.back()->attachEquipment(itemOf("torch", 3));
    backpack->contents.back()->areContentsExpanded = false;
    backpack->attachEquipment(itemOf("spellbook"));
    backpack->contents.back()->spells = {"spark_bolt", "mirror_step"};
    sheet->inventory.attachEquipment(itemOf("chain_mail"), nullptr);
    sheet->inventory.equippedArmour = sheet->inventory.items.back().get();
    sheet->inventory.attachEquipment(itemOf("shield"), nullptr);
    sheet->inventory.equippedShield = sheet->inventory.items.back().get();

    Money reward;
    reward.gold = 12;
    reward.copper = 15;
    sheet->wealth.earnMoney("Reward for the wolves", reward);
    Money price;
    price.silver = 7;
    sheet->wealth.spendMoney("Bought equipment: Lantern", price);
    return sheet;
}

TEST(SavedFile, DefaultCharacterMatchesTheGoldenTree) {
    TempFolder folder;
    auto sheet = newCharacter();
    const std::string path = folder.path() + "default.xml";
    ASSERT_TRUE(sheet->save(path));
    EXPECT_EQ(savedTreeOf(path), savedTreeOf(std::string(ZODERUD_TEST_DATA_DIR) + "/saved_b/default_character.xml"));
    const std::string bytes = readFile(path);
    EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u) << "declaration first, no byte-order mark";
}

TEST(SavedFile, SaveLoadSaveKeepsTheWholeTree) {
    TempFolder folder;
    auto original = fullCharacter();
    ASSERT_NE(original->subClass, nullptr);
    ASSERT_EQ(original->level, 2u);
    const std::string first = folder.path() + "first.xml";
    ASSERT_TRUE(original->save(first));

    auto loaded = newCharacter();
    ASSERT_TRUE(loaded->load(first));
    const std::string second = folder.path() + "second.xml";
    ASSERT_TRUE(loaded->save(second));
    EXPECT_EQ(savedTreeOf(second), savedTreeOf(first));

    // The record itself came back, not just the text.
    EXPECT_EQ(loaded->name, original->name);
    EXPECT_EQ(loaded->biography, original->biography);
    EXPECT_EQ(loaded->alignmentCode, 1);
    EXPECT_EQ(loaded->characterClass, original->characterClass);
    EXPECT_EQ(loaded->subClass, original->subClass);
    EXPECT_EQ(loaded->classAbilities, original->classAbilities);
    EXPECT_EQ(loaded->arcaneSpells, original->arcaneSpells);
    EXPECT_EQ(loaded->divineSpells, original->divineSpells);
    EXPECT_EQ(loaded->arcaneRepertoireSlots, original->arcaneRepertoireSlots);
    EXPECT_EQ(loaded->unallocatedArcaneSpellSlots, original->unallocatedArcaneSpellSlots);
    EXPECT_EQ(loaded->divineDailyCastings, original->divineDailyCastings);
    EXPECT_EQ(loaded->inventory.equippedArmour, loaded->inventory.items[1].get());
    EXPECT_EQ(loaded->inventory.equippedShield, loaded->inventory.items[2].get());
    EXPECT_EQ(loaded->wealth.history.size(), 2u);
    EXPECT_EQ(loaded->wealth.current, original->wealth.current);
    EXPECT_EQ(loaded->proficiencies.back()->id, "lost_art") << "kept under its own id without a record";
    EXPECT_EQ(loaded->maximumHitPoints, original->maximumHitPoints);
    EXPECT_EQ(loaded->filePath, first);
    EXPECT_EQ(loaded->portraitPath, folder.path() + "first.png");
    EXPECT_TRUE(loaded->saved);
    EXPECT_EQ(loaded->actions.size(), original->actions.size());
}

TEST(SavedFile, ReaderToleratesOrderUnknownsAndStrangeValues) {
    TempFolder folder;
    const std::string path = folder.write("odd.xml", R"(<?xml version="1.0"?>
<CharacterSheet>
    <Loot><CurrentWealth><Gold value="3"/></CurrentWealth></Loot>
    <Mystery value="1"><Deep/></Mystery>
    <ArcaneSpells><spark_bolt/><no_such_spell/><bless_word/><mirror_step/></ArcaneSpells>
    <DivineSpells><bless_word/><spark_bolt/></DivineSpells>
    <CharacterClass id="fighter">
        <ClassAbilities><ClassAbility id="cleave"/><ClassAbility id="turn_undead"/><Other id="weapon_focus"/></ClassAbilities>
        <SubClass id="sun"/>
    </CharacterClass>
    <Level value="3"/>
    <UnAllocatedArcaneSpellSlots><Slots level="2" number="4"/><Castings level="1" number="9"/><Slots level="2" number="8"/></UnAllocatedArcaneSpellSlots>
    <DivineDailyCastings><Castings number="2" level="1"/></DivineDailyCastings>
    <Biographical>
        <Notes value="n"/><Alignment value="Good"/><CharacterName value="Odd One"/><Age value="forty"/><Unknown value="x"/>
    </Biographical>
    <HP currentMaximum="9" current="7"/>
    <Attributes><Wisdom natural="12" current="14"/><Luck current="18"/></Attributes>
    <Proficiencies><Proficiency id="riding" level="2" roll="9" domain="" playerNotes=""/><Skill id="x"/></Proficiencies>
</CharacterSheet>)");
    auto sheet = newCharacter();
    ASSERT_TRUE(sheet->load(path));
    EXPECT_EQ(sheet->name, "Odd One");
    EXPECT_EQ(sheet->alignment, "Good") << "kept as text";
    EXPECT_EQ(sheet->alignmentCode, 0);
    EXPECT_EQ(sheet->age, 0);
    EXPECT_EQ(sheet->notes, "n");
    EXPECT_EQ(sheet->currentHitPoints, 7);
    EXPECT_EQ(sheet->maximumHitPoints, 9);
    EXPECT_EQ(sheet->level, 3u);
    EXPECT_EQ(sheet->getWisdom(), 14);
    EXPECT_EQ(sheet->attributes[CharacterSheet::Wisdom].natural, 12);
    EXPECT_EQ(sheet->getCharisma(), 3);
    ASSERT_NE(sheet->characterClass, nullptr);
    EXPECT_EQ(sheet->characterClass->id, "fighter");
    EXPECT_EQ(sheet->subClass, nullptr) << "the fighter has no subclass of that id";
    ASSERT_EQ(sheet->classAbilities.size(), 1u) << "unknown ability ids are dropped";
    EXPECT_EQ(sheet->classAbilities[0]->id, "cleave");
    EXPECT_EQ(sheet->arcaneSpells.at(1).size(), 1u);
    EXPECT_EQ(sheet->arcaneSpells.at(1)[0]->id, "spark_bolt");
    EXPECT_EQ(sheet->arcaneSpells.at(2).size(), 1u);
    EXPECT_EQ(sheet->divineSpells.at(1).size(), 1u);
    EXPECT_EQ(sheet->unallocatedArcaneSpellSlots, (std::map<std::uint32_t, std::int32_t>{{2, 4}}));
    EXPECT_EQ(sheet->divineDailyCastings.at(1), 2);
    EXPECT_EQ(sheet->proficiencies.size(), 2u);
    EXPECT_EQ(sheet->proficiencies[0]->level, 2);
    EXPECT_EQ(sheet->wealth.current.gold, 3);
    // The actions are not in the file: they come from the level record, adjusted for Strength 3.
    ASSERT_EQ(sheet->actions.size(), 2u);
    EXPECT_EQ(sheet->actions[0].throwText, "30+");
}

// A class, subclass, abilities or spells the catalogues do not hold come back on the next save
// exactly as they were read.
TEST(SavedFile, UnknownClassAndSpellsSurviveALoadAndSave) {
    struct Case {
        const char* name;
        const char* classElement;
        const char* expectedClassElement;
    };
    const Case cases[] = {
        {"ClassSubclassAndAbilities",
         R"(<CharacterClass id="bard"><SubClass id="lute"/><ClassAbilities><ClassAbility id="song"/><ClassAbility id="cleave"/></ClassAbilities></CharacterClass>)",
         R"(<CharacterClass id="bard"><SubClass id="lute"/><ClassAbilities><ClassAbility id="song"/><ClassAbility id="cleave"/></ClassAbilities></CharacterClass>)"},
        {"AbilitiesBeforeTheSubclass",
         R"(<CharacterClass id="bard"><ClassAbilities><ClassAbility id="song"/></ClassAbilities><SubClass id="lute"/></CharacterClass>)",
         R"(<CharacterClass id="bard"><SubClass id="lute"/><ClassAbilities><ClassAbility id="song"/></ClassAbilities></CharacterClass>)"},
        {"ClassAlone", R"(<CharacterClass id="bard"/>)", R"(<CharacterClass id="bard"><ClassAbilities/></CharacterClass>)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string body = std::string("<Level value=\"7\"/>") + c.classElement +
                                 "<ArcaneSpells><old_word/><spark_bolt/></ArcaneSpells>"
                                 "<DivineSpells><lost_psalm/><bless_word/><lost_hymn/></DivineSpells>";
        const std::string path = folder.write("bard.xml", "<CharacterSheet>" + body + "</CharacterSheet>");
        LogCapture capture;
        auto sheet = newCharacter();
        ASSERT_TRUE(sheet->load(path));
        EXPECT_EQ(sheet->characterClass, nullptr);
        EXPECT_EQ(sheet->subClass, nullptr);
        EXPECT_TRUE(sheet->classAbilities.empty());
        EXPECT_TRUE(sheet->actions.empty());
        EXPECT_EQ(sheet->level, 7u) << "an unknown class sets no top level";
        EXPECT_EQ(linesContaining(capture, "is not in the catalogues"), 1);

        const std::string saved = folder.path() + "again.xml";
        ASSERT_TRUE(sheet->save(saved));
        const std::string expected = folder.write(
            "expected.xml", "<CharacterSheet>" + std::string(c.expectedClassElement) +
                                "<ArcaneSpells><spark_bolt/><old_word/></ArcaneSpells>"
                                "<DivineSpells><bless_word/><lost_psalm/><lost_hymn/></DivineSpells></CharacterSheet>");
        tinyxml2::XMLDocument written;
        ASSERT_TRUE(loadXmlFile(written, saved));
        tinyxml2::XMLDocument wanted;
        ASSERT_TRUE(loadXmlFile(wanted, expected));
        for (const char* section : {"CharacterClass", "ArcaneSpells", "DivineSpells"}) {
            std::string got;
            std::string want;
            describeSavedTree(*written.RootElement()->FirstChildElement(section), 0, got);
            describeSavedTree(*wanted.RootElement()->FirstChildElement(section), 0, want);
            EXPECT_EQ(got, want) << section;
        }
        // The class element keeps its place between the attributes and the proficiencies.
        EXPECT_STREQ(written.RootElement()->FirstChildElement("CharacterClass")->PreviousSiblingElement()->Name(),
                     "Attributes");
        EXPECT_STREQ(written.RootElement()->FirstChildElement("CharacterClass")->Attribute("id"), "bard");
    }
}

// Numbers are read saturated and brought into their range; each kind is logged once.
TEST(SavedFile, NumbersOutOfRangeAreCorrectedOnLoad) {
    struct Case {
        const char* name;
        const char* body;
        std::function<void(const CharacterSheet&)> check;
        const char* logged;
    };
    const Case cases[] = {
        {"NegativeLevel", R"(<Level value="-5"/>)", [](const CharacterSheet& s) { EXPECT_EQ(s.level, 1u); }, "level -5 is read as 1"},
        {"ZeroLevel", R"(<Level value="0"/>)", [](const CharacterSheet& s) { EXPECT_EQ(s.level, 1u); }, "level 0 is read as 1"},
        {"HugeLevel", R"(<Level value="99999999999"/><CharacterClass id="priest"/>)",
         [](const CharacterSheet& s) { EXPECT_EQ(s.level, 4u) << "the priest's top level"; }, "level 2147483647 is read as 4"},
        {"LevelAboveTheTop", R"(<CharacterClass id="priest"/><Level value="9"/>)",
         [](const CharacterSheet& s) { EXPECT_EQ(s.level, 4u); }, "level 9 is read as 4"},
        {"NegativeExperience", R"(<XP value="-99999999999"/>)", [](const CharacterSheet& s) { EXPECT_EQ(s.experience, 0u); },
         "negative experience"},
        {"HugeExperience", R"(<XP value="99999999999"/>)",
         [](const CharacterSheet& s) { EXPECT_EQ(s.experience, 2147483647u); },
         "XP value \"99999999999\" is beyond the 32-bit range; it is read as 2147483647"},
        {"NegativeMaximumHitPoints", R"(<HP current="-3" currentMaximum="-8"/>)",
         [](const CharacterSheet& s) {
             EXPECT_EQ(s.maximumHitPoints, 0);
             EXPECT_EQ(s.currentHitPoints, -3) << "a character may be below zero";
         },
         "negative maximum hit points"},
        {"Quantities",
         R"(<Inventory><Equipment id="torch" quantity="-5"><Equipment id="rope" quantity="0"/></Equipment><Equipment id="rope" quantity="x"/></Inventory>)",
         [](const CharacterSheet& s) {
             EXPECT_EQ(s.inventory.items[0]->quantity, 1);
             EXPECT_EQ(s.inventory.items[0]->contents[0]->quantity, 1);
             EXPECT_EQ(s.inventory.items[1]->quantity, 1);
         },
         "quantity below 1"},
        {"WeaponMarkedAsArmour",
         R"(<Inventory><Equipment id="long_sword" quantity="1" isEquippedArmour="1"/><Equipment id="leather" quantity="1" isEquippedArmour="1"/><Equipment id="chain_mail" quantity="1" isEquippedShield="1"/></Inventory>)",
         [](const CharacterSheet& s) {
             ASSERT_NE(s.inventory.equippedArmour, nullptr);
             EXPECT_EQ(s.inventory.equippedArmour->id, "leather") << "the next marked armour is worn";
             EXPECT_EQ(s.inventory.equippedShield, nullptr);
         },
         "neither armour nor a shield"},
        {"InRange", R"(<Level value="2"/><XP value="1600"/><CharacterClass id="priest"/><HP current="4" currentMaximum="9"/>)",
         [](const CharacterSheet& s) {
             EXPECT_EQ(s.level, 2u);
             EXPECT_EQ(s.experience, 1600u);
             EXPECT_EQ(s.maximumHitPoints, 9);
         },
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string path = folder.write("n.xml", std::string("<CharacterSheet>") + c.body + "</CharacterSheet>");
        LogCapture capture;
        auto sheet = newCharacter();
        ASSERT_TRUE(sheet->load(path));
        c.check(*sheet);
        if (c.logged != nullptr) {
            EXPECT_EQ(linesContaining(capture, c.logged), 1) << "once per file";
        } else {
            EXPECT_EQ(linesContaining(capture, path + ": "), 0);
        }
    }
}

// Text keeps its line breaks through a save and load, and control characters never reach
// the file, which stays well-formed for any XML reader.
TEST(SavedFile, TextSurvivesTheRoundTrip) {
    struct Case {
        const char* name;
        std::string text;
        std::string loaded;
    };
    const Case cases[] = {
        {"CarriageReturn", "one\rtwo", "one\rtwo"},
        {"WindowsLineBreak", "one\r\ntwo", "one\r\ntwo"},
        {"LineFeedAndTab", "one\ntwo\tthree", "one\ntwo\tthree"},
        {"ControlCharacters", std::string("b\x01""e\x1F""l\x7F", 6) + "l", "bel\x7Fl"},
        {"NulInTheMiddle", std::string("be\0ll", 5), "bell"},
        {"Markup", "<a> & \"b\" 'c'", "<a> & \"b\" 'c'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        auto sheet = newCharacter();
        sheet->biography = c.text;
        sheet->name = c.text;
        sheet->inventory.attachEquipment(itemOf("rope"), nullptr);
        sheet->inventory.items[0]->playerNotes = c.text;
        sheet->wealth.history.push_back({c.text, Money()});
        sheet->addProficiency("craft", c.text);
        const std::string path = folder.path() + "text.xml";
        ASSERT_TRUE(sheet->save(path));

        const std::string bytes = readFile(path);
        for (const char byte : bytes) {
            const auto code = static_cast<unsigned char>(byte);
            ASSERT_TRUE(code >= 0x20 || byte == '\n') << "raw control character " << int(code) << " in the file";
        }
        tinyxml2::XMLDocument strict;
        EXPECT_EQ(strict.Parse(bytes.c_str(), bytes.size()), tinyxml2::XML_SUCCESS);

        auto loaded = newCharacter();
        ASSERT_TRUE(loaded->load(path));
        EXPECT_EQ(loaded->biography, c.loaded);
        EXPECT_EQ(loaded->name, c.loaded);
        EXPECT_EQ(loaded->inventory.items[0]->playerNotes, c.loaded);
        EXPECT_EQ(loaded->wealth.history[0].description, c.loaded);
        EXPECT_EQ(loaded->proficiencies[0]->domain, c.loaded);
    }
}

// Nor do they through the record's own operations.
TEST(SavedFile, ControlCharactersDoNotEnterThroughTheOperations) {
    auto sheet = newCharacter();
    sheet->addProficiency("craft", "sm\x01ithing");
    EXPECT_EQ(sheet->proficiencies.back()->domain, "smithing");
    sheet->wealth.spendMoney("Bought\x02 rope", Money());
    sheet->wealth.earnMoney("Found\x1B it", Money());
    EXPECT_EQ(sheet->wealth.history[0].description, "Bought rope");
    EXPECT_EQ(sheet->wealth.history[1].description, "Found it");
    auto offered = itemOf("rope");
    offered->customName = "Ro\x03pe";
    offered->playerNotes = "N\x04otes\r\n";
    sheet->acquireEquipment(*offered);
    EXPECT_EQ(sheet->inventory.items.back()->customName, "Rope");
    EXPECT_EQ(sheet->inventory.items.back()->playerNotes, "Notes\r\n");
}

// Control characters that a file holds as references never enter the record.
TEST(SavedFile, ControlCharacterReferencesInAFileAreDropped) {
    TempFolder folder;
    const std::string path = folder.write(
        "c.xml", R"(<CharacterSheet><Biographical><CharacterName value="A&#1;B"/><Notes value="x&#27;y&#13;z"/></Biographical>
        <Inventory><Equipment id="rope"><CustomName value="R&#7;ope"/></Equipment></Inventory>
        <Loot><TransactionHistory><Transaction description="p&#2;ay"/></TransactionHistory></Loot></CharacterSheet>)");
    auto sheet = newCharacter();
    ASSERT_TRUE(sheet->load(path));
    EXPECT_EQ(sheet->name, "AB");
    EXPECT_EQ(sheet->notes, "xy\rz");
    EXPECT_EQ(sheet->inventory.items[0]->customName, "Rope");
    EXPECT_EQ(sheet->wealth.history[0].description, "pay");
}

// Hostile and hand-edited files: each loads as the first load decides, or is refused, and
// what that load decided is exactly what is saved: a second load of the save corrects
// nothing, and its save is the same bytes.
TEST(SavedFile, HostileFilesLoadAsDecidedAndSaveStably) {
    constexpr std::int32_t most = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t least = std::numeric_limits<std::int32_t>::min();
    struct Case {
        const char* file;
        std::function<void(const CharacterSheet&)> check;
        std::vector<std::string> logged;
    };
    const Case cases[] = {
        {"unknown_spell_outside_cp1252.xml",
         [](const CharacterSheet& s) {
             ASSERT_EQ(s.arcaneSpells.at(1).size(), 1u);
             EXPECT_EQ(s.arcaneSpells.at(1)[0]->id, "spark_bolt");
             EXPECT_EQ(s.unresolvedArcaneSpellIds, std::vector<std::string>{"old_word"}) << "a writable id is kept";
             EXPECT_TRUE(s.unresolvedDivineSpellIds.empty());
         },
         {"the unknown spell \"a?\" can't be saved as it was read", "Windows-1252 lacks"}},
        {"two_class_sections.xml",
         [](const CharacterSheet& s) {
             ASSERT_NE(s.characterClass, nullptr);
             EXPECT_EQ(s.characterClass->id, "mage");
             ASSERT_EQ(s.classAbilities.size(), 1u) << "the abilities come with the class, not from the other section";
             EXPECT_EQ(s.classAbilities[0]->id, "read_magic");
             EXPECT_EQ(s.level, 4u) << "the mage's top level";
         },
         {"more than one class; the last one is taken", "level 7 is read as 4"}},
        {"class_id_with_control_byte.xml",
         [](const CharacterSheet& s) {
             ASSERT_NE(s.characterClass, nullptr) << "the id is read without the byte the file can't hold";
             EXPECT_EQ(s.characterClass->id, "mage");
             EXPECT_FALSE(s.unresolvedClass.has_value());
             ASSERT_EQ(s.classAbilities.size(), 1u);
             EXPECT_EQ(s.level, 4u);
         },
         {"control character(s) that XML does not allow were left out, the first in CharacterSheet/CharacterClass id"}},
        {"invalid_byte_beside_utf8.xml",
         [](const CharacterSheet& s) {
             EXPECT_EQ(s.name, "Ald\xE9n") << "valid UTF-8 is decoded whatever the other values hold";
             EXPECT_EQ(s.notes, "caf\xE9 au lait") << "a value that is not UTF-8 is Windows-1252";
         },
         {}},
        {"nul_reference.xml",
         [](const CharacterSheet& s) {
             EXPECT_EQ(s.name, "Ald\xE9n the Bold") << "a NUL is left out, not where the text ends";
             EXPECT_EQ(s.biography, "onetwo\nthree");
         },
         {"2 control character(s) that XML does not allow were left out, the first in "
          "CharacterSheet/Biographical/CharacterName value"}},
        {"text_outside_cp1252.xml",
         [](const CharacterSheet& s) {
             EXPECT_EQ(s.name, "????? the Wolf");
             EXPECT_EQ(s.notes, "? \xE9");
         },
         {"6 character(s) that Windows-1252 lacks were read as \"?\", the first in "
          "CharacterSheet/Biographical/CharacterName value"}},
        {"numbers_out_of_range.xml",
         [&](const CharacterSheet& s) {
             EXPECT_EQ(s.age, most) << "left open by the rules, only kept to 32 bits";
             EXPECT_EQ(s.weight, 0);
             EXPECT_EQ(s.currentHitPoints, -5);
             EXPECT_EQ(s.maximumHitPoints, 0);
             EXPECT_EQ(s.experience, static_cast<std::uint32_t>(most));
             EXPECT_EQ(s.level, 1u);
             const std::int32_t scores[6][2] = {{18, 3}, {3, 3}, {12, 12}, {3, 16}, {18, 18}, {3, 18}};
             for (int i = 0; i < 6; ++i) {
                 EXPECT_EQ(s.attributes[i].current, scores[i][0]) << s.attributes[i].name;
                 EXPECT_EQ(s.attributes[i].natural, scores[i][1]) << s.attributes[i].name;
             }
             ASSERT_EQ(s.proficiencies.size(), 1u);
             EXPECT_EQ(s.proficiencies[0]->level, 0);
             EXPECT_EQ(s.proficiencies[0]->roll, most);
             EXPECT_EQ(s.unallocatedClassProficiencySlots, 0);
             EXPECT_EQ(s.unallocatedGeneralProficiencySlots, -4) << "a template may overdraw the general picks";
             using Counts = std::map<std::uint32_t, std::int32_t>;
             EXPECT_EQ(s.unallocatedArcaneSpellSlots, (Counts{{1, 0}}));
             EXPECT_EQ(s.arcaneDailyCastings, (Counts{{1, 0}}));
             EXPECT_EQ(s.arcaneRepertoireSlots, (Counts{{2, most}}));
             EXPECT_EQ(s.divineDailyCastings, (Counts{{static_cast<std::uint32_t>(most), 0}}));
             ASSERT_EQ(s.inventory.items.size(), 1u);
             EXPECT_EQ(s.inventory.items[0]->quantity, most);
             EXPECT_EQ(s.inventory.items[0]->customValue.gold, least);
             EXPECT_EQ(s.wealth.current.copper, 0);
             EXPECT_EQ(s.wealth.current.silver, 0);
             EXPECT_EQ(s.wealth.current.gold, most);
             EXPECT_EQ(s.wealth.current.platinum, 0);
             ASSERT_EQ(s.wealth.history.size(), 1u);
             EXPECT_EQ(s.wealth.history[0].amount.silver, -7) << "a payment is negative";
         },
         {"Biographical/Age value \"1e39\" is not a plain whole number; it is read as 2147483647",
          "Biographical/Weight value \"nan\" is not a number; it is read as 0",
          "HP currentMaximum \"0x10\" is not a number; it is read as 0",
          "Attributes/Constitution current \"99999999999\" is beyond the 32-bit range",
          "Strength 25 is read as 18, since scores run from 3 to 18", "level -3 is read as 1",
          "a negative proficiency rank is read as 0", "a negative spell slot or casting count is read as 0",
          "a negative coin count in the purse is read as 0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        TempFolder folder;
        const std::string path = std::string(ZODERUD_TEST_DATA_DIR) + "/hostile/" + c.file;
        LogCapture capture;
        auto sheet = newCharacter();
        ASSERT_TRUE(sheet->load(path));
        c.check(*sheet);
        for (const std::string& line : c.logged) EXPECT_EQ(linesContaining(capture, line), 1) << line;
        if (c.logged.empty()) EXPECT_EQ(linesContaining(capture, path), 0) << "nothing to report";

        const std::string first = folder.path() + "first.xml";
        ASSERT_TRUE(sheet->save(first));
        capture.clear();
        auto reloaded = newCharacter();
        ASSERT_TRUE(reloaded->load(first));
        EXPECT_EQ(linesContaining(capture, first), 0) << "the save holds what the first load decided";
        c.check(*reloaded);
        const std::string second = folder.path() + "second.xml";
        ASSERT_TRUE(reloaded->save(second));
        EXPECT_EQ(readFile(second), readFile(first));
    }
}

TEST(SavedFile, FileOverTheSizeLimitIsRefused) {
    TempFolder folder;
    const std::size_t limit = CharacterSheet::fileSizeLimit;
    // A character whose notes make its file exactly as large as a file may be.
    auto big = newCharacter();
    big->name = "Big";
    const std::string atLimit = folder.path() + "at.xml";
    ASSERT_TRUE(big->save(atLimit));
    big->notes = std::string(limit - readFile(atLimit).size(), 'x');
    ASSERT_TRUE(big->save(atLimit));
    ASSERT_EQ(readFile(atLimit).size(), limit);
    auto sheet = newCharacter();
    ASSERT_TRUE(sheet->load(atLimit)) << "a file of exactly the limit is read";
    EXPECT_EQ(sheet->name, "Big");
    const std::string again = folder.path() + "again.xml";
    ASSERT_TRUE(sheet->save(again));
    EXPECT_EQ(readFile(again), readFile(atLimit));

    std::string oneMore = readFile(atLimit);
    oneMore.insert(oneMore.find("xxx"), "x");
    const std::string over = folder.write("over.xml", oneMore);
    LogCapture capture;
    auto refused = newCharacter();
    EXPECT_FALSE(refused->load(over));
    EXPECT_TRUE(capture.contains("XML File at path " + over + " could not be read: it is larger than " +
                                 std::to_string(limit) + " bytes"));
    EXPECT_EQ(refused->name, "Default Character") << "nothing is read";
    EXPECT_EQ(refused->filePath, "");

    // Every payment saves with its five coins: a small file of bare payments would save larger
    // than any load accepts, so it is refused now rather than left impossible to save.
    std::string payments;
    for (int i = 0; i < 20000; ++i) payments += "<Transaction/>";
    const std::string growing = folder.write(
        "growing.xml", "<CharacterSheet><Loot><TransactionHistory>" + payments + "</TransactionHistory></Loot></CharacterSheet>");
    ASSERT_LT(readFile(growing).size(), limit);
    capture.clear();
    auto grown = newCharacter();
    EXPECT_FALSE(grown->load(growing));
    EXPECT_TRUE(capture.contains("XML File at path " + growing + " could not be read: saved again it would take"));
    EXPECT_TRUE(grown->wealth.history.empty()) << "nothing is read";

    // Nor does a save write what a load would refuse; the old file stays.
    const std::string kept = folder.write("kept.xml", "old");
    for (int i = 0; i < 20000; ++i) grown->wealth.history.push_back({"", Money()});
    grown->saved = false;
    EXPECT_FALSE(grown->save(kept));
    EXPECT_TRUE(capture.contains("Unable to save XML File at path : " + kept + " (it would take"));
    EXPECT_EQ(readFile(kept), "old");
    EXPECT_FALSE(grown->saved);
}

TEST(SavedFile, FailedLoadReportsAndLeavesTheRecordUnbound) {
    TempFolder folder;
    const std::pair<std::string, std::string> cases[] = {
        {folder.path() + "missing.xml", "Unable to find XML File at path : " + folder.path() + "missing.xml"},
        {folder.write("garbage.xml", "\x01\x02 not <xml"), "could not be read"},
        {folder.write("truncated.xml", "<CharacterSheet><Biographical>"), "could not be read"},
        {folder.write("other.xml", "<Character><Biographical/></Character>"), "is not a saved character"},
    };
    for (const auto& [path, message] : cases) {
        LogCapture capture;
        auto sheet = newCharacter();
        sheet->saved = false;
        EXPECT_FALSE(sheet->load(path)) << path;
        EXPECT_TRUE(capture.contains(message)) << path;
        EXPECT_EQ(sheet->filePath, "") << "a failed load must not bind the record to the user's file";
        EXPECT_EQ(sheet->name, "Default Character");
    }
}

TEST(SavedFile, FailedSaveReportsAndKeepsTheRecordUnsaved) {
    TempFolder folder;
    const std::string paths[] = {folder.path() + "no/such/folder/hero.xml", "/proc/zoderud-hero.xml"};
    for (const std::string& path : paths) {
        LogCapture capture;
        auto sheet = newCharacter();
        sheet->setFilePath(path);
        EXPECT_FALSE(sheet->save(path)) << path;
        EXPECT_FALSE(sheet->saved) << path;
        EXPECT_TRUE(capture.contains("Unable to save XML File at path : " + path));
    }
}

TEST(SavedFile, InterruptedWriteKeepsTheOldFile) {
    TempFolder folder;
    auto sheet = newCharacter();
    const std::string path = folder.path() + "hero.xml";
    ASSERT_TRUE(sheet->save(path));
    const std::string before = readFile(path);

    // A file-size limit makes the write stop part way, as a full disk would.
    auto full = fullCharacter();
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    void (*previousHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = 256;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool savedOk = full->save(path);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(savedOk);
    EXPECT_FALSE(full->saved);
    EXPECT_EQ(readFile(path), before);
}

} // namespace
