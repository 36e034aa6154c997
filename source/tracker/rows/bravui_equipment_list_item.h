#pragma once
// A row of an equipment list. Owned form (Inventory tab): one possession, indented by how deep it
// is packed, with "+"/"-" to list or hide a container's contents and arrows that move it within
// the list that holds it ("expandOrCollapseContents", "shuffleUp", "shuffleDown", with the row's
// index). Catalogue form (buy window): one catalogue record, without buttons.
#include <cstdint>
#include <string>

#include "tracker/rows/bravui_list_item.h"

class BRAVCharacterEquipment;
class GameUIImagePushButton;
struct Equipment;

class BRAVUIEquipmentListItem : public BRAVUIListItem {
public:
    static constexpr const char* expandEvent = "expandOrCollapseContents";
    static constexpr const char* shuffleUpEvent = "shuffleUp";
    static constexpr const char* shuffleDownEvent = "shuffleDown";

    // An owned item; the catalogue record is the item's own (null when the catalogue lacks its id).
    BRAVUIEquipmentListItem(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& name,
                            const std::string& text, const std::string& toolTip, BRAVCharacterEquipment* item,
                            std::uint32_t nestingDepth, GameUIBaseElement* parent);
    // A catalogue record; the number is not used.
    BRAVUIEquipmentListItem(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& name,
                            const std::string& text, const std::string& toolTip, const Equipment* record,
                            std::uint32_t unused, GameUIBaseElement* parent);

    // Replaces the caption, on screen at once when the row is placed.
    void setText(const std::string& newText);
    // Both with records: by display name; otherwise by caption, the shorter first on a tie.
    bool isLessThan(GameUIBaseListItem* other) override;

    const Equipment* record;
    // Null in the catalogue form.
    BRAVCharacterEquipment* item;
    // Set by the creator before the row goes into its list: the item has a predecessor
    // (successor) in the list that holds it.
    std::uint8_t showUp = 0;
    std::uint8_t showDown = 0;
    // Present only while placed, and only when shown.
    GameUIPushButton* expandButton = nullptr;
    GameUIImagePushButton* upButton = nullptr;
    GameUIImagePushButton* downButton = nullptr;

protected:
    void buildButtons() override;
    void forgetButtons() override;
};
