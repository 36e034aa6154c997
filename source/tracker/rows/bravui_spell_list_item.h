#pragma once
// A row of a spell list: a spell (indented one level) or the header of a spell level, whose
// "+"/"-" button asks the owner to list or hide the level's spells ("expandContents",
// "contractContents", with the header's index).
#include <cstdint>
#include <string>

#include "tracker/rows/bravui_list_item.h"

struct SpellRecord;

class BRAVUISpellListItem : public BRAVUIListItem {
public:
    // spellRow is the nesting depth (1 for a spell, 0 for a header); a header is made expandable
    // and starts expanded.
    BRAVUISpellListItem(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& name,
                        const std::string& text, const std::string& toolTip, const SpellRecord* spell,
                        std::uint8_t spellRow, std::uint32_t spellLevel, GameUIBaseElement* parent,
                        std::uint8_t expandable);

    bool isHeader() const { return spell == nullptr; }

    std::uint32_t spellLevel;
    // Header rows only, while placed.
    GameUIPushButton* expandButton = nullptr;
    // Null on a header row.
    const SpellRecord* spell;
    // Header rows: whether the level's spells are listed below.
    std::uint8_t expanded;

protected:
    void buildButtons() override;
    void forgetButtons() override { expandButton = nullptr; }
};
