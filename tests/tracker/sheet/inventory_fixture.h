#pragma once
// What the Inventory tab's tests share: money written platinum first as the boxes show it, small
// catalogue records, a sheet whose character is given items through the rules with the Inventory
// tab shown and driven by clicks, and one of the tab's windows opened alone.
#include "tracker/sheet/sheet_fixture.h"

#include <array>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "rules/equipment_catalogue.h"
#include "support/temp_folder.h"
#include "tracker/rows/bravui_equipment_list_item.h"
#include "tracker/sheet/bravui_equipment_tab.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_standard_element_list.h"

inline Money coins(std::int32_t pp, std::int32_t gp, std::int32_t ep, std::int32_t sp, std::int32_t cp) {
    Money money;
    money.platinum = pp;
    money.gold = gp;
    money.electrum = ep;
    money.silver = sp;
    money.copper = cp;
    return money;
}

inline Equipment fixtureEquipment(const std::string& id, const std::string& name, const Money& value,
                                  bool stackable = false) {
    Equipment equipment;
    equipment.id = id;
    equipment.displayName = name;
    equipment.value = value;
    equipment.isStackable = stackable;
    return equipment;
}

class InventoryTest : public SheetTest {
protected:
    InventoryTest() { ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), 0.04f); }

    const Equipment* record(const std::string& id) const {
        const Equipment* found = sheetTestRules().equipment.findEquipment(id);
        EXPECT_NE(found, nullptr) << id;
        return found;
    }
    // An item of a shipped record (saved and loaded by id); null record: an id the catalogue lacks.
    std::unique_ptr<BRAVCharacterEquipment> make(const Equipment* from, int quantity = 1) const {
        auto item = std::make_unique<BRAVCharacterEquipment>(nullptr, from);
        item->quantity = quantity;
        return item;
    }
    std::unique_ptr<BRAVCharacterEquipment> make(const std::string& id, int quantity = 1) const {
        return make(record(id), quantity);
    }
    // Appends to the top level, or into container; returns the item.
    BRAVCharacterEquipment* give(const Equipment* from, int quantity = 1, BRAVCharacterEquipment* container = nullptr) {
        auto item = make(from, quantity);
        BRAVCharacterEquipment* raw = item.get();
        character->inventory.attachEquipment(std::move(item), container);
        return raw;
    }
    BRAVCharacterEquipment* give(const std::string& id, int quantity = 1, BRAVCharacterEquipment* container = nullptr) {
        return give(record(id), quantity, container);
    }

    void openInventory() {
        openSheet();
        pressTab("inventoryTab");
        settle();
        ASSERT_NE(tab(), nullptr);
        ASSERT_NE(tab()->inventoryList, nullptr);
    }
    void settle() {
        for (int i = 0; i < 3; ++i) ui.step();
    }
    BRAVUIEquipmentTab* tab() const {
        return dynamic_cast<BRAVUIEquipmentTab*>(sheet->tabs[BRAVUITabbedFullCharacterSheet::InventoryTab].get());
    }
    BRAVUIEquipmentListItem* row(std::size_t index) const {
        auto& items = tab()->inventoryList->items;
        return index < items.size() ? dynamic_cast<BRAVUIEquipmentListItem*>(items[index]) : nullptr;
    }
    std::vector<std::string> rowTexts() const {
        std::vector<std::string> texts;
        for (auto* item : tab()->inventoryList->items) texts.push_back(item->getSortKey());
        return texts;
    }
    std::vector<std::string> idsOf(const EquipmentList& list) const {
        std::vector<std::string> ids;
        for (const auto& item : list) ids.push_back(item->id);
        return ids;
    }
    void select(std::int32_t index) {
        tab()->inventoryList->selectItem(index);
        settle();
    }
    void click(const GameUIBaseElement* element) {
        ASSERT_NE(element, nullptr);
        ui.clickElement(*element);
        settle();
    }
    // One frame only: what the tab shows in the update that acts.
    void clickOnce(const GameUIBaseElement* element) {
        ASSERT_NE(element, nullptr);
        ui.clickElement(*element);
    }

    std::string saveText() {
        EXPECT_TRUE(character->save(savePath()));
        std::ifstream file(savePath());
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    std::unique_ptr<CharacterSheet> saveAndLoad() {
        EXPECT_TRUE(character->save(savePath()));
        RulesCatalogues& rules = sheetTestRules();
        auto loaded =
            std::make_unique<CharacterSheet>(nullptr, rules.classes, rules.proficiencies, rules.equipment, rules.spells);
        EXPECT_TRUE(loaded->load(savePath()));
        return loaded;
    }
    std::string savePath() const { return folder.path() + "hero.xml"; }

    TempFolder folder;
};

// One window of the tab on its own, active, its reports recorded.
template <class Window>
class WindowAloneTest : public SheetTest {
protected:
    ~WindowAloneTest() override { close(); }

    Window* show(Window* made) {
        window = ui.addWindow(made, true);
        ui.clearEvents();
        ui.record(window->windowSignal);
        ui.step();
        return window;
    }
    void close() {
        if (window) ui.windowManager().removeWindow(window);
        ui.windowManager().applyRemovals();
        window = nullptr;
    }
    void press(GameUIBaseElement* button) {
        ui.clickElement(*button);
        ui.step();
    }
    // The coin boxes, platinum first, as a paste sets them.
    void setBoxes(const std::array<std::string, 5>& texts) {
        for (std::size_t i = 0; i < texts.size(); ++i) window->coinBoxes[i]->setText(texts[i]);
        ui.step();
    }
    std::vector<std::string> eventNames() const {
        std::vector<std::string> names;
        for (const RecordedUIEvent& event : ui.events()) names.push_back(event.name);
        return names;
    }

    Window* window = nullptr;
};
