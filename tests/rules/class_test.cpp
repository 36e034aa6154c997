#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/character_class.h"
#include "rules/character_class_catalogue.h"
#include "rules/class_lookups.h"
#include "rules/class_template_catalogue.h"
#include "rules/rules_catalogues.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

std::string levelElements(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "<Level value=\"" + std::to_string(i) + "\"/>";
    return text;
}

// Reads one class file written into a fresh base folder.
struct ParsedClass {
    TempFolder base;
    CharacterClass characterClass{base.path(), nullptr};
    bool parsed = false;

    explicit ParsedClass(const std::string& text) {
        parsed = parseCharacterClass(characterClass, base.write("Data/classes/c.xml", text));
    }
};

TEST(CharacterClassFile, MaxLevelIsClampedToTheLevelCount) {
    struct Case {
        const char* attribute;
        int levels;
        int expected;
    };
    const Case cases[] = {
        {" maxLevel=\"20\"", 14, 14}, {"", 14, 14}, {" maxLevel=\"10\"", 14, 10},
        {" maxLevel=\"-1\"", 3, 3},   {"", 0, 0},
    };
    for (const Case& c : cases) {
        ParsedClass parsed(std::string("<CharacterClass id=\"f\"") + c.attribute + "><Levels>" +
                           levelElements(c.levels) + "</Levels></CharacterClass>");
        ASSERT_TRUE(parsed.parsed);
        EXPECT_EQ(parsed.characterClass.maxLevel, c.expected) << c.attribute << " with " << c.levels << " levels";
    }
}

TEST(CharacterClassFile, RootAttributesAndListsAreRead) {
    ParsedClass parsed(R"(<CharacterClass displayName="Fighter" id="fighter" proficiencyList="fighter_list"
            templatesPath="Data/t/" classAbilitiesPath="Data/a/" unknown="x">
        <PrimeStats><strength/><Dexterity/></PrimeStats>
        <AdditionalAttributeRequirements><wisdom value="13"/><wisdom value="5"/><charisma/></AdditionalAttributeRequirements>
        <AllowedWeaponAndArmourTypes><sword/><chain/></AllowedWeaponAndArmourTypes>
        <AllowedFightingStyles><two_weapons/></AllowedFightingStyles>
        <MovementSpeeds><base value="40"/><run/><base value="10"/></MovementSpeeds>
        <Stray/>
    </CharacterClass>)");
    ASSERT_TRUE(parsed.parsed);
    const CharacterClass& c = parsed.characterClass;
    EXPECT_EQ(c.id, "fighter");
    EXPECT_EQ(c.displayName, "Fighter");
    EXPECT_EQ(c.proficiencyList, "fighter_list");
    EXPECT_EQ(c.templatesPath, "Data/t/");
    EXPECT_EQ(c.getClassAbilitiesPath(), "Data/a/");
    EXPECT_EQ(c.primeStats, (std::vector<std::string>{"strength", "Dexterity"}));
    EXPECT_EQ(c.attributeRequirements.at("wisdom"), 13);
    EXPECT_EQ(c.attributeRequirements.at("charisma"), 0);
    EXPECT_EQ(c.allowedWeaponAndArmourTypes, (std::vector<std::string>{"sword", "chain"}));
    EXPECT_EQ(c.allowedFightingStyles, (std::vector<std::string>{"two_weapons"}));
    EXPECT_EQ(c.movementSpeeds.at("base"), 40);
    EXPECT_EQ(c.movementSpeeds.at("run"), 20) << "a speed without value is 20";
    EXPECT_FALSE(c.hasSubClasses);
}

