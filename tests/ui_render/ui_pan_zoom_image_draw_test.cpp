// The pannable image and the regions map drawn on the offscreen device and read back.
#include "ui_periphery_fixture.h"

#include <cmath>

#include "platform/gfx/texture.h"
#include "ui_render/ui_geographic_tintable_regions_map_renderable.h"

namespace {

using uitest::channel;
using uitest::clearColour;
using uitest::near;
using UIPanZoomImages = uitest::UIPeripheryDraw;

TEST_F(UIPanZoomImages, AtHalfZoomTheLargeImageSpansTheWidthAndHangsFromTheTop) {
    // 512 x 256 on 256 x 192 at zoom 0.5: 256 x 128 pixels from the top-left corner.
    params(make("vista", 1))->setFloat("zoom", 0.5f);
    frame(clearColour);
    const struct {
        int x, y;
        std::uint32_t colour;
    } probes[] = {{0, 0, 0xFFFF0000},   {125, 90, 0xFFFF0000},  {130, 90, 0xFF0000FF}, {255, 0, 0xFF0000FF},
                  {0, 98, 0xFF00FF00},  {255, 126, 0xFF00FF00}, {0, 129, clearColour}, {255, 191, clearColour}};
    for (const auto& probe : probes) {
        EXPECT_TRUE(near(pixel(probe.x, probe.y), probe.colour)) << probe.x << "," << probe.y << ": " << std::hex
                                                                 << pixel(probe.x, probe.y);
    }
}

TEST_F(UIPanZoomImages, AtZoomOneTheLargeImageIsCentred) {
    make("vista", 1);
    frame(clearColour);
    // Columns 128 to 383 and rows 32 to 223 of the image: its halves meet in the middle, its
    // green band (rows 192 on) starts 160 rows down. Its corners carry no half-pixel shift, so
    // texels straddle pixels and the pixels at those edges mix both sides.
    EXPECT_TRUE(near(pixel(126, 10), 0xFFFF0000)) << std::hex << pixel(126, 10);
    EXPECT_TRUE(near(pixel(129, 10), 0xFF0000FF)) << std::hex << pixel(129, 10);
    EXPECT_TRUE(near(pixel(10, 158), 0xFFFF0000)) << std::hex << pixel(10, 158);
    EXPECT_TRUE(near(pixel(10, 161), 0xFF00FF00)) << std::hex << pixel(10, 161);
    EXPECT_EQ(ink().pixels, 256 * 192);
}

TEST_F(UIPanZoomImages, TheMapBlendsTheRegionTheTintsNameOverItsBase) {
    auto* map = dynamic_cast<UIGeographicTintableRegionsMapRenderableAsset*>(manager_->findAsset("geographic_map_s"));
    ASSERT_NE(map, nullptr);
    ASSERT_NE(map->regionColours(), nullptr);
    gfx::LockedRect locked;
    ASSERT_EQ(map->regionColours()->lockRect(0, locked, nullptr, 0), gfx::Result::Ok);
    const std::uint32_t region = *static_cast<const std::uint32_t*>(locked.bits);
    map->regionColours()->unlockRect(0);
    ASSERT_EQ(region >> 24, 80u);

    make("geographic_map_s", 1);
    frame(clearColour);
    // 32 x 32 at zoom 1 from the top-left corner: its left half names the first region, its right
    // half none (the grey base as it is).
    auto blended = [&](int shift) {
        const float a = 80.0f / 255.0f;
        return std::uint32_t(std::lround(128.0f * (1.0f - a) + float(channel(region, shift)) * a)) << shift;
    };
    const std::uint32_t expected = 0xFF000000u | blended(16) | blended(8) | blended(0);
    EXPECT_TRUE(near(pixel(4, 4), expected, 3)) << std::hex << pixel(4, 4) << " for " << expected;
    EXPECT_TRUE(near(pixel(20, 28), 0xFF808080)) << std::hex << pixel(20, 28);
    EXPECT_EQ(pixel(33, 4), clearColour);
    EXPECT_EQ(pixel(4, 33), clearColour);
}

} // namespace
