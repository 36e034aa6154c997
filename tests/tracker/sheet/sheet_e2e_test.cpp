// The whole sheet as a user drives it, on the shipped rules: a mage made from New, raised a level,
// money spent and earned, hit points, biography and notes set, saved on quitting, and reopened
// at the next start showing on every tab what it showed before.
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "rules/class_lookups.h"
#include "rules/saved_tree.h"
#include "rules/spell_record.h"
#include "tracker/sheet/bravui_add_experience_window.h"
#include "tracker/sheet/bravui_bio_tab.h"
#include "tracker/sheet/bravui_confirm_acquire_equipment_details_window.h"
#include "tracker/sheet/bravui_confirm_equipment_purchase_price_and_name_window.h"
#include "tracker/sheet/bravui_equipment_buy_window.h"
#include "tracker/sheet/bravui_packing_window.h"
#include "tracker/rows/bravui_container_list_item.h"
#include "rules/equipment_catalogue.h"
#include "tracker/sheet/bravui_confirm_sale_price_window.h"
#include "tracker/sheet/bravui_core_stats_tab.h"
#include "tracker/sheet/bravui_equipment_custom_name_window.h"
#include "tracker/sheet/bravui_equipment_tab.h"
#include "tracker/sheet/bravui_level_up_change_report_window.h"
#include "tracker/sheet/bravui_notes_tab.h"
#include "tracker/sheet/bravui_payment_window.h"
#include "tracker/sheet/bravui_set_hit_points_window.h"
#include "tracker/sheet/bravui_spells_tab.h"
#include "tracker/sheet/bravui_tabbed_full_character_sheet.h"
#include "tracker/sheet/bravui_transaction_history_window.h"
#include "tracker/wizard/wizard_walk_fixture.h"
#include "ui/game_ui_confirmation_dialog.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_scrollable_text_box.h"

namespace {

using Tab = BRAVUITabbedFullCharacterSheet::Tab;

class SheetE2E : public WizardWalkTest {
protected:
    BRAVUITabbedFullCharacterSheet& sheet() { return *menu->characterSheet; }

    template <class T>
    T* tab(Tab which) {
        return dynamic_cast<T*>(sheet().tabs[which].get());
    }

    template <class T>
    T* openWindow() {
        for (GameUIBaseElement* window : menu->windowManager->windows) {
            if (auto* found = dynamic_cast<T*>(window)) return found;
        }
        return nullptr;
    }

    void showTab(Tab which) {
        press(*sheet().tabButtons[which]);
        ASSERT_EQ(sheet().shownTab, which);
    }

    // Every text the element shows: labels, boxes and list rows, in tree order.
    static void collect(const GameUIBaseElement* element, std::vector<std::string>& texts) {
        if (!element) return;
        if (auto* label = dynamic_cast<const GameUILabel*>(element)) texts.push_back(label->name + "=" + label->text);
        if (auto* box = dynamic_cast<const GameUIEditableTextLineBox*>(element))
            texts.push_back(box->name + "=" + box->text);
        if (auto* box = dynamic_cast<const GameUIScrollableTextBox*>(element))
            texts.push_back(box->name + "=" + box->text);
        if (auto* list = dynamic_cast<const GameUIStandardElementList*>(element)) {
            for (auto* item : list->items) texts.push_back(list->name + " row " + item->getSortKey());
        }
        for (const GameUIBaseElement* child : element->attachedChildren) collect(child, texts);
        if (auto* container = dynamic_cast<const GameUIStandardElement*>(element)) {
            for (const GameUIBaseElement* child : container->children) collect(child, texts);
        }
    }

