#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/paths.h"
#include "rules/equipment.h"
#include "rules/equipment_catalogue.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

const std::string catalogueBase = std::string(ZODERUD_TEST_DATA_DIR) + "/catalogue_a/";

Equipment parseText(const std::string& text) {
    TempFolder folder;
    Equipment record;
    parseEquipment(record, folder.write("item.xml", text));
    return record;
}

TEST(Equipment, DefaultsBeforeAndWithoutAttributes) {
    for (const Equipment& record : {Equipment(), parseText("<Equipment id=\"plain\"/>")}) {
        EXPECT_EQ(record.purchaseQuantity, 1);
        EXPECT_EQ(record.numberOfDamageDice, 1);
        EXPECT_EQ(record.equipmentType, 12);
        EXPECT_FALSE(record.isStackable);
        EXPECT_EQ(record.encumbrance, 0.0f);
        EXPECT_EQ(record.armourClassBonus, 0);
        EXPECT_TRUE(record.value.isZero());
        EXPECT_EQ(record.description, "");
    }
}

TEST(Equipment, TypeTextIsComparedExactly) {
    const std::vector<std::pair<const char*, int>> table = {
        {"melee_weapon", 0}, {"ranged_weapon", 1}, {"ammo", 2},       {"armour", 3},        {"horse_armour", 4},
        {"shield", 5},       {"food", 6},          {"container", 7},  {"carrier", 8},       {"spellbook", 9},
        {"misc_m_weapon", 10}, {"misc_armour", 11}, {"Shield", 12},   {"", 12},             {"shield ", 12},
        {"armourx", 12}};
    for (const auto& [text, number] : table) {
        EXPECT_EQ(equipmentTypeFromText(text), number) << '"' << text << '"';
        EXPECT_EQ(parseText(std::string("<Equipment equipmentType=\"") + text + "\"/>").equipmentType, number) << text;
    }
    EXPECT_EQ(equipmentTypeFromText(nullptr), 12);
}

TEST(Equipment, StackableOnlyWhenTheNumberIsOne) {
    const std::vector<std::pair<const char*, bool>> table = {{"1", true}, {" 1", true}, {"2", false}, {"true", false},
                                                              {"0", false}, {"", false}, {"01", true}};
    for (const auto& [text, stackable] : table) {
        EXPECT_EQ(parseText(std::string("<Equipment isStackable=\"") + text + "\"/>").isStackable, stackable) << text;
    }
}

// Switches LC_NUMERIC to a locale whose decimal mark is a comma, and back when it goes. When
// the system has none, one is built with localedef once, beside the test program, and kept
// there for every later run (building takes seconds).
class CommaDecimalLocale {
public:
    CommaDecimalLocale() : previous_(std::setlocale(LC_NUMERIC, nullptr)) {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
            if (std::setlocale(LC_NUMERIC, name) && hasCommaMark()) return;
        }
        const std::string folder = platform::executableDirectory() + "test_locales/";
        if (!platform::isDirectory(folder + localeName)) {
            if (!buildInto(folder)) return;
        }
        const char* oldPath = std::getenv("LOCPATH");
        if (oldPath) previousLocalePath_ = oldPath;
        hadLocalePath_ = oldPath != nullptr;
        setenv("LOCPATH", folder.c_str(), 1);
        changedLocalePath_ = true;
        std::setlocale(LC_NUMERIC, localeName);
    }
    ~CommaDecimalLocale() {
        std::setlocale(LC_NUMERIC, previous_.c_str());
        if (!changedLocalePath_) return;
        if (hadLocalePath_) setenv("LOCPATH", previousLocalePath_.c_str(), 1);
        else unsetenv("LOCPATH");
    }
    static bool hasCommaMark() { return std::string(std::localeconv()->decimal_point) == ","; }
    static constexpr const char* localeName = "de_DE.UTF-8";

