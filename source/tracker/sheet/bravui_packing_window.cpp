#include "tracker/sheet/bravui_packing_window.h"

#include "app/log.h"
#include "render/text_markup.h"
#include "rules/character_sheet.h"
#include "tracker/equipment_shown_name.h"
#include "tracker/rows/bravui_container_list_item.h"
#include "tracker/sheet/title_label.h"
#include "tracker/wizard/window_parts.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_standard_element_list.h"

BRAVUIPackingWindow::BRAVUIPackingWindow(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                         const float topLeft[2], const float bottomRight[2], const std::string& title,
                                         std::uint32_t depth, BRAVCharacterEquipment* item, CharacterSheet* sheet)
    : GameUIBaseWindow(tag, owner, theme, "equipmentBuyWindow", title, topLeft, bottomRight, depth, nullptr, true),
      item(item), sheet(sheet) {
    const float labelTopLeft[2] = {-0.95f, 0.95f}, labelBottomRight[2] = {0.95f, 0.85f};
    titleLabel = makeSheetLabel(owner, theme, "proficienciesListTitleLabel", item ? itemCaption(*item) : "", "",
                                labelTopLeft, labelBottomRight, this);
    addChild(titleLabel);

    const float listTopLeft[2] = {-0.95f, 0.65f}, listBottomRight[2] = {0.95f, -0.7f};
    list = new GameUIStandardElementList(tag, owner, listTopLeft, listBottomRight, theme, "equipmentList", "", this,
                                         false, "");
    addChild(list);
    list->eventSignal.connect(this, &BRAVUIPackingWindow::onListEvent);
    list->insertItem(new BRAVUIContainerListItem(tag, owner, theme, "inventoryRootItem", rootText, "", nullptr, 0, list),
                     0);
    if (sheet) {
        std::int32_t index = 1;
        fillRows(sheet->inventory.items, index, 1);
    }
    list->selectItem(0);

    const float messageTopLeft[2] = {-0.95f, -0.75f}, messageBottomRight[2] = {0.5f, -0.95f};
    messageLabel = makeSheetLabel(owner, theme, "messageLabel", "", "", messageTopLeft, messageBottomRight, this);
    addChild(messageLabel);

    finishButton = windowparts::addReportingButton(*this, "finishButton", "Finish",
                                                   "Finish buying and acquiring new items", 0.55f, -0.75f, 0.95f,
                                                   -0.95f, &BRAVUIPackingWindow::onFinishButton);
    topDepth = getMaxChildDepth();
}

BRAVUIPackingWindow::~BRAVUIPackingWindow() {
    list->eventSignal.disconnect(this);
    finishButton->clickSignal.disconnect(this);
}

std::string BRAVUIPackingWindow::itemCaption(const BRAVCharacterEquipment& item) {
    const std::string count = item.quantity > 1 ? std::to_string(item.quantity) + " x " : std::string();
    return count + literalText(equipmentShownName(item));
}

void BRAVUIPackingWindow::onListEvent(UIEvent::Data& event) {
    if (event.name == BRAVUIContainerListItem::pickEvent) {
        rowIndex = event.value;
        pickRequested = 1;
    } else if (event.name == BRAVUIContainerListItem::expandEvent) {
        rowIndex = event.value;
        expandRequested = 1;
    }
}

void BRAVUIPackingWindow::onFinishButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) closeRequested = 1;
}

void BRAVUIPackingWindow::fillRows(EquipmentList& items, std::int32_t& index, std::uint32_t depth) {
    for (const std::unique_ptr<BRAVCharacterEquipment>& entry : items) {
        BRAVCharacterEquipment* place = entry.get();
        if (place->id.empty() || !place->isContainer() || place == item) continue;
        list->insertItem(new BRAVUIContainerListItem(tag, owner, theme, place->id, equipmentRowText(*place), "", place, depth,
                                                     list),
                         index++);
        if (place->areContentsExpanded) fillRows(place->contents, index, depth + 1);
    }
}

BRAVUIContainerListItem* BRAVUIPackingWindow::rowAt(std::uint32_t index) const {
    if (index >= list->items.size()) return nullptr;
    return dynamic_cast<BRAVUIContainerListItem*>(list->items[index]);
}

void BRAVUIPackingWindow::pick() {
    BRAVUIContainerListItem* row = rowAt(rowIndex);
    if (!row || !sheet || !item) return;
    // The inventory's own move keeps every parent link and takes off what is packed while worn.
    const PackResult result = sheet->packEquipment(item, row->item);
    if (result == PackResult::Moved) {
        closeRequested = 1;
        return;
    }
    LOG_MESSAGE("Packing: \"%s\" could not be moved into \"%s\" (%d)", item->id.c_str(), row->text.c_str(),
                static_cast<int>(result));
    // The window stays open for another place, and says why this one was refused.
    const char* reason = result == PackResult::TooDeep      ? tooDeepMessage
                         : result == PackResult::IntoItself ? intoItselfMessage
                                                            : goneMessage;
    messageLabel->setText(reason);
}

void BRAVUIPackingWindow::expandOrCollapse() {
    BRAVUIContainerListItem* row = rowAt(rowIndex);
    if (!row) return;
    if (row->expanded) {
        // The subtree: the rows right after it that lie deeper.
        std::uint32_t last = rowIndex;
        while (last + 1 < list->items.size()) {
            auto* next = rowAt(last + 1);
            if (!next || next->nestingDepth <= row->nestingDepth) break;
            ++last;
        }
        if (last > rowIndex) list->removeItems(static_cast<std::int32_t>(rowIndex + 1), static_cast<std::int32_t>(last));
        row->expanded = 0;
    } else {
        std::int32_t index = static_cast<std::int32_t>(rowIndex) + 1;
        if (row->isRoot()) {
            if (sheet) fillRows(sheet->inventory.items, index, row->nestingDepth + 1);
        } else {
            fillRows(row->item->contents, index, row->nestingDepth + 1);
        }
        row->expanded = 1;
    }
    // The expand caption follows the flag at the next placement.
    list->layoutItems(list->firstVisible);
}

void BRAVUIPackingWindow::update(float dt) {
    if (closeRequested) {
        closeRequested = 0;
        reportEvent(closeEvent);
    }
    if (pickRequested) {
        pickRequested = 0;
        pick();
    }
    if (expandRequested) {
        expandRequested = 0;
        expandOrCollapse();
    }
    GameUIStandardElement::update(dt);
}
