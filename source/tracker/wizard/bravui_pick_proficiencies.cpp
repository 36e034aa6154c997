#include "tracker/wizard/bravui_pick_proficiencies.h"

#include <algorithm>

#include "render/text_markup.h"
#include "rules/character_sheet.h"
#include "rules/proficiency_catalogue.h"
#include "tracker/wizard/bravui_pick_proficiency_list_item.h"
#include "tracker/wizard/bravui_proficiency_domain_picker.h"
#include "tracker/wizard/window_parts.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_scrollable_text_box.h"
#include "ui/game_ui_standard_element_list.h"
#include "ui/window_manager.h"

namespace {

const Proficiency defaultProficiency;

bool queuedForRemoval(const GameUIStandardElementList* list, const GameUIBaseListItem* row) {
    return std::find(list->removalQueue.begin(), list->removalQueue.end(), row) != list->removalQueue.end();
}

} // namespace

BRAVUIPickProficiencies::BRAVUIPickProficiencies(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                 const float topLeft[2], const float bottomRight[2],
                                                 std::uint32_t depth, const std::string& listId,
                                                 std::uint32_t pickCount, const std::string& title,
                                                 const ProficiencyCatalogue* proficiencyCatalogue,
                                                 CharacterSheet* character)
    : GameUIBaseWindow(tag, owner, theme, "createAttributesWindow", title, topLeft, bottomRight, depth, nullptr,
                       false),
      proficiencyCatalogue(proficiencyCatalogue), character(character), listId(listId), initialPicks(pickCount),
      picksLeft(pickCount) {
    picksLabel = windowparts::addTitleLabel(*this, "proficienciesListTitleLabel", "", -0.95f, 0.95f, -0.05f, 0.8f);
    refreshTitle();
    const float availableTopLeft[2] = {-0.95f, 0.8f}, availableBottomRight[2] = {-0.05f, 0.0f};
    availableList = new GameUIStandardElementList(tag, owner, availableTopLeft, availableBottomRight, theme,
                                                  "proficienciesList", "", this, true, "");
    availableList->eventSignal.connect(this, &BRAVUIPickProficiencies::onAvailableListEvent);
    addChild(availableList);
    windowparts::addTitleLabel(*this, "proficienciesListTitleLabel", "Upgradeable & Picked Proficiencies", -0.95f,
                               -0.05f, -0.05f, -0.2f);
    const float pickedTopLeft[2] = {-0.95f, -0.2f}, pickedBottomRight[2] = {-0.05f, -0.95f};
    pickedList = new GameUIStandardElementList(tag, owner, pickedTopLeft, pickedBottomRight, theme,
                                               "proficienciesList", "", this, true, "");
    pickedList->eventSignal.connect(this, &BRAVUIPickProficiencies::onPickedListEvent);
    addChild(pickedList);
    windowparts::addTitleLabel(*this, "descriptionBoxTitleLabel", "Description", 0.05f, 0.95f, 0.95f, 0.8f);

    buildAvailableList();
    buildUpgradeableList();

    const float boxTopLeft[2] = {0.05f, 0.8f}, boxBottomRight[2] = {0.95f, -0.8f};
    const std::string firstDescription =
        availableKeys.empty() ? std::string() : proficiencyOf(availableKeys.front().id).description;
    descriptionBox = new GameUIScrollableTextBox(tag, owner, theme, "descriptionTextBox", firstDescription, "",
                                                 boxTopLeft, boxBottomRight, this, 0, 0, 0);
    addChild(descriptionBox);

    nextStepButton = windowparts::addNextStepButton(*this, 0.75f, -0.85f, 0.95f, -0.95f,
                                                    &BRAVUIPickProficiencies::onNextStepButton);
    topDepth = getMaxChildDepth();
}

BRAVUIPickProficiencies::~BRAVUIPickProficiencies() {
    availableList->eventSignal.disconnect(this);
    pickedList->eventSignal.disconnect(this);
    nextStepButton->clickSignal.disconnect(this);
    if (domainPicker) {
        domainPicker->windowSignal.disconnect(this);
        // A picker left behind would hold every event with nobody to report to.
        if (WindowManager* manager = windowManager()) manager->removeWindow(domainPicker);
    }
}

const Proficiency& BRAVUIPickProficiencies::proficiencyOf(const std::string& id) const {
    const Proficiency* found = proficiencyCatalogue ? proficiencyCatalogue->findProficiency(id) : nullptr;
    return found ? *found : defaultProficiency;
}