    // What each tab shows, and the rows of the accounts history.
    std::map<std::string, std::vector<std::string>> everyTab() {
        std::map<std::string, std::vector<std::string>> shown;
        for (std::uint32_t t = 0; t < BRAVUITabbedFullCharacterSheet::TabCount; ++t) {
            showTab(static_cast<Tab>(t));
            frames(2);
            collect(menu->characterSheet, shown[BRAVUITabbedFullCharacterSheet::tabIds[t]]);
        }
        showTab(Tab::InventoryTab);
        press(*tab<BRAVUIEquipmentTab>(Tab::InventoryTab)->transactionsButton);
        auto* history = openWindow<BRAVUITransactionHistoryWindow>();
        EXPECT_NE(history, nullptr);
        if (history) {
            EXPECT_EQ(history->title, "Accounts - Transactions History");
            collect(history->list, shown["history"]);
            press(*history->finishButton);
        }
        showTab(Tab::CoreTab);
        return shown;
    }

    void addExperience(const std::string& amount) {
        press(*tab<BRAVUICoreStatsTab>(Tab::CoreTab)->addXPButton);
        auto* window = openWindow<BRAVUIAddExperienceWindow>();
        ASSERT_NE(window, nullptr);
        press(*window->toggles[BRAVUIAddExperienceWindow::Belief]);
        typeInto(*window->baseBox, amount);
        press(*window->finishButton);
        frames(2);
        ASSERT_EQ(openWindow<BRAVUIAddExperienceWindow>(), nullptr);
    }

    // The report, then each picker the level opens: its first rows picked, or spells rolled.
    void levelUp() {
        LevelUpFlow& flow = tab<BRAVUICoreStatsTab>(Tab::CoreTab)->levelUpFlow;
        press(*tab<BRAVUICoreStatsTab>(Tab::CoreTab)->levelUpButton);
        for (int guard = 0; guard < 20 && flow.inProgress(); ++guard) {
            if (flow.reportWindow) {
                press(*flow.reportWindow->nextStepButton);
            } else if (flow.generalPicker) {
                pickProficiencies(*flow.generalPicker);
            } else if (flow.classPicker) {
                pickProficiencies(*flow.classPicker);
            } else if (flow.spellPicker) {
                ++spellSteps;
                flow.spellPicker->random = RandomSource(20261211);
                press(*flow.spellPicker->rollButton);
                press(*flow.spellPicker->nextStepButton);
            } else {
                frame();
            }
            frames(2);
        }
        ASSERT_FALSE(flow.inProgress());
    }

    void pay(GameUIPushButton* button, const std::array<std::string, 5>& coins) {
        press(*button);
        auto* window = openWindow<BRAVUIPaymentWindow>();
        ASSERT_NE(window, nullptr);
        for (std::size_t i = 0; i < coins.size(); ++i) typeInto(*window->coinBoxes[i], coins[i]);
        press(*window->confirmButton);
        frames(3);
        ASSERT_EQ(openWindow<BRAVUIPaymentWindow>(), nullptr);
    }

