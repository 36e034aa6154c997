// Render targets on the drawing device: resolving multisampled targets, detaching one index of a
// multiple-target pass, targets without depth, and a target whose resources are missing.
#include <gtest/gtest.h>

#include "platform/gfx_fixture.h"
#include "render/device_global.h"
#include "render/render_target.h"

namespace {

constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kGreen = 0xFF00FF00;
constexpr std::uint32_t kBlue = 0xFF0000FF;

class RenderTargetTest : public gfxtest::GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        deviceGlobal = device_;
    }
    void TearDown() override {
        deviceGlobal = nullptr;
        GfxTest::TearDown();
    }

    gfx::Surface* boundTarget(std::uint32_t index) {
        gfx::Surface* surface = nullptr;
        device_->getRenderTarget(index, &surface);
        if (surface) surface->release();
        return surface;
    }
    gfx::Surface* boundDepth() {
        gfx::Surface* surface = nullptr;
        device_->getDepthStencilSurface(&surface);
        if (surface) surface->release();
        return surface;
    }
    std::uint32_t zEnable() {
        std::uint32_t value = 0;
        device_->getRenderState(gfx::RenderState::ZEnable, value);
        return value;
    }
    gfx::Surface* levelOf(gfx::Texture* texture) {
        gfx::Surface* surface = nullptr;
        texture->getSurfaceLevel(0, &surface);
        surface->release();
        return surface;
    }
    bool sceneIsOpen() {
        if (device_->beginScene() == gfx::Result::Ok) {
            device_->endScene();
            return false;
        }
        return true;
    }
};

TEST_F(RenderTargetTest, MultisampledTargetResolvesAtEveryUnbindIntoTheTextureEffectsSample) {
    RenderTarget target(32, 16, gfx::Format::A8R8G8B8, true, gfx::MultisampleType::Samples4);
    ASSERT_EQ(target.createResources(), gfx::Result::Ok);
    ASSERT_NE(target.sampledTexture(), nullptr);
    for (std::uint32_t colour : {kRed, kGreen}) {
        target.bind(colour, 0, true);
        EXPECT_NE(boundTarget(0), levelOf(target.sampledTexture())) << "drawn into the multisampled surface";
        target.unbind(0);
        std::vector<std::uint32_t> pixels = readLevel(target.sampledTexture(), 0);
        ASSERT_EQ(pixels.size(), 32u * 16u);
        EXPECT_TRUE(gfxtest::near(pixels[0], colour)) << std::hex << pixels[0];
        EXPECT_TRUE(gfxtest::near(pixels.back(), colour)) << std::hex << pixels.back();
    }
}

TEST_F(RenderTargetTest, TargetWithDepthBindsItsDepthAndUnbindAtZeroDetachesIt) {
    RenderTarget target(32, 16, gfx::Format::A8R8G8B8, true, gfx::MultisampleType::None);
    ASSERT_EQ(target.createResources(), gfx::Result::Ok);
    target.bind(kBlue, 0, true);
    EXPECT_EQ(boundTarget(0), levelOf(target.sampledTexture()));
    EXPECT_EQ(boundDepth(), target.depthStencilSurface());
    EXPECT_EQ(zEnable(), 1u);
    EXPECT_TRUE(sceneIsOpen());
    target.unbind(0);
    EXPECT_FALSE(sceneIsOpen());
    EXPECT_EQ(boundDepth(), nullptr);
    EXPECT_EQ(zEnable(), 0u);
    EXPECT_TRUE(gfxtest::near(readLevel(target.sampledTexture(), 0)[5], kBlue));
}

