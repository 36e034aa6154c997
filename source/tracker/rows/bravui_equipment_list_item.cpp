#include "tracker/rows/bravui_equipment_list_item.h"

#include "rules/character_equipment.h"
#include "rules/equipment.h"
#include "ui/game_ui_image_push_button.h"
#include "ui/game_ui_push_button.h"
#include "ui/ui_object_params.h"

BRAVUIEquipmentListItem::BRAVUIEquipmentListItem(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                 const std::string& name, const std::string& text,
                                                 const std::string& toolTip, BRAVCharacterEquipment* item,
                                                 std::uint32_t nestingDepth, GameUIBaseElement* parent)
    : BRAVUIListItem(tag, owner, theme, name, text, toolTip, nestingDepth, parent),
      record(item ? item->record : nullptr), item(item) {}

BRAVUIEquipmentListItem::BRAVUIEquipmentListItem(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                 const std::string& name, const std::string& text,
                                                 const std::string& toolTip, const Equipment* record, std::uint32_t,
                                                 GameUIBaseElement* parent)
    : BRAVUIListItem(tag, owner, theme, name, text, toolTip, 0, parent), record(record), item(nullptr) {}

void BRAVUIEquipmentListItem::setText(const std::string& newText) {
    text = newText;
    uiobject::setString(textObject, TextBoxParameters::string, text);
}

bool BRAVUIEquipmentListItem::isLessThan(GameUIBaseListItem* other) {
    auto* row = dynamic_cast<BRAVUIEquipmentListItem*>(other);
    if (row && record && row->record) return record->displayName < row->record->displayName;
    return text < other->getSortKey();
}

void BRAVUIEquipmentListItem::buildButtons() {
    // Fixed places from the right edge, so the arrows keep theirs when there is no expand button.
    const float right = 0.99f;
    const float gap = 0.01f;
    if (item && !item->contents.empty()) {
        expandButton = addPushButton("expandContentsButton", item->areContentsExpanded ? "-" : "+", "Expand contents",
                                     right - buttonWidth, right, expandEvent);
    }
    const float top = 1.0f - buttonMargin;
    const float bottom = top - buttonHeight;
    if (showUp) {
        const float topLeft[2] = {right - 2.0f * buttonWidth - gap, top};
        const float bottomRight[2] = {right - buttonWidth - gap, bottom};
        upButton = new GameUIImagePushButton(owner, theme, "shuffleUpButton", "tex_rect_up_arrow",
                                             "Shuffle this inventory item up in the list", topLeft, bottomRight, this);
        addButton(upButton, shuffleUpEvent);
    }
    if (showDown) {
        const float topLeft[2] = {right - 3.0f * buttonWidth - 2.0f * gap, top};
        const float bottomRight[2] = {right - 2.0f * buttonWidth - 2.0f * gap, bottom};
        downButton = new GameUIImagePushButton(owner, theme, "shuffleDownButton", "tex_rect_down_arrow",
                                               "Shuffle this inventory item down in the list", topLeft, bottomRight,
                                               this);
        addButton(downButton, shuffleDownEvent);
    }
}

void BRAVUIEquipmentListItem::forgetButtons() {
    expandButton = nullptr;
    upButton = nullptr;
    downButton = nullptr;
}
