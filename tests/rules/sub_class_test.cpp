#include <gtest/gtest.h>

#include "rules/character_class.h"
#include "rules/sub_class.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

TEST(SubClasses, FolderEntriesOfEveryKindAreEnteredFirstIdWins) {
    TempFolder base;
    base.makeFolder("Data/orders/nested");
    base.write("Data/orders/nested/inner.xml", R"(<SubClass id="inner"/>)");
    base.write("Data/orders/a.xml", R"(<SubClass id="sun" displayName="Order of the Sun" typeName="Order">
        <AllowedWeaponAndArmourTypes><mace/><chain/></AllowedWeaponAndArmourTypes>
        <AllowedFightingStyles><shield/></AllowedFightingStyles>
        <Levels>
            <Level value="1" title="Acolyte" hitDiceType="d6">
                <ClassAbilities><turn_undead/></ClassAbilities>
                <FreeProficiencies><healing/></FreeProficiencies>
                <BonusDivineSpells><bless_word/></BonusDivineSpells>
                <BonusArcaneSpells><light_orb id="ignored_id"/></BonusArcaneSpells>
                <Proficiencies><ClassList/></Proficiencies>
                <DivineSpellLevels><Level type="1" value="1"/></DivineSpellLevels>
                <SavingAndAttackThrows><spells value="14"/></SavingAndAttackThrows>
                <Actions><force_door value="5"/></Actions>
            </Level>
            <Level value="1" title="Duplicate"/>
            <Level value="3"/>
        </Levels>
    </SubClass>)");
    base.write("Data/orders/b.xml", R"(<SubClass id="sun" displayName="Second sun"/>)");
    base.write("Data/orders/c.txt", "not xml at all");
    base.write("Data/orders/d.dat", R"(<SubClass id="moon" displayName="Moon"/>)");

    CharacterClass characterClass(base.path(), nullptr);
    LogCapture capture;
    ASSERT_TRUE(parseCharacterClass(characterClass, base.write("Data/classes/priest.xml",
                                                                R"(<CharacterClass id="priest"><SubClassData path="Data/orders/"/></CharacterClass>)")));
    EXPECT_TRUE(characterClass.hasSubClasses);
    EXPECT_EQ(characterClass.subClassDataPath, "Data/orders/");
    // The sub-folder and the stray file both give empty ids; the nested file is not read.
    ASSERT_EQ(characterClass.subClasses.size(), 3u);
    EXPECT_NE(characterClass.findSubClass(""), nullptr);
    EXPECT_EQ(characterClass.findSubClass("inner"), nullptr);
    EXPECT_TRUE(capture.contains("is not a file: it is a folder")) << "the sub-folder can't be read as a file";

    const SubClass* sun = characterClass.findSubClass("sun");
    ASSERT_NE(sun, nullptr);
    EXPECT_EQ(sun->displayName, "Order of the Sun");
    EXPECT_EQ(sun->typeName, "Order");
    EXPECT_EQ(sun->parentClass, &characterClass);
    EXPECT_EQ(sun->allowedWeaponAndArmourTypes, (std::vector<std::string>{"mace", "chain"}));
    EXPECT_EQ(sun->allowedFightingStyles, (std::vector<std::string>{"shield"}));
    EXPECT_EQ(sun->levels.size(), 2u);
    const CharacterClassLevel* first = getSubClassLevel(*sun, 1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->title, "Acolyte");
    EXPECT_EQ(first->classAbilities, (std::vector<std::string>{"turn_undead"}));
    EXPECT_EQ(first->freeProficiencies, (std::vector<std::string>{"healing"}));
    EXPECT_EQ(first->bonusDivineSpells, (std::vector<std::string>{"bless_word"}));
    EXPECT_EQ(first->bonusArcaneSpells, (std::vector<std::string>{"light_orb"}));
    EXPECT_EQ(first->proficiencies, (std::vector<std::string>{"ClassList"}));
    EXPECT_EQ(first->divineSpellLevels.at(1), 1);
    EXPECT_EQ(first->savingAndAttackThrows.at("spells"), 14);
    EXPECT_TRUE(first->actions.empty()) << "subclass levels have no actions";
    EXPECT_EQ(getSubClassLevel(*sun, 2), nullptr);
    EXPECT_NE(getSubClassLevel(*sun, 3), nullptr);

    const SubClass* moon = characterClass.findSubClass("moon");
    ASSERT_NE(moon, nullptr) << "every extension is read";
}

TEST(SubClasses, MissingFolderGivesNoSubclassesButKeepsTheFlag) {
    TempFolder base;
    CharacterClass characterClass(base.path(), nullptr);
    ASSERT_TRUE(parseCharacterClass(characterClass, base.write("Data/classes/priest.xml",
                                                                R"(<CharacterClass><SubClassData path="Data/none/"/></CharacterClass>)")));
    EXPECT_TRUE(characterClass.hasSubClasses);
    EXPECT_TRUE(characterClass.subClasses.empty());
}

TEST(SubClasses, WrongRootGivesFalseAndEmptyFields) {
    TempFolder base;
    CharacterClass characterClass(base.path(), nullptr);
    SubClass subClass(&characterClass);
    EXPECT_FALSE(parseSubClass(subClass, base.write("x.xml", R"(<Subclass id="x" displayName="X"/>)")));
    EXPECT_EQ(subClass.id, "");
    EXPECT_EQ(subClass.displayName, "");
}

} // namespace
