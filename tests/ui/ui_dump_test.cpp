// The UI dump the running program writes for outside acceptance tests.
#include <gtest/gtest.h>

#include "platform/paths.h"
#include "render/ui_dump.h"
#include "support/temp_folder.h"
#include "support/ui_harness.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"

namespace {

class UIDumpTest : public ::testing::Test {
protected:
    UIDumpTest() : path(folder.path() + "ui.txt") { uidump::setDumpPath(path); }
    ~UIDumpTest() override { uidump::setDumpPath(""); }

    TempFolder folder;
    std::string path;
};

TEST_F(UIDumpTest, EachHandOffThatChangedTheUIRewritesTheFile) {
    UIHarness ui;
    const float tl[2] = {-0.5f, 0.5f}, br[2] = {0.5f, 0.0f};
    auto* label =
        ui.addWindow(new GameUILabel(&ui.context(), ui.theme(), "note", "First line\nsecond", "", tl, br, nullptr,
                                     labelflag::notRightAligned, labelflag::notCentred, labelflag::atTop));
    ui.step();
    const std::string first = readFile(path);
    // Pixels from the top-left corner of the 1280 x 720 screen.
    EXPECT_NE(first.find("TextBox\t0\t320\t180\t960\t360\tFirst line\\nsecond\n"), std::string::npos) << first;
    EXPECT_EQ(first.rfind("type\tlayer\tleft\ttop\tright\tbottom\tstring\n", 0), 0u);

    ASSERT_TRUE(platform::removeFile(path));
    ui.step();
    EXPECT_FALSE(platform::pathExists(path)) << "nothing changed, nothing written";

    label->setText("Changed");
    ui.step();
    EXPECT_NE(readFile(path).find("\tChanged\n"), std::string::npos);

    ui.windowManager().removeWindow(label);
    ui.step();
    ui.step();
    EXPECT_EQ(readFile(path).find("Changed"), std::string::npos) << "destroyed objects leave the dump";
}

TEST_F(UIDumpTest, ThePointerIsDumpedAtItsPixel) {
    UIHarness::Options options;
    options.mousePointer = true;
    UIHarness ui(options);
    ui.movePointer(0.5f, 0.5f);
    ui.step();
    EXPECT_NE(readFile(path).find("mousePointer\t31\t960\t180\t960\t180\t\n"), std::string::npos) << readFile(path);
}

TEST_F(UIDumpTest, OffWritesNothing) {
    uidump::setDumpPath("");
    UIHarness ui;
    const float tl[2] = {-0.5f, 0.5f}, br[2] = {0.5f, 0.0f};
    ui.addWindow(new GameUIPushButton(&ui.context(), ui.theme(), "b", "B", "", tl, br, nullptr));
    ui.step();
    EXPECT_FALSE(platform::pathExists(path));
}

} // namespace
