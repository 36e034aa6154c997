// Camera entities: the view built by lookAt, the orbit camera's orbit, pan and start placement,
// and the active camera reaching the render side.
#include <cmath>

#include "entity_test_world.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_vector.h"
#include "world/model_viewer_camera_entity.h"

namespace {

using CameraEntityTest = EntityWorldTest;

Vector3Value targetPositionOf(const ModelViewerCameraEntity& camera) {
    return static_cast<Vector3Parameter*>(camera.saveGroup()->getParameter("targetPosition"))->getValue();
}

bool isFinite(const gfx::Matrix& matrix) {
    for (int i = 0; i < 16; ++i) {
        if (!std::isfinite(matrix.data()[i])) return false;
    }
    return true;
}

TEST_F(CameraEntityTest, LookAtBuildsALeftHandedFrameAndView) {
    ModelViewerCameraEntity camera(&context_, "model_viewer_camera");
    camera.lookAt({0, 0, -10}, {0, 0, 0}, {0, 1, 0});
    const CameraFrame& frame = camera.getCameraFrame();
    expectVectorNear(frame.right, {1, 0, 0});
    expectVectorNear(frame.up, {0, 1, 0});
    expectVectorNear(frame.look, {0, 0, 1});
    expectVectorNear(frame.position, {0, 0, -10});
    const gfx::Matrix& view = camera.getViewMatrix();
    EXPECT_EQ((std::vector<float>{view.m[3][0], view.m[3][1], view.m[3][2], view.m[3][3]}),
              (std::vector<float>{0, 0, 10, 1}));
    expectMatrixNear(view, gfx::lookAtLH({0, 0, -10}, {0, 0, 0}, {0, 1, 0}));
}

TEST_F(CameraEntityTest, LookAtFromAnAngleMatchesTheStandardViewAndItsProduct) {
    ModelViewerCameraEntity camera(&context_, "model_viewer_camera");
    const gfx::Matrix projection = gfx::perspectiveFovLH(0.785f, 1.25f, 1.0f, 120.0f);
    camera.setProjectionMatrix(projection);
    camera.lookAt({3, 4, -5}, {1, -2, 6}, {0, 1, 0});
    expectMatrixNear(camera.getViewMatrix(), gfx::lookAtLH({3, 4, -5}, {1, -2, 6}, {0, 1, 0}));
    expectMatrixNear(camera.getViewProjectionMatrix(), camera.getViewMatrix() * projection);
    expectVectorNear(*camera.getTarget(), {1, -2, 6});
}

TEST_F(CameraEntityTest, LookingAlongTheWorldUpStillGivesAFiniteSquareFrame) {
    struct Case {
        gfx::Vector3 position;
        gfx::Vector3 target;
        gfx::Vector3 up;
    };
    const Case cases[] = {
        {{0, 70, 0}, {0, 0, 0}, {0, 1, 0}},  // straight down
        {{0, -5, 0}, {0, 0, 0}, {0, 1, 0}},  // straight up
        {{2, 9, -1}, {2, 3, -1}, {0, 0, 0}}, // no up at all
    };
    for (const Case& c : cases) {
        ModelViewerCameraEntity camera(&context_, "model_viewer_camera");
        camera.lookAt(c.position, c.target, c.up);
        const CameraFrame& frame = camera.getCameraFrame();
        EXPECT_TRUE(isFinite(camera.getViewMatrix()));
        EXPECT_NEAR(gfx::length(frame.right), 1.0f, 1e-5f);
        EXPECT_NEAR(gfx::length(frame.up), 1.0f, 1e-5f);
        EXPECT_NEAR(gfx::dot(frame.right, frame.look), 0.0f, 1e-5f);
        EXPECT_NEAR(gfx::dot(frame.up, frame.look), 0.0f, 1e-5f);
        // The target lies straight ahead in view space.
        const gfx::Vector3 seen = gfx::transformCoord(c.target, camera.getViewMatrix());
        expectVectorNear(seen, {0, 0, gfx::length(c.target - c.position)});
    }
}

TEST_F(CameraEntityTest, TheStartPlacementLooksDownAtTheOriginFromSeventyAbove) {
    ModelViewerCameraEntity camera(&context_, "model_viewer_camera");
    camera.activate();
    expectVectorNear(camera.getPosition(), {0, 70, 0});
    expectVectorNear(camera.getCameraFrame().look, {0, -1, 0});
    // Up along the line of sight turns the camera as if up were +z.
    expectVectorNear(camera.getCameraFrame().right, {1, 0, 0});
    expectVectorNear(camera.getCameraFrame().up, {0, 0, 1});
    EXPECT_TRUE(isFinite(camera.getViewMatrix()));
    expectVectorNear(gfx::transformCoord({0, 0, 0}, camera.getViewMatrix()), {0, 0, 70});
}

TEST_F(CameraEntityTest, AFreshOrbitCameraSitsThirtyAlongZLookingAtTheTarget) {
    ModelViewerCameraEntity camera(&context_, "model_viewer_camera");
    EXPECT_EQ(camera.orbitRadii(), (gfx::Vector3{30.0f, 30.0f, 30.01f}));
    camera.addParameters();
    camera.update(0.016f);
    expectVectorNear(camera.getPosition(), {0, 0, 30});
    expectVectorNear(camera.getCameraFrame().up, {0, 1, 0});
    expectVectorNear(camera.getCameraFrame().look, {0, 0, -1});
    expectVectorNear(*camera.getTarget(), {0, 0, 0});
    EXPECT_EQ(camera.orbitRadii(), (gfx::Vector3{30.0f, 30.0f, 30.0f}));
}

TEST_F(CameraEntityTest, TheOrbitFollowsItsAnglesAroundTheTarget) {
    ModelViewerCameraEntity camera(&context_, "model_viewer_camera");
    camera.addParameters();
    camera.saveGroup()->setVector3("targetPosition", {1, 2, 3});
    const float quarter = 1.5707963f;
    camera.setOrbitAngles(quarter, 0.0f);
    camera.update(0.0f);
    expectVectorNear(camera.getPosition(), {1 - 30, 2, 3}, 1e-4f);
    camera.setOrbitAngles(0.0f, 0.5f);
    camera.update(0.0f);
    expectVectorNear(camera.getPosition(), {1, 2 - 30 * std::sin(0.5f), 3 + 30 * std::cos(0.5f)}, 1e-4f);
    expectVectorNear(gfx::transformCoord({1, 2, 3}, camera.getViewMatrix()), {0, 0, 30}, 1e-4f);
    // Straight over the target the up hint vanishes; the view stays finite.
    camera.setOrbitAngles(0.0f, -quarter);
    camera.update(0.0f);
    EXPECT_TRUE(isFinite(camera.getViewMatrix()));
    expectVectorNear(gfx::transformCoord({1, 2, 3}, camera.getViewMatrix()), {0, 0, 30}, 1e-3f);
}

TEST_F(CameraEntityTest, APanMovesCameraAndTargetThirtyPerUnitAndIsUsedUp) {
    struct Case {
        float right;
        float up;
    };
    for (const Case c : {Case{1.0f, 0.0f}, Case{0.0f, 0.5f}, Case{-0.1f, 0.2f}}) {
        ModelViewerCameraEntity camera(&context_, "model_viewer_camera");
        camera.addParameters();
        camera.update(0.0f);
        const CameraFrame before = camera.getCameraFrame();
        camera.pan(c.right, c.up);
        camera.update(0.0f);
        const gfx::Vector3 offset = before.right * (30.0f * c.right) + before.up * (30.0f * c.up);
        expectVectorNear(camera.getPosition(), before.position + offset, 1e-4f);
        const Vector3Value target = targetPositionOf(camera);
        expectVectorNear({target[0], target[1], target[2]}, offset, 1e-4f);
        EXPECT_EQ(camera.panRight(), 0.0f);
        EXPECT_EQ(camera.panUp(), 0.0f);
        // Used up: the next update orbits the moved target without moving further.
        camera.update(0.0f);
        expectVectorNear(camera.getPosition(), before.position + offset, 1e-4f);
    }
}

TEST_F(CameraEntityTest, APanRightOfOneMovesThirtyAlongRight) {
    ModelViewerCameraEntity camera(&context_, "model_viewer_camera");
    camera.addParameters();
    camera.pan(1.0f, 0.0f);
    camera.update(0.0f);
    // From +z looking at the origin, the view's right is -x.
    expectVectorNear(camera.getPosition(), {-30, 0, 30});
    EXPECT_EQ(targetPositionOf(camera), (Vector3Value{-30, 0, 0}));
    expectVectorNear(camera.getCameraFrame().right, {-1, 0, 0});
}

TEST_F(CameraEntityTest, WithoutItsTargetParameterTheOrbitDoesNothing) {
    ModelViewerCameraEntity camera(&context_, "model_viewer_camera");
    camera.pan(1.0f, 1.0f);
    camera.update(0.0f);
    EXPECT_EQ(camera.getPosition(), (gfx::Vector3{0, 0, 0}));
    EXPECT_EQ(camera.getViewMatrix(), gfx::Matrix());
}

TEST_F(CameraEntityTest, AnActiveCamerasViewReachesTheCameraBlockAtTheNextHandOff) {
    ModelViewerCameraEntity camera(&context_, "model_viewer_camera");
    camera.addParameters();
    camera.bindParameters();
    EXPECT_EQ(renderInterface_.activeCamera(), nullptr) << "isActive starts false";
    camera.saveGroup()->setBool("isActive", true);
    camera.bindParameters();
    ASSERT_EQ(renderInterface_.activeCamera(), &camera);
    camera.saveGroup()->setVector3("targetPosition", {2, 0, -1});
    camera.update(0.0f);

    RenderInterface::CameraBlock& block = renderInterface_.cameraBlock();
    EXPECT_EQ(block.eyePosition[2], 0.0f) << "nothing crosses before the hand-off";
    renderInterface_.swapFrame();
    EXPECT_TRUE(std::equal(camera.getViewMatrix().data(), camera.getViewMatrix().data() + 16, block.view));
    EXPECT_EQ(std::vector<float>(block.eyePosition, block.eyePosition + 3), (std::vector<float>{2, 0, 29}));
    EXPECT_EQ(std::vector<float>(block.target, block.target + 3), (std::vector<float>{2, 0, -1}));
    EXPECT_EQ(block.perspective, 1);

    // Turning it off later does not take it away from the render interface.
    camera.saveGroup()->setBool("isActive", false);
    camera.bindParameters();
    EXPECT_EQ(renderInterface_.activeCamera(), &camera);
}

TEST_F(CameraEntityTest, ADeletedActiveCameraIsNoLongerReadByTheHandOff) {
    auto camera = std::make_unique<ModelViewerCameraEntity>(&context_, "model_viewer_camera");
    camera->addParameters();
    camera->saveGroup()->setBool("isActive", true);
    camera->bindParameters();
    ASSERT_EQ(renderInterface_.activeCamera(), camera.get());
    camera.reset();
    EXPECT_EQ(renderInterface_.activeCamera(), nullptr);
    renderInterface_.swapFrame();
}

} // namespace
