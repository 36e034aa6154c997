#pragma once
// The buy window over the UI harness: a small fixture equipment catalogue (one or more records of
// every type, ids out of name order, prices a reader can add up), a character whose purse a test
// sets, and the steps a user takes: choose a category, pick a row, Buy or Acquire, type into the
// confirmation's boxes.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "rules/character_sheet.h"
#include "rules/equipment_catalogue.h"
#include "rules/rules_catalogues.h"
#include "support/ui_harness.h"
#include "tracker/sheet/inventory_fixture.h"
#include "tracker/rows/bravui_equipment_list_item.h"
#include "tracker/sheet/bravui_confirm_acquire_equipment_details_window.h"
#include "tracker/sheet/bravui_confirm_equipment_purchase_price_and_name_window.h"
#include "tracker/sheet/bravui_equipment_buy_window.h"
#include "ui/game_ui_combo_box.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_standard_element_list.h"
#include "ui/game_ui_toggle_button.h"
#include "ui/game_ui_toggle_group.h"
#include "ui/text_entry.h"

class BuyTest : public ::testing::Test {
protected:
    using PurchaseWindow = BRAVUIConfirmEquipmentPurchasePriceAndNameWindow;
    using AcquireWindow = BRAVUIConfirmAcquireEquipmentDetailsWindow;

    BuyTest() : catalogue(std::string(ZODERUD_SOURCE_DIR) + "/tests/tracker/data/buy/") {
        catalogue.loadEquipmentCatalogue("equipment/");
        RulesCatalogues& rules = sheetTestRules();
        character = std::make_unique<CharacterSheet>(nullptr, rules.classes, rules.proficiencies, catalogue, rules.spells);
        // Rows are laid out by the default font's line height.
        ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), 0.05f);
    }

    ~BuyTest() override {
        if (window) ui.windowManager().removeWindow(window);
        ui.windowManager().applyRemovals();
    }

    // As the Inventory tab opens it.
    void openWindow() {
        const float topLeft[2] = {-0.25f, 0.95f}, bottomRight[2] = {0.95f, -0.75f};
        window = ui.addWindow(new BRAVUIEquipmentBuyWindow(0, &ui.context(), ui.theme(), topLeft, bottomRight,
                                                           "Buy or Aquire Equipment", 3,
                                                           &catalogue, character.get()),
                              true);
        ui.record(window->windowSignal);
        ui.step();
    }

    void chooseCategory(const std::string& category) {
        ui.clickElement(*window->categoryCombo->showToggle);
        ui.step();
        ASSERT_TRUE(window->categoryCombo->isOpen());
        for (GameUIToggleButton* option : window->categoryCombo->optionsGroup->buttons) {
            if (option->name == category || option->caption == category) {
                ui.clickElement(*option);
                ui.step();
                ui.step();
                return;
            }
        }
        FAIL() << "no option " << category;
    }

    std::vector<std::string> rowTexts() const {
        std::vector<std::string> texts;
        for (GameUIBaseListItem* row : window->equipmentList->items) texts.push_back(row->getSortKey());
        return texts;
    }

    // Clicks the row of the record with that display name (choosing its category first).
    void pickRow(const std::string& category, const std::string& displayName) {
        if (window->categoryCombo->text != category) chooseCategory(category);
        const Equipment* record = nullptr;
        for (const auto& entry : catalogue.records()) {
            if (entry.second->displayName == displayName) record = entry.second.get();
        }
        ASSERT_NE(record, nullptr) << displayName;
        for (GameUIBaseListItem* row : window->equipmentList->items) {
            if (row->getSortKey() == BRAVUIEquipmentBuyWindow::rowText(*record)) {
                ASSERT_TRUE(row->placed());
                ui.clickElement(*row);
                ui.step();
                ui.step();
                ASSERT_EQ(window->selectedRecord(), record);
                return;
            }
        }
        FAIL() << "no row " << displayName;
    }

    PurchaseWindow* pressBuy() {
        ui.clickElement(*window->buyButton);
        ui.step();
        return ui.find<PurchaseWindow>(PurchaseWindow::windowName);
    }

    AcquireWindow* pressAcquire() {
        ui.clickElement(*window->acquireButton);
        ui.step();
        return ui.find<AcquireWindow>(AcquireWindow::windowName);
    }

    // Replaces a box's text as a user does: click into it, delete what is there, then type what
    // the box takes and paste anything else.
    void enter(GameUIEditableTextLineBox* box, const std::string& text) {
        ui.clickElement(*box);
        ui.step();
        ASSERT_TRUE(box->active);
        // The click may put the cursor inside the text: to its end, then back over all of it.
        for (std::size_t i = box->text.size(); i > 0; --i) ui.tapKey(textentry::keyRight);
        for (std::size_t i = box->text.size(); i > 0; --i) ui.tapKey(textentry::keyBack);
        ASSERT_EQ(box->text, "");
        const bool typeable = text.find_first_not_of(box->numericOnly ? "0123456789-." : "") == std::string::npos ||
                              !box->numericOnly;
        if (typeable) {
            ui.typeString(text);
        } else {
            ui.osInterface().clipboard = text;
            KeyEvent::Data paste;
            paste.action = KeyEvent::Pressed;
            paste.scanCode = textentry::keyV;
            paste.character = '\x16';
            paste.ctrl = true;
            ui.sendKey(paste);
        }
        ui.step();
        ASSERT_EQ(box->text, text);
    }

    // Clicks somewhere that holds no widget, so the box with the focus loses it.
    void clickAway() {
        ui.click(-0.9f, -0.9f);
        ui.step();
        ui.step();
    }

    void press(GameUIPushButton* button) {
        ui.clickElement(*button);
        ui.step();
        ui.step();
    }

    // The texts of a window's labels of that name, in the order built.
    static std::vector<std::string> labelTexts(const GameUIStandardElement& window, const std::string& name) {
        std::vector<std::string> texts;
        for (const GameUIBaseElement* child : window.children) {
            if (auto* label = dynamic_cast<const GameUILabel*>(child); label && label->name == name)
                texts.push_back(label->text);
        }
        return texts;
    }

    UIHarness ui;
    EquipmentCatalogue catalogue;
    std::unique_ptr<CharacterSheet> character;
    BRAVUIEquipmentBuyWindow* window = nullptr;
};
