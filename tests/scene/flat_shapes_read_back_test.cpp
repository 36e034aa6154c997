// The arrows, lines and decals in a running scene, read back: the line's width and colour at its
// projected points, both decals of two, and the path arrow's head and dots.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_vector.h"
#include "render/declared_parameter.h"
#include "render/render_state_game.h"
#include "render/renderable_manager.h"
#include "render/view_frustum.h"
#include "scene/flat_shape_parameters.h"
#include "scene/grid_extras.h"
#include "support/scene_harness.h"

namespace {

using scenetest::SceneHarness;
using scenetest::SceneSettings;

// The scene's rows at the harness's 160x120: the top 96.
constexpr float kSceneRows = 96.0f;

int channel(std::uint32_t argb, int shift) { return int(argb >> shift & 255); }

class FlatShapesReadBack : public SceneHarness {
protected:
    RenderInterface::RenderableObject* addShape(const char* type, const gfx::Matrix& matrix = gfx::identityMatrix()) {
        RenderInterface::RenderableObject* made = renderInterface().createRenderObject(type, matrix.data());
        EXPECT_NE(made, nullptr) << type;
        return made;
    }
    void setPath(RenderInterface::RenderableObject* object, const PointPathAndColourValue& path) {
        ASSERT_TRUE(declared::set(object->pair()->updateGroup(), PathParameters::path, path));
    }
    // The pixel a scene point shows at, and how far across it lies from the pixel's top edge.
    std::pair<int, int> project(const gfx::Vector3& point) {
        const gfx::Matrix& viewProjection = gameState().renderableManager()->frustum()->viewProjection();
        const gfx::Vector3 ndc = gfx::transformCoord(point, viewProjection);
        return {int(std::floor((ndc.x * 0.5f + 0.5f) * float(settings().width))),
                int(std::floor((0.5f - ndc.y * 0.5f) * kSceneRows))};
    }
    void open(const char* renderable) {
        openScene({renderable}, SceneSettings{.postProcessing = false});
        ASSERT_FALSE(HasFatalFailure());
        addDirectionalLight();
    }
};

TEST_F(FlatShapesReadBack, ALineIsFourPixelsWideThroughItsPointsAtHeightOneInTheFirstPointsColour) {
    open("SimpleLineRenderable");
    ASSERT_FALSE(HasFatalFailure());
    RenderInterface::RenderableObject* line = addShape(kSimpleLineType);
    // The points' y is not used: the line lies at height 1, where the camera looks level.
    setPath(line, {{{-3.0f, 6.0f, 0.0f}, {2.0f, 0.5f, -1.0f}}, {{3.0f, -2.0f, 0.0f}, {0.0f, 0.0f, 1.0f}}});
    setCamera({0.0f, 1.0f, -10.0f}, {0.0f, 1.0f, 0.0f});
    frames(3);
    readPixels();
    const auto [left, row] = project({-3.0f, 1.0f, 0.0f});
    const auto [right, sameRow] = project({3.0f, 1.0f, 0.0f});
    EXPECT_EQ(row, sameRow);
    for (int x : {left + 3, (left + right) / 2, right - 3}) {
        // Summed over a column, the softened line covers four pixels.
        double covered = 0.0;
        for (int y = row - 6; y <= row + 6; ++y) covered += double(channel(pixel(x, y), 16)) / 255.0;
        EXPECT_NEAR(covered, 4.0, 0.3) << "column " << x;
        EXPECT_TRUE(pixelNear(x, row, 0xFFFF8000, 2)) << "the line's core in the first point's colour";
        EXPECT_TRUE(pixelNear(x, row - 4, 0xFF000000, 1));
        EXPECT_TRUE(pixelNear(x, row + 4, 0xFF000000, 1));
    }
    EXPECT_TRUE(pixelNear(left - 4, row, 0xFF000000, 1)) << "nothing beyond the first point";
    EXPECT_TRUE(pixelNear(right + 4, row, 0xFF000000, 1)) << "nothing beyond the last point";

    setPath(line, {});
    frames(3);
    readPixels();
    EXPECT_TRUE(pixelNear((left + right) / 2, row, 0xFF000000, 1)) << "an empty path draws nothing";
}

TEST_F(FlatShapesReadBack, TwoDecalsBothShowEachOverItsOwnEightByEightSquare) {
    open("DecalsRenderable");
    ASSERT_FALSE(HasFatalFailure());
    addShape(kDecalType, gfx::translationMatrix(-5.0f, 0.0f, 0.0f));
    addShape(kDecalType, gfx::translationMatrix(5.0f, 0.0f, 0.0f));
    setCamera({0.0f, 14.0f, -8.0f}, {0.0f, 0.0f, 0.0f});
    frames(3);
    readPixels();
    for (float x : {-5.0f, 5.0f}) {
        const auto [column, row] = project({x, 0.3f, 0.0f});
        EXPECT_GT(channel(pixel(column, row), 16), 120) << "the splash's middle at x = " << x;
        EXPECT_LT(channel(pixel(column, row), 8), 30);
        const auto [outside, outsideRow] = project({x, 0.3f, 4.6f});
        EXPECT_TRUE(pixelNear(outside, outsideRow, 0xFF000000, 1)) << "past the square's far edge at x = " << x;
    }
    const auto [between, row] = project({0.0f, 0.3f, 0.0f});
    EXPECT_TRUE(pixelNear(between, row, 0xFF000000, 1)) << "the squares end 1 apart from the middle";
}

TEST_F(FlatShapesReadBack, APathArrowShowsItsDotsAndItsHeadAndOnePointShowsNothing) {
    open("GridExtrasRenderable");
    ASSERT_FALSE(HasFatalFailure());
    RenderInterface::RenderableObject* arrow = addShape(kTexturedArrowType);
    // The last segment's far end has v = 0: the dots show along the first segment.
    setPath(arrow, {{{-6.0f, 0.0f, 0.0f}, {1, 1, 1}}, {{-2.0f, 0.0f, 0.0f}, {1, 1, 1}}, {{6.0f, 0.0f, 0.0f}, {1, 1, 1}}});
    setCamera({0.0f, 14.0f, -8.0f}, {0.0f, 0.0f, 0.0f});
    frames(3);
    readPixels();
    // The head covers the last 4 units, its point at the path's end; the dots sit mid-unit.
    const auto [headX, headY] = project({3.0f, 1.2f, 0.0f});
    EXPECT_TRUE(pixelNear(headX, headY, 0xFFFFD933, 3)) << "the head";
    const auto [dotX, dotY] = project({-5.5f, 1.0f, 0.0f});
    EXPECT_TRUE(pixelNear(dotX, dotY, 0xFFFFD933, 3)) << "a dot";
    const auto [gapX, gapY] = project({-5.0f, 1.0f, 0.0f});
    EXPECT_TRUE(pixelNear(gapX, gapY, 0xFF000000, 2)) << "between the dots";
    const auto [sideX, sideY] = project({3.0f, 1.2f, 1.5f});
    EXPECT_TRUE(pixelNear(sideX, sideY, 0xFF000000, 1)) << "beside the head";

    setPath(arrow, {{{0.0f, 0.0f, 0.0f}, {1, 1, 1}}});
    frames(3);
    readPixels();
    EXPECT_TRUE(pixelNear(headX, headY, 0xFF000000, 1)) << "one point: no arrow";
    EXPECT_TRUE(pixelNear(dotX, dotY, 0xFF000000, 1));
}

TEST_F(FlatShapesReadBack, AFacingArrowPointsFromItsBaseTowardItsTip) {
    open("GridExtrasRenderable");
    ASSERT_FALSE(HasFatalFailure());
    RenderInterface::RenderableObject* arrow = addShape(kFacingArrowType);
    ParameterGroupInterface* group = arrow->pair()->updateGroup();
    ASSERT_TRUE(declared::set(group, FacingArrowParameters::basePosition, {-2.0f, 0.0f, 0.0f}));
    ASSERT_TRUE(declared::set(group, FacingArrowParameters::tipPosition, {98.0f, 0.0f, 0.0f}));
    setCamera({0.0f, 14.0f, -8.0f}, {0.0f, 0.0f, 0.0f});
    frames(3);
    readPixels();
    const std::uint32_t arrowColour = 0xFF4DCCFF;
    const auto [shaftX, shaftY] = project({-1.0f, 1.2f, 0.0f});
    EXPECT_TRUE(pixelNear(shaftX, shaftY, arrowColour, 3)) << "the shaft from the base";
    const auto [headX, headY] = project({1.0f, 1.2f, 0.0f});
    EXPECT_TRUE(pixelNear(headX, headY, arrowColour, 3)) << "the head";
    const auto [pastX, pastY] = project({2.6f, 1.2f, 0.0f});
    EXPECT_TRUE(pixelNear(pastX, pastY, 0xFF000000, 1)) << "4 long, whatever the tip's distance";
}

} // namespace
