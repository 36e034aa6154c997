#include "tracker/sheet/bravui_equipment_tab.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "render/render_interface.h"
#include "render/text_markup.h"
#include "rules/character_sheet.h"
#include "rules/equipment.h"
#include "tracker/equipment_shown_name.h"
#include "tracker/rows/bravui_equipment_list_item.h"
#include "tracker/sheet/title_label.h"
#include "ui/game_ui_confirmation_dialog.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_element_group.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_scrollable_text_box.h"
#include "ui/game_ui_standard_element_list.h"
#include "ui/window_manager.h"

namespace {

std::string descriptionOf(const BRAVCharacterEquipment* item) {
    return item && item->record ? item->record->description : std::string();
}

// The rows addItemRows lists below an open item: items without an id are not listed, and neither
// is anything inside them.
std::int32_t listedRowsBelow(const BRAVCharacterEquipment& item) {
    if (!item.areContentsExpanded) return 0;
    std::int32_t rows = 0;
    for (const auto& child : item.contents) {
        if (child->id.empty()) continue;
        rows += 1 + listedRowsBelow(*child);
    }
    return rows;
}

} // namespace

BRAVUIEquipmentTab::BRAVUIEquipmentTab(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                       CharacterSheet* character, EquipmentCatalogue* catalogue)
    : tag(tag), owner(owner), theme(theme), catalogue(catalogue), character(character) {}

BRAVUIEquipmentTab::~BRAVUIEquipmentTab() {
    closeExpendDialog();
    closeItemWindows();
}

std::string BRAVUIEquipmentTab::expendMessage(const std::string& shownName) {
    return "Expending (or consuming) equipment will remove one " + shownName +
           " from this character's equipment list and it cannot be recovered. Are you sure you wish to expend or "
           "consume " +
           shownName + "?";
}

// --- Building -------------------------------------------------------------------------------

void BRAVUIEquipmentTab::attach(GameUIElementGroup* newPanel) {
    if (!newPanel || !character) return;
    panel = newPanel;
    build();
}

GameUIPushButton* BRAVUIEquipmentTab::makeButton(const char* name, const char* caption, const char* toolTip,
                                                 const float topLeft[2], const float bottomRight[2],
                                                 void (BRAVUIEquipmentTab::*slot)(UIEvent::Data&)) {
    auto* button = new GameUIPushButton(owner, theme, name, caption, toolTip, topLeft, bottomRight, panel);
    // Set at creation: without it the button never reports a click.
    button->signalsEnabled = 1;
    button->clickSignal.connect(this, slot);
    panel->addElement(button);
    return button;
}

GameUIEditableTextLineBox* BRAVUIEquipmentTab::makeDisplayBox(const char* name, const std::string& text,
                                                             const char* toolTip, const float topLeft[2],
                                                             const float bottomRight[2]) {
    RenderInterface* ri = owner ? owner->renderInterface : nullptr;
    auto* box = new GameUIEditableTextLineBox(owner, theme, name, text, ri ? ri->mainFontName() : std::string(),
                                              toolTip, topLeft, bottomRight, panel, true);
    // Nothing typed here would ever be read back: the purse and the slots change only through
    // the tab's actions, so the boxes only show.
    box->editable = 0;
    panel->addElement(box);
    return box;
}

