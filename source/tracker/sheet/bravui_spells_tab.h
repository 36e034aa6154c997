#pragma once
// The Spells tab of the character sheet: the known arcane and divine spells, each list grouped by
// spell level under a header giving the castings per day, whose "+"/"-" hides and lists the
// level's spells, and a box with the selected spell's description. It changes nothing on the
// character.
#include <cstdint>
#include <map>

#include "rules/character_sheet.h"
#include "tracker/sheet/bravui_sheet_tab.h"
#include "ui/ui_event.h"

class GameUIElementGroup;
class GameUIScrollableTextBox;
class GameUIStandardElementList;
class Theme;
struct UIContext;

class BRAVUISpellsTab : public BRAVUISheetTab {
public:
    static constexpr std::int32_t firstSpellLevel = 1;
    static constexpr std::int32_t lastSpellLevel = 9;

    // One spell list with what its events asked for since the last step. Each request keeps its
    // own row index: a selection and a header press may arrive in one poll.
    struct SpellColumn {
        GameUIStandardElementList* list = nullptr;
        std::uint8_t chosen = 0;
        std::uint32_t chosenIndex = 0;
        std::uint8_t expand = 0;
        std::uint32_t expandIndex = 0;
        std::uint8_t contract = 0;
        std::uint32_t contractIndex = 0;
    };

    BRAVUISpellsTab(std::uint32_t tag, UIContext* owner, const Theme* theme, CharacterSheet* sheet);
    ~BRAVUISpellsTab() override;

    // "Level 2, 3 casts per day"; "cast" only for exactly one.
    static std::string headerCaption(std::int32_t level, std::int32_t castings);

    // Builds the titles, both lists (filled from the character) and the description box as
    // children of panel.
    void attach(GameUIElementGroup* panel) override;
    // Disconnects from both lists and clears every widget pointer.
    void detach() override;
    // Every frame, shown or not: descriptions of selected rows, then collapses and expansions.
    void update() override;

    void onArcaneList(UIEvent::Data& event);
    void onDivineList(UIEvent::Data& event);

    std::uint32_t tag;
    UIContext* owner;
    const Theme* theme;
    CharacterSheet* sheet;
    SpellColumn arcane;
    SpellColumn divine;
    GameUIScrollableTextBox* descriptionBox = nullptr;

private:
    static void record(SpellColumn& column, const UIEvent::Data& event);
    void fill(GameUIStandardElementList* list, const std::map<std::int32_t, SpellList>& spells, bool divineCastings);
    // Inserts one row per spell of the level from index on; returns how many.
    std::int32_t insertSpellRows(GameUIStandardElementList* list, const SpellList& spells, std::int32_t index);
    void showChosen(SpellColumn& column);
    void collapseOrExpand(SpellColumn& column, const std::map<std::int32_t, SpellList>& spells);
};
