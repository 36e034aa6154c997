// The arrows, lines and decals without a scene: the arrows' geometry from paths and positions,
// the line's colours, the decal's square, the line drawer's quads and their registrations.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "app/thread_resource_pool.h"
#include "render/renderable_factory.h"
#include "scene/arrow_geometry.h"
#include "scene/decals.h"
#include "scene/default_material.h"
#include "scene/simple_line.h"

namespace {

PointAndColour at(float x, float y, float z) { return {{x, y, z}, {1, 1, 1}}; }

struct Expected {
    float x, y, z, u, v;
};

void expectVertices(const TexturedGeometry& geometry, const std::vector<Expected>& expected) {
    ASSERT_EQ(geometry.vertices.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const PositionTexVertex& v = geometry.vertices[i];
        EXPECT_NEAR(v.position[0], expected[i].x, 1e-5f) << "vertex " << i;
        EXPECT_NEAR(v.position[1], expected[i].y, 1e-5f) << "vertex " << i;
        EXPECT_NEAR(v.position[2], expected[i].z, 1e-5f) << "vertex " << i;
        EXPECT_NEAR(v.uv[0], expected[i].u, 1e-5f) << "vertex " << i;
        EXPECT_NEAR(v.uv[1], expected[i].v, 1e-5f) << "vertex " << i;
    }
}

TEST(PathArrow, TwoPointsTenApartGiveTheRibbonAndAHeadOverTheLastFourUnits) {
    // The points' y never lifts the arrow off its heights.
    const PathArrowGeometry arrow = buildPathArrow({at(0, 7, 0), at(10, -3, 0)});
    expectVertices(arrow.ribbon, {{0, 1, -0.5f, 0, 0}, {0, 1, 0.5f, 1, 0}, {10, 1, -0.5f, 0, 0}, {10, 1, 0.5f, 0, 0}});
    EXPECT_EQ(arrow.ribbon.indices, (std::vector<std::uint16_t>{0, 1, 2, 1, 3, 2}));
    expectVertices(arrow.head, {{10, 1.2f, 1, 0, 0}, {10, 1.2f, -1, 1, 0}, {6, 1.2f, 1, 0, 1}, {6, 1.2f, -1, 1, 1}});
    EXPECT_EQ(arrow.head.indices, (std::vector<std::uint16_t>{0, 1, 2, 1, 3, 2}));
}

TEST(PathArrow, VRunsAlongThePathAndEachPointTakesItsOwnSegmentsDirection) {
    const PathArrowGeometry arrow = buildPathArrow({at(0, 0, 0), at(3, 0, 0), at(3, 0, 4)});
    // Along +x, then along +z: A is on the right of the direction of travel.
    expectVertices(arrow.ribbon, {{0, 1, -0.5f, 0, 0},
                                  {0, 1, 0.5f, 1, 0},
                                  {3.5f, 1, 0, 0, 3},
                                  {2.5f, 1, 0, 1, 3},
                                  {3.5f, 1, 4, 0, 0},
                                  {2.5f, 1, 4, 0, 0}});
    EXPECT_EQ(arrow.ribbon.indices, (std::vector<std::uint16_t>{0, 1, 2, 1, 3, 2, 2, 3, 4, 3, 5, 4}));
    expectVertices(arrow.head, {{2, 1.2f, 4, 0, 0}, {4, 1.2f, 4, 1, 0}, {2, 1.2f, 0, 0, 1}, {4, 1.2f, 0, 1, 1}});
}

TEST(PathArrow, EqualPointsKeepADirectionAndGiveNoNaN) {
    struct Case {
        const char* name;
        PointPathAndColourValue path;
        bool drawn;
    };
    const Case cases[] = {
        {"empty", {}, false},
        {"one point", {at(1, 0, 1)}, false},
        {"two equal points", {at(2, 0, 2), at(2, 5, 2)}, false},
        {"equal points in the middle", {at(0, 0, 0), at(4, 0, 0), at(4, 0, 0), at(8, 0, 0)}, true},
        {"equal points at the start", {at(0, 0, 0), at(0, 0, 0), at(0, 0, 6)}, true},
        {"equal points at the end", {at(0, 0, 0), at(5, 0, 0), at(5, 0, 0)}, true},
    };
    for (const Case& c : cases) {
        const PathArrowGeometry arrow = buildPathArrow(c.path);
        EXPECT_EQ(!arrow.ribbon.vertices.empty(), c.drawn) << c.name;
        EXPECT_EQ(!arrow.head.vertices.empty(), c.drawn) << c.name;
        if (c.drawn) {
            EXPECT_EQ(arrow.ribbon.vertices.size(), 2 * c.path.size()) << c.name;
        }
        for (const TexturedGeometry* part : {&arrow.ribbon, &arrow.head})
            for (const PositionTexVertex& v : part->vertices)
                for (float f : {v.position[0], v.position[1], v.position[2], v.uv[0], v.uv[1]})
                    EXPECT_TRUE(std::isfinite(f)) << c.name;
    }
    // The repeated point keeps the direction of the step before it; v does not advance there.
    const PathArrowGeometry middle = buildPathArrow({at(0, 0, 0), at(4, 0, 0), at(4, 0, 0), at(8, 0, 0)});
    EXPECT_NEAR(middle.ribbon.vertices[2].position[2], -0.5f, 1e-6f);
    EXPECT_NEAR(middle.ribbon.vertices[4].position[2], -0.5f, 1e-6f);
    EXPECT_NEAR(middle.ribbon.vertices[4].uv[1], 4.0f, 1e-6f);
    // The head at a repeated end points back along the last real step.
    const PathArrowGeometry end = buildPathArrow({at(0, 0, 0), at(5, 0, 0), at(5, 0, 0)});
    EXPECT_NEAR(end.head.vertices[2].position[0], 1.0f, 1e-6f);
}

TEST(FacingArrow, ItIsFourLongTowardTheTipWhereverTheTipIs) {
    const TexturedGeometry arrow = buildFacingArrow({1, 9, 2}, {1, -4, 102});
    expectVertices(arrow, {{2, 1.2f, 2, 0, 0}, {0, 1.2f, 2, 1, 0}, {2, 1.2f, 6, 0, 1}, {0, 1.2f, 6, 1, 1}});
    EXPECT_EQ(arrow.indices, (std::vector<std::uint16_t>{0, 1, 2, 1, 3, 2}));
    const TexturedGeometry slanted = buildFacingArrow({0, 0, 0}, {3, 0, 4});
    ASSERT_EQ(slanted.vertices.size(), 4u);
    const float dx = slanted.vertices[2].position[0] - slanted.vertices[0].position[0];
    const float dz = slanted.vertices[2].position[2] - slanted.vertices[0].position[2];
    EXPECT_NEAR(std::sqrt(dx * dx + dz * dz), 4.0f, 1e-5f);
    EXPECT_TRUE(buildFacingArrow({3, 0, 3}, {3, 8, 3}).vertices.empty()) << "a tip on the base has no direction";
}

TEST(SimpleLine, ColoursClampAndRoundToBytes) {
    struct Case {
        float rgb[3];
        std::uint32_t argb;
    };
    const Case cases[] = {
        {{2.0f, 0.5f, -1.0f}, 0xFFFF8000u},
        {{1.0f, 0.0f, 0.0f}, 0xFFFF0000u},
        {{0.1f, 0.999f, 0.0019f}, 0xFF1AFF00u},
        {{0.0f, 0.0f, 1.5f}, 0xFF0000FFu},
    };
    for (const Case& c : cases) EXPECT_EQ(lineColour(c.rgb), c.argb) << c.rgb[0] << ", " << c.rgb[1] << ", " << c.rgb[2];
}

TEST(Decal, TheSquareIsEightByEightAtHeightPointThree) {
    const TexturedGeometry square = decalSquare();
    expectVertices(square, {{-4, 0.3f, -4, 0, 0}, {-4, 0.3f, 4, 1, 0}, {4, 0.3f, -4, 0, 1}, {4, 0.3f, 4, 1, 1}});
    EXPECT_EQ(square.indices, (std::vector<std::uint16_t>{0, 1, 2, 1, 3, 2}));
}

TEST(FlatShapes, ClassNamesDrawOrdersAndTheDefaultMaterial) {
    ThreadResourcePool pool("renderPool");
    struct Case {
        const char* registered;
        const char* className;
        int drawOrder;
    };
    for (const Case& c : {Case{"GridExtrasRenderable", "TexturedArrowRenderable", 3},
                          Case{"SimpleLineRenderable", "SimpleLineRenderable", 2},
                          Case{"DecalsRenderable", "DecalsRenderable", 2}}) {
        IRenderableFactory* factory = findRenderableFactory(c.registered);
        ASSERT_NE(factory, nullptr) << c.registered;
        std::unique_ptr<BaseRenderable> renderable(factory->create(&pool, nullptr, nullptr));
        EXPECT_EQ(renderable->className(), c.className);
        EXPECT_EQ(renderable->drawOrder, c.drawOrder) << c.registered;
    }
    const MeshMaterial material = defaultMeshMaterial();
    for (const float* colour : {material.diffuse, material.ambient, material.specular})
        for (int k = 0; k < 4; ++k) EXPECT_EQ(colour[k], 1.0f);
    EXPECT_EQ(material.power, 8.0f);
}

} // namespace
