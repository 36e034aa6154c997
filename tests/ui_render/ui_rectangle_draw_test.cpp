// The rectangle renderables through the UI manager on an offscreen device: layer and group
// order, border widths, rounded corners, the shadow band, snapping and the top layer.
#include "ui_draw_fixture.h"

#include "ui_render/ui_rectangle_geometry.h"

namespace {

using uitest::near;

constexpr std::uint32_t red = 0xFFFF0000, green = 0xFF00FF00, blue = 0xFF0000FF, white = 0xFFFFFFFF,
                        black = 0xFF000000, grey = 0xFF808080;

Vector4Value rgba(std::uint32_t argb) {
    return {float((argb >> 16) & 255) / 255.0f, float((argb >> 8) & 255) / 255.0f, float(argb & 255) / 255.0f,
            float(argb >> 24) / 255.0f};
}

float packed(std::uint32_t argb) { return float(argb & 0xFFFFFF); }

class UIRectangles : public uitest::UIDrawTest {
protected:
    void SetUp() override {
        start("<UIShadowedOutlinedRectangleRenderable/><UISimpleRectangleRenderable/>"
              "<UIOutlinedRectangleRenderable/>");
    }

    RenderInterface::UIObject* simple(std::uint32_t layer, std::uint32_t colour, int l, int t, int r, int b) {
        RenderInterface::UIObject* object = make("ui_simple_rectangle", layer);
        placeRectangle(object, l, t, r, b);
        params(object)->setVector4("colour", rgba(colour));
        return object;
    }
};

TEST_F(UIRectangles, HigherLayerCoversLowerWhateverTheCreationOrder) {
    // Each case: the layers of a red and a green rectangle over the same pixels, made red first.
    struct Case {
        std::uint32_t redLayer, greenLayer, expected;
    };
    for (const Case& c : {Case{3, 2, red}, Case{2, 3, green}, Case{40, 30, red}, Case{30, 32, green}}) {
        RenderInterface::UIObject* first = simple(c.redLayer, red, 10, 10, 30, 30);
        RenderInterface::UIObject* second = simple(c.greenLayer, green, 10, 10, 30, 30);
        frame();
        EXPECT_TRUE(near(pixel(20, 20), c.expected)) << c.redLayer << " over " << c.greenLayer << ": " << std::hex
                                                     << pixel(20, 20);
        renderInterface_->destroyUIObject(first);
        renderInterface_->destroyUIObject(second);
    }
}

TEST_F(UIRectangles, LayerAboveTheTopDrawsOnTheTopLayer) {
    RenderInterface::UIObject* high = simple(37, blue, 5, 5, 15, 15);
    frame();
    EXPECT_TRUE(near(pixel(10, 10), blue));
    // Moved there after filing, it still draws.
    params(high)->setUnsignedInt("render_layer", 33);
    frame();
    frame();
    EXPECT_TRUE(near(pixel(10, 10), blue));
}

TEST_F(UIRectangles, WithinALayerTheRenderPathsGroupOrderHolds) {
    // The outlined group comes after the simple one, which comes after the shadowed one.
    RenderInterface::UIObject* frameObject = make("ui_outlined_rectangle", 4);
    placeRectangle(frameObject, 10, 10, 30, 30);
    params(frameObject)->setVector4("colour", rgba(blue));
    simple(4, red, 10, 10, 30, 30);
    RenderInterface::UIObject* shadowed = make("ui_shadowed_outlined_rectangle", 4);
    placeRectangle(shadowed, 10, 10, 30, 30);
    params(shadowed)->setVector4("colour", rgba(green));
    frame();
    EXPECT_TRUE(near(pixel(20, 20), blue)) << std::hex << pixel(20, 20);
}

TEST_F(UIRectangles, PackedBorderWidthsTruncateToWholePixels) {
    // (2.9, 1.0, 0.5, 3.0): left 2, top 1, right 0 and bottom 3 pixels.
    RenderInterface::UIObject* object = make("ui_compressed_outlined_rectangle", 1);
    params(object)->setVector4("position", {edgeX(10), edgeY(10), edgeX(30), edgeY(30)});
    params(object)->setVector4("colours", {packed(blue), packed(red), packed(green), 1.0f});
    params(object)->setVector4("borderWidths", {2.9f, 1.0f, 0.5f, 3.0f});
    frame();
    struct Probe {
        int x, y;
        std::uint32_t expected;
        const char* where;
    };
    for (const Probe& p : {Probe{10, 20, red, "left edge"}, Probe{11, 20, red, "left edge"},
                           Probe{12, 20, blue, "inside the left edge"}, Probe{20, 10, red, "top edge"},
                           Probe{20, 11, blue, "inside the top edge"}, Probe{29, 20, blue, "no right edge"},
                           Probe{30, 20, black, "outside"}, Probe{20, 27, green, "bottom edge"},
                           Probe{20, 29, green, "bottom edge"}, Probe{20, 26, blue, "inside the bottom edge"},
                           Probe{20, 30, black, "outside"}}) {
        EXPECT_TRUE(near(pixel(p.x, p.y), p.expected)) << p.where << " at " << p.x << "," << p.y << ": " << std::hex
                                                       << pixel(p.x, p.y);
    }
}

TEST_F(UIRectangles, RoundedCornersCutTheCornerPixels) {
    RenderInterface::UIObject* object = make("ui_outlined_rectangle", 1);
    placeRectangle(object, 10, 10, 30, 30);
    params(object)->setVector4("colour", rgba(blue));
    params(object)->setVector4("borderColour", rgba(red));
    params(object)->setVector4("borderColour2", rgba(green));
    params(object)->setBool("roundedCorners", true);
    frame(grey);
    for (auto [x, y] : {std::pair{10, 10}, {29, 10}, {10, 29}, {29, 29}}) {
        EXPECT_TRUE(near(pixel(x, y), grey)) << "corner " << x << "," << y << ": " << std::hex << pixel(x, y);
    }
    EXPECT_TRUE(near(pixel(11, 10), red));
    EXPECT_TRUE(near(pixel(10, 11), red));
    EXPECT_TRUE(near(pixel(29, 20), green));
    EXPECT_TRUE(near(pixel(20, 29), green));
    EXPECT_TRUE(near(pixel(20, 20), blue));
    // Without rounding the corners are the border's, from the frame after the update that saw
    // the change.
    params(object)->setBool("roundedCorners", false);
    frame(grey);
    frame(grey);
    EXPECT_TRUE(near(pixel(10, 10), red)) << std::hex << pixel(10, 10);
    EXPECT_TRUE(near(pixel(29, 29), green)) << std::hex << pixel(29, 29);
}

TEST_F(UIRectangles, EdgesMeetOnTheMitre) {
    // Every pixel of frames with edges 1, 2 and 3 pixels thick: the left and top edges in the
    // border colour, the right and bottom ones in the second; where they meet at the top-right
    // and bottom-left corners, the mitre's own pixels go to the right and bottom edges.
    for (const std::uint32_t w : {1u, 2u, 3u}) {
        RenderInterface::UIObject* object = make("ui_outlined_rectangle", 1);
        placeRectangle(object, 10, 10, 30, 30);
        params(object)->setVector4("colour", rgba(blue));
        params(object)->setVector4("borderColour", rgba(red));
        params(object)->setVector4("borderColour2", rgba(green));
        for (const char* edge : {"border1Width", "border1Height", "border2Width", "border2Height"}) {
            params(object)->setUnsignedInt(edge, w);
        }
        frame(grey);
        const int n = static_cast<int>(w);
        auto expected = [n](int x, int y) {
            if (x < 10 || x >= 30 || y < 10 || y >= 30) return grey;
            const bool left = x < 10 + n, top = y < 10 + n, right = x >= 30 - n, bottom = y >= 30 - n;
            if (right && top) return (x - (30 - n)) + (y - 10) < n - 1 ? red : green;
            if (left && bottom) return (x - 10) + (y - (30 - n)) < n - 1 ? red : green;
            if (left || top) return red;
            return right || bottom ? green : blue;
        };
        for (int y = 8; y < 32; ++y) {
            for (int x = 8; x < 32; ++x) {
                ASSERT_EQ(pixel(x, y), expected(x, y)) << w << " pixel edges, at " << x << "," << y;
            }
        }
        renderInterface_->destroyUIObject(object);
    }
}

TEST_F(UIRectangles, ShadowBandRunsFromDarkToClearOverFourPixels) {
    RenderInterface::UIObject* object = make("ui_shadowed_outlined_rectangle", 1);
    placeRectangle(object, 16, 12, 40, 36);
    params(object)->setVector4("colour", rgba(blue));
    frame(white);
    // Outward from each edge: darker to lighter, then the background from the fifth pixel on.
    struct Edge {
        int x, y, dx, dy;
        const char* name;
    };
    for (const Edge& e : {Edge{40, 24, 1, 0, "right"}, Edge{15, 24, -1, 0, "left"}, Edge{28, 11, 0, -1, "top"},
                          Edge{28, 36, 0, 1, "bottom"}}) {
        int previous = -1;
        for (int step = 0; step < 4; ++step) {
            const int level = int(pixel(e.x + e.dx * step, e.y + e.dy * step) & 255);
            EXPECT_GT(level, previous) << e.name << " band, pixel " << step;
            previous = level;
        }
        EXPECT_LT(int(pixel(e.x, e.y) & 255), 64) << e.name;
        EXPECT_GT(previous, 191) << e.name;
        EXPECT_TRUE(near(pixel(e.x + e.dx * 4, e.y + e.dy * 4), white)) << e.name;
    }
    // The frame itself is drawn as the outlined one.
    EXPECT_TRUE(near(pixel(16, 24), white)) << "default border colour";
    EXPECT_TRUE(near(pixel(28, 24), blue));
}

TEST_F(UIRectangles, CornersSnapToTheNearestPixelEdge) {
    // Corners a fraction of a pixel off an edge land on the nearest one; half a pixel goes away
    // from zero.
    const float px = 2.0f / float(width_);
    struct Case {
        int column;
        float offset;
        int expectedColumn;
    };
    for (const Case& c : {Case{10, 0.3f, 10}, Case{10, 0.7f, 11}, Case{10, -0.3f, 10}, Case{10, -0.7f, 9},
                          Case{10, 0.5f, 10}, Case{40, 0.5f, 41}}) {
        RenderInterface::UIObject* object = make("ui_simple_rectangle", 1);
        params(object)->setVector2("topLeft", {edgeX(c.column) + c.offset * px, edgeY(10)});
        params(object)->setVector2("bottomRight", {edgeX(c.column + 10), edgeY(20)});
        params(object)->setVector4("colour", rgba(red));
        frame();
        EXPECT_TRUE(near(pixel(c.expectedColumn, 15), red)) << c.column << " + " << c.offset;
        EXPECT_TRUE(near(pixel(c.expectedColumn - 1, 15), black)) << c.column << " + " << c.offset;
        renderInterface_->destroyUIObject(object);
    }
}

TEST_F(UIRectangles, RemovedObjectsStopDrawing) {
    RenderInterface::UIObject* object = simple(2, red, 0, 0, 8, 8);
    frame();
    ASSERT_TRUE(near(pixel(4, 4), red));
    renderInterface_->destroyUIObject(object);
    frame();
    EXPECT_TRUE(near(pixel(4, 4), black));
}

TEST_F(UIRectangles, ManyRectanglesOfALayerShareOneDraw) {
    for (int i = 0; i < 40; ++i) simple(6, i % 2 ? red : green, i, 0, i + 1, 4);
    manager_->batchWriter().resetDrawCalls();
    frame();
    EXPECT_EQ(manager_->batchWriter().drawCalls(), 1u);
    EXPECT_TRUE(near(pixel(0, 2), green));
    EXPECT_TRUE(near(pixel(39, 2), red));
}

} // namespace
