// Texture-atlas index files: comment lines, the half-texel flag, the last line, keys, groups, and
// lines that are not entries.
#include <gtest/gtest.h>

#include "render/texture_atlas_index.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

const std::string kHeader = "# atlas index\n# written by the atlas tool -halftexel\n";
const std::string kEntries = "stone.dds\tatlas0.dds 0, 2D, 0.0, 0.5, 0.0, 0.5, 0.25\n"
                             "textures\\wood.dds atlas0.dds 0, 2D, 0.5, 0.0, 0.0, 0.25, 0.5\n"
                             "atlas\\sub/rock.1.dds atlas0.dds 1, 2D, 0.25, 0.25, 0.0, 0.125, 0.125\n";

std::vector<std::string> keys(const TextureAtlasIndex::EntryMap& entries) {
    std::vector<std::string> out;
    for (const auto& entry : entries) out.push_back(entry.first);
    return out;
}

TEST(TextureAtlasIndex, TheLastLineIsNeverAnEntry) {
    TempFolder folder;
    struct Case {
        std::string text;
        std::size_t entries;
    } cases[] = {
        {kHeader + kEntries + "\n", 3},
        {kHeader + kEntries, 2},
        {kHeader + kEntries.substr(0, kEntries.size() - 1), 2},
        {"", 0},
    };
    for (const Case& c : cases) {
        TextureAtlasIndex index;
        index.loadTextureAtlasIndex(folder.write("atlas_texture.tai", c.text), "meshes");
        ASSERT_NE(index.findGroup("meshes"), nullptr);
        EXPECT_EQ(index.findGroup("meshes")->size(), c.entries) << c.text;
    }
}

TEST(TextureAtlasIndex, EntriesAreKeyedByBaseNameInKeyOrderAndLookedUpByGroupThenName) {
    TempFolder folder;
    TextureAtlasIndex index;
    index.loadTextureAtlasIndex(folder.write("a.tai", kHeader + kEntries + "\n"), "walls");
    const TextureAtlasIndex::EntryMap& walls = *index.findGroup("walls");
    EXPECT_EQ(keys(walls), (std::vector<std::string>{"rock.1", "stone", "wood"}));
    const AtlasPlacement& wood = index.find("walls", "wood");
    EXPECT_EQ(wood.offsetU, 0.5f);
    EXPECT_EQ(wood.offsetV, 0.0f);
    EXPECT_EQ(wood.scaleU, 0.25f);
    EXPECT_EQ(wood.scaleV, 0.5f);
    EXPECT_EQ(index.find("walls", "rock.1").scaleU, 0.125f);

    for (const AtlasPlacement* missing : {&index.find("walls", "glass"), &index.find("floors", "wood")}) {
        EXPECT_EQ(missing->offsetU, 0.0f);
        EXPECT_EQ(missing->offsetV, 0.0f);
        EXPECT_EQ(missing->scaleU, 1.0f);
        EXPECT_EQ(missing->scaleV, 1.0f);
    }

    index.loadTextureAtlasIndex(folder.write("b.tai", "#\n#\nwood.dds atlas1.dds 0, 2D, 0.75, 0.75, 0.0, 0.25, 0.25\n\n"),
                                "floors");
    EXPECT_EQ(index.groups().size(), 2u) << "a second file adds a group and keeps the first";
    EXPECT_EQ(index.find("floors", "wood").offsetU, 0.75f);
    EXPECT_EQ(index.find("walls", "wood").offsetU, 0.5f);
    EXPECT_EQ(index.lastPath(), folder.path() + "b.tai");
}

TEST(TextureAtlasIndex, TheFirstEntryUnderAKeyWins) {
    TempFolder folder;
    TextureAtlasIndex index;
    index.loadTextureAtlasIndex(folder.write("dup.tai", "stone.dds a.dds 0, 2D, 0.1, 0.1, 0.0, 0.1, 0.1\n"
                                                        "more/stone.tga a.dds 0, 2D, 0.9, 0.9, 0.0, 0.1, 0.1\n\n"),
                                "g");
    EXPECT_EQ(index.find("g", "stone").offsetU, 0.1f);
}

TEST(TextureAtlasIndex, OnlyTheSecondCommentLineCanSetTheHalfTexelFlag) {
    TempFolder folder;
    struct Case {
        std::string header;
        bool halfTexel;
    } cases[] = {
        {"# tool\n# tool -halftexel\n", true},
        {"# tool -halftexel\n# tool\n", false},
        {"# tool\n# tool\n# tool -halftexel\n", false},
        {"# tool\n\n# -halftexel\n", false},
        {"\n# -halftexel\n", true},
        {"# tool\n# tool -halftexelx\n", false},
    };
    for (const Case& c : cases) {
        TextureAtlasIndex index;
        index.loadTextureAtlasIndex(folder.write("h.tai", c.header + kEntries + "\n"), "g");
        EXPECT_EQ(index.halfTexel(), c.halfTexel) << c.header;
        EXPECT_EQ(index.findGroup("g")->size(), 3u) << c.header;
    }
}

TEST(TextureAtlasIndex, AMalformedLineIsSkippedAndLoggedWithFileAndLine) {
    TempFolder folder;
    const std::string path = folder.write("bad.tai", kHeader +
                                                         "stone.dds atlas0.dds 0, 2D, 0.0, 0.5, 0.0, 0.5, 0.25\n"
                                                         "wood.dds atlas0.dds zero, 2D, 0.5\n"
                                                         "rock.dds atlas0.dds 0; 2D, 0.5, 0.5, 0.0, 0.5, 0.5\n"
                                                         "glass.dds atlas0.dds 0, 2D, 0.5, 0.5, 0.0, 0.5, 0.5\n\n");
    LogCapture log;
    TextureAtlasIndex index;
    index.loadTextureAtlasIndex(path, "g");
    EXPECT_EQ(keys(*index.findGroup("g")), (std::vector<std::string>{"glass", "stone"}));
    EXPECT_TRUE(log.contains(path + ", line 4"));
    EXPECT_TRUE(log.contains(path + ", line 5"));
}

TEST(TextureAtlasIndex, AFileThatCannotBeOpenedGivesAnEmptyGroup) {
    TextureAtlasIndex index;
    index.loadTextureAtlasIndex("/nowhere/atlas_texture.tai", "g");
    ASSERT_NE(index.findGroup("g"), nullptr);
    EXPECT_TRUE(index.findGroup("g")->empty());
    EXPECT_EQ(index.find("g", "stone").scaleU, 1.0f);
}

TEST(TextureAtlasIndex, KeysLoseTheirFoldersAndTheirLastExtension) {
    EXPECT_EQ(TextureAtlasIndex::entryKey("atlas\\sub/rock.1.dds"), "rock.1");
    EXPECT_EQ(TextureAtlasIndex::entryKey("textures\\stone_wall.dds"), "stone_wall");
    EXPECT_EQ(TextureAtlasIndex::entryKey("plain"), "plain");
}

} // namespace
