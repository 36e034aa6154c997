#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/spell_catalogue.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

const std::string catalogueBase = std::string(ZODERUD_TEST_DATA_DIR) + "/catalogue_a/";

struct LoadedSpells {
    LogCapture capture;
    SpellCatalogue catalogue{catalogueBase};
    LoadedSpells() {
        catalogue.loadArcaneSpells("Data/spells/arcane/");
        catalogue.loadDivineSpells("Data/spells/divine/");
        catalogue.loadClassSpellLists("Data/spells/");
    }
};

std::vector<std::string> idsOf(const SpellGroup* group) {
    std::vector<std::string> ids;
    if (group) {
        for (const SpellRecord* spell : *group) ids.push_back(spell->id);
    }
    return ids;
}

TEST(SpellRecord, FormattedText) {
    LoadedSpells spells;
    const SpellRecord* bolt = spells.catalogue.findArcaneSpell("spark_bolt");
    ASSERT_NE(bolt, nullptr);
    EXPECT_EQ(bolt->text, "[*Spark Bolt]\n\n[*Range: ]60 ft\n[*Duration: ]Instant\n\nHits one target.\n");
    EXPECT_EQ(bolt->level, 1);
    EXPECT_EQ(bolt->range, "60 ft");
    const SpellRecord* sleep = spells.catalogue.findArcaneSpell("sleep");
    ASSERT_NE(sleep, nullptr);
    EXPECT_EQ(sleep->text, "[*Sleep]\n\n[*Range: ]\n[*Duration: ]1 turn\n\nPuts creatures to sleep.\n");
    EXPECT_EQ(spells.catalogue.findArcaneSpell("fireball")->text, ""); // no "Description"
}

TEST(SpellCatalogue, GroupsAreKeyedByTheLastSpellsLevelFirstWins) {
    LoadedSpells spells;
    EXPECT_EQ(idsOf(spells.catalogue.arcaneSpellsOfLevel(1)), (std::vector<std::string>{"sleep", "spark_bolt"}));
    EXPECT_EQ(idsOf(spells.catalogue.arcaneSpellsOfLevel(3)), (std::vector<std::string>{"fireball"}));
    EXPECT_EQ(spells.catalogue.findArcaneSpell("lightning"), nullptr);
    EXPECT_EQ(spells.catalogue.arcaneSpells().size(), 2u);
}

TEST(SpellCatalogue, AFolderOfMixedLevelsIsKeyedByItsLastSpell) {
    TempFolder base;
    base.write("Data/spells/arcane/mixed/a_low.xml", "<Spell id=\"low\" level=\"2\"/>");
    base.write("Data/spells/arcane/mixed/b_high.xml", "<Spell id=\"high\" level=\"4\"/>");
    SpellCatalogue catalogue(base.path());
    catalogue.loadArcaneSpells("Data/spells/arcane/");
    EXPECT_EQ(idsOf(catalogue.arcaneSpellsOfLevel(4)), (std::vector<std::string>{"low", "high"}));
    EXPECT_EQ(catalogue.arcaneSpellsOfLevel(2), nullptr);
    ASSERT_NE(catalogue.findArcaneSpell("low"), nullptr);
    EXPECT_EQ(catalogue.findArcaneSpell("low")->level, 2) << "the spell keeps its own level";
}

TEST(SpellCatalogue, FilesDirectlyInTheKindFolderAreIgnored) {
    LoadedSpells spells;
    EXPECT_EQ(spells.catalogue.findArcaneSpell("stray"), nullptr);
    EXPECT_EQ(spells.catalogue.arcaneSpellsOfLevel(9), nullptr);
}

TEST(SpellCatalogue, KindsAreKeptApart) {
    LoadedSpells spells;
    EXPECT_EQ(spells.catalogue.findArcaneSpell("cure"), nullptr);
    ASSERT_NE(spells.catalogue.findDivineSpell("cure"), nullptr);
    EXPECT_EQ(spells.catalogue.findDivineSpell("spark_bolt"), nullptr);
    EXPECT_EQ(idsOf(spells.catalogue.divineSpellsOfLevel(1)), (std::vector<std::string>{"bless", "cure"}));
    EXPECT_EQ(spells.catalogue.divineSpellsOfLevel(3), nullptr);
}