void BRAVUIEquipmentTab::build() {
    addPanelTitle(panel, owner, theme, "equipmentListTitleLabel", "Equipment", -0.95f, 0.95f, -0.05f, 0.85f);
    const float listTL[2] = {-0.95f, 0.85f}, listBR[2] = {-0.15f, -0.55f};
    inventoryList = new GameUIStandardElementList(tag, owner, listTL, listBR, theme, "equipmentList",
                                                  "A list of all equipment this character currently has", panel,
                                                  false, "");
    inventoryList->eventSignal.connect(this, &BRAVUIEquipmentTab::onListEvent);
    panel->addElement(inventoryList);
    std::int32_t row = 0;
    addItemRows(character->inventory.items, row, 0);
    selectedRow = 0;
    inventoryList->selectItem(0);

    addPanelTitle(panel, owner, theme, "descriptionBoxTitleLabel", "Description", -0.05f, 0.95f, 0.95f, 0.85f);
    const float descriptionTL[2] = {-0.05f, 0.85f}, descriptionBR[2] = {0.95f, 0.05f};
    const BRAVUIEquipmentListItem* first = rowAt(0);
    descriptionBox = new GameUIScrollableTextBox(tag, owner, theme, "descriptionTextBox",
                                                 descriptionOf(first ? first->item : nullptr), "", descriptionTL,
                                                 descriptionBR, panel, 0, 0, 0);
    panel->addElement(descriptionBox);

    buildButtons();
    const BRAVCharacterEquipment* item = selectedItem();
    if (equipButton) equipButton->setEnabled(item && Inventory::isWearable(*item));
    buildLootPanel();
    buildEquippedPanel();
}

void BRAVUIEquipmentTab::buildButtons() {
    struct Button {
        const char* name;
        const char* caption;
        const char* toolTip;
        float left, top, right, bottom;
        void (BRAVUIEquipmentTab::*slot)(UIEvent::Data&);
        GameUIPushButton* BRAVUIEquipmentTab::*field;
    };
    const Button buttons[] = {
        {"renameButton", "Custom name", "Give the selected item a custom name.", -0.95f, -0.6f, -0.7f, -0.75f,
         &BRAVUIEquipmentTab::onRenameButton, &BRAVUIEquipmentTab::renameButton},
        {"addButton", "Add", "Buy or acquire a new piece of equipment.", -0.65f, -0.6f, -0.55f, -0.75f,
         &BRAVUIEquipmentTab::onAddButton, &BRAVUIEquipmentTab::addButton},
        {"sellButton", "Sell", "Sell the selected piece of equipment.", -0.5f, -0.6f, -0.4f, -0.75f,
         &BRAVUIEquipmentTab::onSellButton, &BRAVUIEquipmentTab::sellButton},
        {"expendButton", "Expend", "Consume, use up or otherwise dispose of the selected piece of equipment.", -0.35f,
         -0.6f, -0.2f, -0.75f, &BRAVUIEquipmentTab::onExpendButton, &BRAVUIEquipmentTab::expendButton},
        {"equipButton", "Equip", "Equip a piece of armour or shield.", -0.95f, -0.8f, -0.7f, -0.95f,
         &BRAVUIEquipmentTab::onEquipButton, &BRAVUIEquipmentTab::equipButton},
        {"packButton", "Pack", "Pack or unpack a item from a container", -0.65f, -0.8f, -0.5f, -0.95f,
         &BRAVUIEquipmentTab::onPackButton, &BRAVUIEquipmentTab::packButton},
    };
    for (const Button& b : buttons) {
        const float topLeft[2] = {b.left, b.top}, bottomRight[2] = {b.right, b.bottom};
        this->*b.field = makeButton(b.name, b.caption, b.toolTip, topLeft, bottomRight, b.slot);
    }
}

