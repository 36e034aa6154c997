#pragma once
// The window in which the player spends proficiency picks from one proficiency list (a class's
// own or "general"): each pick takes a new proficiency from the upper list, with a typed domain
// when it needs one, or raises by one rank a proficiency the lower list shows. Nothing reaches
// the character before Next Step; then every pick and upgrade is written, each lowering the
// character's unallocated count of that list, and the window reports "nextStep" on windowSignal.
// Next Step opens once the picks are spent, or once nothing is left to pick or upgrade (the
// rest then stays unallocated).
#include <cstdint>
#include <string>
#include <vector>

#include "rules/proficiency.h"
#include "tracker/wizard/proficiency_pick_record.h"
#include "ui/game_ui_base_window.h"

class BRAVUIPickProficiencyListItem;
class BRAVUIProficiencyDomainPicker;
class CharacterSheet;
class GameUILabel;
class GameUIPushButton;
class GameUIScrollableTextBox;
class GameUIStandardElementList;
class ProficiencyCatalogue;

class BRAVUIPickProficiencies : public GameUIBaseWindow {
public:
    // The row a list event named: its index then, and the row itself, only ever compared with
    // the rows the list holds now (it may have been deleted since).
    struct RowEvent {
        std::uint32_t row = 0;
        const GameUIBaseElement* source = nullptr;
    };

    BRAVUIPickProficiencies(std::uint32_t tag, UIContext* owner, const Theme* theme, const float topLeft[2],
                            const float bottomRight[2], std::uint32_t depth, const std::string& listId,
                            std::uint32_t pickCount, const std::string& title,
                            const ProficiencyCatalogue* proficiencyCatalogue, CharacterSheet* character);
    ~BRAVUIPickProficiencies() override;

    void update(float dt) override;

    void onAvailableListEvent(UIEvent::Data& event);
    void onPickedListEvent(UIEvent::Data& event);
    void onDomainEntered(UIEvent::Data& event);
    void onNextStepButton(UIEvent::Data& event);

    // The catalogue record of id, or a default record ("FAILED TO LOAD") for an id it lacks.
    const Proficiency& proficiencyOf(const std::string& id) const;
    // The domains of id that a typed domain may not repeat: owned, picked here, or named by the list.
    std::vector<std::string> takenDomains(const std::string& id) const;

    GameUIPushButton* nextStepButton = nullptr;
    const ProficiencyCatalogue* proficiencyCatalogue;
    CharacterSheet* character;
    std::uint8_t nextStepPending = 0;
    std::string listId;
    std::uint32_t initialPicks;
    std::uint32_t picksLeft;
    GameUILabel* picksLabel = nullptr;
    GameUIStandardElementList* availableList = nullptr;
    GameUIStandardElementList* pickedList = nullptr;
    GameUIScrollableTextBox* descriptionBox = nullptr;
    std::uint8_t pickedRowDescriptionPending = 0;
    std::uint8_t availableRowDescriptionPending = 0;
    // Each list emits at most one event per update, so one record per list keeps them apart.
    RowEvent availableEvent;
    RowEvent pickedEvent;
    // The list members the character does not own.
    std::vector<ProficiencyKey> availableKeys;
    std::vector<ProficiencyPickRecord> picks;
    std::uint8_t pickPending = 0;
    std::uint8_t addPickPending = 0;
    std::uint8_t askDomainPending = 0;
    std::uint8_t domainEnteredPending = 0;
    // The proficiency being picked, and its domain.
    std::string pickId;
    std::string domainText;
    BRAVUIProficiencyDomainPicker* domainPicker = nullptr;
    std::uint8_t upgradePending = 0;
    std::uint8_t downgradePending = 0;
    std::uint8_t dumpPending = 0;

private:
    void buildAvailableList();
    void buildUpgradeableList();
    // The row an event named when it is still in the list at that index and not queued for
    // removal; null otherwise.
    static BRAVUIPickProficiencyListItem* rowFor(GameUIStandardElementList* list, const RowEvent& event);
    static std::string captionFor(const Proficiency& proficiency, const std::string& domain, std::int32_t rank);
    void addAvailableRow(const std::string& id, const std::string& domain);
    void commit();
    void showDescription(GameUIStandardElementList* list, const RowEvent& event);
    void pickRow();
    void openDomainPicker();
    void closeDomainPicker();
    void addPick();
    void dumpRow();
    void upgradeRow();
    void downgradeRow();
    // Nothing the lists show can take a pick: no row to pick, no rank to add.
    bool nothingLeftToPick() const;
    void applyPicksLeft();
    void refreshTitle();
};
