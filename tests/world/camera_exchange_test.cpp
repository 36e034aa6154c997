// The active camera and the frame hand-off: its view reaches the render side's camera block, the
// render side's projection comes back, and the update side's shutdown lets go of it.
#include <gtest/gtest.h>

#include "app/parameter_description.h"
#include "app/thread_resource_pool.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_vector.h"
#include "render/render_interface.h"
#include "shell/update_thread.h"
#include "world/base_camera_entity.h"

namespace {

struct TestCamera : BaseCameraEntity {};

class CameraExchangeTest : public ::testing::Test {
protected:
    CameraExchangeTest() : pool_("renderPool"), renderInterface_(&registry_, &pool_, 640, 480, ".") {}

    ParameterDescriptionRegistry registry_;
    ThreadResourcePool pool_;
    RenderInterface renderInterface_;
};

TEST_F(CameraExchangeTest, ANewCameraIsAPerspectiveOneLitFromAboveAndBehind) {
    TestCamera camera;
    EXPECT_TRUE(camera.getRenderFlag());
    const gfx::Vector3 expected = gfx::normalize(gfx::Vector3{0.333f, -0.333f, 0.333f});
    EXPECT_NEAR(camera.getRenderVector().x, expected.x, 1e-6f);
    EXPECT_NEAR(camera.getRenderVector().y, expected.y, 1e-6f);
    EXPECT_NEAR(camera.getRenderVector().z, expected.z, 1e-6f);
}

TEST_F(CameraExchangeTest, TheCameraReachesTheBlockAtTheNextHandOffAndTheProjectionComesBack) {
    TestCamera camera;
    camera.viewMatrix = gfx::lookAtLH({1, 2, 3}, {4, 0, 6}, {0, 1, 0});
    camera.position = {1, 2, 3};
    camera.target = {4, 0, 6};
    camera.renderVector = {0, -1, 0};
    camera.renderFlag = false;
    renderInterface_.setActiveCamera(&camera);

    RenderInterface::CameraBlock& block = renderInterface_.cameraBlock();
    EXPECT_EQ(block.eyePosition[0], 0.0f) << "nothing crosses before the hand-off";
    const gfx::Matrix projection = gfx::perspectiveFovLH(0.785f, 1.25f, 1.0f, 120.0f);
    std::copy(projection.data(), projection.data() + 16, block.projection);

    renderInterface_.swapFrame();
    EXPECT_TRUE(std::equal(camera.viewMatrix.data(), camera.viewMatrix.data() + 16, block.view));
    EXPECT_EQ(std::vector<float>(block.eyePosition, block.eyePosition + 3), (std::vector<float>{1, 2, 3}));
    EXPECT_EQ(std::vector<float>(block.target, block.target + 3), (std::vector<float>{4, 0, 6}));
    EXPECT_EQ(std::vector<float>(block.lightDirection, block.lightDirection + 3), (std::vector<float>{0, -1, 0}));
    EXPECT_EQ(block.perspective, 0);
    EXPECT_EQ(camera.projectionMatrix, projection);

    camera.renderFlag = true;
    renderInterface_.swapFrame();
    EXPECT_EQ(block.perspective, 1);
}

TEST_F(CameraExchangeTest, TheUpdateSidesShutdownClearsTheActiveCamera) {
    TestCamera camera;
    renderInterface_.setActiveCamera(&camera);
    UpdateThreadContext context(nullptr, &renderInterface_, nullptr, nullptr);
    stopUpdateSide(&context);
    EXPECT_EQ(renderInterface_.activeCamera(), nullptr);
    renderInterface_.swapFrame(); // no camera read after the shutdown
}

} // namespace
