// The first game state as the framework drives it: it loads once the front end is loading or
// loaded, enters once the front end is loaded, and quits when asked.
#include <gtest/gtest.h>

#include "app/game_state_manager.h"
#include "app/parameter_description.h"
#include "app/thread_resource_pool.h"
#include "app/ui_context.h"
#include "render/render_interface.h"
#include "tracker/game_state_main_menu.h"

namespace {

TEST(GameStateMainMenu, FollowsTheFrontEndThenQuitsWhenAsked) {
    ThreadResourcePool pool("updatePool");
    ParameterDescriptionRegistry registry;
    RenderInterface renderInterface(&registry, &pool, 640, 480, "");
    UIContext context;
    context.renderInterface = &renderInterface;
    GameStateManager manager(&pool, &context);
    manager.createStates();
    BaseState* menu = manager.findState("mainMenuState");
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(manager.current(), menu);
    EXPECT_EQ(menu->next(), nullptr);

    // Front end status as the update side last received it, then the menu's status after a cycle.
    const std::pair<std::uint32_t, std::uint32_t> steps[] = {
        {0, BaseState::LoadRequested}, {1, BaseState::Loading}, {1, BaseState::Loading},
        {4, BaseState::ReadyToEnter}, {6, BaseState::Running}, {7, BaseState::Running},
    };
    for (auto [frontEnd, expected] : steps) {
        renderInterface.publishRenderStateStatus(frontEnd);
        renderInterface.swapFrame();
        EXPECT_TRUE(manager.update(0.01f));
        EXPECT_EQ(menu->status(), expected) << "front end " << frontEnd;
    }
    renderInterface.swapFrame();
    EXPECT_EQ(renderInterface.gameStateStatusForRender(), static_cast<std::uint32_t>(BaseState::Running));

    menu->requestQuit();
    EXPECT_TRUE(manager.update(0.01f));
    EXPECT_EQ(menu->status(), static_cast<std::uint32_t>(BaseState::Quit));
    EXPECT_FALSE(manager.update(0.01f));
    manager.clearStates();
}

} // namespace
