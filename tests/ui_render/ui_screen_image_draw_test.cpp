// Full-screen and tintable images drawn on the offscreen device and read back.
#include "ui_periphery_fixture.h"

namespace {

using uitest::clearColour;
using uitest::near;
using UIScreenImages = uitest::UIPeripheryDraw;

TEST_F(UIScreenImages, AFullScreenImageCoversTheScreen) {
    make("curtain", 1);
    frame(clearColour);
    // Quadrants red, green, blue and white, stretched over the screen.
    EXPECT_TRUE(near(pixel(0, 0), 0xFFFF0000)) << std::hex << pixel(0, 0);
    EXPECT_TRUE(near(pixel(255, 0), 0xFF00FF00)) << std::hex << pixel(255, 0);
    EXPECT_TRUE(near(pixel(0, 191), 0xFF0000FF)) << std::hex << pixel(0, 191);
    EXPECT_TRUE(near(pixel(255, 191), 0xFFFFFFFF)) << std::hex << pixel(255, 191);
    EXPECT_EQ(ink().pixels, 256 * 192);
}

TEST_F(UIScreenImages, AnInvisibleFullScreenImageDrawsNothingUntilShownAgain) {
    RenderInterface::UIObject* curtain = make("curtain", 1);
    params(curtain)->setBool("isVisible", false);
    params(curtain)->setFloat("fadeToBlackLerp", 0.5f);
    frame(clearColour);
    EXPECT_TRUE(allClear());
    params(curtain)->setBool("isVisible", true);
    frame(clearColour);
    EXPECT_TRUE(near(pixel(0, 0), 0xFF800000)) << std::hex << pixel(0, 0);
    EXPECT_TRUE(near(pixel(255, 191), 0xFF808080)) << std::hex << pixel(255, 191);
}

TEST_F(UIScreenImages, AFadeOfZeroIsBlack) {
    params(make("curtain", 1))->setFloat("fadeToBlackLerp", 0.0f);
    frame(clearColour);
    EXPECT_EQ(ink([](std::uint32_t colour) { return colour != 0xFF000000; }).pixels, 0);
}

TEST_F(UIScreenImages, TwoObjectsOfOneImageEachDrawWithTheirOwnFade) {
    // White at half opacity, twice: 1 then 0.5 gives 0.5 + 0.5 * 0.5 * 0.5 = 0.5; one fade for
    // both would give 0.75 or 0.375.
    params(make("veil", 1))->setFloat("fadeToBlackLerp", 1.0f);
    params(make("veil", 2))->setFloat("fadeToBlackLerp", 0.5f);
    frame(0xFF000000);
    EXPECT_TRUE(near(pixel(128, 96), 0xFF808080, 3)) << std::hex << pixel(128, 96);
}

TEST_F(UIScreenImages, ATintableImageShowsAsItIsWhateverItsColourArray) {
    RenderInterface::UIObject* glass = make("glass", 1);
    const std::vector<std::uint32_t> plain = frame(clearColour);
    EXPECT_TRUE(near(pixel(0, 0), 0xFFFF0000)) << std::hex << pixel(0, 0);
    EXPECT_TRUE(near(pixel(255, 0), 0xFF00FF00)) << std::hex << pixel(255, 0);
    EXPECT_TRUE(near(pixel(0, 191), 0xFF0000FF)) << std::hex << pixel(0, 191);
    EXPECT_TRUE(near(pixel(255, 191), 0xFFFFFFFF)) << std::hex << pixel(255, 191);
    params(glass)->setPointPath("colourArray", {{0.0f, 0.0f, 0.0f}, {1.0f, 0.5f, 0.25f}});
    EXPECT_EQ(frame(clearColour), plain);
}

} // namespace