void BRAVUIEquipmentTab::buildLootPanel() {
    addPanelTitle(panel, owner, theme, "lootTitleLabel", "Loot", 0.7f, -0.05f, 0.85f, -0.15f);
    struct Coin {
        const char* caption;
        const char* labelToolTip;
        const char* boxName;
        const char* boxToolTip;
        float left, top;
        GameUIEditableTextLineBox* BRAVUIEquipmentTab::*field;
    };
    // Platinum first on screen; the purse keeps copper first.
    const Coin coins[] = {
        {"PP: ", "Platinum Pieces", "platinumEditBox", "This character's total platinum pieces", 0.45f, -0.2f,
         &BRAVUIEquipmentTab::platinumBox},
        {"GP: ", "Gold Pieces", "goldEditBox", "This character's total gold pieces", 0.45f, -0.35f,
         &BRAVUIEquipmentTab::goldBox},
        {"EP: ", "Electrum Pieces", "electrumEditBox", "This character's total electrum pieces", 0.45f, -0.5f,
         &BRAVUIEquipmentTab::electrumBox},
        {"SP: ", "Silver Pieces", "silverEditBox", "This character's total silver pieces", 0.7f, -0.2f,
         &BRAVUIEquipmentTab::silverBox},
        {"CP: ", "Copper Pieces", "copperEditBox", "This character's total copper pieces", 0.7f, -0.35f,
         &BRAVUIEquipmentTab::copperBox},
    };
    for (const Coin& coin : coins) {
        const float labelTL[2] = {coin.left, coin.top}, labelBR[2] = {coin.left + 0.1f, coin.top - 0.1f};
        panel->addElement(makeSheetLabel(owner, theme, "attributeDescription", coin.caption, coin.labelToolTip, labelTL,
                                         labelBR, panel));
        const float boxTL[2] = {coin.left + 0.1f, coin.top}, boxBR[2] = {coin.left + 0.25f, coin.top - 0.1f};
        this->*coin.field = makeDisplayBox(coin.boxName, "", coin.boxToolTip, boxTL, boxBR);
    }
    refreshMoney();
    const float accountsTL[2] = {0.8f, -0.5f}, accountsBR[2] = {0.95f, -0.65f};
    transactionsButton = makeButton(
        "transactionsButton", "Accounts",
        "View all the transactions where this character has spent or acquired money.", accountsTL, accountsBR,
        &BRAVUIEquipmentTab::onTransactionsButton);
    const float spendTL[2] = {0.55f, -0.7f}, spendBR[2] = {0.7f, -0.85f};
    spendButton = makeButton("spendButton", "Spend",
                             "Spend, or otherwise lose some amount of your character's funds.", spendTL, spendBR,
                             &BRAVUIEquipmentTab::onSpendButton);
    const float earnTL[2] = {0.8f, -0.7f}, earnBR[2] = {0.95f, -0.85f};
    earnButton = makeButton("earnButton", "Earn",
                            "Earn, or otherwise gain some amount of new money for your character.", earnTL, earnBR,
                            &BRAVUIEquipmentTab::onEarnButton);
}

void BRAVUIEquipmentTab::buildEquippedPanel() {
    const float armourLabelTL[2] = {-0.05f, -0.2f}, armourLabelBR[2] = {0.4f, -0.3f};
    panel->addElement(makeSheetLabel(owner, theme, "equippedArmourLabel", "[*Equipped Armour]",
                                     "Armour the character is currently wearing", armourLabelTL, armourLabelBR, panel));
    const float armourTL[2] = {-0.05f, -0.3f}, armourBR[2] = {0.4f, -0.4f};
    armourBox = makeDisplayBox("equippedArmourTextBox", "", "", armourTL, armourBR);
    const float shieldLabelTL[2] = {-0.05f, -0.5f}, shieldLabelBR[2] = {0.4f, -0.6f};
    panel->addElement(makeSheetLabel(owner, theme, "equippedShieldLabel", "[*Equipped Shield]",
                                     "Shield the character has equipped", shieldLabelTL, shieldLabelBR, panel));
    const float shieldTL[2] = {-0.05f, -0.6f}, shieldBR[2] = {0.4f, -0.7f};
    shieldBox = makeDisplayBox("equippedShieldTextBox", "", "", shieldTL, shieldBR);
    const float clearShieldTL[2] = {0.4f, -0.6f}, clearShieldBR[2] = {0.45f, -0.7f};
    clearShieldButton = makeButton("clearEquippedShieldButton", "X", "Clear equipped shield", clearShieldTL,
                                   clearShieldBR, &BRAVUIEquipmentTab::onClearShieldButton);
    const float clearArmourTL[2] = {0.4f, -0.3f}, clearArmourBR[2] = {0.45f, -0.4f};
    clearArmourButton = makeButton("clearEquippedArmourButton", "X", "Clear equipped armour", clearArmourTL,
                                   clearArmourBR, &BRAVUIEquipmentTab::onClearArmourButton);
    refreshEquipped();
}

