// The rectangle renderables through the UI manager on an offscreen device: layer and group
// order, border widths, mitres, rounded corners, the shadow band, snapping and the top layer.
#include "ui_draw_fixture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "ui_render/ui_batch_writer.h"
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

    // A blue frame with red left and top edges and green right and bottom ones.
    RenderInterface::UIObject* frameObject(const char* type, std::uint32_t layer, int l, int t, int r, int b,
                                           std::array<unsigned, 4> edges, bool rounded = false) {
        RenderInterface::UIObject* object = make(type, layer);
        placeRectangle(object, l, t, r, b);
        params(object)->setVector4("colour", rgba(blue));
        params(object)->setVector4("borderColour", rgba(red));
        params(object)->setVector4("borderColour2", rgba(green));
        const char* names[] = {"border1Width", "border1Height", "border2Width", "border2Height"};
        for (std::size_t i = 0; i < 4; ++i) params(object)->setUnsignedInt(names[i], edges[i]);
        params(object)->setBool("roundedCorners", rounded);
        return object;
    }

    // The pixels from (x, y) as rows of r (red), g (green), b (blue) and . (grey), and with
    // ring, a ring of grey around them.
    void expectPicture(int x, int y, const std::vector<std::string>& rows, bool ring) {
        const int h = int(rows.size()), w = int(rows.front().size()), margin = ring ? 1 : 0;
        for (int row = -margin; row < h + margin; ++row) {
            for (int column = -margin; column < w + margin; ++column) {
                const bool inside = row >= 0 && row < h && column >= 0 && column < w;
                const char c = inside ? rows[std::size_t(row)][std::size_t(column)] : '.';
                const std::uint32_t expected = c == 'r' ? red : c == 'g' ? green : c == 'b' ? blue : grey;
                EXPECT_TRUE(near(pixel(x + column, y + row), expected))
                    << "at column " << column << ", row " << row << ": " << std::hex << pixel(x + column, y + row);
            }
        }
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

TEST_F(UIRectangles, EdgesOfUnequalThicknessMeetWhereTheStripsDid) {
    // Each picture is what the frame's former edge strips and corner triangles drew: mitres of
    // every slope (a pixel centred on one goes to the right or bottom edge), thin and thick edges
    // mixed, and edges wider than the frame, whose strips overlapped in drawing order.
    struct Case {
        int w, h;
        std::array<unsigned, 4> edges;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {9, 7, {1, 1, 3, 2},
         {"rrrrrrrgg", "rbbbbbggg", "rbbbbbggg", "rbbbbbggg", "rbbbbbggg", "rgggggggg", "ggggggggg"}},
        {9, 7, {3, 2, 1, 1},
         {"rrrrrrrrr", "rrrrrrrrg", "rrrbbbbbg", "rrrbbbbbg", "rrrbbbbbg", "rrrbbbbbg", "rgggggggg"}},
        {9, 7, {2, 3, 4, 1},
         {"rrrrrrrrg", "rrrrrrrgg", "rrrrrrggg", "rrbbbgggg", "rrbbbgggg", "rrbbbgggg", "rgggggggg"}},
        {9, 7, {4, 1, 2, 3},
         {"rrrrrrrrg", "rrrrbbbgg", "rrrrbbbgg", "rrrrbbbgg", "rrrgggggg", "rrggggggg", "rgggggggg"}},
        {9, 7, {3, 1, 3, 1},
         {"rrrrrrrgg", "rrrbbbggg", "rrrbbbggg", "rrrbbbggg", "rrrbbbggg", "rrrbbbggg", "rgggggggg"}},
        {9, 7, {1, 2, 2, 1},
         {"rrrrrrrrg", "rrrrrrrgg", "rbbbbbbgg", "rbbbbbbgg", "rbbbbbbgg", "rbbbbbbgg", "ggggggggg"}},
        {9, 7, {2, 1, 1, 1},
         {"rrrrrrrrg", "rrbbbbbbg", "rrbbbbbbg", "rrbbbbbbg", "rrbbbbbbg", "rrbbbbbbg", "rgggggggg"}},
        {3, 3, {1, 1, 1, 1}, {"rrg", "rbg", "ggg"}},
        {3, 3, {2, 2, 2, 2}, {"rrg", "rgg", "ggg"}},
        {2, 4, {2, 1, 2, 1}, {"rg", "bb", "bb", "rg"}},
        {5, 6, {4, 0, 4, 0}, {"rbbbg", "rbbbg", "rbbbg", "rbbbg", "rbbbg", "rbbbg"}},
    };
    for (const Case& c : cases) {
        for (const char* type : {"ui_outlined_rectangle", "ui_shadowed_outlined_rectangle"}) {
            SCOPED_TRACE(::testing::Message() << type << " " << c.w << "x" << c.h << ", edges " << c.edges[0] << " "
                                              << c.edges[1] << " " << c.edges[2] << " " << c.edges[3]);
            RenderInterface::UIObject* object = frameObject(type, 1, 10, 10, 10 + c.w, 10 + c.h, c.edges);
            frame(grey);
            // The shadow band covers the ring.
            expectPicture(10, 10, c.rows, std::string(type) == "ui_outlined_rectangle");
            renderInterface_->destroyUIObject(object);
        }
    }
}

TEST_F(UIRectangles, RoundedCornersCutOnlyTheOuterCornerPixelWhateverTheEdges) {
    struct Case {
        std::array<unsigned, 4> edges;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {{2, 2, 2, 2}, {".rrrrrrr.", "rrrrrrrgg", "rrbbbbbgg", "rrbbbbbgg", "rrbbbbbgg", "rgggggggg", ".ggggggg."}},
        {{3, 1, 2, 1}, {".rrrrrrr.", "rrrbbbbgg", "rrrbbbbgg", "rrrbbbbgg", "rrrbbbbgg", "rrrbbbbgg", ".ggggggg."}},
        {{0, 0, 0, 0}, {".bbbbbbb.", "bbbbbbbbb", "bbbbbbbbb", "bbbbbbbbb", "bbbbbbbbb", "bbbbbbbbb", ".bbbbbbb."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "edges " << c.edges[0] << " " << c.edges[1] << " " << c.edges[2] << " "
                                          << c.edges[3]);
        RenderInterface::UIObject* object = frameObject("ui_outlined_rectangle", 1, 10, 10, 19, 17, c.edges, true);
        frame(grey);
        expectPicture(10, 10, c.rows, true);
        renderInterface_->destroyUIObject(object);
    }
}

TEST_F(UIRectangles, CornersGivenInEitherOrderMakeTheSameFrame) {
    for (const char* type : {"ui_outlined_rectangle", "ui_shadowed_outlined_rectangle"}) {
        RenderInterface::UIObject* object = frameObject(type, 1, 10, 10, 19, 17, {2, 1, 1, 2});
        params(object)->setVector2("topLeft", {edgeX(19), edgeY(17)});
        params(object)->setVector2("bottomRight", {edgeX(10), edgeY(10)});
        frame(grey);
        for (auto [x, y, expected] : {std::tuple{10, 13, red}, {14, 10, red}, {18, 13, green}, {14, 16, green},
                                      {14, 13, blue}, {12, 13, blue}}) {
            EXPECT_TRUE(near(pixel(x, y), expected)) << type << " at " << x << "," << y << ": " << std::hex
                                                     << pixel(x, y);
        }
        renderInterface_->destroyUIObject(object);
    }
}

TEST_F(UIRectangles, ShadowBandsMeetOnTheCornerDiagonals) {
    // Over white, a band pixel k whole pixels from the frame (k = the larger of its distances
    // across and along) keeps (k + 0.5) / 4 of the background: bands of two sides meet on the
    // diagonal through the corner. Both parameter forms draw the same.
    for (const char* type : {"ui_shadowed_outlined_rectangle", "ui_shadowed_compressed_outlined_rectangle"}) {
        RenderInterface::UIObject* object = make(type, 1);
        if (std::string(type) == "ui_shadowed_outlined_rectangle") {
            placeRectangle(object, 16, 12, 40, 36);
            params(object)->setVector4("colour", rgba(blue));
        } else {
            params(object)->setVector4("position", {edgeX(16), edgeY(12), edgeX(40), edgeY(36)});
            params(object)->setVector4("colours", {packed(blue), packed(white), packed(white), 1.0f});
        }
        frame(white);
        for (int dy = 0; dy < 4; ++dy) {
            for (int dx = 0; dx < 4; ++dx) {
                const int level = int(std::lround(255.0 * (std::max(dx, dy) + 0.5) / 4.0));
                const std::uint32_t expected = 0xFF000000u | std::uint32_t(level) * 0x010101u;
                for (auto [x, y] : {std::pair{15 - dx, 11 - dy}, {40 + dx, 11 - dy}, {15 - dx, 36 + dy},
                                    {40 + dx, 36 + dy}}) {
                    EXPECT_TRUE(near(pixel(x, y), expected))
                        << type << " at " << x << "," << y << ": " << std::hex << pixel(x, y);
                }
            }
        }
        EXPECT_TRUE(near(pixel(16, 12), white)) << type;
        EXPECT_TRUE(near(pixel(28, 24), blue)) << type;
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

TEST_F(UIRectangles, FramesAndPlainRectanglesInterleavedKeepTheirOrder) {
    // Frames and plain rectangles travel in vertex buffers of their own. Drawn alternately, by
    // layer and within a layer by group (shadowed, simple, outlined), each covers the one before
    // from its left edge on, whatever the order they were made in.
    struct Step {
        std::string type;
        std::uint32_t layer;
        int left;
        std::uint32_t colour;
    };
    const Step steps[] = {{"ui_simple_rectangle", 5, 36, red},    {"ui_outlined_rectangle", 2, 8, green},
                          {"ui_simple_rectangle", 4, 20, blue},   {"ui_shadowed_outlined_rectangle", 3, 16, red},
                          {"ui_simple_rectangle", 1, 4, white},   {"ui_shadowed_outlined_rectangle", 5, 32, green},
                          {"ui_outlined_rectangle", 4, 24, white}};
    for (const Step& step : steps) {
        RenderInterface::UIObject* object = make(step.type, step.layer);
        placeRectangle(object, step.left, 10, 40, 30);
        params(object)->setVector4("colour", rgba(step.colour));
        if (step.type != "ui_simple_rectangle") {
            params(object)->setVector4("borderColour", rgba(step.colour));
            params(object)->setVector4("borderColour2", rgba(step.colour));
        }
    }
    frame();
    for (auto [x, expected] :
         {std::pair{5, white}, {9, green}, {17, red}, {21, blue}, {25, white}, {33, green}, {37, red}}) {
        EXPECT_TRUE(near(pixel(x, 20), expected)) << "column " << x << ": " << std::hex << pixel(x, 20);
    }
}

TEST_F(UIRectangles, FramesBeyondOneCallOfALayerStayOneDraw) {
    // More frames than one GL call takes, each a pixel of fill over a pixel of bottom edge, drawn
    // again with other fills into the vertex buffer after the first frame's: each lands where it
    // should, with its own colours.
    const int count = int(UIBatchWriter::maxQuadsPerCall) + 30;
    std::vector<RenderInterface::UIObject*> objects;
    for (int i = 0; i < count; ++i) {
        const int x = i % 64, y = (i / 64) * 3;
        objects.push_back(frameObject("ui_outlined_rectangle", 6, x, y, x + 1, y + 2, {0, 0, 0, 1}));
        params(objects.back())->setVector4("colour", rgba(i % 2 ? red : blue));
    }
    for (int run = 0; run < 2; ++run) {
        if (run == 1) {
            for (int i = 0; i < count; ++i) {
                params(objects[std::size_t(i)])->setVector4("colour", rgba(i % 2 ? white : red));
            }
            // Frame data is rebuilt by the update after the frame that sees the change.
            frame();
        }
        manager_->batchWriter().resetDrawCalls();
        frame();
        EXPECT_EQ(manager_->batchWriter().drawCalls(), 1u);
        for (int i : {0, 1, int(UIBatchWriter::maxQuadsPerCall) - 1, int(UIBatchWriter::maxQuadsPerCall), count - 1}) {
            const int x = i % 64, y = (i / 64) * 3;
            const std::uint32_t fill = run == 0 ? (i % 2 ? red : blue) : (i % 2 ? white : red);
            EXPECT_TRUE(near(pixel(x, y), fill)) << "frame " << i << ", run " << run;
            EXPECT_TRUE(near(pixel(x, y + 1), green)) << "frame " << i << ", run " << run;
            EXPECT_TRUE(near(pixel(x, y + 2), black)) << "frame " << i << ", run " << run;
        }
    }
}

TEST_F(UIRectangles, AFrameSentInChunksKeepsItsDrawingOrder) {
    // More half-clear one-pixel rectangles on layer 2 than one chunk holds, then a layer-2
    // square made after them, a half-clear layer-3 strip made before them (drawn in the next
    // chunk) and a layer-1 band made last: order by layer, then creation, holds across the
    // chunk's end, and a half-clear rectangle drawn twice would show.
    constexpr std::uint32_t halfRed = 0x80800000, halfGreen = 0x80008000, halfWhite = 0x80808080; // premultiplied
    const auto count = int(UIManager::chunkQuads) + 64;
    simple(3, halfWhite, 60, 0, 64, 20);
    for (int i = 0; i < count; ++i) {
        simple(2, i < int(UIManager::chunkQuads) ? halfRed : halfGreen, i % 64, i / 64, i % 64 + 1, i / 64 + 1);
    }
    simple(2, blue, 0, 0, 4, 4);
    simple(1, white, 0, 15, 64, 19);
    frame();
    const struct {
        int x, y;
        std::uint32_t colour;
    } expected[] = {{2, 2, blue},        {10, 5, 0xFF800000}, {10, 15, 0xFFFF7F7F}, {10, 16, 0xFF7FFF7F},
                    {62, 10, 0xFFC08080}, {62, 19, 0xFF808080}, {10, 18, white},    {10, 20, black}};
    for (const auto& point : expected) {
        EXPECT_TRUE(near(pixel(point.x, point.y), point.colour))
            << point.x << ", " << point.y << ": " << std::hex << pixel(point.x, point.y);
    }
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
