#include "tracker/sheet/bravui_level_up_change_report_window.h"

#include "rules/character_class.h"
#include "rules/character_sheet.h"
#include "tracker/rows/bravui_class_ability_list_item.h"
#include "tracker/wizard/window_parts.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_scrollable_text_box.h"
#include "ui/game_ui_standard_element_list.h"

namespace {

// One line per spell level, in ascending level: "Gained 2 level 1 arcane spell castings.".
void appendCastings(std::string& text, const std::map<std::int32_t, std::int32_t>& gained, const char* kind) {
    for (const auto& [spellLevel, count] : gained) {
        text += "Gained " + std::to_string(count) + " level " + std::to_string(spellLevel) + " " + kind + " " +
                (count > 1 ? "spell castings." : "spell casting.") + "\n";
    }
}

} // namespace

BRAVUILevelUpChangeReportWindow::BRAVUILevelUpChangeReportWindow(std::uint32_t tag, UIContext* owner,
                                                                 const Theme* theme, const std::string& title,
                                                                 const float topLeft[2], const float bottomRight[2],
                                                                 std::uint32_t depth, CharacterSheet* character)
    : GameUIBaseWindow(tag, owner, theme, "levelUpReportWindow", title, topLeft, bottomRight, depth, nullptr, true),
      character(character) {
    windowparts::addTitleLabel(*this, "newAbilitiesTitleLabel", "New Class Abilities", -0.95f, 0.95f, -0.05f, 0.85f);
    const float listTopLeft[2] = {-0.95f, 0.85f}, listBottomRight[2] = {-0.05f, 0.05f};
    abilitiesList = new GameUIStandardElementList(tag, owner, listTopLeft, listBottomRight, theme, "classAbilitiesList",
                                                  "New class abilities at this level", this, false, "");
    addChild(abilitiesList);
    const CharacterClass* characterClass = character->characterClass;
    if (const CharacterClassLevel* record = character->currentLevelRecord(); record && characterClass) {
        for (const std::string& id : record->classAbilities) {
            const ClassAbility* ability = characterClass->findClassAbility(id);
            if (!ability) continue;
            abilitiesList->addItem(new BRAVUIClassAbilityListItem(tag, owner, theme, ability->id, ability->displayName,
                                                                  "", ability, 0, abilitiesList));
        }
    }
    abilitiesList->eventSignal.connect(this, &BRAVUILevelUpChangeReportWindow::onAbilitiesListEvent);

    windowparts::addTitleLabel(*this, "otherChangesTitleLabel", "Other Changes", -0.95f, 0.0f, -0.05f, -0.1f);
    const float changesTopLeft[2] = {-0.95f, -0.1f}, changesBottomRight[2] = {-0.05f, -0.95f};
    changesBox = new GameUIScrollableTextBox(tag, owner, theme, "descriptionTextBox", otherChangesText(*character), "",
                                             changesTopLeft, changesBottomRight, this, 0, 0, 0);
    addChild(changesBox);

    windowparts::addTitleLabel(*this, "descriptionBoxTitleLabel", "Description", 0.05f, 0.95f, 0.95f, 0.85f);
    const float boxTopLeft[2] = {0.05f, 0.85f}, boxBottomRight[2] = {0.95f, -0.75f};
    descriptionBox = new GameUIScrollableTextBox(tag, owner, theme, "descriptionTextBox", "", "", boxTopLeft,
                                                 boxBottomRight, this, 0, 0, 0);
    addChild(descriptionBox);

    nextStepButton = windowparts::addReportingButton(*this, "rerollStatsButton", "Next Step", "", 0.75f, -0.8f, 0.95f,
                                                     -0.95f, &BRAVUILevelUpChangeReportWindow::onNextStepButton);
    topDepth = getMaxChildDepth();
}

BRAVUILevelUpChangeReportWindow::~BRAVUILevelUpChangeReportWindow() {
    abilitiesList->eventSignal.disconnect(this);
    nextStepButton->clickSignal.disconnect(this);
}

std::string BRAVUILevelUpChangeReportWindow::otherChangesText(const CharacterSheet& character) {
    const LevelUpReport& report = character.levelUpReport;
    const auto hitPoints = static_cast<std::uint32_t>(report.hitPointsGained);
    std::string text = "Gained " + std::to_string(hitPoints) + " hit points.\n";
    if (const CharacterClassLevel* record = character.currentLevelRecord()) {
        for (const std::string& slot : record->proficiencies) {
            if (slot == "GeneralList") {
                text += "Gained a general proficiency slot.\n";
            } else if (slot == "ClassList") {
                text += "Gained a class proficiency slot.\n";
            }
        }
        if (!record->arcaneSpellLevels.empty()) appendCastings(text, report.arcaneCastingsGained, "arcane");
        if (!record->divineSpellLevels.empty()) appendCastings(text, report.divineCastingsGained, "divine");
    }
    if (report.attackImproved) text += "Attack roll improved.\n";
    if (report.savesImproved) text += "Saving throws improved.\n";
    return text;
}

void BRAVUILevelUpChangeReportWindow::onAbilitiesListEvent(UIEvent::Data& event) {
    if (event.type != UIEvent::Click) return;
    selectionPending = 1;
    selectedRow = event.value;
}

void BRAVUILevelUpChangeReportWindow::onNextStepButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) nextStepPending = 1;
}

void BRAVUILevelUpChangeReportWindow::update(float dt) {
    if (nextStepPending) {
        nextStepPending = 0;
        reportEvent("nextStep");
    }
    if (selectionPending) {
        selectionPending = 0;
        if (selectedRow < static_cast<std::uint32_t>(abilitiesList->itemCount())) {
            const auto* row = dynamic_cast<BRAVUIClassAbilityListItem*>(abilitiesList->items[selectedRow]);
            if (row && row->ability) descriptionBox->setText(row->ability->description);
        }
    }
    GameUIStandardElement::update(dt);
}