TEST_F(RenderTargetTest, UnbindingIndexOneDetachesOnlyThatIndexAndLeavesTheSceneOpen) {
    RenderTarget normals(32, 16, gfx::Format::A32B32G32R32F, true, gfx::MultisampleType::None);
    RenderTarget positions(32, 16, gfx::Format::A32B32G32R32F, true, gfx::MultisampleType::None);
    ASSERT_EQ(normals.createResources(), gfx::Result::Ok);
    ASSERT_EQ(positions.createResources(), gfx::Result::Ok);
    normals.bind(0, 1, false);
    positions.bind(0, 0, true);
    EXPECT_EQ(boundTarget(1), levelOf(normals.sampledTexture()));
    positions.unbind(1);
    EXPECT_EQ(boundTarget(1), nullptr);
    EXPECT_EQ(boundTarget(0), levelOf(positions.sampledTexture()));
    EXPECT_TRUE(sceneIsOpen());
    EXPECT_EQ(boundDepth(), positions.depthStencilSurface()) << "only index 0 detaches the depth";
    positions.unbind(0);
    EXPECT_FALSE(sceneIsOpen());
}

TEST_F(RenderTargetTest, TargetWithoutDepthNeverTouchesTheDepthState) {
    RenderTarget withDepth(32, 16, gfx::Format::A8R8G8B8, true, gfx::MultisampleType::None);
    RenderTarget ui(32, 16, gfx::Format::A8R8G8B8, false, gfx::MultisampleType::None);
    ASSERT_EQ(withDepth.createResources(), gfx::Result::Ok);
    ASSERT_EQ(ui.createResources(), gfx::Result::Ok);
    EXPECT_EQ(ui.depthStencilSurface(), nullptr);
    device_->setDepthStencilSurface(withDepth.depthStencilSurface());
    device_->setRenderState(gfx::RenderState::ZEnable, 1);
    ui.bind(kGreen, 0, true);
    ui.clear(kRed);
    ui.unbind(0);
    EXPECT_EQ(boundDepth(), withDepth.depthStencilSurface());
    EXPECT_EQ(zEnable(), 1u);
    EXPECT_TRUE(gfxtest::near(readLevel(ui.sampledTexture(), 0)[0], kRed));
    device_->setDepthStencilSurface(nullptr);
}

TEST_F(RenderTargetTest, TargetWithoutResourcesBindsNothingAndClearsOnlyWhenAsked) {
    RenderTarget target(32, 16, gfx::Format::A8R8G8B8, false, gfx::MultisampleType::None);
    gfx::Surface* back = boundTarget(0);
    ASSERT_NE(back, nullptr);
    device_->clear(gfx::Clear::Target, kBlue, 1.0f, 0);
    target.bind(kRed, 0, false);
    EXPECT_EQ(boundTarget(0), back);
    EXPECT_FALSE(sceneIsOpen());
    EXPECT_TRUE(gfxtest::near(readBackBuffer()[0], kBlue));
    target.bind(kRed, 0, true);
    EXPECT_EQ(boundTarget(0), back);
    EXPECT_TRUE(sceneIsOpen());
    device_->endScene();
    EXPECT_TRUE(gfxtest::near(readBackBuffer()[0], kRed)) << "the clear went to what was bound";
}

TEST_F(RenderTargetTest, ReleasedResourcesAreMadeAgainAfterAReset) {
    const int before = device_->liveDefaultPoolObjects();
    RenderTarget scene(32, 16, gfx::Format::A8R8G8B8, true, gfx::MultisampleType::Samples4);
    RenderTarget shadow(32, 32, gfx::Format::R32F, true, gfx::MultisampleType::None);
    ASSERT_EQ(scene.createResources(), gfx::Result::Ok);
    ASSERT_EQ(shadow.createResources(), gfx::Result::Ok);
    EXPECT_GT(device_->liveDefaultPoolObjects(), before);
    scene.releaseResources();
    shadow.releaseResources();
    EXPECT_EQ(scene.sampledTexture(), nullptr);
    EXPECT_EQ(device_->liveDefaultPoolObjects(), before) << "a reset needs every default-pool object gone";
    ASSERT_EQ(device_->reset(parameters_), gfx::Result::Ok);
    ASSERT_EQ(scene.createResources(), gfx::Result::Ok);
    ASSERT_EQ(shadow.createResources(), gfx::Result::Ok);
    shadow.bind(0, 0, true);
    shadow.unbind(0);
    scene.bind(kGreen, 0, true);
    scene.unbind(0);
    EXPECT_TRUE(gfxtest::near(readLevel(scene.sampledTexture(), 0)[0], kGreen));
}

} // namespace