TEST(SpellCatalogue, IdsThatAreNotXmlNamesAreRejected) {
    LoadedSpells spells;
    EXPECT_TRUE(spells.capture.contains("3 bad id"));
    EXPECT_EQ(spells.catalogue.findArcaneSpell("3 bad id"), nullptr);
    const std::vector<std::pair<std::string, bool>> names = {
        {"spark_bolt", true}, {"_x", true},  {"a-b.c", true}, {"\xE9t\xE9", true}, {"", false},
        {"3rd", false},       {"a b", false}, {"a<b", false}, {"-x", false},       {"a\"b", false}};
    for (const auto& [name, valid] : names) EXPECT_EQ(isXmlName(name), valid) << name;
}

TEST(SpellCatalogue, ClassListsAreFoundByClassId) {
    LoadedSpells spells;
    const ClassSpellList* cleric = spells.catalogue.divineClassSpellList("cleric");
    ASSERT_NE(cleric, nullptr);
    EXPECT_EQ(*cleric, (ClassSpellList{{1, {"cure", "bless"}}, {2, {"hold_person"}}}));
    EXPECT_EQ(spells.catalogue.arcaneClassSpellList("cleric"), nullptr);

    const ClassSpellList* mage = spells.catalogue.arcaneClassSpellList("mage");
    ASSERT_NE(mage, nullptr);
    EXPECT_EQ(*mage, (ClassSpellList{{1, {"spark_bolt", "sleep"}}, {3, {"fireball"}}}));
    // The second "mage" file brings a divine list the first lacked; its arcane one is ignored.
    ASSERT_NE(spells.catalogue.divineClassSpellList("mage"), nullptr);
    EXPECT_EQ(spells.catalogue.divineClassSpellList("mage")->at(1), std::vector<std::string>{"cure"});
    EXPECT_EQ(spells.catalogue.arcaneClassSpellList("thief"), nullptr);
    EXPECT_EQ(spells.catalogue.divineClassSpellList("nobody"), nullptr);
}

TEST(SpellCatalogue, EmptyLevelFolderTakesLevelZero) {
    TempFolder base;
    base.makeFolder("arcane/a_empty");
    base.write("arcane/b_two/spell.xml", "<Spell id=\"two\" level=\"2\"/>");
    base.write("arcane/c_also_empty/notes.txt", "not a spell");
    SpellCatalogue spells(base.path());
    spells.loadArcaneSpells("arcane/");
    ASSERT_NE(spells.arcaneSpellsOfLevel(0), nullptr);
    EXPECT_TRUE(spells.arcaneSpellsOfLevel(0)->empty());
    EXPECT_EQ(idsOf(spells.arcaneSpellsOfLevel(2)), std::vector<std::string>{"two"});
    EXPECT_EQ(spells.arcaneSpells().size(), 2u);
}

TEST(SpellCatalogue, MalformedFilesLogAndLoadingGoesOn) {
    const std::vector<std::pair<const char*, bool>> files = {
        {"<Spell id=\"cut\" level=\"4", true}, {"<Prayer id=\"wrong\" level=\"4\"/>", false}, {"\x01\xff garbage", true}};
    for (const auto& [text, logged] : files) {
        TempFolder base;
        base.write("divine/one/a_bad.xml", text);
        base.write("divine/one/b_good.xml", "<Spell id=\"good\" level=\"1\"/>");
        base.write("a_bad.xml", std::string(text));
        base.write("b_good.xml", "<AllClassSpellLists classID=\"priest\"><AvailableDivineSpells><Level value=\"1\">"
                                 "<good/></Level></AvailableDivineSpells></AllClassSpellLists>");
        SpellCatalogue spells(base.path());
        LogCapture capture;
        spells.loadDivineSpells("divine/");
        spells.loadClassSpellLists("");
        EXPECT_TRUE(capture.contains("a_bad.xml")) << text; // logged as unreadable or as an unsaveable id
        EXPECT_EQ(capture.contains("could not be read"), logged) << text;
        EXPECT_EQ(idsOf(spells.divineSpellsOfLevel(1)), std::vector<std::string>{"good"}) << text;
        ASSERT_NE(spells.divineClassSpellList("priest"), nullptr) << text;
        EXPECT_EQ(spells.divineClassSpellList(""), nullptr) << text;
    }
}

} // namespace
