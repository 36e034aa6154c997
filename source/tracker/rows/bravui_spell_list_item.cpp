#include "tracker/rows/bravui_spell_list_item.h"

#include "ui/game_ui_push_button.h"

BRAVUISpellListItem::BRAVUISpellListItem(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                         const std::string& name, const std::string& text,
                                         const std::string& toolTip, const SpellRecord* spell, std::uint8_t spellRow,
                                         std::uint32_t spellLevel, GameUIBaseElement* parent, std::uint8_t expandable)
    : BRAVUIListItem(tag, owner, theme, name, text, toolTip, spellRow, parent), spellLevel(spellLevel), spell(spell),
      expanded(expandable ? 1 : 0) {}

void BRAVUISpellListItem::buildButtons() {
    if (!isHeader()) return;
    const float right = 0.99f;
    // Caption and word follow the flag as it was at this placement; the owner lays the list out
    // again whenever it flips the flag.
    expandButton = addPushButton("expandContentsButton", expanded ? "-" : "+", "Expand contents",
                                 right - buttonWidth, right, expanded ? "contractContents" : "expandContents");
}