private:
    // Built under a name of its own and renamed into place, so that two runs at once never
    // see half a locale.
    static bool buildInto(const std::string& folder) {
        if (!platform::createDirectories(folder)) return false;
        const std::string building = folder + "building." + std::to_string(getpid());
        const std::string command = "localedef -i de_DE -f UTF-8 '" + building + "' >/dev/null 2>&1";
        const bool built = std::system(command.c_str()) == 0;
        if (built && std::rename(building.c_str(), (folder + localeName).c_str()) == 0) return true;
        std::filesystem::remove_all(building);
        // Another run may have put its own in place meanwhile.
        return platform::isDirectory(folder + localeName);
    }

    std::string previous_;
    std::string previousLocalePath_;
    bool hadLocalePath_ = false;
    bool changedLocalePath_ = false;
};

TEST(Equipment, DecimalsAreReadInTheCLocale) {
    Equipment record;
    {
        // Under a locale whose decimal mark is a comma, atof would stop at the ".".
        CommaDecimalLocale comma;
        if (!CommaDecimalLocale::hasCommaMark()) {
            GTEST_SKIP() << "no locale with a decimal comma is installed and localedef could not build one "
                            "(the Debian package \"locales\" brings both)";
        }
        ASSERT_EQ(std::atof("2.5"), 2.0) << "the locale in force must be one that trips atof";
        record = parseText("<Equipment encumbrance=\"2.5\" carryingCapacity=\"1e2\" liftStrength=\" -0.25kg\"/>");
    }
    EXPECT_FLOAT_EQ(record.encumbrance, 2.5f);
    EXPECT_FLOAT_EQ(record.carryingCapacity, 100.0f);
    EXPECT_FLOAT_EQ(record.liftStrength, -0.25f);
}

TEST(Equipment, NumbersAreClampedTo32Bits) {
    const Equipment record = parseText("<Equipment portions=\"99999999999\" damageBonus=\"-99999999999\" "
                                       "attackBonus=\"7 days\" armourClassBonus=\"x\" encumbrance=\"1e999\"/>");
    EXPECT_EQ(record.portions, 2147483647);
    EXPECT_EQ(record.damageBonus, -2147483647 - 1);
    EXPECT_EQ(record.attackBonus, 7);
    EXPECT_EQ(record.armourClassBonus, 0);
    EXPECT_GT(record.encumbrance, 1e38f);
}

TEST(Equipment, MalformedFilesLogAndKeepTheDefaults) {
    const std::vector<std::pair<const char*, bool>> table = {
        {"<Equipment id=\"cut\" displayName=\"Cut", true},   // truncated XML
        {"<Item id=\"wrong\" equipmentType=\"armour\"/>", false}, // wrong root: silently ignored
        {"\x01\xff\xfe garbage \x80\x00 bytes", true},
        {"", true}};
    for (const auto& [text, logged] : table) {
        LogCapture capture;
        const Equipment record = parseText(text);
        EXPECT_EQ(record.id, "") << text;
        EXPECT_EQ(record.equipmentType, 12) << text;
        EXPECT_EQ(record.purchaseQuantity, 1) << text;
        EXPECT_EQ(!capture.lines().empty(), logged) << text;
    }
    LogCapture capture;
    Equipment record;
    parseEquipment(record, "/nonexistent/folder/item.xml");
    EXPECT_TRUE(capture.contains("Unable to find XML File at path : /nonexistent/folder/item.xml"));
}

TEST(EquipmentCatalogue, ReadsEveryFieldOfAFile) {
    EquipmentCatalogue catalogue(catalogueBase);
    catalogue.loadEquipmentCatalogue("Data/equipment/weapons/");
    const Equipment* sword = catalogue.findEquipment("sword");
    ASSERT_NE(sword, nullptr);
    EXPECT_EQ(sword->displayName, "Long Sword");
    EXPECT_EQ(sword->equipmentType, EquipmentType::MeleeWeapon);
    EXPECT_EQ(sword->oneHandedDamageDiceType, "d8");
    EXPECT_EQ(sword->twoHandedDamageDiceType, "d10");
    EXPECT_EQ(sword->numberOfDamageDice, 2);
    EXPECT_EQ(sword->damageBonus, -1);
    EXPECT_EQ(sword->attackBonus, 3);
    EXPECT_EQ(sword->value.gold, 15);
    EXPECT_EQ(sword->value.copper + sword->value.silver + sword->value.electrum + sword->value.platinum, 0);
    EXPECT_EQ(catalogue.findEquipment("arrows"), nullptr);
}

