#pragma once
// A row naming one class ability, in the level-up report and the Proficiencies tab: its caption
// spans the whole row, it has no buttons, and it orders by its caption.
#include <cstdint>
#include <string>

#include "tracker/rows/bravui_list_item.h"

struct ClassAbility;

class BRAVUIClassAbilityListItem : public BRAVUIListItem {
public:
    BRAVUIClassAbilityListItem(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& name,
                               const std::string& text, const std::string& toolTip, const ClassAbility* ability,
                               std::uint32_t unused, GameUIBaseElement* parent);

    // Not owned.
    const ClassAbility* ability;
};