    // Selects the Inventory row whose text starts with text.
    void selectRow(const std::string& text) {
        auto& rows = tab<BRAVUIEquipmentTab>(Tab::InventoryTab)->inventoryList->items;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i]->getSortKey().rfind(text, 0) == 0) {
                tab<BRAVUIEquipmentTab>(Tab::InventoryTab)->inventoryList->selectItem(static_cast<std::int32_t>(i));
                frames(2);
                return;
            }
        }
        FAIL() << "no row " << text;
    }

    // Add, the category and the record's row, then Buy and Pay, or Acquire and its confirmation.
    void obtain(const std::string& category, const std::string& id, bool buy) {
        auto* inventory = tab<BRAVUIEquipmentTab>(Tab::InventoryTab);
        press(*inventory->addButton);
        BRAVUIEquipmentBuyWindow* window = inventory->buyWindow;
        ASSERT_NE(window, nullptr);
        if (window->categoryCombo->text != category) {
            press(*window->categoryCombo->showToggle);
            ASSERT_TRUE(window->categoryCombo->isOpen());
            GameUIToggleButton* option = nullptr;
            for (GameUIToggleButton* button : window->categoryCombo->optionsGroup->buttons) {
                if (button->caption == category) option = button;
            }
            ASSERT_NE(option, nullptr) << category;
            press(*option);
        }
        const Equipment* record = menu->catalogues->equipment.findEquipment(id);
        ASSERT_NE(record, nullptr) << id;
        auto& rows = window->equipmentList->items;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i]->getSortKey() == BRAVUIEquipmentBuyWindow::rowText(*record))
                window->equipmentList->selectItem(static_cast<std::int32_t>(i));
        }
        frames(2);
        ASSERT_EQ(window->selectedRecord(), record);
        if (buy) {
            press(*window->buyButton);
            auto* purchase = openWindow<BRAVUIConfirmEquipmentPurchasePriceAndNameWindow>();
            ASSERT_NE(purchase, nullptr);
            press(*purchase->confirmButton);
        } else {
            press(*window->acquireButton);
            auto* acquire = openWindow<BRAVUIConfirmAcquireEquipmentDetailsWindow>();
            ASSERT_NE(acquire, nullptr);
            press(*acquire->confirmButton);
        }
        frames(2);
        press(*window->finishButton);
        frames(2);
        ASSERT_EQ(openWindow<BRAVUIEquipmentBuyWindow>(), nullptr);
    }

    void setHitPoints(const std::string& value) {
        press(*tab<BRAVUICoreStatsTab>(Tab::CoreTab)->setHPButton);
        auto* window = openWindow<BRAVUISetHitPointsWindow>();
        ASSERT_NE(window, nullptr);
        typeInto(*window->entryBox, value);
        press(*window->doneButton);
        frames(3);
        ASSERT_EQ(openWindow<BRAVUISetHitPointsWindow>(), nullptr);
    }

    void typeText(GameUIScrollableTextBox& box, const std::string& text) {
        press(box);
        harness.typeQuickly(text);
        frames(2);
    }

    // Every edit clears the saved flag, which is what makes closing ask: each step is checked,
    // then the flag is set again for the next one.
    void expectEdited(const char* step) {
        EXPECT_FALSE(menu->character->saved) << step;
        menu->character->saved = true;
    }

    static std::size_t spellCount(const std::map<std::int32_t, SpellList>& spells) {
        std::size_t count = 0;
        for (const auto& [level, list] : spells) count += list.size();
        return count;
    }

    static std::vector<std::string> rowsOf(const GameUIStandardElementList& list) {
        std::vector<std::string> rows;
        for (GameUIBaseListItem* row : list.items) rows.push_back(row->getSortKey());
        return rows;
    }
};