std::string BRAVUIPickProficiencies::captionFor(const Proficiency& proficiency, const std::string& domain,
                                                std::int32_t rank) {
    std::string caption = proficiency.displayName;
    if (!domain.empty()) caption += " (" + literalText(domain) + ")";
    if (rank > 1) caption += " Rank: " + std::to_string(rank);
    return caption;
}

void BRAVUIPickProficiencies::addAvailableRow(const std::string& id, const std::string& domain) {
    const std::string caption = captionFor(proficiencyOf(id), domain, 1);
    availableList->addItem(new BRAVUIPickProficiencyListItem(tag, owner, theme, id, domain, caption, "",
                                                             pickflag::showPick, pickflag::noDump, pickflag::noUpgrade,
                                                             availableList));
}

void BRAVUIPickProficiencies::buildAvailableList() {
    const ProficiencyList* list = proficiencyCatalogue ? proficiencyCatalogue->findProficiencyList(listId) : nullptr;
    if (!list) return;
    for (const ProficiencyKey& member : list->entries) {
        const Proficiency& proficiency = proficiencyOf(member.id);
        const bool owned = character && std::any_of(character->proficiencies.begin(), character->proficiencies.end(),
                                                    [&](const std::unique_ptr<CharacterProficiency>& held) {
                                                        return held->id == member.id &&
                                                               (!proficiency.hasDomain || member.domain.empty() ||
                                                                held->domain == member.domain);
                                                    });
        if (owned) continue;
        availableKeys.push_back(member);
        addAvailableRow(member.id, member.domain);
    }
}

void BRAVUIPickProficiencies::buildUpgradeableList() {
    const ProficiencyList* list = proficiencyCatalogue ? proficiencyCatalogue->findProficiencyList(listId) : nullptr;
    if (!list || !character) return;
    for (const auto& held : character->proficiencies) {
        const Proficiency& proficiency = proficiencyOf(held->id);
        if (!proficiency.canBeUpgraded || held->level >= proficiency.maxLevel) continue;
        const bool listed = std::any_of(list->entries.begin(), list->entries.end(),
                                        [&](const ProficiencyKey& member) { return member.id == held->id; });
        if (!listed) continue;
        auto* row = new BRAVUIPickProficiencyListItem(
            tag, owner, theme, held->id, held->domain, captionFor(proficiency, held->domain, held->level), "",
            pickflag::noPick, pickflag::noDump, pickflag::canUpgrade, pickedList);
        row->setChoice({held->id, held->domain}, held->level);
        pickedList->addItem(row);
    }
}

std::vector<std::string> BRAVUIPickProficiencies::takenDomains(const std::string& id) const {
    std::vector<std::string> taken;
    if (character) {
        for (const auto& held : character->proficiencies) {
            if (held->id == id) taken.push_back(held->domain);
        }
    }
    for (const ProficiencyPickRecord& record : picks) {
        if (record.id == id) taken.push_back(record.domain);
    }
    // A domain the list names has its own row; typing it would take it twice.
    for (const ProficiencyKey& key : availableKeys) {
        if (key.id == id && !key.domain.empty()) taken.push_back(key.domain);
    }
    return taken;
}

void BRAVUIPickProficiencies::onAvailableListEvent(UIEvent::Data& event) {
    if (event.name == "pickOrDump") pickPending = 1;
    if (event.type == UIEvent::Click) availableRowDescriptionPending = 1;
    availableEvent = {event.value, event.source};
}

void BRAVUIPickProficiencies::onPickedListEvent(UIEvent::Data& event) {
    if (event.name == "pickOrDump") dumpPending = 1;
    else if (event.name == "upgrade") upgradePending = 1;
    else if (event.name == "downgrade") downgradePending = 1;
    if (event.type == UIEvent::Click) pickedRowDescriptionPending = 1;
    pickedEvent = {event.value, event.source};
}

void BRAVUIPickProficiencies::onDomainEntered(UIEvent::Data& event) {
    domainText = event.name;
    domainEnteredPending = 1;
}

void BRAVUIPickProficiencies::onNextStepButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) nextStepPending = 1;
}

BRAVUIPickProficiencyListItem* BRAVUIPickProficiencies::rowFor(GameUIStandardElementList* list,
                                                                const RowEvent& event) {
    if (event.row >= list->items.size()) return nullptr;
    GameUIBaseListItem* item = list->items[event.row];
    // Removals and sorting since the event move rows to other indexes.
    if (item != event.source || queuedForRemoval(list, item)) return nullptr;
    return dynamic_cast<BRAVUIPickProficiencyListItem*>(item);
}

