#include "tracker/wizard/bravui_arcane_spell_picker.h"

#include <algorithm>

#include "rules/character_sheet.h"
#include "tracker/rows/bravui_spell_list_item.h"
#include "tracker/wizard/window_parts.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_scrollable_text_box.h"
#include "ui/game_ui_standard_element_list.h"

namespace {

const char* const headerName = "expandableSpellLevel";

std::string pickedCaption(const SpellRecord& spell) { return "<id='NewSpellText'" + spell.displayName + ">"; }

bool containsId(const SpellList& spells, const std::string& id) {
    return std::any_of(spells.begin(), spells.end(), [&](const SpellRecord* known) { return known->id == id; });
}

// A rebuilt list starts with nothing selected: a selection kept by index would land on
// whatever row now stands there.
void emptyList(GameUIStandardElementList* list) {
    list->clearItems();
    list->selectedIndex = -1;
    list->requestedIndex = -1;
}

} // namespace

BRAVUIArcaneSpellPicker::BRAVUIArcaneSpellPicker(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                 const float topLeft[2], const float bottomRight[2],
                                                 std::uint32_t depth, const std::string& title,
                                                 const SpellCatalogue* spellCatalogue, CharacterSheet* character)
    : GameUIBaseWindow(tag, owner, theme, "spellsPickerWindow", title, topLeft, bottomRight, depth, nullptr, false),
      spellCatalogue(spellCatalogue), character(character), random(42, 0, RandomSource::defaultMaximum) {
    random.reseed();

    const auto addList = [&](float top, float bottom, void (BRAVUIArcaneSpellPicker::*handler)(UIEvent::Data&)) {
        const float tl[2] = {-0.95f, top}, br[2] = {-0.05f, bottom};
        auto* list = new GameUIStandardElementList(tag, owner, tl, br, theme, "spellsList", "", this, false, "");
        list->eventSignal.connect(this, handler);
        addChild(list);
        return list;
    };

    windowparts::addTitleLabel(*this, "spellsToPickListTitleLabel", "Pick new spells", -0.95f, 0.95f, -0.05f, 0.85f);
    toPickList = addList(0.85f, 0.2f, &BRAVUIArcaneSpellPicker::onToPickListEvent);
    pickButton = windowparts::addReportingButton(*this, "pickButton", "Pick", "Pick the selected spell", -0.95f, 0.15f,
                                                 -0.75f, 0.0f, &BRAVUIArcaneSpellPicker::onPickButton);
    rollButton = windowparts::addReportingButton(*this, "addButton", "Roll Random",
                                                 "Fill all spell slots with randomly rolled spells", -0.7f, 0.15f,
                                                 -0.35f, 0.0f, &BRAVUIArcaneSpellPicker::onRollButton);
    windowparts::addTitleLabel(*this, "proficienciesListTitleLabel", "Known Spells", -0.95f, -0.05f, -0.05f, -0.15f);
    knownList = addList(-0.2f, -0.75f, &BRAVUIArcaneSpellPicker::onKnownListEvent);
    dropButton = windowparts::addReportingButton(*this, "dumpSpellButton", "Drop", "Drop the selected Spell", -0.95f,
                                                 -0.8f, -0.75f, -0.95f, &BRAVUIArcaneSpellPicker::onDropButton);
    dropButton->disable();
    windowparts::addTitleLabel(*this, "descriptionBoxTitleLabel", "Description", 0.05f, 0.95f, 0.95f, 0.85f);
    const float boxTL[2] = {0.05f, 0.85f}, boxBR[2] = {0.95f, -0.75f};
    descriptionBox =
        new GameUIScrollableTextBox(tag, owner, theme, "descriptionTextBox", "", "", boxTL, boxBR, this, 0, 0, 0);
    addChild(descriptionBox);
    nextStepButton = windowparts::addNextStepButton(*this, 0.75f, -0.8f, 0.95f, -0.95f,
                                                    &BRAVUIArcaneSpellPicker::onNextStepButton);

    buildToPickList();
    buildKnownList("");
    refreshNextStep();
    topDepth = getMaxChildDepth();
}

