// The render-state manager: the front end's walk to running, what it publishes, and the
// hand-off target.
#include <gtest/gtest.h>

#include "app/parameter_description.h"
#include "app/thread_resource_pool.h"
#include "render/base_render_state.h"
#include "render/render_interface.h"
#include "render/render_state_manager.h"

namespace {

TEST(RenderStateManager, FrontEndLoadsAndEntersInConsecutiveFramesAndPublishesEachStep) {
    ThreadResourcePool pool("renderPool");
    ParameterDescriptionRegistry registry;
    RenderInterface renderInterface(&registry, &pool, 640, 480, "");
    RenderStateManager manager(&pool, &registry, &renderInterface, nullptr, 640, 480);
    manager.createStates();
    ASSERT_NE(manager.current(), nullptr);
    EXPECT_EQ(manager.current()->name(), "frontEndState");
    EXPECT_EQ(renderInterface.renderStateName(), "frontEndState");
    EXPECT_EQ(manager.current()->next(), nullptr);

    const std::uint32_t walk[] = {1, 4, 6, 7, 7};
    for (std::uint32_t expected : walk) {
        EXPECT_TRUE(manager.update(0.016f));
        EXPECT_EQ(manager.current()->status(), expected);
        EXPECT_EQ(renderInterface.publishedRenderStateStatus(), expected);
        renderInterface.swapFrame();
        EXPECT_EQ(renderInterface.renderStateStatusForUpdate(), expected);
    }
    EXPECT_EQ(manager.handOffTarget(), manager.current());

    manager.setScreenSize(800, 600);
    EXPECT_EQ(manager.width(), 800u);

    // At the end the front end unloads at once.
    manager.current()->unloadData();
    EXPECT_EQ(manager.current()->status(), static_cast<std::uint32_t>(BaseState::Unloaded));
    manager.clearStates();
}

} // namespace
