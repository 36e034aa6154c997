#pragma once
// The main-menu state driven by the real state manager over the UI harness: a fresh per-user
// folder, an updater folder of the test's own, and frames that run the state then the hand-off.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/game_state_manager.h"
#include "app/user_folder_guard.h"
#include "rules/character_sheet.h"
#include "rules/rules_catalogues.h"
#include "support/temp_folder.h"
#include "support/ui_harness.h"
#include "tracker/brav_config.h"
#include "tracker/game_state_main_menu.h"
#include "tracker/bravui_create_attributes.h"
#include "tracker/wizard/brav_sub_state_character_creation.h"
#include "ui/game_ui_info_popup_dialog.h"
#include "ui/game_ui_push_button.h"
#include "ui/window_manager.h"

class MainMenuTest : public ::testing::Test {
protected:
    static UIHarness::Options harnessOptions() {
        UIHarness::Options options;
        // The state makes its own tool tip.
        options.toolTip = false;
        return options;
    }

    ~MainMenuTest() override { manager.clearStates(); }

    // Writes the settings file the state will load, naming lastSaved.
    void writeSettings(const std::string& lastSaved) {
        BRAVConfig settings(harness.context().updatePool, "BRAV Zoderud");
        settings.loadDefaults(3, 1280, 1024);
        settings.LastSavedFilePath = lastSaved;
        ASSERT_TRUE(settings.save());
    }

    std::string savedLastPath() {
        BRAVConfig settings(harness.context().updatePool, "BRAV Zoderud");
        settings.load();
        return settings.LastSavedFilePath;
    }

    // Walks the state through loading and entering, as the front end reports it loaded.
    void start() {
        manager.createStates();
        menu = static_cast<GameStateMainMenu*>(manager.findState("mainMenuState"));
        ASSERT_NE(menu, nullptr);
        menu->updaterFolder = updaterFolder.path();
        harness.renderInterface().publishRenderStateStatus(BaseState::Loaded);
        harness.renderInterface().swapFrame();
        for (int i = 0; i < 5 && menu->status() != BaseState::Running; ++i) frame();
        ASSERT_EQ(menu->status(), static_cast<std::uint32_t>(BaseState::Running));
    }

    void frame() {
        manager.update(UIHarness::frameTime);
        harness.step();
    }

    // Press and release over the element, a frame between each, as a user clicks.
    void click(const GameUIBaseElement& element) {
        harness.hoverElement(element);
        frame();
        harness.pressButton();
        frame();
        harness.releaseButton();
    }

    // Presses OK on the error popup shown (at start, for a remembered file that is gone).
    void closeErrorPopup() {
        ASSERT_NE(menu->errorPopup, nullptr);
        click(*menu->errorPopup->okButton);
        frame();
        frame();
        ASSERT_EQ(menu->errorPopup, nullptr);
    }

    // A default character over the menu's catalogues, not yet the menu's.
    CharacterSheet* makeSheet() const {
        const RulesCatalogues& c = *menu->catalogues;
        return new CharacterSheet(nullptr, c.classes, c.proficiencies, c.equipment, c.spells);
    }

    // A character made the menu's open one, bound to path (unless empty), with its saved flag as given.
    CharacterSheet* giveCharacter(const std::string& path, bool saved) {
        menu->character = makeSheet();
        if (!path.empty()) menu->character->setFilePath(path);
        menu->character->saved = saved;
        return menu->character;
    }

    std::size_t windowsNamed(const std::string& name) const {
        std::size_t count = 0;
        for (GameUIBaseElement* window : menu->windowManager->windows) {
            if (window->name == name) ++count;
        }
        return count;
    }

    UserFolder userFolder;
    TempFolder updaterFolder;
    TempFolder files;
    UIHarness harness{harnessOptions()};
    GameStateManager manager{harness.context().updatePool, &harness.context(),
                             [](GameStateManager* owner, ThreadResourcePool* pool) -> BaseState* {
                                 return new GameStateMainMenu(owner, pool, "mainMenuState");
                             },
                             &harness.renderInterface()};
    GameStateMainMenu* menu = nullptr;
};