BRAVUIArcaneSpellPicker::~BRAVUIArcaneSpellPicker() {
    toPickList->eventSignal.disconnect(this);
    knownList->eventSignal.disconnect(this);
    for (GameUIPushButton* button : {pickButton, rollButton, dropButton, nextStepButton}) {
        button->clickSignal.disconnect(this);
    }
}

void BRAVUIArcaneSpellPicker::onToPickListEvent(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) {
        toPickRowClickedPending = 1;
        toPickRow = event.value;
    }
    if (event.name == "expandContents") {
        toPickExpandPending = 1;
        toPickRow = event.value;
    } else if (event.name == "contractContents") {
        toPickContractPending = 1;
        toPickRow = event.value;
    }
}

void BRAVUIArcaneSpellPicker::onKnownListEvent(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) {
        knownRowClickedPending = 1;
        knownRow = event.value;
    }
    if (event.name == "expandContents") {
        knownExpandPending = 1;
        knownRow = event.value;
    } else if (event.name == "contractContents") {
        knownContractPending = 1;
        knownRow = event.value;
    }
}

void BRAVUIArcaneSpellPicker::onPickButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) pickPending = 1;
}
void BRAVUIArcaneSpellPicker::onRollButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) rollPending = 1;
}
void BRAVUIArcaneSpellPicker::onDropButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) dropPending = 1;
}
void BRAVUIArcaneSpellPicker::onNextStepButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) nextStepPending = 1;
}

bool BRAVUIArcaneSpellPicker::isPendingPick(const SpellRecord* spell) const {
    return spell && character && containsId(character->getKnownSpellsOfLevel(spell->level), spell->id);
}

bool BRAVUIArcaneSpellPicker::isKnownOrPicked(const SpellRecord* spell) const {
    if (!character) return false;
    const auto known = character->arcaneSpells.find(spell->level);
    return (known != character->arcaneSpells.end() && containsId(known->second, spell->id)) || isPendingPick(spell);
}

SpellGroup BRAVUIArcaneSpellPicker::candidates(int level) const {
    SpellGroup open;
    const SpellGroup* spells = spellCatalogue ? spellCatalogue->arcaneSpellsOfLevel(level) : nullptr;
    if (!spells) return open;
    for (const SpellRecord* spell : *spells) {
        if (!isKnownOrPicked(spell)) open.push_back(spell);
    }
    return open;
}

std::int32_t BRAVUIArcaneSpellPicker::knownRowCount(int level) const {
    const auto known = character->arcaneSpells.find(level);
    const std::size_t count = (known != character->arcaneSpells.end() ? known->second.size() : 0) +
                              character->getKnownSpellsOfLevel(level).size();
    return static_cast<std::int32_t>(count);
}

BRAVUISpellListItem* BRAVUIArcaneSpellPicker::rowAt(GameUIStandardElementList* list, std::uint32_t index) {
    if (index >= list->items.size()) return nullptr;
    return dynamic_cast<BRAVUISpellListItem*>(list->items[index]);
}

BRAVUISpellListItem* BRAVUIArcaneSpellPicker::selectedRow(GameUIStandardElementList* list) {
    return list->selectedIndex >= 0 ? rowAt(list, static_cast<std::uint32_t>(list->selectedIndex)) : nullptr;
}

void BRAVUIArcaneSpellPicker::insertCandidateRows(int level, std::int32_t at) {
    for (const SpellRecord* spell : candidates(level)) {
        toPickList->insertItem(new BRAVUISpellListItem(tag, owner, theme, spell->id, spell->displayName, "", spell, 1,
                                                       static_cast<std::uint32_t>(level), toPickList, 0),
                               at++);
    }
}

