#include "tracker/rows/bravui_container_list_item.h"

#include "rules/character_equipment.h"
#include "ui/game_ui_push_button.h"

BRAVUIContainerListItem::BRAVUIContainerListItem(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                 const std::string& name, const std::string& text,
                                                 const std::string& toolTip, BRAVCharacterEquipment* item,
                                                 std::uint32_t nestingDepth, GameUIBaseElement* parent)
    : BRAVUIListItem(tag, owner, theme, name, text, toolTip, nestingDepth, parent), item(item) {}

bool BRAVUIContainerListItem::isLessThan(GameUIBaseListItem* other) {
    auto* row = dynamic_cast<BRAVUIContainerListItem*>(other);
    if (row && item && row->item) return item->customName < row->item->customName;
    return text < other->getSortKey();
}

void BRAVUIContainerListItem::buildButtons() {
    const float right = 0.99f;
    const float gap = 0.01f;
    // The hands always can be opened and closed, even with no container listed under them.
    if (isRoot() || !item->contents.empty()) {
        expandButton = addPushButton("expandContentsButton", expanded ? "-" : "+", "Expand contents",
                                     right - buttonWidth, right, expandEvent);
    }
    // Four button widths wide; it shares its name with the equipment row's up arrow.
    pickButton = addPushButton("shuffleUpButton", "Pick", "put the item in this container",
                               right - 5.0f * buttonWidth - gap, right - buttonWidth - gap, pickEvent);
}

void BRAVUIContainerListItem::forgetButtons() {
    expandButton = nullptr;
    pickButton = nullptr;
}