TEST(CharacterClassFile, LevelRecordsKeepTheirDefaultsAndTheFirstOfANumber) {
    ParsedClass parsed(R"(<CharacterClass id="f"><Levels>
        <Level value="1" title="Squire" experience="0" hitDiceType="d8" additionalHitDice="1"
               receiveConBonus="1" hitPointBonus="2">
            <ClassAbilities><shield_bash/><rally/></ClassAbilities>
            <Proficiencies><GeneralList/><ClassList/><GeneralList/></Proficiencies>
            <ArcaneSpellLevels><Level type="1" value="2"/><Slot type="2" value="9"/><Level type="1" value="7"/></ArcaneSpellLevels>
            <DivineSpellLevels><Level type="3"/></DivineSpellLevels>
            <SavingAndAttackThrows><death value="12"/><Attack/><death value="1"/></SavingAndAttackThrows>
            <FreeProficiencies><riding/></FreeProficiencies>
        </Level>
        <Level value="1" title="Second one"/>
        <Level receiveConBonus="true"/>
        <Other value="5"/>
    </Levels></CharacterClass>)");
    ASSERT_TRUE(parsed.parsed);
    const CharacterClass& c = parsed.characterClass;
    ASSERT_EQ(c.levels.size(), 2u);
    const CharacterClassLevel* first = c.getLevel(1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->title, "Squire");
    EXPECT_EQ(first->hitDiceType, "d8");
    EXPECT_EQ(first->additionalHitDice, 1);
    EXPECT_TRUE(first->receiveConBonus);
    EXPECT_EQ(first->hitPointBonus, 2);
    EXPECT_EQ(first->classAbilities, (std::vector<std::string>{"shield_bash", "rally"}));
    EXPECT_EQ(first->proficiencies, (std::vector<std::string>{"GeneralList", "ClassList", "GeneralList"}));
    EXPECT_EQ(first->arcaneSpellLevels, (std::map<std::int32_t, std::int32_t>{{1, 2}}));
    EXPECT_EQ(first->divineSpellLevels, (std::map<std::int32_t, std::int32_t>{{3, 0}}));
    EXPECT_EQ(first->savingAndAttackThrows, (std::map<std::string, std::int32_t>{{"Attack", 20}, {"death", 12}}));
    EXPECT_TRUE(first->freeProficiencies.empty()) << "free proficiencies belong to subclass levels";

    // A Level without a number is level 0, with every unset field zero rather than garbage.
    const CharacterClassLevel* unnumbered = c.getLevel(0);
    ASSERT_NE(unnumbered, nullptr);
    EXPECT_EQ(unnumbered->title, "None");
    EXPECT_EQ(unnumbered->experience, 0);
    EXPECT_EQ(unnumbered->additionalHitDice, 0);
    EXPECT_FALSE(unnumbered->receiveConBonus);
    EXPECT_EQ(unnumbered->hitPointBonus, 0);
}

TEST(CharacterClassFile, ActionThrowsOfTheLevel) {
    struct Case {
        const char* value; // null: no attribute
        const char* text;
        int number;
    };
    const Case cases[] = {
        {"5", "5+", 5}, {"18", "18+", 18}, {"5a", "5a", 5}, {"18+", "18+", 18}, {" 5", " 5", 5},
        {"-3", "-3", -3}, {"x", "x", 0}, {"", "", 0}, {nullptr, "", 0},
    };
    for (const Case& c : cases) {
        const std::string attribute = c.value ? std::string(" value=\"") + c.value + "\"" : "";
        ParsedClass parsed("<CharacterClass><Levels><Level value=\"1\"><Actions><force_door" + attribute +
                           "/></Actions></Level></Levels></CharacterClass>");
        const CharacterClassLevel* level = parsed.characterClass.getLevel(1);
        ASSERT_NE(level, nullptr);
        ASSERT_EQ(level->actions.size(), 1u);
        const CharacterAction& action = level->actions[0];
        EXPECT_EQ(action.id, "force_door");
        EXPECT_EQ(action.throwText, c.text) << (c.value ? c.value : "(none)");
        EXPECT_EQ(action.throwValue, c.number) << (c.value ? c.value : "(none)");
        EXPECT_EQ(action.displayName, "") << "no action catalogue, no name";
    }
}

TEST(CharacterClassFile, GetLevelHasNoRounding) {
    ParsedClass parsed(R"(<CharacterClass><Levels><Level value="1"/><Level value="2"/><Level value="4"/></Levels></CharacterClass>)");
    EXPECT_NE(parsed.characterClass.getLevel(2), nullptr);
    EXPECT_EQ(parsed.characterClass.getLevel(3), nullptr);
    EXPECT_NE(parsed.characterClass.getLevel(4), nullptr);
    EXPECT_EQ(parsed.characterClass.getLevel(5), nullptr);
}

