#include "tracker/sheet/bravui_equipment_buy_window.h"

#include <algorithm>

#include "rules/character_equipment.h"
#include "rules/character_sheet.h"
#include "rules/equipment_catalogue.h"
#include "tracker/equipment_shown_name.h"
#include "tracker/rows/bravui_equipment_list_item.h"
#include "tracker/sheet/bravui_confirm_acquire_equipment_details_window.h"
#include "tracker/sheet/bravui_confirm_equipment_purchase_price_and_name_window.h"
#include "tracker/wizard/window_parts.h"
#include "ui/game_ui_combo_box.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_scrollable_text_box.h"
#include "ui/game_ui_standard_element_list.h"
#include "ui/window_manager.h"

namespace {

using Window = BRAVUIEquipmentBuyWindow;

constexpr const char* firstCategory = "Misc";

struct Category {
    const char* name;
    std::vector<int> types;
};

const std::vector<Category>& categories() {
    static const std::vector<Category> table = {
        {"Misc", {EquipmentType::Other, EquipmentType::MiscMeleeWeapon, EquipmentType::Container,
                  EquipmentType::Spellbook}},
        {"Weapons", {EquipmentType::MeleeWeapon, EquipmentType::RangedWeapon, EquipmentType::Ammo}},
        {"Armour", {EquipmentType::Shield, EquipmentType::Armour, EquipmentType::HorseArmour,
                    EquipmentType::MiscArmour}},
        {"Food", {EquipmentType::Food}},
        {"Horses & Transport", {EquipmentType::Carrier}},
    };
    return table;
}

} // namespace

Window::BRAVUIEquipmentBuyWindow(std::uint32_t tag, UIContext* owner, const Theme* theme, const float topLeft[2],
                                 const float bottomRight[2], const std::string& title, std::uint32_t depth,
                                 const EquipmentCatalogue* catalogue, CharacterSheet* character)
    : GameUIBaseWindow(tag, owner, theme, windowName, title, topLeft, bottomRight, depth, nullptr, true),
      catalogue(catalogue), character(character) {
    listTitleLabel = windowparts::addTitleLabel(*this, "proficienciesListTitleLabel", " Buy Equipment ", -0.95f, 0.95f,
                                                -0.05f, 0.85f);

    const float listTopLeft[2] = {-0.95f, 0.65f}, listBottomRight[2] = {-0.05f, -0.7f};
    equipmentList =
        new GameUIStandardElementList(tag, owner, listTopLeft, listBottomRight, theme, "equipmentList", "", this, true, "");
    equipmentList->eventSignal.connect(this, &Window::onListEvent);
    addChild(equipmentList);

    descriptionLabel =
        windowparts::addTitleLabel(*this, "descriptionBoxTitleLabel", "Description", 0.05f, 0.95f, 0.95f, 0.85f);
    const float descriptionTopLeft[2] = {0.05f, 0.8f}, descriptionBottomRight[2] = {0.95f, -0.7f};
    descriptionBox = new GameUIScrollableTextBox(tag, owner, theme, "descriptionTextBox", "", "", descriptionTopLeft,
                                                 descriptionBottomRight, this, 0, 0, 0);
    addChild(descriptionBox);

    buyButton = windowparts::addReportingButton(*this, "buyButton", "Buy", "Buy the selected equipment", -0.95f, -0.75f,
                                                -0.55f, -0.95f, &Window::onBuyButton);
    acquireButton = windowparts::addReportingButton(*this, "acquireButton", "Acquire", "Acquire the selected equipment",
                                                    -0.45f, -0.75f, -0.05f, -0.95f, &Window::onAcquireButton);
    finishButton = windowparts::addReportingButton(*this, "finishButton", "Finish",
                                                   "Finish buying and acquiring new items", 0.55f, -0.75f, 0.95f,
                                                   -0.95f, &Window::onFinishButton);
    // Closing the window is finishing.
    if (closeButton) {
        closeButton->clickSignal.disconnect(this);
        closeButton->clickSignal.connect(this, &Window::onFinishButton);
    }

    const float comboTopLeft[2] = {-0.95f, 0.8f}, comboBottomRight[2] = {-0.05f, 0.7f};
    categoryCombo = new GameUIComboBox(tag, owner, theme, theme, "classCombo", firstCategory, "", comboTopLeft,
                                       comboBottomRight, this, "", "");
    for (const Category& category : categories()) categoryCombo->addOption(category.name);
    categoryCombo->eventSignal.connect(this, &Window::onCategoryEvent);
    addChild(categoryCombo);

    fillList(firstCategory);
    topDepth = getMaxChildDepth();
}

