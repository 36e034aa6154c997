#include <gtest/gtest.h>

#include "app/xml_file.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

TEST(XmlFile, EachFailureSaysWhatHappened) {
    TempFolder folder;
    struct Row {
        std::string path;
        std::string expected;
        std::string notExpected;
    };
    const std::string missing = folder.path() + "missing.xml";
    const std::string sub = folder.makeFolder("sub.xml");
    const std::string unclosed = folder.write("unclosed.xml", "<Settings>\n<Graphics>\n<Resolution width=\"800/>\n");
    const Row rows[] = {
        {missing, "Unable to find XML File at path : " + missing, ""},
        {sub, "XML File at path " + sub + " is not a file: it is a folder", "Unable to find"},
        // The kernel refuses to read this one even for root.
        {"/proc/self/mem", "XML File at path /proc/self/mem could not be read: Input/output error", "Unable to find"},
        {unclosed, "XML File at path " + unclosed + " could not be read: not well-formed at line 3", "Unable to find"},
        {folder.write("bad.xml", "<a><b></a>"), "could not be read: not well-formed at line 1", ""},
        {folder.write("empty.xml", ""), "could not be read: it holds no XML", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        LogCapture capture;
        tinyxml2::XMLDocument document;
        EXPECT_FALSE(loadXmlFile(document, row.path));
        EXPECT_TRUE(capture.contains(row.expected));
        if (!row.notExpected.empty()) {
            EXPECT_FALSE(capture.contains(row.notExpected));
        }
    }
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