void BRAVUIArcaneSpellPicker::insertKnownSpellRows(int level, std::int32_t at) {
    const auto add = [&](const SpellRecord* spell, const std::string& caption) {
        knownList->insertItem(new BRAVUISpellListItem(tag, owner, theme, spell->id, caption, "", spell, 1,
                                                      static_cast<std::uint32_t>(level), knownList, 0),
                              at++);
    };
    const auto known = character->arcaneSpells.find(level);
    if (known != character->arcaneSpells.end()) {
        for (const SpellRecord* spell : known->second) add(spell, spell->displayName);
    }
    for (const SpellRecord* spell : character->getKnownSpellsOfLevel(level)) add(spell, pickedCaption(*spell));
}

void BRAVUIArcaneSpellPicker::buildToPickList() {
    emptyList(toPickList);
    for (int level = firstSpellLevel; character && level <= lastSpellLevel; ++level) {
        const std::int32_t slots = character->getUnallocatedArcaneSpellSlots(static_cast<std::uint32_t>(level));
        const SpellGroup* spells = spellCatalogue ? spellCatalogue->arcaneSpellsOfLevel(level) : nullptr;
        if (slots <= 0 || !spells || spells->empty()) continue;
        const std::string caption = "Level " + std::to_string(level) + ": " + std::to_string(slots) + " slots left";
        toPickList->addItem(new BRAVUISpellListItem(tag, owner, theme, headerName, caption, "", nullptr, 0,
                                                    static_cast<std::uint32_t>(level), toPickList, 1));
        insertCandidateRows(level, toPickList->itemCount());
    }
    toPickList->layoutItems(0);
}

void BRAVUIArcaneSpellPicker::buildKnownList(const std::string& selectId) {
    emptyList(knownList);
    std::int32_t selectIndex = -1;
    for (int level = firstSpellLevel; character && level <= lastSpellLevel; ++level) {
        if (knownRowCount(level) == 0) continue;
        knownList->addItem(new BRAVUISpellListItem(tag, owner, theme, headerName, "Level " + std::to_string(level), "",
                                                   nullptr, 0, static_cast<std::uint32_t>(level), knownList, 1));
        const std::int32_t first = knownList->itemCount();
        insertKnownSpellRows(level, first);
        for (std::int32_t i = first; !selectId.empty() && selectIndex < 0 && i < knownList->itemCount(); ++i) {
            if (rowAt(knownList, static_cast<std::uint32_t>(i))->spell->id == selectId) selectIndex = i;
        }
    }
    if (selectIndex < 0) {
        knownList->layoutItems(0);
        return;
    }
    // Lays out once to learn how many rows a page holds, then brings the row into view.
    knownList->layoutItems(0);
    knownList->layoutItems(std::min(selectIndex, knownList->itemCount() - knownList->visibleRows));
    knownList->selectItem(selectIndex);
    knownRowClickedPending = 1;
    knownRow = static_cast<std::uint32_t>(selectIndex);
}

void BRAVUIArcaneSpellPicker::showDescription(const BRAVUISpellListItem* row) {
    descriptionBox->setText(row && row->spell ? row->spell->text : std::string());
}

void BRAVUIArcaneSpellPicker::refreshNextStep() {
    bool choiceLeft = false;
    for (int level = firstSpellLevel; character && level <= lastSpellLevel && !choiceLeft; ++level) {
        if (character->getUnallocatedArcaneSpellSlots(static_cast<std::uint32_t>(level)) > 0) {
            choiceLeft = !candidates(level).empty();
        }
    }
    nextStepButton->setEnabled(!choiceLeft);
}

void BRAVUIArcaneSpellPicker::rollRandom() {
    random.draw();
    const SpellRecord* last = nullptr;
    for (int level = firstSpellLevel; character && level <= lastSpellLevel; ++level) {
        const auto spellLevel = static_cast<std::uint32_t>(level);
        const std::int32_t slots = character->getUnallocatedArcaneSpellSlots(spellLevel);
        SpellGroup open = candidates(level);
        for (std::int32_t n = 0; n < slots && !open.empty(); ++n) {
            const std::size_t r = random.draw() % open.size();
            last = open[r];
            character->addKnownSpell(last);
            character->useUnallocatedArcaneSpellSlot(spellLevel);
            open.erase(open.begin() + static_cast<std::ptrdiff_t>(r));
        }
    }
    buildKnownList(last ? last->id : std::string());
    buildToPickList();
}

