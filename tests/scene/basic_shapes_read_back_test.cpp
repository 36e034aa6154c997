// The built-in cube and sphere in a running scene, read back: the cube lit by its instance's
// light face by face with the whole crate on each face, and the sphere blended by its alpha.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_vector.h"
#include "render/declared_parameter.h"
#include "render/render_state_game.h"
#include "render/renderable_manager.h"
#include "render/view_frustum.h"
#include "scene/basic_cube.h"
#include "scene/basic_shape_parameters.h"
#include "support/scene_harness.h"

namespace {

using scenetest::SceneHarness;
using scenetest::SceneSettings;

constexpr float kCubeSide = 2.5f;
// The scene's rows at the harness's 160x120: the top 96.
constexpr float kSceneRows = 96.0f;

int green(std::uint32_t argb) { return int(argb >> 8 & 255); }
int red(std::uint32_t argb) { return int(argb >> 16 & 255); }
int blue(std::uint32_t argb) { return int(argb & 255); }

class BasicShapesReadBack : public SceneHarness {
protected:
    RenderInterface::RenderableObject* addShape(const char* type, const gfx::Matrix& matrix) {
        RenderInterface::RenderableObject* made = renderInterface().createRenderObject(type, matrix.data());
        EXPECT_NE(made, nullptr) << type;
        return made;
    }
    // Where the point of a cube face at texture coordinates (u, v) shows, from the face's corners.
    std::pair<int, int> facePixel(int face, float u, float v) {
        const std::vector<BasicCubeVertex>& table = basicCubeVertices();
        gfx::Vector3 at00, at10, at01;
        for (int k = 0; k < 4; ++k) {
            const BasicCubeVertex& corner = table[std::size_t(4 * face + k)];
            const gfx::Vector3 p{corner.position[0], corner.position[1], corner.position[2]};
            if (corner.uv[0] == 0 && corner.uv[1] == 0) at00 = p;
            if (corner.uv[0] == 1 && corner.uv[1] == 0) at10 = p;
            if (corner.uv[0] == 0 && corner.uv[1] == 1) at01 = p;
        }
        const gfx::Vector3 local = at00 + (at10 - at00) * u + (at01 - at00) * v;
        const gfx::Vector3 world = local * kCubeSide;
        const gfx::Matrix& viewProjection = gameState().renderableManager()->frustum()->viewProjection();
        const gfx::Vector3 ndc = gfx::transformCoord(world, viewProjection);
        const float x = (ndc.x * 0.5f + 0.5f) * float(settings().width);
        const float y = (0.5f - ndc.y * 0.5f) * kSceneRows;
        return {int(std::floor(x)), int(std::floor(y))};
    }
    int faceGreen(int face, float u, float v) {
        const auto [x, y] = facePixel(face, u, v);
        return green(pixel(x, y));
    }
    // A cube of side 2.5 at the origin seen from above, in front and to the left: its top (face
    // 2), front (face 0) and left side (face 4) show.
    void cubeInView(const gfx::Vector3& lightDirection) {
        openScene({"BasicCubeRenderable"}, SceneSettings{.postProcessing = false});
        ASSERT_FALSE(HasFatalFailure());
        cube_ = addShape(kBasicCubeType, gfx::scalingMatrix(kCubeSide, kCubeSide, kCubeSide));
        addDirectionalLight();
        setCamera(eye_, {0.0f, 0.0f, 0.0f}, lightDirection);
        frames(3);
        readPixels();
    }

