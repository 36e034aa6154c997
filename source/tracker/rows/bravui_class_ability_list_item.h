#pragma once
// A row naming one class ability, in the level-up report and the Proficiencies tab; its text
// spans the whole row and is also its sort key.
#include <cstdint>
#include <string>

#include "render/render_interface.h"
#include "ui/game_ui_base_list_item.h"

struct ClassAbility;

class BRAVUIClassAbilityListItem : public GameUIBaseListItem {
public:
    BRAVUIClassAbilityListItem(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& name,
                               const std::string& text, const std::string& toolTip, const ClassAbility* ability,
                               std::uint32_t unused, GameUIBaseElement* parent);
    ~BRAVUIClassAbilityListItem() override;

    void onEnabled() override;
    void onDisabled() override;
    void placeInList(float left, float right, float top, float bottom, bool selected) override;
    std::string getSortKey() override { return text; }
    void removeFromList() override;
    bool isLessThan(GameUIBaseListItem* other) override;

    std::string text;
    RenderInterface::UIObject* textObject = nullptr;
    // Not owned.
    const ClassAbility* ability;
};
