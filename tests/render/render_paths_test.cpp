// The render paths file: groups and paths in document order, and the files that give nothing.
#include <gtest/gtest.h>

#include "render/render_paths.h"
#include "support/log_capture.h"

namespace {

const std::string dataDir = ZODERUD_TEST_DATA_DIR "/";

TEST(RenderPaths, SampleFileIsReadInOrder) {
    LogCapture log;
    std::vector<PathGroup> groups = readRenderPaths(dataDir + "sample_render_paths.xml", true);
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[0].name, "UITextRenderable");
    // The first attribute only, whatever its name; an element without one gives no path.
    EXPECT_EQ(groups[0].paths, (std::vector<std::string>{"Data/fonts/", "Data/ui/text/"}));
    EXPECT_EQ(groups[1].name, "UIPointerRenderable");
    EXPECT_TRUE(groups[1].paths.empty());
    EXPECT_EQ(groups[2].name, "UITextRenderable");
    EXPECT_EQ(groups[2].paths, std::vector<std::string>{"Data/ui/other/"});
    EXPECT_TRUE(log.contains("Trying to load renderable paths file at: " + dataDir + "sample_render_paths.xml"));
    EXPECT_TRUE(log.contains("File Opened"));
}

TEST(RenderPaths, FilesWithoutUsableRootGiveNoGroups) {
    for (const char* name : {"no_root.xml", "wrong_case_root.xml", "missing.xml"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(readRenderPaths(dataDir + name).empty());
        EXPECT_TRUE(readRenderPaths(dataDir + name, true).empty());
    }
}

TEST(RenderPaths, SceneReaderIsQuietAboutAMissingFile) {
    LogCapture log;
    EXPECT_TRUE(readRenderPaths(dataDir + "missing.xml").empty());
    EXPECT_TRUE(log.lines().empty());
}

} // namespace