void BRAVUIEquipmentTab::addItemRows(EquipmentList& items, std::int32_t& rowIndex, std::uint32_t indent) {
    if (!inventoryList) return;
    for (std::size_t i = 0; i < items.size(); ++i) {
        BRAVCharacterEquipment* item = items[i].get();
        if (item->id.empty()) continue;
        auto* row = new BRAVUIEquipmentListItem(tag, owner, theme, item->id, equipmentRowText(*item), "", item, indent,
                                                inventoryList);
        row->showUp = i != 0 ? 1 : 0;
        row->showDown = i + 1 != items.size() ? 1 : 0;
        inventoryList->insertItem(row, rowIndex);
        ++rowIndex;
        if (item->areContentsExpanded) addItemRows(item->contents, rowIndex, indent + 1);
    }
}

void BRAVUIEquipmentTab::refreshMoney() {
    if (!character) return;
    const Money& purse = character->wealth.current;
    const std::pair<GameUIEditableTextLineBox*, std::int32_t> boxes[] = {
        {platinumBox, purse.platinum}, {goldBox, purse.gold},     {electrumBox, purse.electrum},
        {silverBox, purse.silver},     {copperBox, purse.copper},
    };
    for (const auto& [box, count] : boxes) {
        if (box) box->setText(std::to_string(count));
    }
}

void BRAVUIEquipmentTab::detach() {
    if (inventoryList) inventoryList->eventSignal.disconnect(this);
    for (GameUIPushButton* button :
         {renameButton, addButton, sellButton, expendButton, equipButton, packButton, clearShieldButton,
          clearArmourButton, transactionsButton, spendButton, earnButton}) {
        if (!button) continue;
        button->clickSignal.disconnect(this);
        button->signalsEnabled = 0;
    }
    // The panel deletes every widget right after: no step may write to one again.
    inventoryList = nullptr;
    descriptionBox = nullptr;
    renameButton = addButton = sellButton = expendButton = equipButton = packButton = nullptr;
    clearShieldButton = clearArmourButton = transactionsButton = spendButton = earnButton = nullptr;
    platinumBox = goldBox = electrumBox = silverBox = copperBox = nullptr;
    armourBox = shieldBox = nullptr;
    panel = nullptr;
}

// --- Slots ----------------------------------------------------------------------------------

void BRAVUIEquipmentTab::onListEvent(UIEvent::Data& event) {
    // Row buttons report through the list with their own words; anything else of type 1 is a
    // selection.
    if (event.name == BRAVUIEquipmentListItem::expandEvent) {
        expandPressed = 1;
    } else if (event.name == BRAVUIEquipmentListItem::shuffleUpEvent) {
        shuffleUpPressed = 1;
    } else if (event.name == BRAVUIEquipmentListItem::shuffleDownEvent) {
        shuffleDownPressed = 1;
    } else if (event.type == UIEvent::Click) {
        selectionChanged = 1;
    } else {
        return;
    }
    selectedRow = event.value;
}

void BRAVUIEquipmentTab::onRenameButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) renamePressed = 1;
}
void BRAVUIEquipmentTab::onAddButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) addPressed = 1;
}
void BRAVUIEquipmentTab::onSellButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) sellPressed = 1;
}
void BRAVUIEquipmentTab::onExpendButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) expendPressed = 1;
}
void BRAVUIEquipmentTab::onEquipButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) equipPressed = 1;
}
void BRAVUIEquipmentTab::onPackButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) packPressed = 1;
}
void BRAVUIEquipmentTab::onClearShieldButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) clearShieldPending = 1;
}
void BRAVUIEquipmentTab::onClearArmourButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) clearArmourPending = 1;
}
void BRAVUIEquipmentTab::onTransactionsButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) transactionsPressed = 1;
}
void BRAVUIEquipmentTab::onSpendButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) spendPressed = 1;
}
void BRAVUIEquipmentTab::onEarnButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) earnPressed = 1;
}

