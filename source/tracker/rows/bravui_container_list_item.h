#pragma once
// A row of the packing window's list of places: the character's hands (the root row, no item)
// or a container or carrier, indented by depth, with "+"/"-" to list or hide the containers
// inside it and "Pick" to pack the item there ("expandOrCollapseContents", "pick", with the
// row's index).
#include <cstdint>
#include <string>

#include "tracker/rows/bravui_list_item.h"

class BRAVCharacterEquipment;

class BRAVUIContainerListItem : public BRAVUIListItem {
public:
    static constexpr const char* expandEvent = "expandOrCollapseContents";
    static constexpr const char* pickEvent = "pick";

    // item is null on the root row.
    BRAVUIContainerListItem(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& name,
                            const std::string& text, const std::string& toolTip, BRAVCharacterEquipment* item,
                            std::uint32_t nestingDepth, GameUIBaseElement* parent);

    // Both with items: by custom name; otherwise by caption, the shorter first on a tie.
    bool isLessThan(GameUIBaseListItem* other) override;
    bool isRoot() const { return item == nullptr; }

    BRAVCharacterEquipment* item;
    // Whether the containers inside are listed; the packing window flips it and lays the list
    // out again, and the expand caption follows at that placement.
    std::uint8_t expanded = 1;
    // Present only while placed.
    GameUIPushButton* expandButton = nullptr;
    GameUIPushButton* pickButton = nullptr;

protected:
    void buildButtons() override;
    void forgetButtons() override;
};
