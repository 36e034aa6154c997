// Entities in a running scene, read back: the orbit camera is the render interface's active camera
// and shows the cube entity it looks at, its pan moves the picture, and a box the physics manager
// launches at the cube falls and rests on the ground where the picture shows it.
#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <utility>

#include "app/simple_parameter_group.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_vector.h"
#include "render/render_interface.h"
#include "support/scene_harness.h"
#include "world/basic_cube_entity.h"
#include "world/entity_context.h"
#include "world/entity_factory.h"
#include "world/model_viewer_camera_entity.h"
#include "world/new_physics_manager.h"

namespace {

using scenetest::SceneHarness;
using scenetest::SceneSettings;

// The scene's rows at the harness's 160x120: the top 96.
constexpr int kSceneRows = 96;
constexpr int kCentreX = 80;
constexpr int kCentreY = kSceneRows / 2;
// On the cube's -z side and above it: the camera's default light, from above and behind it, lights
// the faces it sees, and a box launched from the camera starts above the ground.
constexpr float kAzimuth = 3.14159265f;
constexpr float kElevation = -0.35f;
// Where the ground's slab lies; a resting unit box stands half its side above it.
constexpr float kGroundHeight = 0.4f;

bool channelsNear(std::uint32_t a, std::uint32_t b, int tolerance) {
    for (int shift : {0, 8, 16})
        if (std::abs(int(a >> shift & 255) - int(b >> shift & 255)) > tolerance) return false;
    return true;
}

class EntityScene : public SceneHarness {
protected:
    void SetUp() override {
        openScene({"BasicCubeRenderable"}, SceneSettings{.postProcessing = false});
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_TRUE(physics_.init());
        context_ = EntityContext{&renderInterface(), &physics_, renderInterface().parameterManager()};
        cube_.reset(static_cast<BasicCubeEntity*>(findEntityFactory("basic_cube")->create(&context_)));
        ASSERT_NE(cube_->renderObject(), nullptr) << "the cube entity has no render object";
        camera_.reset(static_cast<ModelViewerCameraEntity*>(findEntityFactory("model_viewer_camera")->create(&context_)));
        camera_->addParameters();
        camera_->saveGroup()->setBool("isActive", true);
        camera_->bindParameters();
        ASSERT_EQ(renderInterface().activeCamera(), camera_.get()) << "the set flag makes the camera the active one";
        camera_->setOrbitAngles(kAzimuth, kElevation);
        addDirectionalLight();
        updateAndDraw(3);
        // A corner of the scene, far from anything drawn.
        background_ = pixel(2, 2);
    }
    void TearDown() override {
        if (launchedStandIn_) launchedStandIn_->releaseWorldObjects();
        if (cube_) cube_->releaseWorldObjects();
        camera_.reset();
        physics_.destroyAll();
    }

    // The update side's frame: the physics step, the entities following it, then the hand-off
    // and the drawing.
    void updateAndDraw(int count) {
        for (int i = 0; i < count; ++i) {
            physics_.step(kStep);
            cube_->update(kStep);
            if (launched_) {
                gfx::Matrix pose;
                physics_.getBodyWorldMatrix(launched_, pose);
                launchedStandIn_->setWorldMatrix(pose);
            }
            camera_->update(kStep);
            frame();
        }
        readPixels();
    }

    // Where a world point shows, by the entity camera's view and the projection the render side
    // handed back to it.
    std::pair<int, int> shownAt(const gfx::Vector3& world) const {
        const gfx::Vector3 ndc =
            gfx::transformCoord(world, camera_->getViewMatrix() * camera_->getProjectionMatrix());
        return {int(std::floor((ndc.x * 0.5f + 0.5f) * float(settings().width))),
                int(std::floor((0.5f - ndc.y * 0.5f) * float(kSceneRows)))};
    }
    bool isBackground(int x, int y) const { return channelsNear(pixel(x, y), background_, 3); }
    // The columns of a scene row that show something other than the background.
    std::pair<int, int> drawnColumns(int y) const {
        int first = -1, last = -1;
        for (int x = 0; x < int(settings().width); ++x) {
            if (isBackground(x, y)) continue;
            if (first < 0) first = x;
            last = x;
        }
        return {first, last};
    }