TEST(EquipmentCatalogue, FirstFolderLoadedKeepsAnId) {
    EquipmentCatalogue catalogue(catalogueBase);
    LogCapture capture;
    catalogue.loadStandardFolders(); // clothing, horses and others are missing: nothing added
    const Equipment* shared = catalogue.findEquipment("shared");
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(shared->displayName, "Sling Stones");
    EXPECT_EQ(shared->equipmentType, EquipmentType::Ammo);
    EXPECT_EQ(catalogue.records().size(), 12u);
    const Equipment* arrows = catalogue.findEquipment("arrows");
    ASSERT_NE(arrows, nullptr);
    EXPECT_EQ(arrows->description, "A bundle of arrows.");
    EXPECT_EQ(arrows->value.silver, 1);
    EXPECT_TRUE(arrows->isStackable);
    EXPECT_EQ(arrows->purchaseQuantity, 20);
}

TEST(EquipmentCatalogue, MissingFolderAddsNothing) {
    EquipmentCatalogue catalogue(catalogueBase);
    catalogue.loadEquipmentCatalogue("Data/equipment/clothing/");
    catalogue.loadEquipmentCatalogue("/no/such/folder/");
    EXPECT_TRUE(catalogue.records().empty());
    catalogue.loadEquipmentCatalogue("Data/equipment/armour/");
    EXPECT_EQ(catalogue.records().size(), 3u);
}

TEST(EquipmentCatalogue, UnreadableFilesShareTheEmptyId) {
    TempFolder base;
    base.write("Data/equipment/misc/a_first.xml", "<Item id=\"wrong\"/>");
    base.write("Data/equipment/misc/b_second.xml", "<Equipment id=\"broken\"");
    base.write("Data/equipment/misc/c_third.xml", "<Equipment id=\"good\" displayName=\"Good\"/>");
    base.write("Data/equipment/misc/notes.txt", "<Equipment id=\"text\"/>");
    EquipmentCatalogue catalogue(base.path());
    LogCapture capture;
    catalogue.loadEquipmentCatalogue("Data/equipment/misc/");
    EXPECT_TRUE(capture.contains("b_second.xml"));
    EXPECT_EQ(catalogue.records().size(), 2u);
    const Equipment* unnamed = catalogue.findEquipment("");
    ASSERT_NE(unnamed, nullptr);
    EXPECT_EQ(unnamed->equipmentType, 12);
    ASSERT_NE(catalogue.findEquipment("good"), nullptr);
    EXPECT_EQ(catalogue.findEquipment("text"), nullptr);
}

TEST(EquipmentCatalogue, CollectsRecordsOfTheGivenTypes) {
    EquipmentCatalogue catalogue(catalogueBase);
    catalogue.loadStandardFolders();
    std::vector<const Equipment*> found = {catalogue.findEquipment("rope")};
    catalogue.collectEquipmentOfTypes(found, {EquipmentType::Armour, EquipmentType::Shield});
    std::vector<std::string> ids;
    for (const Equipment* record : found) ids.push_back(record->id);
    EXPECT_EQ(ids, (std::vector<std::string>{"chain", "leather", "shield"}));

    catalogue.collectEquipmentOfTypes(found, {EquipmentType::Shield, EquipmentType::Shield});
    EXPECT_EQ(found.size(), 2u);
    catalogue.collectEquipmentOfTypes(found, {});
    EXPECT_TRUE(found.empty());
}

} // namespace
