// The corners and colours of the colour picker's field and hue strip, as numbers without a
// device.
#include <gtest/gtest.h>

#include <set>

#include "ui_render/ui_colour_picker_shapes.h"

namespace {

Vector4Value colourOf(const UIGradientCorners<14>& corners, std::size_t corner) {
    return {corners.colours[corner * 4], corners.colours[corner * 4 + 1], corners.colours[corner * 4 + 2],
            corners.colours[corner * 4 + 3]};
}

TEST(UIHueStrip, SixBandsFromRedToRed) {
    const float pw = 2.0f / 1024.0f, ph = 2.0f / 768.0f;
    const UISnappedRectangle strip = snapRectangleCorners({-0.1f, 1.0f}, {0.1f, -0.2f}, pw, ph);
    const UIGradientCorners<14> corners = hueStripCorners(strip);
    // Each band's top edge, from the top: corners 1, 0, 5, 4, 9, 8, 12 on the left.
    const std::size_t leftEdges[7] = {1, 0, 5, 4, 9, 8, 12};
    const Vector4Value edgeColours[7] = {{1, 0, 0, 1}, {1, 0, 1, 1}, {0, 0, 1, 1}, {0, 1, 1, 1},
                                         {0, 1, 0, 1}, {1, 1, 0, 1}, {1, 0, 0, 1}};
    for (std::size_t edge = 0; edge < 7; ++edge) {
        const std::size_t corner = leftEdges[edge];
        EXPECT_NEAR(corners.positions[corner * 2 + 1], 1.0f - 0.2f * float(edge), ph) << "edge " << edge;
        EXPECT_EQ(colourOf(corners, corner), edgeColours[edge]) << "edge " << edge;
        EXPECT_NEAR(corners.positions[corner * 2], -0.1f, pw) << "edge " << edge;
    }
    // The right side matches the left, so every band is one colour across.
    const std::size_t rightEdges[7] = {2, 3, 6, 7, 10, 11, 13};
    for (std::size_t edge = 0; edge < 7; ++edge) {
        EXPECT_EQ(corners.positions[rightEdges[edge] * 2 + 1], corners.positions[leftEdges[edge] * 2 + 1]);
        EXPECT_EQ(colourOf(corners, rightEdges[edge]), colourOf(corners, leftEdges[edge]));
        EXPECT_NEAR(corners.positions[rightEdges[edge] * 2], 0.1f, pw);
    }
    // Every triangle takes three distinct corners of one band.
    for (std::size_t t = 0; t < hueStripIndices.size(); t += 3) {
        const std::set<std::uint16_t> triangle{hueStripIndices[t], hueStripIndices[t + 1], hueStripIndices[t + 2]};
        EXPECT_EQ(triangle.size(), 3u);
        for (std::uint16_t corner : triangle) EXPECT_LT(corner, 14);
    }
}

TEST(UIColourSelectionRectangle, CornersAreBlackBlackTheColourAndWhite) {
    const UISnappedRectangle field{-0.5f, 0.5f, 0.5f, -0.5f};
    const UIGradientCorners<4> corners = colourRectangleCorners(field, {0.0f, 0.0f, 1.0f, 1.0f});
    const float positions[8] = {-0.5f, -0.5f, -0.5f, 0.5f, 0.5f, 0.5f, 0.5f, -0.5f};
    const float colours[16] = {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 1, 1, 1, 1, 1, 1};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(corners.positions[std::size_t(i)], positions[i]) << i;
    for (int i = 0; i < 16; ++i) EXPECT_EQ(corners.colours[std::size_t(i)], colours[i]) << i;
}

TEST(UIColourSelectionRectangle, CornersHalfAPixelFromAGridLineSnapAwayFromZero) {
    // Pixels of 1/512 and 1/256 UI units: every value below is exact in binary.
    const float pw = 1.0f / 512.0f, ph = 1.0f / 256.0f;
    const UISnappedRectangle r = snapRectangleCorners({-1.5f * pw, 2.5f * ph}, {3.5f * pw, -0.5f * ph}, pw, ph);
    EXPECT_EQ(r.left, -2.0f * pw - pw * 0.5f);
    EXPECT_EQ(r.top, 3.0f * ph + ph * 0.5f);
    EXPECT_EQ(r.right, 4.0f * pw - pw * 0.5f);
    EXPECT_EQ(r.bottom, -1.0f * ph + ph * 0.5f);
}

} // namespace
