#include <gtest/gtest.h>

#include "app/xml_file.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

TEST(XmlFile, MissingFileLogsAndFails) {
    TempFolder folder;
    LogCapture capture;
    tinyxml2::XMLDocument document;
    const std::string path = folder.path() + "missing.xml";
    EXPECT_FALSE(loadXmlFile(document, path));
    EXPECT_TRUE(capture.contains("Unable to find XML File at path : " + path));
}

TEST(XmlFile, FolderIsRefused) {
    TempFolder folder;
    LogCapture capture;
    tinyxml2::XMLDocument document;
    EXPECT_FALSE(loadXmlFile(document, folder.makeFolder("sub")));
    EXPECT_TRUE(capture.contains("Unable to find XML File at path"));
}

TEST(XmlFile, GarbageIsRefusedWithTheParserMessage) {
    TempFolder folder;
    LogCapture capture;
    tinyxml2::XMLDocument document;
    EXPECT_FALSE(loadXmlFile(document, folder.write("bad.xml", "<a><b></a>")));
    EXPECT_TRUE(capture.contains("could not be read"));
}

TEST(XmlFile, TextIsWindows1252InsideAndUtf8OnDisk) {
    TempFolder folder;
    const std::string path = folder.write("in.xml", "<Root name=\"caf\xC3\xA9 \xC2\xA3\"/>");
    tinyxml2::XMLDocument document;
    ASSERT_TRUE(loadXmlFile(document, path));
    EXPECT_STREQ(document.RootElement()->Attribute("name"), "caf\xE9 \xA3");

    const std::string out = folder.path() + "out.xml";
    ASSERT_TRUE(saveXmlFile(document, out));
    EXPECT_NE(readFile(out).find("caf\xC3\xA9 \xC2\xA3"), std::string::npos);
}

TEST(XmlFile, CharacterReferencesBecomeWindows1252Too) {
    TempFolder folder;
    const std::string path =
        folder.write("refs.xml", "<Root name=\"caf&#233; &#x20AC;5\" plain=\"\xC2\xA3\">Th&#xE9;oden&#10;</Root>");
    tinyxml2::XMLDocument document;
    ASSERT_TRUE(loadXmlFile(document, path));
    EXPECT_STREQ(document.RootElement()->Attribute("name"), "caf\xE9 \x80" "5");
    EXPECT_STREQ(document.RootElement()->Attribute("plain"), "\xA3");
    EXPECT_STREQ(document.RootElement()->GetText(), "Th\xE9oden\n");

    // Saved back, each character is written once, in UTF-8.
    const std::string out = folder.path() + "out.xml";
    ASSERT_TRUE(saveXmlFile(document, out));
    EXPECT_NE(readFile(out).find("caf\xC3\xA9 \xE2\x82\xAC" "5"), std::string::npos) << readFile(out);
}

TEST(XmlFile, OldWindows1252FilesStillRead) {
    TempFolder folder;
    const std::string path = folder.write("old.xml", "<Root name=\"caf\xE9\"/>");
    tinyxml2::XMLDocument document;
    ASSERT_TRUE(loadXmlFile(document, path));
    EXPECT_STREQ(document.RootElement()->Attribute("name"), "caf\xE9");
}

TEST(XmlFile, FailedSaveKeepsTheOldFileAndSaysSo) {
    TempFolder folder;
    LogCapture capture;
    tinyxml2::XMLDocument document;
    document.Parse("<Root/>");
    EXPECT_FALSE(saveXmlFile(document, folder.path() + "missing/dir/out.xml"));
    EXPECT_TRUE(capture.contains("Unable to save XML File"));
}

} // namespace