void BRAVUIPickProficiencies::refreshTitle() {
    picksLabel->setText(windowparts::titleText("Pick " + std::to_string(picksLeft) + " more proficiencies"));
}

void BRAVUIPickProficiencies::commit() {
    if (!character) return;
    std::int32_t& count =
        listId == "general" ? character->unallocatedGeneralProficiencySlots : character->unallocatedClassProficiencySlots;
    for (const ProficiencyPickRecord& record : picks) {
        if (record.isNew) {
            character->addProficiency(record.id, record.domain);
            --count;
        }
        for (std::uint32_t i = 0; i < record.upgrades; ++i) {
            character->upgradeProficiency(record.id, record.domain);
            --count;
        }
    }
}

void BRAVUIPickProficiencies::showDescription(GameUIStandardElementList* list, const RowEvent& event) {
    if (BRAVUIPickProficiencyListItem* row = rowFor(list, event)) {
        descriptionBox->setText(proficiencyOf(row->name).description);
    }
}

void BRAVUIPickProficiencies::pickRow() {
    BRAVUIPickProficiencyListItem* row = rowFor(availableList, availableEvent);
    if (!row || !row->showPick) return;
    pickId = row->name;
    if (proficiencyOf(row->name).hasDomain && row->domain.empty()) {
        // The generic row stays, so the same proficiency can be picked again in another domain.
        askDomainPending = 1;
        return;
    }
    availableList->removeItem(static_cast<std::int32_t>(row->index));
    domainText = row->domain;
    addPickPending = 1;
}

void BRAVUIPickProficiencies::openDomainPicker() {
    WindowManager* manager = windowManager();
    if (!manager) return;
    const float pickerTopLeft[2] = {-0.5f, 0.3f}, pickerBottomRight[2] = {0.5f, -0.3f};
    const std::uint32_t pickerDepth = std::min(getMaxChildDepth() + 1, GameUIBaseElement::maxDepth);
    domainPicker = new BRAVUIProficiencyDomainPicker(tag, owner, manager->getTheme("default_theme"), pickerTopLeft,
                                                     pickerBottomRight, "Enter Proficiency Domain", pickerDepth);
    domainPicker->setTakenDomains(takenDomains(pickId));
    manager->addWindow(domainPicker);
    manager->setActiveWindow(domainPicker);
    domainPicker->windowSignal.connect(this, &BRAVUIPickProficiencies::onDomainEntered);
}

void BRAVUIPickProficiencies::closeDomainPicker() {
    if (!domainPicker) return;
    domainPicker->windowSignal.disconnect(this);
    WindowManager* manager = windowManager();
    if (manager) {
        manager->removeWindow(domainPicker);
        manager->setActiveWindow(this);
    }
    domainPicker = nullptr;
}

void BRAVUIPickProficiencies::addPick() {
    if (picksLeft == 0) return;
    const Proficiency& proficiency = proficiencyOf(pickId);
    auto* row = new BRAVUIPickProficiencyListItem(
        tag, owner, theme, pickId, domainText, captionFor(proficiency, domainText, 1), "", pickflag::noPick,
        pickflag::showDump, proficiency.canBeUpgraded && proficiency.maxLevel > 1, pickedList);
    row->setChoice({pickId, domainText}, 1);
    pickedList->addItem(row);
    picks.push_back({1, pickId, domainText, 0});
    --picksLeft;
    refreshTitle();
}

void BRAVUIPickProficiencies::dumpRow() {
    BRAVUIPickProficiencyListItem* row = rowFor(pickedList, pickedEvent);
    if (!row || !row->showDump) return;
    const ProficiencyKey key = row->getChoice().first;
    std::uint32_t returned = 0;
    for (auto it = picks.begin(); it != picks.end();) {
        if (it->matches(key.id, key.domain)) {
            returned += it->picksSpent();
            it = picks.erase(it);
        } else {
            ++it;
        }
    }
    const bool listed = std::find(availableKeys.begin(), availableKeys.end(), key) != availableKeys.end();
    // A typed domain came from the generic row, which never left the list.
    if (!proficiencyOf(key.id).hasDomain || listed) addAvailableRow(key.id, key.domain);
    pickedList->removeItem(static_cast<std::int32_t>(row->index));
    picksLeft = std::min(picksLeft + returned, initialPicks);
    refreshTitle();
}

