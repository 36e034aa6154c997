#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/xml_file.h"
#include "rules/character_proficiency.h"
#include "rules/proficiency_catalogue.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

const std::string catalogueBase = std::string(ZODERUD_TEST_DATA_DIR) + "/catalogue_a/";

const ProficiencyCatalogue& catalogue() {
    static ProficiencyCatalogue* loaded = [] {
        auto* c = new ProficiencyCatalogue(catalogueBase);
        c->loadProficiencyCatalogue("Data/proficiencies/all_proficiencies/");
        c->loadProficiencyLists("Data/proficiencies/");
        return c;
    }();
    return *loaded;
}

TEST(Proficiency, Defaults) {
    const Proficiency record;
    EXPECT_EQ(record.id, "no_id");
    EXPECT_EQ(record.displayName, "FAILED TO LOAD");
    EXPECT_EQ(record.description, "-");
    EXPECT_EQ(record.maxLevel, 3);
    EXPECT_FALSE(record.canBeUpgraded);
    EXPECT_FALSE(record.hasDomain);
}

TEST(ProficiencyCatalogue, ReadsRecordsFirstIdWins) {
    const Proficiency* adventuring = catalogue().findProficiency("adventuring");
    ASSERT_NE(adventuring, nullptr);
    EXPECT_EQ(adventuring->displayName, "Adventuring");
    EXPECT_EQ(adventuring->description, "Knowing how to get by on the road.");
    EXPECT_TRUE(adventuring->canBeUpgraded);
    EXPECT_FALSE(adventuring->hasDomain);
    EXPECT_EQ(adventuring->maxLevel, 2);

    const Proficiency* craft = catalogue().findProficiency("craft");
    ASSERT_NE(craft, nullptr);
    EXPECT_EQ(craft->displayName, "Craft");
    EXPECT_FALSE(craft->canBeUpgraded); // "true" is not 1
    EXPECT_TRUE(craft->hasDomain);
    EXPECT_EQ(craft->maxLevel, 3);
    EXPECT_EQ(craft->description, "-");

    // A list file among the proficiencies is a proficiency file with another root.
    const Proficiency* stray = catalogue().findProficiency("no_id");
    ASSERT_NE(stray, nullptr);
    EXPECT_EQ(stray->displayName, "FAILED TO LOAD");
    EXPECT_EQ(catalogue().findProficiencyList("stray"), nullptr);
    EXPECT_EQ(catalogue().findProficiency("missing"), nullptr);
    EXPECT_EQ(catalogue().proficiencies().size(), 3u);
}

TEST(ProficiencyCatalogue, ListKeepsEntriesInOrderWithTheirDomains) {
    const ProficiencyList* general = catalogue().findProficiencyList("general");
    ASSERT_NE(general, nullptr);
    EXPECT_EQ(general->name, "General Proficiencies"); // the first list with the id
    const std::vector<ProficiencyKey> expected = {
        {"craft", "A"}, {"craft", "B"}, {"craft", ""}, {"adventuring", ""}, {"not_in_catalogue", "Somewhere"}};
    EXPECT_EQ(general->entries, expected);
    ASSERT_NE(catalogue().findProficiencyList("fighter"), nullptr);
    EXPECT_EQ(catalogue().findProficiencyList("not_a_list"), nullptr);
    EXPECT_EQ(catalogue().lists().size(), 2u);
}

TEST(ProficiencyCatalogue, MalformedFilesLogAndLoadingGoesOn) {
    struct Malformed {
        const char* proficiency;
        const char* list;
        bool logged;
    };
    const std::vector<Malformed> files = {
        {"<Proficiency id=\"cut\" displayName=\"Cut", "<ProficiencyList id=\"cut\"><craft/>", true},
        {"<Skill id=\"wrong\"/>", "<Skills id=\"wrong\"><craft/></Skills>", false},
        {"\x01\xff garbage \x80", "\x01\xff garbage \x80", true}};
    for (const auto& [text, listText, logged] : files) {
        TempFolder base;
        base.write("profs/all/a_bad.xml", text);
        base.write("profs/all/b_good.xml", "<Proficiency id=\"good\"/>");
        base.write("profs/a_bad.xml", listText);
        base.write("profs/b_good.xml", "<ProficiencyList id=\"good\"><craft/></ProficiencyList>");
        ProficiencyCatalogue loaded(base.path());
        LogCapture capture;
        loaded.loadProficiencyCatalogue("profs/all/");
        loaded.loadProficiencyLists("profs/");
        EXPECT_EQ(!capture.lines().empty(), logged) << text;
        ASSERT_NE(loaded.findProficiency("no_id"), nullptr) << text;
        EXPECT_NE(loaded.findProficiency("good"), nullptr) << text;
        EXPECT_EQ(loaded.proficiencies().size(), 2u) << text;
        EXPECT_NE(loaded.findProficiencyList("good"), nullptr) << text;
        EXPECT_EQ(loaded.lists().size(), 1u) << text;
    }
}

