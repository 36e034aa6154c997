#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// Each value is decoded on its own, so one stray byte does not turn the rest of the file into
// Windows-1252; what the code page can't hold is replaced or left out, and said once per load.
TEST(XmlFile, EachValueIsDecodedOnItsOwn) {
    struct Row {
        const char* name;
        std::string file;
        std::string name1252;
        std::string text1252;
        std::vector<std::string> logged;
    };
    const Row rows[] = {
        {"StrayByteBesideUtf8", "<Root name=\"Ald\xC3\xA9n\">caf\xE9</Root>", "Ald\xE9n", "caf\xE9", {}},
        {"ReferencesBesideAStrayByte", "<Root name=\"\xE9&#233;&#x20AC;&amp;\">x</Root>", "\xE9\xE9\x80&", "x", {}},
        {"NulReferenceIsLeftOut", "<Root name=\"a&#x0;b&#0;c\">d&#1;e</Root>", "abc", "de",
         {"3 control character(s) that XML does not allow were left out, the first in Root name"}},
        {"RawControlByteIsLeftOut", "<Root name=\"a\x01" "b\">c\x1F</Root>", "ab", "c",
         {"2 control character(s) that XML does not allow were left out, the first in Root name"}},
        {"OutsideTheCodePage", "<Root name=\"\xCE\xBB&#x4E2D;&#99999999;\">&#xD800;</Root>", "???", "?",
         {"4 character(s) that Windows-1252 lacks were read as \"?\", the first in Root name"}},
        {"NotAReference", "<Root name=\"a &b; &#xZ; &# &\">&#x;</Root>", "a &b; &#xZ; &# &", "&#x;", {}},
        {"CdataKeepsItsText", "<Root name=\"n\"><![CDATA[&#233; \xC3\xA9]]></Root>", "n", "&#233; \xE9", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder folder;
        const std::string path = folder.write("in.xml", row.file);
        LogCapture capture;
        tinyxml2::XMLDocument document;
        ASSERT_TRUE(loadXmlFile(document, path));
        EXPECT_EQ(std::string(document.RootElement()->Attribute("name")), row.name1252);
        EXPECT_EQ(std::string(document.RootElement()->GetText()), row.text1252);
        for (const std::string& line : row.logged) EXPECT_TRUE(capture.contains(line)) << line;
        EXPECT_EQ(capture.lines().size(), row.logged.size());
    }
}

TEST(XmlFile, FileOverItsSizeLimitIsRefusedUnread) {
    TempFolder folder;
    const std::string path = folder.write("big.xml", "<Root name=\"0123456789\"/>");
    tinyxml2::XMLDocument document;
    EXPECT_TRUE(loadXmlFile(document, path, 25)) << "exactly the limit";
    LogCapture capture;
    EXPECT_FALSE(loadXmlFile(document, path, 24));
    EXPECT_TRUE(capture.contains("XML File at path " + path + " could not be read: it is larger than 24 bytes"));
    EXPECT_EQ(document.RootElement(), nullptr);
}

// Line breaks and tabs in attribute values come back as they were; a raw one would be read as
// a line feed or a space.
TEST(XmlFile, AttributeBreaksSurviveASaveAndLoad) {
    TempFolder folder;
    tinyxml2::XMLDocument document;
    document.InsertEndChild(document.NewElement("Root"))->ToElement()->SetAttribute("v", "a\rb\r\nc\td\x01" "e");
    const std::string path = folder.path() + "out.xml";
    ASSERT_TRUE(saveXmlFile(document, path));
    tinyxml2::XMLDocument loaded;
    ASSERT_TRUE(loadXmlFile(loaded, path));
    EXPECT_EQ(std::string(loaded.RootElement()->Attribute("v")), "a\rb\r\nc\tde");
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
