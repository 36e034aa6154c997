// Where the full-screen and pannable images put their corners, and the region colours of a
// regions map, as numbers without a device.
#include <gtest/gtest.h>

#include <set>

#include "app/random_source.h"
#include "ui_render/ui_geographic_tintable_regions_map_renderable.h"
#include "ui_render/ui_image_quads.h"
#include "ui_render/ui_pan_zoom.h"
#include "ui_render/ui_region_colours.h"

namespace {

TEST(UIFullscreenQuad, CoversTheScreenMovedHalfAPixelLeftAndUp) {
    const auto quad = fullscreenQuadVertices(1024, 768);
    // Bottom left, top left, top right, bottom right.
    EXPECT_NEAR(quad[1].x, -1.0009766f, 1e-6f);
    EXPECT_NEAR(quad[1].y, 1.0013021f, 1e-6f);
    EXPECT_NEAR(quad[3].x, 0.9990234f, 1e-6f);
    EXPECT_NEAR(quad[3].y, -0.9986979f, 1e-6f);
    EXPECT_FLOAT_EQ(quad[0].x, quad[1].x);
    EXPECT_FLOAT_EQ(quad[2].y, quad[1].y);
    // The image's top-left texel goes to the top-left corner, upright.
    EXPECT_EQ(quad[1].u, 0.0f);
    EXPECT_EQ(quad[1].v, 0.0f);
    EXPECT_EQ(quad[3].u, 1.0f);
    EXPECT_EQ(quad[3].v, 1.0f);
}

TEST(UIPanZoom, PlacesA2048By1024ImageOnA1024By768Screen) {
    const float rx = 2048.0f / 1024.0f, ry = 1024.0f / 768.0f;
    struct Case {
        const char* what;
        float zoom, xPan, yPan;
        float left, top, right, bottom;
    };
    const Case cases[] = {
        {"centred", 1.0f, 0.0f, 0.0f, -2.0f, 1.3333333f, 2.0f, -1.3333333f},
        {"left edge on the screen's", 1.0f, 2.0f, 0.0f, -1.0f, 1.3333333f, 3.0f, -1.3333333f},
        {"right edge on the screen's", 1.0f, -2.0f, 0.0f, -3.0f, 1.3333333f, 1.0f, -1.3333333f},
        {"left edge held", 1.0f, 5.0f, 0.0f, -1.0f, 1.3333333f, 3.0f, -1.3333333f},
        {"fits the width, hangs from the top", 0.5f, 0.0f, 0.0f, -1.0f, 1.0f, 1.0f, -0.3333333f},
        {"bottom edge on the screen's", 1.0f, 0.0f, 1.3333333f, -2.0f, 1.6666667f, 2.0f, -1.0f},
        {"top edge on the screen's", 1.0f, 0.0f, -1.3333333f, -2.0f, 1.0f, 2.0f, -1.6666667f},
    };
    for (const Case& c : cases) {
        const UIPanZoomEdges edges = panZoomEdges(rx, ry, c.zoom, c.xPan, c.yPan);
        EXPECT_NEAR(edges.left, c.left, 1e-5f) << c.what;
        EXPECT_NEAR(edges.top, c.top, 1e-5f) << c.what;
        EXPECT_NEAR(edges.right, c.right, 1e-5f) << c.what;
        EXPECT_NEAR(edges.bottom, c.bottom, 1e-5f) << c.what;
    }
}

TEST(UIPanZoom, AnImageSmallerThanTheScreenSitsInTheTopLeftCorner) {
    // 256 x 128 on 1024 x 768.
    const UIPanZoomEdges edges = panZoomEdges(0.25f, 128.0f / 768.0f, 1.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(edges.left, -1.0f);
    EXPECT_FLOAT_EQ(edges.top, 1.0f);
    EXPECT_FLOAT_EQ(edges.right, -0.5f);
    EXPECT_NEAR(edges.bottom, 1.0f - 2.0f * 128.0f / 768.0f, 1e-6f);
}

TEST(UIRegionColours, UniformCellsOfAlpha80AndALastCellWithoutColour) {
    RandomSource random(42, 0, 100000);
    const std::vector<std::uint32_t> pixels = drawRegionColours(random);
    ASSERT_EQ(pixels.size(), 256u * 256u);
    std::set<std::uint32_t> colours;
    for (std::uint32_t row = 0; row < 16; ++row) {
        for (std::uint32_t column = 0; column < 16; ++column) {
            const std::uint32_t colour = pixels[std::size_t(row * 16) * 256 + column * 16];
            for (std::uint32_t y = row * 16; y < row * 16 + 16; ++y) {
                for (std::uint32_t x = column * 16; x < column * 16 + 16; ++x) {
                    ASSERT_EQ(pixels[std::size_t(y) * 256 + x], colour) << "cell " << column << "," << row;
                }
            }
            if (row == 15 && column == 15) {
                EXPECT_EQ(colour, 0x00FFFFFFu);
                continue;
            }
            EXPECT_EQ(colour >> 24, 80u) << "cell " << column << "," << row;
            for (int shift = 0; shift < 24; shift += 8) EXPECT_LE((colour >> shift) & 255, 254u);
            colours.insert(colour);
        }
    }
    // Drawn, not a constant: nearly every region has a colour of its own.
    EXPECT_GT(colours.size(), 240u);
}

TEST(UIRegionColours, TwoMapsColourTheirRegionsDifferently) {
    UIGeographicTintableRegionsMapRenderableAsset first("geographic_map_a", "a", "maps/", nullptr);
    UIGeographicTintableRegionsMapRenderableAsset second("geographic_map_b", "b", "maps/", nullptr);
    EXPECT_NE(first.drawRegionColourImage(), second.drawRegionColourImage());
}

} // namespace