TEST(CharacterClassFile, AbilitiesComeFromTheNamedFolderFirstIdWins) {
    TempFolder base;
    base.write("Data/abilities/a.xml", R"(<ClassAbility id="rally" displayName="Rally"><Description text="First."/></ClassAbility>)");
    base.write("Data/abilities/b.xml", R"(<ClassAbility id="rally" displayName="Second"/>)");
    base.write("Data/abilities/c.xml", R"(<ClassAbility id="bash" displayName="Bash"><Description>Body text</Description></ClassAbility>)");
    base.write("Data/abilities/d.txt", R"(<ClassAbility id="ignored"/>)");
    base.write("Data/abilities/e.xml", R"(<Ability id="wrong_root"/>)");
    CharacterClass characterClass(base.path(), nullptr);
    ASSERT_TRUE(parseCharacterClass(
        characterClass, base.write("Data/classes/c.xml", R"(<CharacterClass classAbilitiesPath="Data/abilities/"/>)")));
    ASSERT_EQ(characterClass.classAbilities.size(), 3u);
    const ClassAbility* rally = characterClass.findClassAbility("rally");
    ASSERT_NE(rally, nullptr);
    EXPECT_EQ(rally->displayName, "Rally");
    EXPECT_EQ(rally->description, "First.");
    ASSERT_NE(characterClass.findClassAbility("bash"), nullptr);
    EXPECT_EQ(characterClass.findClassAbility("bash")->description, "") << "the description is an attribute";
    EXPECT_NE(characterClass.findClassAbility(""), nullptr) << "a file of another root is kept under the empty id";
    EXPECT_EQ(characterClass.findClassAbility("ignored"), nullptr);
}

TEST(CharacterClassFile, WrongRootOrMissingFileIsRejected) {
    TempFolder base;
    LogCapture capture;
    CharacterClass characterClass(base.path(), nullptr);
    EXPECT_FALSE(parseCharacterClass(characterClass, base.write("x.xml", R"(<Class id="f"/>)")));
    EXPECT_FALSE(parseCharacterClass(characterClass, base.path() + "missing.xml"));
    EXPECT_TRUE(capture.contains("Unable to find XML File at path : " + base.path() + "missing.xml"));
    EXPECT_FALSE(parseCharacterClass(characterClass, base.write("y.xml", "<CharacterClass><Levels>")));
}

// A class with prime stats strength and dexterity and a wisdom requirement of 13.
class Eligibility : public ::testing::Test {
protected:
    void SetUp() override {
        base.write("Data/classes/a.xml", R"(<CharacterClass id="knight" displayName="Knight">
            <PrimeStats><strength/><dexterity/><Charisma/><luck/></PrimeStats>
            <AdditionalAttributeRequirements><wisdom value="13"/><Constitution value="18"/></AdditionalAttributeRequirements>
        </CharacterClass>)");
        base.write("Data/classes/b.xml", R"(<CharacterClass id="commoner" displayName="Commoner"/>)");
        catalogue.loadCharacterClasses("Data/classes/");
        ASSERT_EQ(catalogue.classes().size(), 2u);
        knight = catalogue.classes()[0].get();
    }

    TempFolder base;
    CharacterClassCatalogue catalogue{base.path(), nullptr, nullptr};
    const CharacterClass* knight = nullptr;
};

