#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/action_catalogue.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

const std::string catalogueBase = std::string(ZODERUD_TEST_DATA_DIR) + "/catalogue_a/";

TEST(ActionCatalogue, ThrowKeepsTheTextAndTakesTheNumber) {
    ActionCatalogue catalogue(catalogueBase);
    catalogue.loadActionCatalogue("Data/actions/");
    const CharacterAction* force = catalogue.findAction("force_door");
    ASSERT_NE(force, nullptr);
    EXPECT_EQ(force->throwText, "9+");
    EXPECT_EQ(force->throwValue, 9);
    EXPECT_EQ(force->displayName, "Force a Door"); // the first file with the id
    EXPECT_EQ(force->description, "Shoulder a stuck door open.");
    // Any extension is read.
    const CharacterAction* listen = catalogue.findAction("listen");
    ASSERT_NE(listen, nullptr);
    EXPECT_EQ(listen->throwText, "x");
    EXPECT_EQ(listen->throwValue, 0);
    EXPECT_EQ(catalogue.findAction("wrong"), nullptr);
    EXPECT_EQ(catalogue.findAction("missing"), nullptr);
}

TEST(ActionCatalogue, FolderEntryGivesAnEmptyRecord) {
    ActionCatalogue catalogue(catalogueBase);
    LogCapture capture;
    catalogue.loadActionCatalogue("Data/actions/");
    EXPECT_TRUE(capture.contains("is not a file: it is a folder"));
    EXPECT_TRUE(capture.contains("sub_folder"));
    const CharacterAction* empty = catalogue.findAction("");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->displayName, "");
    EXPECT_EQ(empty->throwText, "");
    EXPECT_EQ(empty->throwValue, 0);
    EXPECT_EQ(catalogue.actions().size(), 3u);
}

TEST(ActionCatalogue, MalformedFilesLogAndLoadingGoesOn) {
    const std::vector<std::pair<const char*, bool>> files = {
        {"<Proficiency id=\"cut\" throw=\"5", true}, {"<Action id=\"wrong\" throw=\"5+\"/>", false}, {"\xff\xfe\x00\x01", true}};
    for (const auto& [text, logged] : files) {
        TempFolder base;
        base.write("actions/a_bad.xml", text);
        base.write("actions/b_good.xml", "<Proficiency id=\"good\" throw=\"12\"/>");
        ActionCatalogue catalogue(base.path());
        LogCapture capture;
        catalogue.loadActionCatalogue("actions/");
        EXPECT_EQ(!capture.lines().empty(), logged) << text;
        ASSERT_NE(catalogue.findAction(""), nullptr) << text;
        ASSERT_NE(catalogue.findAction("good"), nullptr) << text;
        EXPECT_EQ(catalogue.findAction("good")->throwValue, 12) << text;
    }
}

} // namespace