Window::~BRAVUIEquipmentBuyWindow() {
    finishButton->clickSignal.disconnect(this);
    buyButton->clickSignal.disconnect(this);
    acquireButton->clickSignal.disconnect(this);
    equipmentList->eventSignal.disconnect(this);
    categoryCombo->eventSignal.disconnect(this);
    closeConfirmation(purchaseWindow);
    closeConfirmation(acquireWindow);
}

std::vector<int> Window::categoryTypes(const std::string& category) {
    for (const Category& entry : categories()) {
        if (category == entry.name) return entry.types;
    }
    return {};
}

std::string Window::rowText(const Equipment& record) {
    if (record.purchaseQuantity > 1) return std::to_string(record.purchaseQuantity) + "x " + record.displayName;
    return record.displayName;
}

const Equipment* Window::selectedRecord() const {
    const auto* row = dynamic_cast<const BRAVUIEquipmentListItem*>(equipmentList->selectedItem);
    return row ? row->record : nullptr;
}

void Window::fillList(const std::string& category) {
    std::vector<const Equipment*> records;
    if (catalogue) catalogue->collectEquipmentOfTypes(records, categoryTypes(category));
    equipmentList->clearItems();
    // Nothing of the new category is chosen yet.
    equipmentList->selectedIndex = -1;
    equipmentList->requestedIndex = -1;
    descriptionBox->setText("");
    for (const Equipment* record : records) {
        equipmentList->addItem(new BRAVUIEquipmentListItem(tag, owner, theme, record->id, rowText(*record), "", record,
                                                           0, equipmentList));
    }
}

void Window::onFinishButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) finishPressed = 1;
}

void Window::onBuyButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) buyPressed = 1;
}

void Window::onAcquireButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) acquirePressed = 1;
}

void Window::onListEvent(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) selectionChanged = 1;
}

void Window::onCategoryEvent(UIEvent::Data& event) {
    if (event.name != "openingComboBox" && event.name != "closingComboBox") categoryChanged = 1;
}

void Window::onPurchaseWindowEvent(UIEvent::Data& event) {
    if (event.name == BRAVUIConfirmEquipmentPurchasePriceAndNameWindow::confirmEvent) {
        buyConfirmed = 1;
    } else if (event.name == BRAVUIConfirmEquipmentPurchasePriceAndNameWindow::cancelEvent) {
        buyCancelled = 1;
    }
}

void Window::onAcquireWindowEvent(UIEvent::Data& event) {
    if (event.name == BRAVUIConfirmAcquireEquipmentDetailsWindow::confirmEvent) {
        acquireConfirmed = 1;
    } else if (event.name == BRAVUIConfirmAcquireEquipmentDetailsWindow::cancelEvent) {
        acquireCancelled = 1;
    }
}

std::uint32_t Window::confirmationDepth() const {
    return std::min(getMaxChildDepth() + 1, GameUIBaseElement::maxDepth);
}

void Window::openConfirmation(GameUIBaseWindow* window) {
    WindowManager* manager = windowManager();
    if (!manager) return;
    manager->addWindow(window);
    manager->setActiveWindow(window);
}

