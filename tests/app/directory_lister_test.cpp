#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>
#include <map>

#include "app/directory_lister.h"
#include "platform/file_io.h"
#include "support/temp_folder.h"

namespace {

class ListerTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fixture.makeFolder("Data/classes");
        fixture.write("Data/classes/Fighter.XML", "<CharacterClass/>");
        fixture.write("Data/classes/notes.txt", "notes");
        fixture.makeFolder("Data/classes/zeta");
        fixture.makeFolder("Data/classes/Abilities");
        fixture.makeFolder("Data/classes/.svn");
    }
    TempFolder fixture;
    std::string folder;
};

TEST_F(ListerTest, ExtensionListsOneLowerCasedEntryWhosePathOpens) {
    std::string relative = "Data/classes/";
    std::list<FileEntry> out;
    ASSERT_TRUE(listFiles(fixture.path(), relative, "xml", out, false, false));
    ASSERT_EQ(out.size(), 1u);
    const FileEntry& entry = out.front();
    EXPECT_FALSE(entry.isDirectory);
    EXPECT_EQ(entry.name, "fighter");
    EXPECT_EQ(entry.extension, "xml");
    EXPECT_EQ(entry.fileName, "fighter.xml");
    EXPECT_EQ(entry.fullPath, "Data/classes/fighter.xml");

    std::string contents;
    EXPECT_TRUE(platform::readWholeFile(fixture.path() + entry.fullPath, contents));
    EXPECT_EQ(contents, "<CharacterClass/>");
    EXPECT_TRUE(fileExists(fixture.path() + entry.fullPath));
}

TEST_F(ListerTest, FoldersComeFirstSortedWithoutDotEntries) {
    std::vector<FileEntry> out;
    ASSERT_TRUE(listFolderEntries(folder, "xml", out, true, false));
    std::vector<std::string> names;
    for (const auto& e : out) names.push_back(e.fileName);
    const std::vector<std::string> expected = {".svn/", "Abilities/", "zeta/", "fighter.xml"};
    EXPECT_EQ(names, expected);
}

TEST_F(ListerTest, DotEntriesOnRequest) {
    std::vector<FileEntry> out;
    ASSERT_TRUE(listFolderEntries(folder, "xml", out, true, true));
    ASSERT_GE(out.size(), 2u);
    EXPECT_EQ(out[0].name, ".");
    EXPECT_EQ(out[1].name, "..");
}

TEST_F(ListerTest, StarListsEveryFile) {
    std::string relative = "Data/classes/";
    std::list<FileEntry> out;
    fixture.makeFolder("plain");
    std::string plain = "plain/";
    ASSERT_TRUE(listFiles(fixture.path(), plain, "*", out, false, false));
    EXPECT_TRUE(out.empty());
    fixture.write("plain/b.txt", "");
    fixture.write("plain/A.xml", "");
    ASSERT_TRUE(listFiles(fixture.path(), plain, "*", out, false, false));
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out.front().fileName, "a.xml");
    EXPECT_EQ(out.back().fileName, "b.txt");
}

// Names that differ only in case are different files on Linux: each is listed under its own
// name and opens as itself, while a name of its own is still listed in lower case.
TEST_F(ListerTest, CaseTwinsAreListedAndOpenedEachAsItself) {
    fixture.makeFolder("twins");
    fixture.write("twins/Knight.XML", "upper");
    fixture.write("twins/knight.xml", "lower");
    fixture.write("twins/Rogue.Xml", "rogue");
    fixture.write("twins/KNIGHT.txt", "text");
    for (const char* extension : {"xml", "*"}) {
        SCOPED_TRACE(extension);
        std::string twins = "twins/";
        std::list<FileEntry> out;
        ASSERT_TRUE(listFiles(fixture.path(), twins, extension, out, false, false));
        std::map<std::string, std::string> contents;
        for (const FileEntry& entry : out) {
            std::string text;
            EXPECT_TRUE(platform::readWholeFile(fixture.path() + entry.fullPath, text)) << entry.fullPath;
            EXPECT_TRUE(contents.emplace(entry.fileName, text).second) << "listed twice: " << entry.fileName;
        }
        std::map<std::string, std::string> expected = {
            {"Knight.XML", "upper"}, {"knight.xml", "lower"}, {"rogue.xml", "rogue"}};
        if (std::string(extension) == "*") expected.emplace("knight.txt", "text");
        EXPECT_EQ(contents, expected);
    }
}

TEST_F(ListerTest, SubFolderListerSkipsSvn) {
    std::list<FileEntry> out;
    ASSERT_TRUE(listDirectories(folder, out));
    std::vector<std::string> names;
    for (const auto& e : out) names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Abilities", "zeta"}));
}

TEST_F(ListerTest, MissingFolderIsRefusedAndLeavesOutAlone) {
    std::list<FileEntry> out(1);
    std::string missing = "nowhere/";
    EXPECT_FALSE(listFiles(fixture.path(), missing, "xml", out, true, false));
    EXPECT_EQ(out.size(), 1u);
}

TEST_F(ListerTest, LongPathsHaveNoFixedLimit) {
    std::string deep = "Data/";
    while (deep.size() < 300) deep += "abcdefghij/";
    fixture.write(deep + "x.xml", "");
    std::list<FileEntry> out;
    ASSERT_TRUE(listFiles(fixture.path(), deep, "xml", out, false, false));
    EXPECT_EQ(out.size(), 1u);
}

TEST(PathHelpers, MakeAbsolutePathFoldsDotDot) {
    std::string path = "a/../b";
    makeAbsolutePath("/x", path);
    EXPECT_EQ(path, "/x/b/");
    std::string windows = "games\\..\\saves";
    makeAbsolutePath("/home", windows);
    EXPECT_EQ(windows, "/home/saves/");
}

TEST_F(ListerTest, ChecksFindNamesWhateverTheirCase) {
    EXPECT_TRUE(pathIsDirectory(fixture.path() + "data/CLASSES"));
    EXPECT_TRUE(fileExists(fixture.path() + "DATA\\classes\\fighter.xml"));
    EXPECT_FALSE(fileExists(fixture.path() + "data/classes"));
    EXPECT_FALSE(fileExists(fixture.path() + "data/classes/missing.xml"));
}

// Every file listed opens by the name the list gives; what no name can open (a pipe, a name
// whose "\" is read back as a folder separator) is left out.
TEST_F(ListerTest, ListsOnlyWhatOpensByItsListedName) {
    fixture.makeFolder("odd");
    fixture.write("odd/NoExt", "no extension");
    fixture.write("odd/back\\slash.xml", "backslash");
    fixture.makeFolder("odd/back\\folder");
    fixture.write("odd/plain.xml", "plain");
    const std::string pipe = fixture.path() + "odd/pipe.xml";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    for (const bool includeFolders : {false, true}) {
        SCOPED_TRACE(includeFolders);
        std::vector<FileEntry> out;
        ASSERT_TRUE(listFolderEntries(fixture.path() + "odd/", "*", out, includeFolders, false));
        std::map<std::string, std::string> contents;
        for (const FileEntry& entry : out) {
            std::string text;
            EXPECT_TRUE(platform::readWholeFile(entry.fullPath, text)) << entry.fullPath;
            contents.emplace(entry.fileName, text);
        }
        EXPECT_EQ(contents, (std::map<std::string, std::string>{{"noext", "no extension"}, {"plain.xml", "plain"}}));
    }
    EXPECT_FALSE(fileExists(pipe)) << "a pipe is no file to open";
    EXPECT_TRUE(fileExists(fixture.path() + "odd/noext"));
}

} // namespace
