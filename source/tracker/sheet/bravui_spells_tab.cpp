#include "tracker/sheet/bravui_spells_tab.h"

#include <string>

#include "rules/spell_record.h"
#include "tracker/rows/bravui_spell_list_item.h"
#include "ui/game_ui_element_group.h"
#include "tracker/sheet/title_label.h"
#include "ui/game_ui_scrollable_text_box.h"
#include "ui/game_ui_standard_element_list.h"

namespace {

constexpr const char* headerName = "expandableSpellLevel";

// The row at index while the list still has one there: a tab switch in the same poll as a row
// event leaves a stale index or no list at all.
BRAVUISpellListItem* rowAt(GameUIStandardElementList* list, std::uint32_t index) {
    if (!list || index >= list->items.size()) return nullptr;
    return dynamic_cast<BRAVUISpellListItem*>(list->items[index]);
}

const SpellList* spellsOfLevel(const std::map<std::int32_t, SpellList>& spells, std::int32_t level) {
    const auto found = spells.find(level);
    return found != spells.end() && !found->second.empty() ? &found->second : nullptr;
}

} // namespace

BRAVUISpellsTab::BRAVUISpellsTab(std::uint32_t tag, UIContext* owner, const Theme* theme, CharacterSheet* sheet)
    : tag(tag), owner(owner), theme(theme), sheet(sheet) {}

BRAVUISpellsTab::~BRAVUISpellsTab() { detach(); }

std::string BRAVUISpellsTab::headerCaption(std::int32_t level, std::int32_t castings) {
    return "Level " + std::to_string(level) + ", " + std::to_string(castings) +
           (castings == 1 ? " cast per day" : " casts per day");
}

void BRAVUISpellsTab::attach(GameUIElementGroup* panel) {
    if (!panel || !sheet) return;
    const auto addList = [&](const char* name, const char* toolTip, float top, float bottom) {
        const float topLeft[2] = {-0.95f, top}, bottomRight[2] = {-0.05f, bottom};
        auto* list =
            new GameUIStandardElementList(tag, owner, topLeft, bottomRight, theme, name, toolTip, panel, false, "");
        panel->addElement(list);
        return list;
    };
    addPanelTitle(panel, owner, theme, "spellsListTitleLabel", "Arcane Spells", -0.95f, 0.95f, -0.05f, 0.85f);
    arcane.list = addList("spellsList", "A list of all spells this character currently has actively memorized", 0.85f,
                          0.05f);
    addPanelTitle(panel, owner, theme, "spellsListTitleLabel", "Divine Spells", -0.95f, 0.0f, -0.05f, -0.1f);
    divine.list = addList("divineSpellsList",
                          "A list of all divine spells this character currently has actively memorized", -0.1f, -0.9f);
    addPanelTitle(panel, owner, theme, "descriptionBoxTitleLabel", "Description", 0.05f, 0.95f, 0.95f, 0.85f);
    const float boxTopLeft[2] = {0.05f, 0.85f}, boxBottomRight[2] = {0.95f, -0.9f};
    descriptionBox = new GameUIScrollableTextBox(tag, owner, theme, "descriptionTextBox", "", "", boxTopLeft,
                                                 boxBottomRight, panel, 0, 0, 0);
    panel->addElement(descriptionBox);

    fill(arcane.list, sheet->arcaneSpells, false);
    fill(divine.list, sheet->divineSpells, true);
    arcane.list->eventSignal.connect(this, &BRAVUISpellsTab::onArcaneList);
    divine.list->eventSignal.connect(this, &BRAVUISpellsTab::onDivineList);
}

std::int32_t BRAVUISpellsTab::insertSpellRows(GameUIStandardElementList* list, const SpellList& spells,
                                              std::int32_t index) {
    std::int32_t inserted = 0;
    for (const SpellRecord* spell : spells) {
        if (!spell) continue;
        list->insertItem(new BRAVUISpellListItem(tag, owner, theme, spell->id, spell->displayName, "", spell, 1,
                                                 static_cast<std::uint32_t>(spell->level), list, 0),
                         index + inserted);
        ++inserted;
    }
    return inserted;
}