void Window::closeConfirmation(GameUIBaseWindow* window) {
    if (!window) return;
    window->windowSignal.disconnect(this);
    if (WindowManager* manager = windowManager()) manager->removeWindow(window);
}

BRAVCharacterEquipment* Window::startPending(const Equipment*& record) {
    record = selectedRecord();
    if (!record || pendingItem || !windowManager()) return nullptr;
    pendingItem = std::make_unique<BRAVCharacterEquipment>(character ? character->owner : nullptr, record);
    return pendingItem.get();
}

void Window::finishPending(GameUIBaseWindow* window) {
    closeConfirmation(window);
    pendingItem.reset();
    if (WindowManager* manager = windowManager()) manager->setActiveWindow(this);
}

void Window::stepBuying() {
    if (buyPressed) {
        buyPressed = 0;
        const Equipment* record = nullptr;
        if (BRAVCharacterEquipment* item = startPending(record)) {
            const float topLeft[2] = {-0.75f, 0.5f}, bottomRight[2] = {0.75f, -0.5f};
            purchaseWindow = new BRAVUIConfirmEquipmentPurchasePriceAndNameWindow(
                tag, owner, windowManager()->getTheme("default_theme"), character, item, topLeft, bottomRight,
                titlePrefix + record->displayName, confirmationDepth());
            purchaseWindow->windowSignal.connect(this, &Window::onPurchaseWindowEvent);
            openConfirmation(purchaseWindow);
        }
    }
    if (buyCancelled) {
        buyCancelled = 0;
        if (purchaseWindow && pendingItem) {
            finishPending(purchaseWindow);
            purchaseWindow = nullptr;
        }
    }
    if (buyConfirmed) {
        buyConfirmed = 0;
        if (purchaseWindow && pendingItem && character) {
            const Money amount = pendingItem->customValue.isZero() && pendingItem->record ? pendingItem->record->value
                                                                                           : pendingItem->customValue;
            const int row = character->purchaseEquipment(*pendingItem, equipmentShownName(*pendingItem), amount);
            finishPending(purchaseWindow);
            purchaseWindow = nullptr;
            reportEvent(updatedEvent, static_cast<std::uint32_t>(row));
        }
    }
}

void Window::stepAcquiring() {
    if (acquirePressed) {
        acquirePressed = 0;
        const Equipment* record = nullptr;
        if (BRAVCharacterEquipment* item = startPending(record)) {
            const float topLeft[2] = {-0.65f, 0.3f}, bottomRight[2] = {0.65f, -0.3f};
            acquireWindow = new BRAVUIConfirmAcquireEquipmentDetailsWindow(
                tag, owner, windowManager()->getTheme("default_theme"), character, item, topLeft, bottomRight,
                titlePrefix + record->displayName, confirmationDepth());
            acquireWindow->windowSignal.connect(this, &Window::onAcquireWindowEvent);
            openConfirmation(acquireWindow);
        }
    }
    if (acquireCancelled) {
        acquireCancelled = 0;
        if (acquireWindow && pendingItem) {
            finishPending(acquireWindow);
            acquireWindow = nullptr;
        }
    }
    if (acquireConfirmed) {
        acquireConfirmed = 0;
        if (acquireWindow && pendingItem && character) {
            const int row = character->acquireEquipment(*pendingItem);
            finishPending(acquireWindow);
            acquireWindow = nullptr;
            reportEvent(updatedEvent, static_cast<std::uint32_t>(row));
        }
    }
}

void Window::update(float dt) {
    if (finishPressed) {
        finishPressed = 0;
        reportEvent(closeEvent);
    }
    if (selectionChanged) {
        selectionChanged = 0;
        if (const Equipment* record = selectedRecord()) descriptionBox->setText(record->description);
    }
    if (categoryChanged) {
        categoryChanged = 0;
        fillList(categoryCombo->text);
    }
    stepBuying();
    stepAcquiring();
    GameUIStandardElement::update(dt);
}