TEST_F(Eligibility, PrimeStatsNeedNineAndRequirementsTheirMinimum) {
    struct Case {
        std::uint32_t str, intel, wis, dex, con, cha;
        bool eligible;
    };
    const Case cases[] = {
        {9, 3, 13, 9, 3, 3, true},    // every need met exactly; capitalised names impose nothing
        {8, 3, 13, 9, 3, 3, false},   // strength below 9
        {9, 3, 13, 8, 3, 3, false},   // dexterity below 9
        {9, 3, 12, 9, 3, 3, false},   // wisdom below its minimum
        {18, 18, 18, 18, 18, 2, true}, // "Charisma" is not a score name
        {0xFFFFFFFFu, 0, 13, 9, 0, 0, true}, // compared unsigned
    };
    for (const Case& c : cases) {
        EXPECT_EQ(meetsClassRequirements(*knight, c.str, c.intel, c.wis, c.dex, c.con, c.cha), c.eligible)
            << c.str << "/" << c.wis << "/" << c.dex;
    }
}

TEST_F(Eligibility, FilterAppendsInCatalogueOrderWithoutEmptying) {
    std::vector<const CharacterClass*> out;
    filterEligibleClasses(catalogue, out, 3, 3, 3, 3, 3, 3);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0]->id, "commoner");
    filterEligibleClasses(catalogue, out, 9, 3, 13, 9, 3, 3);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[1]->id, "knight");
    EXPECT_EQ(out[2]->id, "commoner");
}

TEST(ClassCatalogue, LookupsReturnTheLastMatchOrNull) {
    TempFolder base;
    base.write("Data/classes/a.xml", R"(<CharacterClass id="one" displayName="Twin" maxLevel="1"/>)");
    base.write("Data/classes/b.xml", R"(<CharacterClass id="one" displayName="Twin" maxLevel="2"/>)");
    base.write("Data/classes/c.xml", R"(<Class id="one" displayName="Twin"/>)");
    base.write("Data/classes/d.txt", R"(<CharacterClass id="txt"/>)");
    base.makeFolder("Data/classes/sub");
    CharacterClassCatalogue catalogue(base.path(), nullptr, nullptr);
    catalogue.loadCharacterClasses("Data/classes/");
    ASSERT_EQ(catalogue.classes().size(), 2u);
    EXPECT_EQ(findClassByName(catalogue, "Twin"), catalogue.classes()[1].get());
    EXPECT_EQ(findClassById(catalogue, "one"), catalogue.classes()[1].get());
    EXPECT_EQ(findClassByName(catalogue, "twin"), nullptr);
    EXPECT_EQ(findClassById(catalogue, "txt"), nullptr);
    EXPECT_EQ(findClassById(catalogue, ""), nullptr);
}

TEST(ClassCatalogue, MissingFolderLoadsNothing) {
    TempFolder base;
    CharacterClassCatalogue catalogue(base.path(), nullptr, nullptr);
    catalogue.loadCharacterClasses("Data/classes/");
    EXPECT_TRUE(catalogue.classes().empty());
}

} // namespace

namespace {

// The wizard's small rules tree: Warrior (Strength), Mystic (Intelligence) and Hermit (Wisdom),
// which has no template.
TEST(PlayableClasses, AreTheEligibleClassesThatOfferATemplate) {
    const auto rules = loadRulesCatalogues(std::string(ZODERUD_SOURCE_DIR) + "/tests/tracker/data/wizard/");
    const auto ids = [&](std::uint32_t str, std::uint32_t intel, std::uint32_t wis) {
        std::vector<const CharacterClass*> eligible, playable;
        filterEligibleClasses(rules->classes, eligible, str, intel, wis, 8, 8, 8);
        filterPlayableClasses(rules->classes, rules->templates, playable, str, intel, wis, 8, 8, 8);
        std::vector<std::string> names;
        for (const CharacterClass* c : eligible) names.push_back(c->id);
        names.push_back("|");
        for (const CharacterClass* c : playable) names.push_back(c->id);
        return names;
    };
    EXPECT_EQ(ids(8, 8, 12), (std::vector<std::string>{"hermit", "|"}));
    EXPECT_EQ(ids(8, 12, 12), (std::vector<std::string>{"hermit", "mystic", "|", "mystic"}));
    EXPECT_EQ(ids(12, 8, 8), (std::vector<std::string>{"warrior", "warrior_b", "|", "warrior", "warrior_b"}));
    EXPECT_EQ(ids(8, 8, 8), (std::vector<std::string>{"|"}));
}

} // namespace