void BRAVUIEquipmentTab::onExpendConfirmationEvent(UIEvent::Data& event) {
    if (event.name == "okButton") expendConfirmed = 1;
    else if (event.name == "cancelButton") expendCancelled = 1;
}

// --- Rows and boxes -------------------------------------------------------------------------

BRAVUIEquipmentListItem* BRAVUIEquipmentTab::rowAt(std::uint32_t index) const {
    if (!inventoryList || index >= inventoryList->items.size()) return nullptr;
    return dynamic_cast<BRAVUIEquipmentListItem*>(inventoryList->items[index]);
}

std::int32_t BRAVUIEquipmentTab::rowOf(const BRAVCharacterEquipment* item) const {
    if (!inventoryList || !item) return -1;
    for (std::size_t i = 0; i < inventoryList->items.size(); ++i) {
        auto* row = dynamic_cast<BRAVUIEquipmentListItem*>(inventoryList->items[i]);
        if (row && row->item == item) return static_cast<std::int32_t>(i);
    }
    return -1;
}

BRAVCharacterEquipment* BRAVUIEquipmentTab::selectedItem() const {
    const BRAVUIEquipmentListItem* row = rowAt(selectedRow);
    return row ? row->item : nullptr;
}

void BRAVUIEquipmentTab::rebuildList(const BRAVCharacterEquipment* show, std::uint32_t fallbackRow) {
    if (!inventoryList || !character) return;
    inventoryList->clearItems();
    std::int32_t rows = 0;
    addItemRows(character->inventory.items, rows, 0);
    std::int32_t target = rowOf(show);
    if (target < 0) target = std::min(static_cast<std::int32_t>(fallbackRow), rows - 1);
    if (target < 0) target = 0;
    selectedRow = static_cast<std::uint32_t>(target);
    inventoryList->scrollTo(target);
    inventoryList->selectItem(target);
    // The selection's event comes a frame later; the description must not name a deleted item
    // until then.
    showSelection();
}

void BRAVUIEquipmentTab::showSelection() {
    const BRAVCharacterEquipment* item = selectedItem();
    if (descriptionBox) descriptionBox->setText(descriptionOf(item));
    if (equipButton) equipButton->setEnabled(item && Inventory::isWearable(*item));
}

void BRAVUIEquipmentTab::refreshEquipped() {
    if (!character) return;
    const BRAVCharacterEquipment* armour = character->inventory.equippedArmour;
    const BRAVCharacterEquipment* shield = character->inventory.equippedShield;
    if (armourBox) {
        armourBox->setText(armour ? equipmentShownName(*armour) : "None");
        armourBox->toolTip = armour && armour->record ? armour->record->description : noArmourToolTip;
    }
    if (shieldBox) {
        shieldBox->setText(shield ? equipmentShownName(*shield) : "None");
        shieldBox->toolTip = shield && shield->record ? shield->record->description : noShieldToolTip;
    }
    if (clearArmourButton) clearArmourButton->setEnabled(armour != nullptr);
    if (clearShieldButton) clearShieldButton->setEnabled(shield != nullptr);
}

// --- Steps ----------------------------------------------------------------------------------

void BRAVUIEquipmentTab::stepEquip() {
    BRAVCharacterEquipment* item = selectedItem();
    if (!item) return;
    // Equipping brings an item out of its container: the list changes then.
    const bool moved = item->parent != nullptr;
    if (!character->equipEquipment(item)) return;
    if (moved) rebuildList(item, selectedRow);
    refreshEquipped();
}