void BRAVUIArcaneSpellPicker::pick() {
    const BRAVUISpellListItem* row = selectedRow(toPickList);
    if (!row || !row->spell || !character) return;
    const SpellRecord* spell = row->spell;
    // The row may outlive the slot or the choice it was built for.
    if (character->getUnallocatedArcaneSpellSlots(static_cast<std::uint32_t>(spell->level)) <= 0 ||
        isKnownOrPicked(spell)) {
        return;
    }
    character->addKnownSpell(spell);
    character->useUnallocatedArcaneSpellSlot(static_cast<std::uint32_t>(spell->level));
    buildKnownList(spell->id);
    buildToPickList();
}

void BRAVUIArcaneSpellPicker::drop() {
    const BRAVUISpellListItem* row = selectedRow(knownList);
    if (!row || !isPendingPick(row->spell)) return;
    const SpellRecord* spell = row->spell;
    character->removeKnownSpell(spell);
    character->addUnallocatedArcaneSpellSlot(static_cast<std::uint32_t>(spell->level));
    buildKnownList("");
    buildToPickList();
    const BRAVUISpellListItem* now = selectedRow(knownList);
    dropButton->setEnabled(now && isPendingPick(now->spell));
}

void BRAVUIArcaneSpellPicker::update(float dt) {
    if (nextStepPending) {
        nextStepPending = 0;
        if (character) character->clearKnownSpells();
        reportEvent("nextStep");
    }
    if (knownRowClickedPending) {
        knownRowClickedPending = 0;
        if (const BRAVUISpellListItem* row = rowAt(knownList, knownRow)) {
            showDescription(row);
            dropButton->setEnabled(isPendingPick(row->spell));
        }
    }
    if (toPickRowClickedPending) {
        toPickRowClickedPending = 0;
        if (const BRAVUISpellListItem* row = rowAt(toPickList, toPickRow)) showDescription(row);
    }
    if (rollPending) {
        rollPending = 0;
        rollRandom();
        refreshNextStep();
    }
    if (knownContractPending) {
        knownContractPending = 0;
        BRAVUISpellListItem* row = rowAt(knownList, knownRow);
        if (row && row->isHeader() && row->expanded) {
            row->expanded = 0;
            const auto index = static_cast<std::int32_t>(knownRow);
            knownList->removeItems(index + 1, index + knownRowCount(static_cast<int>(row->spellLevel)));
            knownList->layoutDirty = 1;
        }
    }
    if (knownExpandPending) {
        knownExpandPending = 0;
        BRAVUISpellListItem* row = rowAt(knownList, knownRow);
        if (row && row->isHeader() && !row->expanded) {
            row->expanded = 1;
            insertKnownSpellRows(static_cast<int>(row->spellLevel), static_cast<std::int32_t>(knownRow) + 1);
        }
    }
    if (toPickContractPending) {
        toPickContractPending = 0;
        BRAVUISpellListItem* row = rowAt(toPickList, toPickRow);
        if (row && row->isHeader() && row->expanded) {
            row->expanded = 0;
            const auto index = static_cast<std::int32_t>(toPickRow);
            const auto count = static_cast<std::int32_t>(candidates(static_cast<int>(row->spellLevel)).size());
            toPickList->removeItems(index + 1, index + count);
            toPickList->layoutDirty = 1;
        }
    }
    if (toPickExpandPending) {
        toPickExpandPending = 0;
        BRAVUISpellListItem* row = rowAt(toPickList, toPickRow);
        if (row && row->isHeader() && !row->expanded) {
            row->expanded = 1;
            insertCandidateRows(static_cast<int>(row->spellLevel), static_cast<std::int32_t>(toPickRow) + 1);
        }
    }
    if (pickPending) {
        pickPending = 0;
        pick();
        refreshNextStep();
    }
    if (dropPending) {
        dropPending = 0;
        drop();
        refreshNextStep();
    }
    GameUIStandardElement::update(dt);
}
