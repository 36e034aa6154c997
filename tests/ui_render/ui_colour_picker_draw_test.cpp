// The colour picker's field and hue strip drawn on the offscreen device and read back.
#include "ui_periphery_fixture.h"

namespace {

using uitest::clearColour;
using uitest::InkBox;
using uitest::near;
using UIColourPickers = uitest::UIPeripheryDraw;

TEST_F(UIColourPickers, TheColourRectangleBlendsBlackBlackItsColourAndWhite) {
    RenderInterface::UIObject* field = make("ui_colour_selection_rectangle", 1);
    placeRectangle(field, 64, 32, 192, 160);
    params(field)->setVector4("colour", {1.0f, 0.5f, 0.0f, 1.0f});
    frame(clearColour);
    EXPECT_TRUE(near(pixel(64, 159), 0xFF000000, 6)) << std::hex << pixel(64, 159);
    EXPECT_TRUE(near(pixel(64, 32), 0xFF000000, 6)) << std::hex << pixel(64, 32);
    EXPECT_TRUE(near(pixel(191, 32), 0xFFFF8000, 6)) << std::hex << pixel(191, 32);
    EXPECT_TRUE(near(pixel(191, 159), 0xFFFFFFFF, 6)) << std::hex << pixel(191, 159);
    // Its middle is the mean of the four.
    EXPECT_TRUE(near(pixel(128, 96), 0xFF806040, 6)) << std::hex << pixel(128, 96);
    const InkBox box = ink();
    EXPECT_EQ(box.left, 64);
    EXPECT_EQ(box.top, 32);
    EXPECT_EQ(box.right, 191);
    EXPECT_EQ(box.bottom, 159);
}

TEST_F(UIColourPickers, TheHueStripRunsRedMagentaBlueCyanGreenYellowRed) {
    RenderInterface::UIObject* strip = make("ui_hue_selection_strip", 1);
    placeRectangle(strip, 100, 0, 120, 192);
    frame(clearColour);
    // Bands of 32 rows; each edge row is within one row of its colour.
    const std::uint32_t edges[7] = {0xFFFF0000, 0xFFFF00FF, 0xFF0000FF, 0xFF00FFFF,
                                    0xFF00FF00, 0xFFFFFF00, 0xFFFF0000};
    for (int edge = 0; edge < 7; ++edge) {
        const int row = std::min(edge * 32, 191);
        EXPECT_TRUE(near(pixel(110, row), edges[edge], 10)) << "row " << row << ": " << std::hex << pixel(110, row);
    }
    // Half-way down the first band, red has turned half-way to magenta.
    EXPECT_TRUE(near(pixel(110, 16), 0xFFFF0080, 10)) << std::hex << pixel(110, 16);
    EXPECT_EQ(pixel(99, 50), clearColour);
    EXPECT_EQ(pixel(120, 50), clearColour);
}

} // namespace