void BRAVUIEquipmentTab::stepExpand() {
    BRAVUIEquipmentListItem* row = rowAt(selectedRow);
    if (!row || !row->item || row->item->contents.empty()) return;
    BRAVCharacterEquipment* item = row->item;
    const std::int32_t index = static_cast<std::int32_t>(selectedRow);
    if (item->areContentsExpanded) {
        const std::int32_t below = listedRowsBelow(*item);
        if (below > 0) inventoryList->removeItems(index + 1, index + below);
        item->areContentsExpanded = false;
    } else {
        std::int32_t next = index + 1;
        addItemRows(item->contents, next, row->nestingDepth + 1);
        item->areContentsExpanded = true;
    }
    // The new caption of the expand button shows at the next placement.
    inventoryList->layoutItems(inventoryList->firstVisible);
}

void BRAVUIEquipmentTab::stepShuffle(bool up) {
    BRAVCharacterEquipment* item = selectedItem();
    if (!item) return;
    const bool moved = up ? character->moveEquipmentUp(item) : character->moveEquipmentDown(item);
    if (moved) rebuildList(item, selectedRow);
}

void BRAVUIEquipmentTab::stepExpend() {
    if (expendPressed) {
        expendPressed = 0;
        BRAVCharacterEquipment* item = selectedItem();
        if (item && openTabWindow(
                        owner, expendDialog,
                        [&] {
                            return new GameUIConfirmationDialog(tag, owner, theme, "Confirm Expend Equipment",
                                                                expendMessage(literalText(equipmentShownName(*item))),
                                                                "expendConfirmation", windowDepth(), 0, "OK", "Cancel");
                        },
                        &BRAVUIEquipmentTab::onExpendConfirmationEvent, &GameUIConfirmationDialog::eventSignal)) {
            expendItem = item;
        }
    }
    if (expendConfirmed) {
        expendConfirmed = 0;
        useUpOne(expendItem);
        closeExpendDialog();
    }
    if (expendCancelled) {
        expendCancelled = 0;
        closeExpendDialog();
    }
}

void BRAVUIEquipmentTab::useUpOne(BRAVCharacterEquipment* item) {
    if (!item || !character->inventory.holds(item)) return;
    const std::int32_t row = rowOf(item);
    character->useUpOneEquipment(item);
    refreshAfterUse(item, row);
}

void BRAVUIEquipmentTab::refreshAfterUse(const BRAVCharacterEquipment* item, std::int32_t row) {
    const BRAVCharacterEquipment* show = character->inventory.holds(item) ? item : nullptr;
    rebuildList(show, row >= 0 ? static_cast<std::uint32_t>(row) : selectedRow);
    refreshEquipped();
}

void BRAVUIEquipmentTab::update() {
    if (!character) return;
    // A new selection first, so that every button below acts on the row now selected.
    if (selectionChanged) {
        selectionChanged = 0;
        showSelection();
    }
    stepPack();
    // Equip and the two "X" buttons of the equipped boxes.
    if (equipPressed) {
        equipPressed = 0;
        stepEquip();
    }
    if (clearShieldPending) {
        clearShieldPending = 0;
        character->takeOffShield();
        refreshEquipped();
    }
    if (clearArmourPending) {
        clearArmourPending = 0;
        character->takeOffArmour();
        refreshEquipped();
    }
    // The rows' own buttons.
    if (expandPressed) {
        expandPressed = 0;
        stepExpand();
    }
    if (shuffleUpPressed) {
        shuffleUpPressed = 0;
        stepShuffle(true);
    }
    if (shuffleDownPressed) {
        shuffleDownPressed = 0;
        stepShuffle(false);
    }
    stepRename();
    stepBuy();
    stepExpend();
    stepSaleAndMoney();
}

// --- Windows --------------------------------------------------------------------------------

std::uint32_t BRAVUIEquipmentTab::windowDepth() const { return windowDepthOver(panel, owner); }

void BRAVUIEquipmentTab::closeExpendDialog() {
    closeTabWindow(owner, expendDialog, &GameUIConfirmationDialog::eventSignal);
    expendItem = nullptr;
}
