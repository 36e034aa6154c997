// The colourisable image drawn on the offscreen device and read back.
#include "ui_periphery_fixture.h"

namespace {

using uitest::channel;
using uitest::clearColour;
using uitest::near;

class UIColourisableImages : public uitest::UIPeripheryDraw {
protected:
    // The 4 x 4 crest (columns red, green, blue, red) at 64 x 64 pixels from (64, 32).
    RenderInterface::UIObject* crest() {
        RenderInterface::UIObject* object = make("colourisable_image_crest", 1);
        placeRectangle(object, 64, 32, 128, 96);
        params(object)->setVector4("redChannelColour", {0.0f, 0.0f, 1.0f, 1.0f});
        return object;
    }
};

TEST_F(UIColourisableImages, ItsRedTexelsDrawInTheRedChannelColour) {
    params(crest())->setBool("usePointSampler", true);
    frame(clearColour);
    // Red draws blue; green and blue keep their default white.
    const std::uint32_t columns[4] = {0xFF0000FF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF0000FF};
    for (int column = 0; column < 4; ++column) {
        const int x = 64 + column * 16 + 8;
        EXPECT_TRUE(near(pixel(x, 60), columns[column])) << column << ": " << std::hex << pixel(x, 60);
    }
    EXPECT_EQ(pixel(63, 60), clearColour);
    EXPECT_EQ(pixel(128, 60), clearColour);
    EXPECT_EQ(pixel(100, 31), clearColour);
    EXPECT_EQ(pixel(100, 96), clearColour);
}

TEST_F(UIColourisableImages, ThePointSamplerKeepsHardTexelEdges) {
    RenderInterface::UIObject* object = crest();
    params(object)->setBool("usePointSampler", true);
    frame(clearColour);
    // The edge between the first (red, drawn blue) and second (green, drawn white) texels.
    EXPECT_EQ(pixel(79, 60), 0xFF0000FFu);
    EXPECT_EQ(pixel(80, 60), 0xFFFFFFFFu);
    params(object)->setBool("usePointSampler", false);
    frame(clearColour);
    // Filtered, the pixels beside the edge mix the two colours.
    EXPECT_GT(channel(pixel(79, 60), 16), 40u) << std::hex << pixel(79, 60);
    EXPECT_LT(channel(pixel(80, 60), 16), 215u) << std::hex << pixel(80, 60);
}

} // namespace