std::vector<std::pair<std::string, std::string>> attributesOf(const tinyxml2::XMLElement& element) {
    std::vector<std::pair<std::string, std::string>> found;
    for (const tinyxml2::XMLAttribute* a = element.FirstAttribute(); a; a = a->Next()) found.emplace_back(a->Name(), a->Value());
    return found;
}

TEST(CharacterProficiency, NewOneWritesTheFiveAttributesInOrder) {
    const CharacterProficiency fresh(catalogue().findProficiency("adventuring"));
    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* list = document.NewElement("Proficiencies");
    document.InsertEndChild(list);
    fresh.writeCharacterProficiency(*list);
    const tinyxml2::XMLElement* element = list->FirstChildElement();
    ASSERT_NE(element, nullptr);
    EXPECT_STREQ(element->Name(), "Proficiency");
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"id", "adventuring"}, {"level", "1"}, {"roll", "11"}, {"domain", ""}, {"playerNotes", ""}};
    EXPECT_EQ(attributesOf(*element), expected);
    EXPECT_EQ(element->FirstChild(), nullptr);
}

TEST(CharacterProficiency, RoundTrip) {
    CharacterProficiency written(catalogue(), "craft");
    written.domain = "Smithing";
    written.playerNotes = "Learnt from \"Old Tom\" & <co>";
    written.level = 3;
    written.roll = -4;
    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* list = document.NewElement("Proficiencies");
    document.InsertEndChild(list);
    written.writeCharacterProficiency(*list);

    tinyxml2::XMLDocument reread;
    ASSERT_EQ(reread.Parse(xmlFileText(document).c_str()), tinyxml2::XML_SUCCESS);
    const CharacterProficiency read = readCharacterProficiency(catalogue(), *reread.RootElement()->FirstChildElement());
    EXPECT_EQ(read.id, "craft");
    EXPECT_EQ(read.record, catalogue().findProficiency("craft"));
    EXPECT_EQ(read.domain, "Smithing");
    EXPECT_EQ(read.playerNotes, written.playerNotes);
    EXPECT_EQ(read.level, 3);
    EXPECT_EQ(read.roll, -4);
    EXPECT_EQ(read.key(), (ProficiencyKey{"craft", "Smithing"}));
}

TEST(CharacterProficiency, UnknownIdIsKeptAndWritten) {
    tinyxml2::XMLDocument document;
    document.Parse("<Proficiency playerNotes=\"n\" id=\"retired_skill\" level=\"2\" roll=\"x\" domain=\"d\"/>");
    const CharacterProficiency read = readCharacterProficiency(catalogue(), *document.RootElement());
    EXPECT_EQ(read.record, nullptr);
    EXPECT_EQ(read.id, "retired_skill");
    EXPECT_EQ(read.shownName(), "retired_skill");
    EXPECT_EQ(read.roll, 0);

    tinyxml2::XMLDocument out;
    tinyxml2::XMLElement* list = out.NewElement("Proficiencies");
    out.InsertEndChild(list);
    read.writeCharacterProficiency(*list);
    EXPECT_STREQ(list->FirstChildElement()->Attribute("id"), "retired_skill");

    // A new character's "adventuring" when the catalogue lacks it.
    const ProficiencyCatalogue empty(catalogueBase);
    const CharacterProficiency missing(empty, "adventuring");
    EXPECT_EQ(missing.record, nullptr);
    EXPECT_EQ(missing.key(), (ProficiencyKey{"adventuring", ""}));
}

TEST(CharacterProficiency, ElementOfAnotherNameGivesAnEmptyOne) {
    tinyxml2::XMLDocument document;
    document.Parse("<Skill id=\"craft\" level=\"3\" domain=\"x\"/>");
    const CharacterProficiency read = readCharacterProficiency(catalogue(), *document.RootElement());
    EXPECT_EQ(read.record, nullptr);
    EXPECT_EQ(read.id, "");
    EXPECT_EQ(read.domain, "");
    EXPECT_EQ(read.level, 1);
    EXPECT_EQ(read.roll, 11);
}

} // namespace
