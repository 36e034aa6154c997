#pragma once
// A row naming one action of the character, with the throw it needs drawn right-aligned in the
// row's last half screen unit, whatever the row's width; it has no buttons and orders by caption.
#include <cstdint>
#include <string>

#include "render/render_interface.h"
#include "tracker/rows/bravui_list_item.h"

struct CharacterAction;

class BRAVUICharacterActionListItem : public BRAVUIListItem {
public:
    // The width of the throw box, in screen units.
    static constexpr float throwWidth = 0.5f;

    BRAVUICharacterActionListItem(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& name,
                                  const std::string& text, const std::string& toolTip, const CharacterAction* action,
                                  GameUIBaseElement* parent);
    ~BRAVUICharacterActionListItem() override;

    void onEnabled() override;
    void onDisabled() override;
    void placeInList(float left, float right, float top, float bottom, bool activate) override;
    void removeFromList() override;

    // Not owned: an entry of the character's action list.
    const CharacterAction* action;
    // The throw text; null while the row is not placed.
    RenderInterface::UIObject* throwObject = nullptr;
};