void BRAVUIPickProficiencies::upgradeRow() {
    BRAVUIPickProficiencyListItem* row = rowFor(pickedList, pickedEvent);
    if (!row || !row->canUpgrade || row->picksExhausted || picksLeft == 0) return;
    const Proficiency& proficiency = proficiencyOf(row->name);
    auto [key, rank] = row->getChoice();
    if (ProficiencyPickRecord* record = findPickRecord(picks, key.id, key.domain)) {
        ++record->upgrades;
    } else {
        picks.push_back({0, key.id, key.domain, 1});
    }
    ++rank;
    row->setChoice(key, rank);
    row->setCaption(captionFor(proficiency, key.domain, rank));
    if (rank >= proficiency.maxLevel) row->canUpgrade = 0;
    row->canDowngrade = 1;
    --picksLeft;
    refreshTitle();
    // The row's buttons follow its flags only when it is placed again.
    pickedList->layoutDirty = 1;
}

void BRAVUIPickProficiencies::downgradeRow() {
    BRAVUIPickProficiencyListItem* row = rowFor(pickedList, pickedEvent);
    if (!row || !row->canDowngrade) return;
    auto [key, rank] = row->getChoice();
    ProficiencyPickRecord* record = findPickRecord(picks, key.id, key.domain);
    if (!record || record->upgrades == 0) return;
    --record->upgrades;
    if (record->upgrades == 0 && !record->isNew) picks.erase(picks.begin() + (record - picks.data()));
    const Proficiency& proficiency = proficiencyOf(row->name);
    --rank;
    row->setChoice(key, rank);
    row->setCaption(captionFor(proficiency, key.domain, rank));
    // Only the latest upgrade can be taken back until the next one.
    row->canDowngrade = 0;
    if (rank < proficiency.maxLevel) row->canUpgrade = 1;
    picksLeft = std::min(picksLeft + 1, initialPicks);
    refreshTitle();
    pickedList->layoutDirty = 1;
}

bool BRAVUIPickProficiencies::nothingLeftToPick() const {
    for (GameUIBaseListItem* item : availableList->items) {
        if (!queuedForRemoval(availableList, item)) return false;
    }
    for (GameUIBaseListItem* item : pickedList->items) {
        const auto* row = dynamic_cast<const BRAVUIPickProficiencyListItem*>(item);
        if (row && row->canUpgrade && !queuedForRemoval(pickedList, item)) return false;
    }
    return true;
}

void BRAVUIPickProficiencies::applyPicksLeft() {
    if (picksLeft == 0 && !availableList->disabled) {
        for (GameUIBaseListItem* item : pickedList->items) {
            if (auto* row = dynamic_cast<BRAVUIPickProficiencyListItem*>(item)) row->setPicksExhausted(true);
        }
        availableList->disable();
    } else if (picksLeft > 0 && availableList->disabled) {
        for (GameUIBaseListItem* item : pickedList->items) {
            if (auto* row = dynamic_cast<BRAVUIPickProficiencyListItem*>(item)) row->setPicksExhausted(false);
        }
        availableList->enable();
    }
    if (picksLeft == 0 || nothingLeftToPick()) nextStepButton->enable();
    else nextStepButton->disable();
}

void BRAVUIPickProficiencies::update(float dt) {
    if (nextStepPending) {
        nextStepPending = 0;
        commit();
        reportEvent("nextStep");
    }
    if (pickedRowDescriptionPending) {
        pickedRowDescriptionPending = 0;
        showDescription(pickedList, pickedEvent);
    }
    if (availableRowDescriptionPending) {
        availableRowDescriptionPending = 0;
        showDescription(availableList, availableEvent);
    }
    if (pickPending) {
        // A pick that came while none were left is dropped, not kept for later.
        pickPending = 0;
        if (picksLeft > 0) pickRow();
    }
    if (askDomainPending) {
        askDomainPending = 0;
        openDomainPicker();
    }
    if (domainEnteredPending) {
        domainEnteredPending = 0;
        closeDomainPicker();
        addPickPending = 1;
    }
    if (addPickPending) {
        addPickPending = 0;
        addPick();
    }
    if (dumpPending) {
        dumpPending = 0;
        dumpRow();
    }
    if (upgradePending) {
        upgradePending = 0;
        upgradeRow();
    }
    if (downgradePending) {
        downgradePending = 0;
        downgradeRow();
    }
    applyPicksLeft();
    GameUIStandardElement::update(dt);
}
