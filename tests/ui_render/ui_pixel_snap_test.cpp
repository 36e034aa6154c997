// Snapping corners to pixels and decoding packed colours, without a device.
#include <gtest/gtest.h>

#include "render/ui_pixel_snap.h"
#include "ui_render/ui_rectangle_geometry.h"

namespace {

TEST(UIPixelSnap, CoordinatesGoToTheNearestPixelHalvesAwayFromZero) {
    const float p = 2.0f / 1024.0f;
    struct Case {
        float value, expected;
    };
    for (const Case& c : {Case{0.0f, 0.0f}, Case{0.3f * p, 0.0f}, Case{0.7f * p, p}, Case{0.5f * p, p},
                          Case{-0.5f * p, -p}, Case{-0.3f * p, 0.0f}, Case{10.5f * p, 11.0f * p},
                          Case{-10.5f * p, -11.0f * p}}) {
        EXPECT_FLOAT_EQ(snapToPixel(c.value, p), c.expected) << c.value / p << " pixels";
    }
}

TEST(UIPixelSnap, CornersMoveHalfAPixelLeftAndUp) {
    // 0.0 on a 1024-pixel-wide screen stays 0.0, then ends half a pixel left.
    EXPECT_FLOAT_EQ(snapCornerX(0.0f, 2.0f / 1024.0f), -1.0f / 1024.0f);
    EXPECT_FLOAT_EQ(snapCornerY(0.0f, 2.0f / 768.0f), 1.0f / 768.0f);
}

TEST(UIPackedColour, DecodesTheIntegerRgbOfTheAbsoluteValue) {
    struct Case {
        float packed;
        float r, g, b;
    };
    for (const Case& c : {Case{16711680.0f, 1, 0, 0}, Case{-16711680.0f, 1, 0, 0}, Case{65280.0f, 0, 1, 0},
                          Case{255.9f, 0, 0, 1}, Case{8421504.0f, 128 / 255.0f, 128 / 255.0f, 128 / 255.0f}}) {
        const UIColour colour = unpackUIColour(c.packed, 0.25f);
        EXPECT_FLOAT_EQ(colour.r, c.r) << c.packed;
        EXPECT_FLOAT_EQ(colour.g, c.g) << c.packed;
        EXPECT_FLOAT_EQ(colour.b, c.b) << c.packed;
        EXPECT_FLOAT_EQ(colour.a, 0.25f);
    }
}

} // namespace
