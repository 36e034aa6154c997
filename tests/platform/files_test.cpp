#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

#include "platform/data_root.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/user_folder.h"
#include "support/temp_folder.h"

namespace {

TEST(AtomicWrite, ReplacesTheFileWhole) {
    TempFolder folder;
    const std::string path = folder.write("save.xml", "old");
    ASSERT_TRUE(platform::writeFileAtomically(path, "new contents"));
    EXPECT_EQ(readFile(path), "new contents");
    std::vector<platform::DirectoryEntry> entries;
    ASSERT_TRUE(platform::listDirectory(folder.path(), entries));
    EXPECT_EQ(entries.size(), 3u) << "no temporary file is left behind (., .. and save.xml)";
}

TEST(AtomicWrite, FailedReplaceKeepsTheOldContentsAndNoTemporaryFile) {
    TempFolder folder;
    // A folder in the way makes the final rename fail, even for root.
    folder.write("save.xml/inside.txt", "old");
    std::string error;
    EXPECT_FALSE(platform::writeFileAtomically(folder.path() + "save.xml", "new", &error));
    EXPECT_NE(error.find("cannot replace"), std::string::npos) << error;
    EXPECT_EQ(readFile(folder.path() + "save.xml/inside.txt"), "old");
    std::vector<platform::DirectoryEntry> entries;
    ASSERT_TRUE(platform::listDirectory(folder.path(), entries));
    EXPECT_EQ(entries.size(), 3u);
}

TEST(AtomicWrite, FailedWriteKeepsTheOldFileAndNoTemporaryFile) {
    TempFolder folder;
    const std::string path = folder.write("save.xml", "old");
    // A file-size limit makes the write itself fail part way, even for root.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool written = platform::writeFileAtomically(path, std::string(4096, 'n'), &error);
    setrlimit(RLIMIT_FSIZE, &old);

    EXPECT_FALSE(written);
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    EXPECT_EQ(readFile(path), "old");
    std::vector<platform::DirectoryEntry> entries;
    ASSERT_TRUE(platform::listDirectory(folder.path(), entries));
    EXPECT_EQ(entries.size(), 3u) << "the temporary file is removed (., .. and save.xml)";
}

TEST(AtomicWrite, MissingFolderIsReported) {
    TempFolder folder;
    const std::string path = folder.write("missing-parent-test.xml", "old");
    std::string error;
    EXPECT_FALSE(platform::writeFileAtomically(folder.path() + "no/such/folder/file.xml", "new", &error));
    EXPECT_NE(error.find("cannot create a temporary file"), std::string::npos);
    EXPECT_EQ(readFile(path), "old");
}

TEST(Paths, ResolvesCaseAndBackslashes) {
    TempFolder folder;
    folder.write("Data/Classes/Fighter.XML", "x");
    EXPECT_EQ(platform::resolvePath(folder.path() + "data\\classes\\fighter.xml"),
              folder.path() + "Data/Classes/Fighter.XML");
    EXPECT_EQ(platform::resolvePath(folder.path() + "data/missing.xml"), folder.path() + "data/missing.xml");
    EXPECT_TRUE(platform::isDirectory(folder.path() + "DATA/classes/"));
    EXPECT_TRUE(platform::isRegularFile(folder.path() + "data/CLASSES/fighter.xml"));
}

TEST(Paths, ListingPutsFoldersFirstThenFilesByCaseInsensitiveName) {
    TempFolder folder;
    folder.write("b.txt", "");
    folder.write("A.txt", "");
    folder.makeFolder("Zed");
    folder.makeFolder("alpha");
    std::vector<platform::DirectoryEntry> entries;
    ASSERT_TRUE(platform::listDirectory(folder.path(), entries));
    std::vector<std::string> names;
    for (const auto& e : entries) names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "alpha", "Zed", "A.txt", "b.txt"}));
}

TEST(Paths, ABrokenLinkDoesNotSpoilTheListing) {
    TempFolder folder;
    folder.write("a.xml", "");
    ASSERT_EQ(::symlink((folder.path() + "gone").c_str(), (folder.path() + "broken").c_str()), 0);
    folder.write("z.xml", "");
    std::vector<platform::DirectoryEntry> entries;
    ASSERT_TRUE(platform::listDirectory(folder.path(), entries));
    std::vector<std::string> names;
    for (const auto& e : entries) names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "a.xml", "broken", "z.xml"}));
}

TEST(UserFolder, FollowsXdgAndNeverTheRoot) {
    const char* oldXdg = std::getenv("XDG_DATA_HOME");
    const char* oldHome = std::getenv("HOME");
    const std::string savedXdg = oldXdg ? oldXdg : "", savedHome = oldHome ? oldHome : "";

    ::setenv("XDG_DATA_HOME", "/tmp/xdg", 1);
    EXPECT_EQ(platform::userApplicationFolder("BRAV Zoderud"), "/tmp/xdg/BRAV Zoderud/");
    ::setenv("XDG_DATA_HOME", "relative/not/allowed", 1);
    ::setenv("HOME", "/home/player", 1);
    EXPECT_EQ(platform::userApplicationFolder("BRAV Zoderud"), "/home/player/.local/share/BRAV Zoderud/");
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", "/", 1);
    const std::string fallback = platform::userApplicationFolder("BRAV Zoderud");
    EXPECT_NE(fallback, "/BRAV Zoderud/");
    EXPECT_TRUE(fallback.empty() || fallback.find("/.local/share/BRAV Zoderud/") != std::string::npos) << fallback;

    if (oldXdg) ::setenv("XDG_DATA_HOME", savedXdg.c_str(), 1); else ::unsetenv("XDG_DATA_HOME");
    if (oldHome) ::setenv("HOME", savedHome.c_str(), 1); else ::unsetenv("HOME");
}

TEST(DataRoot, TheSourceTreeHoldsData) {
    const std::string root = platform::findDataRoot();
    ASSERT_FALSE(root.empty());
    EXPECT_TRUE(platform::isDirectory(root + "Data"));
    EXPECT_EQ(root.back(), '/');
}

} // namespace