TEST_F(SheetE2E, AMageMadeRaisedEditedSavedOnQuitAndReopenedShowsTheSame) {
    writeSettings("");
    start();
    const CharacterClass* mage = findClassById(menu->catalogues->classes, "mage");
    ASSERT_NE(mage, nullptr);

    // 1. The wizard from New.
    press(*menu->newButton);
    ASSERT_NE(menu->creation, nullptr);
    menu->character->random = RandomSource(20261210);
    BRAVSubStateCharacterCreation& wizard = *menu->creation;
    createAttributes(wizard);
    pickClass(wizard, *mage, 0);
    walkPickers(wizard);
    writeBiography(wizard, "Brenna Hale");
    frames(3);
    ASSERT_EQ(menu->creation, nullptr);
    ASSERT_NE(menu->characterSheet, nullptr);
    CharacterSheet* character = menu->character;
    const std::size_t wizardSpells = spellCount(character->arcaneSpells);
    ASSERT_GT(wizardSpells, 0u);
    character->saved = true;

    // 2. Experience with belief, then the next level; Core shows it, and Spells lists the spells
    // of the wizard and of the level.
    addExperience("2500");
    EXPECT_GE(character->experience, 2500u);
    expectEdited("Add XP");
    spellSteps = 0;
    levelUp();
    EXPECT_EQ(character->level, 2u);
    expectEdited("Level Up");
    EXPECT_EQ(tab<BRAVUICoreStatsTab>(Tab::CoreTab)->levelLabel->text, "[*Level: ]2");
    // The mage's second level brings a casting, so a spell is picked.
    EXPECT_EQ(spellSteps, 1);
    EXPECT_GT(spellCount(character->arcaneSpells), wizardSpells);
    showTab(Tab::SpellsTab);
    frames(2);
    {
        auto* spellsTab = tab<BRAVUISpellsTab>(Tab::SpellsTab);
        ASSERT_NE(spellsTab->arcane.list, nullptr);
        const std::vector<std::string> rows = rowsOf(*spellsTab->arcane.list);
        std::size_t listed = 0, levels = 0;
        for (const auto& [level, spells] : character->arcaneSpells) {
            levels += spells.empty() ? 0 : 1;
            for (const SpellRecord* spell : spells) {
                SCOPED_TRACE(spell->id);
                EXPECT_NE(std::find(rows.begin(), rows.end(), spell->displayName), rows.end());
                ++listed;
            }
        }
        EXPECT_EQ(rows.size(), listed + levels) << "one header per level";
    }

    // 3. Buying, acquiring and wearing, packing, money spent and earned, renaming and selling.
    showTab(Tab::InventoryTab);
    auto* inventory = tab<BRAVUIEquipmentTab>(Tab::InventoryTab);
    ASSERT_NE(inventory, nullptr);
    obtain("Misc", "backpack", true);
    expectEdited("buy a Backpack");
    obtain("Weapons", "arrows", true);
    obtain("Weapons", "arrows", true);
    expectEdited("buy Arrows");
    obtain("Armour", "leather_armour", false);
    expectEdited("acquire armour");
    selectRow("40x Arrows");
    selectRow("Leather");
    press(*inventory->equipButton);
    frames(2);
    expectEdited("Equip");
    ASSERT_NE(character->inventory.equippedArmour, nullptr);
    EXPECT_EQ(character->inventory.equippedArmour->id, "leather_armour");
    EXPECT_EQ(inventory->armourBox->text, "Leather Armour");
    selectRow("40x Arrows");
    press(*inventory->packButton);
    ASSERT_NE(inventory->packingWindow, nullptr);
    {
        BRAVUIPackingWindow* packing = inventory->packingWindow;
        BRAVUIContainerListItem* backpack = nullptr;
        for (auto* row : packing->list->items) {
            if (row->getSortKey().rfind("Backpack", 0) == 0) backpack = dynamic_cast<BRAVUIContainerListItem*>(row);
        }
        ASSERT_NE(backpack, nullptr);
        press(*backpack->pickButton);
        frames(3);
    }
    ASSERT_EQ(openWindow<BRAVUIPackingWindow>(), nullptr);
    expectEdited("Pack");
    {
        const std::int64_t purse = character->wealth.current.totalInCopper();
        pay(inventory->earnButton, {"0", "0", "3", "0", "0"});
        expectEdited("Earn");
        pay(inventory->spendButton, {"0", "0", "1", "0", "0"});
        expectEdited("Spend");
        EXPECT_EQ(character->wealth.current.totalInCopper(), purse + 3 * 50 - 50);
        const std::size_t count = character->wealth.history.size();
        ASSERT_GE(count, 2u);
        EXPECT_EQ(character->wealth.history[count - 2].description, "Earned money");
        EXPECT_EQ(character->wealth.history[count - 2].amount.electrum, 3);
        EXPECT_EQ(character->wealth.history[count - 1].description, "Spent money");
        EXPECT_EQ(character->wealth.history[count - 1].amount.electrum, -1);
    }
    selectRow("Backpack");
    press(*inventory->renameButton);
    auto* rename = openWindow<BRAVUIEquipmentCustomNameWindow>();
    ASSERT_NE(rename, nullptr);
    typeInto(*rename->nameBox, "Old pack");
    press(*rename->doneButton);
    frames(2);
    expectEdited("rename");
    selectRow("Old pack");
    {
        const BRAVCharacterEquipment* pack = nullptr;
        for (const auto& item : character->inventory.items) {
            if (item->id == "backpack") pack = item.get();
        }
        ASSERT_NE(pack, nullptr);
        EXPECT_EQ(pack->customName, "Old pack");
        ASSERT_EQ(pack->contents.size(), 1u);
        EXPECT_EQ(pack->contents[0]->id, "arrows");
        EXPECT_EQ(pack->contents[0]->quantity, 40);
    }
    selectRow("Dagger");
    press(*inventory->sellButton);
    auto* sale = openWindow<BRAVUIConfirmSalePriceWindow>();
    ASSERT_NE(sale, nullptr);
    // 7 gp typed in the GP box.
    for (std::size_t i = 0; i < sale->coinBoxes.size(); ++i) typeInto(*sale->coinBoxes[i], i == 1 ? "7" : "0");
    const std::int64_t beforeSale = character->wealth.current.totalInCopper();
    press(*sale->confirmButton);
    frames(3);
    expectEdited("Sell");
    ASSERT_GE(character->wealth.history.size(), 3u);
    EXPECT_EQ(character->wealth.history.back().description, "Sold equipment: Dagger");
    EXPECT_EQ(character->wealth.history.back().amount.gold, 7);
    EXPECT_EQ(character->wealth.current.totalInCopper(), beforeSale + 700);

    // 4. Hit points below the maximum, a biography line and a note.
    showTab(Tab::CoreTab);
    setHitPoints(std::to_string(character->maximumHitPoints - 1));
    EXPECT_EQ(character->currentHitPoints, character->maximumHitPoints - 1);
    expectEdited("Set HP");
    showTab(Tab::BioTab);
    typeText(*tab<BRAVUIBioTab>(Tab::BioTab)->biographyBox, "Raised by the river folk.");
    showTab(Tab::NotesTab);
    expectEdited("Bio");
    typeText(*tab<BRAVUINotesTab>(Tab::NotesTab)->notesBox, "Owes the ferryman a silver.");
    showTab(Tab::CoreTab);
    expectEdited("Notes");
    // The flag is clear from here on, as the last edit left it.
    character->saved = false;
    const auto before = everyTab();
    EXPECT_EQ(character->biography, "Raised by the river folk.");
    EXPECT_EQ(character->notes, "Owes the ferryman a silver.");
    EXPECT_FALSE(character->saved);
    const std::string path = character->filePath;

    // 5. Closing asks, and Save & Quit quits.
    menu->requestQuit();
    frame();
    ASSERT_NE(menu->saveQuitDialog, nullptr);
    EXPECT_EQ(menu->saveQuitDialog->title, "Save Confirmation");
    click(*menu->saveQuitDialog->okButton);
    frame();
    ASSERT_EQ(menu->status(), static_cast<std::uint32_t>(BaseState::Quit));
    ASSERT_EQ(menu->status(), 11u);
    const std::string firstSave = savedTreeOf(path);

    // 6. The next start reopens it on Core.
    manager.clearStates();
    start();
    frame();
    ASSERT_NE(menu->characterSheet, nullptr);
    EXPECT_EQ(sheet().shownTab, Tab::CoreTab);
    EXPECT_EQ(menu->character->filePath, path);

    // 7. Every tab shows what it showed, and saving again writes the same tree.
    const auto after = everyTab();
    for (const auto& [name, texts] : before) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(texts.empty());
        EXPECT_EQ(after.at(name), texts);
    }
    ASSERT_TRUE(menu->character->save(path));
    EXPECT_EQ(savedTreeOf(path), firstSave);
}

} // namespace