    const gfx::Vector3 eye_{-3.0f, 3.5f, -4.5f};
    RenderInterface::RenderableObject* cube_ = nullptr;
};

TEST_F(BasicShapesReadBack, ALitCubesTopIsBrighterThanItsFrontAndItsFrontThanItsSideByTheirLightAngles) {
    // From above and in front: n.l is 0.894 on the top, 0.447 on the front and 0 on the side.
    cubeInView({0.0f, -1.0f, 0.5f});
    ASSERT_FALSE(HasFatalFailure());
    // The same plank texel of each face, away from the frame and the brace.
    const int top = faceGreen(2, 0.25f, 0.5625f);
    const int front = faceGreen(0, 0.25f, 0.5625f);
    const int side = faceGreen(4, 0.25f, 0.5625f);
    EXPECT_GT(top, front);
    EXPECT_GT(front, side);
    ASSERT_GT(front - side, 10);
    const double ratio = double(top - side) / double(front - side);
    EXPECT_NEAR(ratio, 2.0, 0.3) << "top " << top << ", front " << front << ", side " << side;
    if (HasFailure()) saveFrame("lit_cube");
}

TEST_F(BasicShapesReadBack, EachFaceOfTheCubeShowsTheWholeCrateOnce) {
    // Lit along the line of sight, so that every face in view is bright.
    cubeInView(gfx::normalize(gfx::Vector3{0.0f, 0.0f, 0.0f} - eye_));
    ASSERT_FALSE(HasFatalFailure());
    for (int face : {0, 2, 4}) {
        // The plank inside, the dark frame at the middle of each of the four edges.
        const int plank = faceGreen(face, 0.25f, 0.5625f);
        const int opposite = faceGreen(face, 0.75f, 0.4375f);
        EXPECT_GT(plank, 60) << "face " << face;
        EXPECT_NEAR(opposite, plank, plank / 5) << "face " << face;
        for (auto [u, v] : {std::pair{0.04f, 0.5f}, std::pair{0.96f, 0.5f}, std::pair{0.5f, 0.04f}, std::pair{0.5f, 0.96f}})
            EXPECT_LT(faceGreen(face, u, v), plank * 3 / 4) << "face " << face << " at (" << u << ", " << v << ")";
    }
    if (HasFailure()) saveFrame("crate_faces");
}

TEST_F(BasicShapesReadBack, AHighlightColourAddsToTheLitCube) {
    cubeInView({0.0f, -1.0f, 0.5f});
    ASSERT_FALSE(HasFatalFailure());
    const auto [x, y] = facePixel(0, 0.25f, 0.5625f);
    const std::uint32_t plain = pixel(x, y);
    ASSERT_TRUE(declared::set(cube_->pair()->updateGroup(), BasicCubeParameters::highlightColour, {0.0f, 0.0f, 0.5f, 0.0f}));
    frames(3);
    readPixels();
    EXPECT_NEAR(blue(pixel(x, y)), blue(plain) + 128, 4) << "an alpha of 0 does not hide the cube";
    EXPECT_NEAR(red(pixel(x, y)), red(plain), 2);
}

TEST_F(BasicShapesReadBack, ASphereWithAlphaOneHalfBlendsHalfWayOverRed) {
    openScene({scenetest::kFlatBoxClass, "BasicSphereRenderable"}, SceneSettings{.postProcessing = false});
    ASSERT_FALSE(HasFatalFailure());
    addBox({0.0f, 0.0f, 40.0f}, 30.0f, 0xFFFF0000);
    RenderInterface::RenderableObject* sphere = addShape(kBasicSphereType, gfx::translationMatrix(0.0f, 0.0f, 0.0f));
    ASSERT_NE(sphere, nullptr);
    addDirectionalLight();
    setCamera({0.0f, 0.0f, -6.0f}, {0.0f, 0.0f, 0.0f});
    frames(3);
    readPixels();
    // The sphere's colour is (0.25, 0.55, 1.0).
    EXPECT_TRUE(pixelNear(80, 48, 0xFF408CFF, 2)) << "alpha 1 draws the sphere opaque";
    EXPECT_TRUE(pixelNear(5, 5, 0xFFFF0000, 1));
    ASSERT_TRUE(declared::set(sphere->pair()->updateGroup(), BasicSphereParameters::alpha, 0.5f));
    frames(3);
    readPixels();
    EXPECT_TRUE(pixelNear(80, 48, 0xFF9F4680, 2)) << "half the sphere over half the red";
    EXPECT_TRUE(pixelNear(5, 5, 0xFFFF0000, 1)) << "the red around it";
}

} // namespace