    NewPhysicsManager physics_{nullptr};
    EntityContext context_;
    std::unique_ptr<BasicCubeEntity> cube_;
    std::unique_ptr<ModelViewerCameraEntity> camera_;
    // A launched box has no render object of its own; a cube entity without a body (its context
    // has no physics) follows its pose.
    EntityContext standInContext_;
    std::unique_ptr<BasicCubeEntity> launchedStandIn_;
    btRigidBody* launched_ = nullptr;
    std::uint32_t background_ = 0;
};

TEST_F(EntityScene, TheActiveOrbitCameraShowsTheCubeAtTheScreenCentre) {
    const float* view = renderInterface().cameraBlock().view;
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(view[i], camera_->getViewMatrix().data()[i], 1e-5f) << "the block's view, element " << i;
    EXPECT_EQ(shownAt({0.0f, 0.0f, 0.0f}), (std::pair{kCentreX, kCentreY}));
    EXPECT_FALSE(isBackground(kCentreX, kCentreY)) << "the cube covers the centre";
    EXPECT_FALSE(isBackground(kCentreX, kCentreY - 2)) << "its top, seen from above";
    // At thirty units a cube of side 1 is a few pixels wide.
    const auto [first, last] = drawnColumns(kCentreY);
    EXPECT_LE(first, kCentreX - 1);
    EXPECT_GE(last, kCentreX + 1);
    EXPECT_GT(first, kCentreX - 8) << "the cube is seen from the orbit's distance";
    EXPECT_LT(last, kCentreX + 8);
    if (HasFailure()) saveFrame("cube_at_centre");
}

TEST_F(EntityScene, APanToTheRightShowsTheBackgroundAtTheCentreAndTheCubeLeftOfIt) {
    camera_->pan(0.1f, 0.0f);
    updateAndDraw(3);
    EXPECT_TRUE(pixelNear(kCentreX, kCentreY, background_)) << "the centre shows the background";
    // Three units to the right of the view at thirty units away: about a tenth of the width.
    const auto [x, y] = shownAt({0.0f, 0.0f, 0.0f});
    EXPECT_LT(x, kCentreX - 6);
    EXPECT_GT(x, kCentreX - 20);
    EXPECT_EQ(y, kCentreY);
    EXPECT_FALSE(isBackground(x, y)) << "the cube where the panned view puts it";
    const auto [first, last] = drawnColumns(kCentreY);
    ASSERT_GE(first, 0) << "nothing drawn on the centre row";
    EXPECT_LT(last, kCentreX) << "all of the cube lies left of the centre";
    if (HasFailure()) saveFrame("panned");
}

TEST_F(EntityScene, ABoxLaunchedAtTheCubeFallsAndRestsOnTheGroundInThePicture) {
    standInContext_ = EntityContext{&renderInterface(), nullptr, renderInterface().parameterManager()};
    launchedStandIn_ = std::make_unique<BasicCubeEntity>(&standInContext_, "basic_cube");
    ASSERT_EQ(launchedStandIn_->bodyHandle(), nullptr);
    // Aimed through the screen centre, where the cube shows.
    launched_ = physics_.launchBox(kCentreX, kCentreY, camera_->getCameraFrame(), int(settings().width), kSceneRows);
    ASSERT_NE(launched_, nullptr);
    const float startHeight = launched_->getCenterOfMassPosition().y();

    updateAndDraw(20);
    EXPECT_LT(launched_->getCenterOfMassPosition().y(), startHeight) << "the box comes down";
    // Some seconds of simulated time: it glances off the cube and settles past it.
    updateAndDraw(300);
    const btVector3 rest = launched_->getCenterOfMassPosition();
    EXPECT_NEAR(rest.y(), kGroundHeight + 0.5f, 0.05f) << "it stands on the ground";
    EXPECT_LT(launched_->getLinearVelocity().length(), 0.05f) << "it has come to rest";
    // A box's centre shows inside its outline from any side.
    const auto [x, y] = shownAt({rest.x(), rest.y(), rest.z()});
    ASSERT_TRUE(x >= 0 && x < int(settings().width) && y >= 0 && y < kSceneRows) << "at (" << x << ", " << y << ")";
    EXPECT_FALSE(isBackground(x, y)) << "the box where it rests, at (" << x << ", " << y << ")";
    const std::pair<int, int> cubeAt = shownAt({0.0f, 0.0f, 0.0f});
    EXPECT_FALSE(isBackground(cubeAt.first, cubeAt.second)) << "the cube stays where it was";
    if (HasFailure()) saveFrame("launched_box");
    // What showed there was the box, not the cube behind or in front of it.
    launchedStandIn_->releaseWorldObjects();
    updateAndDraw(3);
    EXPECT_TRUE(pixelNear(x, y, background_)) << "without the box its place shows the background";
}

} // namespace
