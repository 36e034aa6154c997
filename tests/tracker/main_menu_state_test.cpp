// The main menu as the framework drives it, the catalogues it loads, and its button strip.
#include "tracker/main_menu_fixture.h"

#include "platform/paths.h"
#include "rules/rules_catalogues.h"
#include "tracker/bravui_dice_roller_window.h"
#include "ui/game_ui_load_file_dialog.h"
#include "ui/game_ui_floating_tool_tip.h"
#include "ui/game_ui_push_button.h"
#include "ui/window_manager.h"

namespace {

TEST_F(MainMenuTest, FollowsTheFrontEndThenQuitsWhenAsked) {
    manager.createStates();
    BaseState* state = manager.findState("mainMenuState");
    ASSERT_NE(state, nullptr);
    ASSERT_EQ(manager.current(), state);
    EXPECT_EQ(state->next(), nullptr);

    // Front end status as the update side last received it, then the menu's status after a cycle.
    const std::pair<std::uint32_t, std::uint32_t> steps[] = {
        {0, BaseState::LoadRequested}, {1, BaseState::Loading}, {1, BaseState::Loading},
        {4, BaseState::ReadyToEnter}, {6, BaseState::Running}, {7, BaseState::Running},
    };
    RenderInterface& renderInterface = harness.renderInterface();
    for (auto [frontEnd, expected] : steps) {
        renderInterface.publishRenderStateStatus(frontEnd);
        renderInterface.swapFrame();
        EXPECT_TRUE(manager.update(0.01f));
        EXPECT_EQ(state->status(), expected) << "front end " << frontEnd;
    }
    renderInterface.swapFrame();
    EXPECT_EQ(renderInterface.gameStateStatusForRender(), static_cast<std::uint32_t>(BaseState::Running));
    EXPECT_TRUE(renderInterface.updateSideReadyForRender());

    state->requestQuit();
    EXPECT_TRUE(manager.update(0.01f));
    EXPECT_EQ(state->status(), static_cast<std::uint32_t>(BaseState::Quit));
    EXPECT_FALSE(manager.update(0.01f));
}

TEST_F(MainMenuTest, LoadsEveryShippedCatalogueAndItsFolders) {
    start();
    ASSERT_NE(menu->catalogues, nullptr);
    const RulesCatalogues& loaded = *menu->catalogues;
    auto reference = loadRulesCatalogues(ZODERUD_SOURCE_DIR);
    // Each catalogue holds what the shipped data gives, none of it empty.
    const std::pair<std::size_t, std::size_t> sizes[] = {
        {loaded.actions.actions().size(), reference->actions.actions().size()},
        {loaded.proficiencies.proficiencies().size(), reference->proficiencies.proficiencies().size()},
        {loaded.proficiencies.lists().size(), reference->proficiencies.lists().size()},
        {loaded.equipment.records().size(), reference->equipment.records().size()},
        {loaded.classes.classes().size(), reference->classes.classes().size()},
    };
    for (auto [got, expected] : sizes) {
        EXPECT_GT(expected, 0u);
        EXPECT_EQ(got, expected);
    }
    EXPECT_NE(loaded.spells.arcaneSpellsOfLevel(1), nullptr);
    EXPECT_NE(loaded.spells.divineSpellsOfLevel(1), nullptr);
    // The default file-dialog folder is made on the way.
    EXPECT_FALSE(menu->config.settings.defaultFileDialogPath.empty());
    EXPECT_TRUE(platform::isDirectory(menu->config.settings.defaultFileDialogPath));
    EXPECT_EQ(harness.context().windowManager, menu->windowManager);
}

TEST_F(MainMenuTest, EveryStripButtonReportsItsClick) {
    start();
    struct Case {
        GameUIPushButton* button;
        std::uint8_t GameStateMainMenu::*pending;
        const char* caption;
    };
    // New starts the creation wizard, which has no cancel and holds the strip until it ends: last.
    const Case cases[] = {
        {menu->loadButton, &GameStateMainMenu::openLoadDialogPending, "Load"},
        {menu->saveButton, &GameStateMainMenu::savePending, "Save"},
        {menu->rollDiceButton, &GameStateMainMenu::diceRollerPending, "Roll Dice"},
        {menu->newButton, &GameStateMainMenu::newCharacterPending, "New"},
    };
    for (const Case& c : cases) {
        ASSERT_NE(c.button, nullptr) << c.caption;
        EXPECT_EQ(c.button->caption, c.caption);
        harness.record(c.button->clickSignal);
        harness.clearEvents();
        click(*c.button);
        EXPECT_EQ(harness.countEvents(UIEvent::Click, c.button->name), 1u) << c.caption;
        EXPECT_EQ(menu->*c.pending, 1) << c.caption;
        frame();
        EXPECT_EQ(menu->*c.pending, 0) << c.caption;
        // Load opens its dialog, which holds the strip until it goes.
        if (menu->loadDialog) {
            click(*menu->loadDialog->cancelButton);
            frame();
            frame();
            ASSERT_EQ(menu->loadDialog, nullptr);
        }
        if (menu->diceRoller) {
            ASSERT_NE(menu->diceRoller->closeButton, nullptr);
            click(*menu->diceRoller->closeButton);
            frame();
            frame();
            ASSERT_EQ(menu->diceRoller, nullptr);
        }
        harness.movePointer(0.0f, 0.5f);
        frame();
    }
    EXPECT_EQ(menu->status(), static_cast<std::uint32_t>(BaseState::Running));
}

TEST_F(MainMenuTest, HoveringLoadShowsItsToolTipAfterTheDelay) {
    start();
    auto* toolTip = dynamic_cast<GameUIFloatingToolTip*>(menu->windowManager->toolTip);
    ASSERT_NE(toolTip, nullptr);
    harness.hoverElement(*menu->loadButton);
    for (int i = 0; i < 20; ++i) frame();
    EXPECT_FALSE(toolTip->stringShown);
    for (int i = 0; i < 60; ++i) frame();
    EXPECT_TRUE(toolTip->stringShown);
    EXPECT_EQ(toolTip->text, "Load an existing character");
}

} // namespace
