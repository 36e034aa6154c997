// The render task on the drawing device: device loss and recovery, resolution changes, and
// asking for the mode it is already in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gfx/device.h"
#include "platform/window/app_window.h"
#include "render/device_global.h"
#include "render/render_task.h"

namespace {

class RecordingRenderTask : public RenderTask {
public:
    using RenderTask::RenderTask;
    ~RecordingRenderTask() override {
        releaseVertexDeclarations();
        if (system_) system_->release();
        if (deviceGlobal) deviceGlobal->release();
        deviceGlobal = nullptr;
    }
    void onLostDevice() override { hooks.push_back("lost"); }
    void onResetDevice() override { hooks.push_back("reset"); }
    std::vector<std::string> hooks;
};

class RenderTaskTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        window_ = platform::AppWindow::create("render task", 100, 100, 320, 240, error);
        ASSERT_NE(window_, nullptr) << error;
        task_ = std::make_unique<RecordingRenderTask>(window_->sdlWindow(), nullptr, 320, 240);
        ASSERT_TRUE(gfx::succeeded(task_->createDevice()));
        ASSERT_NE(deviceGlobal, nullptr);
        createVertexDeclarations();
    }
    void TearDown() override {
        task_.reset();
        window_.reset();
    }

    std::unique_ptr<platform::AppWindow> window_;
    std::unique_ptr<RecordingRenderTask> task_;
};

using Hooks = std::vector<std::string>;

TEST_F(RenderTaskTest, SimulatedLossSkipsFramesThenResetsWithHooksInOrder) {
    EXPECT_FALSE(task_->handleLostDevice());
    EXPECT_TRUE(task_->hooks.empty());

    deviceGlobal->simulateDeviceLoss();
    EXPECT_TRUE(task_->handleLostDevice()) << "a lost device skips the frame";
    EXPECT_TRUE(task_->hooks.empty());
    EXPECT_FALSE(task_->handleLostDevice()) << "a device ready for reset is reset and the frame drawn";
    EXPECT_EQ(task_->hooks, (Hooks{"lost", "reset"}));
    EXPECT_EQ(deviceGlobal->testCooperativeLevel(), gfx::Result::Ok);
    EXPECT_FALSE(task_->handleLostDevice());
    EXPECT_EQ(task_->hooks.size(), 2u);
}

TEST_F(RenderTaskTest, ResolutionChangeResetsOnceWithTheNewSize) {
    task_->backBufferWidth = 200;
    task_->backBufferHeight = 150;
    task_->displayChangeRequested = true;
    task_->resizePending = true;
    task_->fullScreenWanted = false;
    task_->applyPendingDisplayChange();
    EXPECT_EQ(task_->hooks, (Hooks{"lost", "reset"}));
    EXPECT_FALSE(task_->resizePending);
    EXPECT_FALSE(task_->displayChangeRequested);
    EXPECT_EQ(deviceGlobal->presentParameters().backBufferWidth, 200u);
    EXPECT_EQ(deviceGlobal->presentParameters().backBufferHeight, 150u);
    gfx::Surface* backBuffer = nullptr;
    ASSERT_TRUE(gfx::succeeded(deviceGlobal->getBackBuffer(&backBuffer)));
    std::vector<std::uint32_t> pixels;
    ASSERT_TRUE(gfx::succeeded(deviceGlobal->readSurface(backBuffer, pixels)));
    EXPECT_EQ(pixels.size(), 200u * 150u);
    backBuffer->release();

    // Nothing more is pending: the next frame leaves the device alone.
    task_->applyPendingDisplayChange();
    EXPECT_EQ(task_->hooks.size(), 2u);
}

TEST_F(RenderTaskTest, AskingForTheCurrentModeChangesNothing) {
    task_->setFullScreen(false);
    EXPECT_TRUE(task_->hooks.empty());
    // A display change without a resize, windowed as wanted: nothing to reset.
    task_->displayChangeRequested = true;
    task_->fullScreenWanted = false;
    task_->applyPendingDisplayChange();
    EXPECT_TRUE(task_->hooks.empty());
    EXPECT_TRUE(deviceGlobal->presentParameters().windowed);
}

} // namespace
