#include "tracker/rows/bravui_class_ability_list_item.h"

BRAVUIClassAbilityListItem::BRAVUIClassAbilityListItem(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                       const std::string& name, const std::string& text,
                                                       const std::string& toolTip, const ClassAbility* ability,
                                                       std::uint32_t, GameUIBaseElement* parent)
    : BRAVUIListItem(tag, owner, theme, name, text, toolTip, 0, parent), ability(ability) {}