void BRAVUISpellsTab::fill(GameUIStandardElementList* list, const std::map<std::int32_t, SpellList>& spells,
                           bool divineCastings) {
    list->clearItems();
    std::int32_t index = 0;
    for (std::int32_t level = firstSpellLevel; level <= lastSpellLevel; ++level) {
        const SpellList* known = spellsOfLevel(spells, level);
        if (!known) continue;
        const auto spellLevel = static_cast<std::uint32_t>(level);
        const std::int32_t castings =
            divineCastings ? sheet->getDivineDailyCastings(spellLevel) : sheet->getArcaneDailyCastings(spellLevel);
        list->insertItem(new BRAVUISpellListItem(tag, owner, theme, headerName, headerCaption(level, castings), "",
                                                 nullptr, 0, spellLevel, list, 1),
                         index++);
        index += insertSpellRows(list, *known, index);
    }
    list->layoutItems(0);
}

void BRAVUISpellsTab::detach() {
    if (arcane.list) arcane.list->eventSignal.disconnect(this);
    if (divine.list) divine.list->eventSignal.disconnect(this);
    arcane.list = divine.list = nullptr;
    descriptionBox = nullptr;
}

void BRAVUISpellsTab::record(SpellColumn& column, const UIEvent::Data& event) {
    // A header's "+"/"-" only shows or hides rows: it leaves the description being read.
    if (event.name == "expandContents") {
        column.expand = 1;
        column.expandIndex = event.value;
    } else if (event.name == "contractContents") {
        column.contract = 1;
        column.contractIndex = event.value;
    } else if (event.type == UIEvent::Click) {
        column.chosen = 1;
        column.chosenIndex = event.value;
    }
}

void BRAVUISpellsTab::onArcaneList(UIEvent::Data& event) { record(arcane, event); }

void BRAVUISpellsTab::onDivineList(UIEvent::Data& event) { record(divine, event); }

void BRAVUISpellsTab::showChosen(SpellColumn& column) {
    if (!column.chosen) return;
    column.chosen = 0;
    const BRAVUISpellListItem* row = rowAt(column.list, column.chosenIndex);
    if (!row || !descriptionBox) return;
    descriptionBox->setText(row->spell ? row->spell->text : std::string());
}

void BRAVUISpellsTab::collapseOrExpand(SpellColumn& column, const std::map<std::int32_t, SpellList>& spells) {
    if (column.contract) {
        column.contract = 0;
        BRAVUISpellListItem* header = rowAt(column.list, column.contractIndex);
        if (header && header->isHeader() && header->expanded) {
            header->expanded = 0;
            // Exactly the level's own rows: those between this header and the next one.
            const auto first = static_cast<std::int32_t>(column.contractIndex) + 1;
            std::int32_t last = first - 1;
            while (const BRAVUISpellListItem* row = rowAt(column.list, static_cast<std::uint32_t>(last + 1))) {
                if (row->isHeader()) break;
                ++last;
            }
            column.list->removeItems(first, last);
            // The header's button turns to "+" at its next placement.
            column.list->layoutDirty = 1;
        }
    }
    if (column.expand) {
        column.expand = 0;
        BRAVUISpellListItem* header = rowAt(column.list, column.expandIndex);
        if (header && header->isHeader() && !header->expanded) {
            header->expanded = 1;
            if (const SpellList* known = spellsOfLevel(spells, static_cast<std::int32_t>(header->spellLevel))) {
                insertSpellRows(column.list, *known, static_cast<std::int32_t>(column.expandIndex) + 1);
            }
            column.list->layoutDirty = 1;
        }
    }
}

void BRAVUISpellsTab::update() {
    showChosen(arcane);
    showChosen(divine);
    if (!sheet) return;
    collapseOrExpand(arcane, sheet->arcaneSpells);
    collapseOrExpand(divine, sheet->divineSpells);
}
