#include "tracker/sheet/bravui_proficiencies_tab.h"

#include "render/text_markup.h"
#include "rules/character_sheet.h"
#include "rules/class_ability.h"
#include "tracker/rows/bravui_character_action_list_item.h"
#include "tracker/rows/bravui_class_ability_list_item.h"
#include "tracker/sheet/title_label.h"
#include "tracker/wizard/bravui_pick_proficiency_list_item.h"
#include "ui/game_ui_element_group.h"
#include "ui/game_ui_scrollable_text_box.h"
#include "ui/game_ui_standard_element_list.h"

namespace {


GameUIStandardElementList* addList(GameUIElementGroup* panel, std::uint32_t tag, UIContext* owner,
                                   const Theme* theme, const char* name, const char* toolTip, float left, float top,
                                   float right, float bottom) {
    const float topLeft[2] = {left, top}, bottomRight[2] = {right, bottom};
    auto* list = new GameUIStandardElementList(tag, owner, topLeft, bottomRight, theme, name, toolTip, panel, false, "");
    panel->addElement(list);
    return list;
}

// The row at index, when the list still has one there and it is of the expected kind: a tab
// switch in the same poll as a selection leaves a stale index or no list at all.
template <class Row>
Row* rowAt(GameUIStandardElementList* list, std::uint32_t index) {
    if (!list || index >= list->items.size()) return nullptr;
    return dynamic_cast<Row*>(list->items[index]);
}

} // namespace

BRAVUIProficienciesTab::BRAVUIProficienciesTab(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                               CharacterSheet* sheet)
    : tag(tag), owner(owner), theme(theme), sheet(sheet) {}

BRAVUIProficienciesTab::~BRAVUIProficienciesTab() { detach(); }

std::string BRAVUIProficienciesTab::rowCaption(const CharacterProficiency& proficiency) {
    std::string caption = proficiency.shownName();
    if (!proficiency.domain.empty()) caption += " (" + literalText(proficiency.domain) + ")";
    if (proficiency.level > 1) caption += " Rank: " + std::to_string(proficiency.level);
    return caption;
}

void BRAVUIProficienciesTab::attach(GameUIElementGroup* panel) {
    if (!panel || !sheet) return;
    addPanelTitle(panel, owner, theme, "proficienciesListTitleLabel", "Proficiencies", -0.95f, 0.95f, -0.05f, 0.85f);
    proficienciesList = addList(panel, tag, owner, theme, "proficienciesList",
                                "A list of all proficencies this character currently has", -0.95f, 0.85f, -0.05f,
                                0.05f);
    addPanelTitle(panel, owner, theme, "classAbilitiesListTitleLabel", "Class Abilities", -0.95f, 0.0f, -0.05f, -0.1f);
    classAbilitiesList = addList(panel, tag, owner, theme, "classAbilitiesList",
                                 "A list of all unlocked class abilities this character has. More abilities are "
                                 "sometimes gained as the character increases in level.",
                                 -0.95f, -0.1f, -0.05f, -0.9f);
    addPanelTitle(panel, owner, theme, "actionsListTitleLabel", "Actions", 0.05f, 0.0f, 0.95f, -0.1f);
    actionsList = addList(panel, tag, owner, theme, "actionsList",
                          "Common actions the character can perform such as the thief skills for lockipicking and "
                          "finding traps",
                          0.05f, -0.1f, 0.95f, -0.9f);
    addPanelTitle(panel, owner, theme, "descriptionBoxTitleLabel", "Description", 0.05f, 0.95f, 0.95f, 0.85f);

    for (const auto& proficiency : sheet->proficiencies) {
        auto* row = new BRAVUIPickProficiencyListItem(tag, owner, theme, proficiency->id, proficiency->domain,
                                                      rowCaption(*proficiency), "", pickflag::noPick, pickflag::noDump,
                                                      pickflag::noUpgrade, proficienciesList);
        row->setChoice(proficiency->key(), proficiency->level);
        proficienciesList->addItem(row);
    }
    proficienciesList->selectItem(0);
    proficienciesList->layoutItems(0);

    for (const ClassAbility* ability : sheet->classAbilities) {
        if (!ability) continue;
        classAbilitiesList->addItem(new BRAVUIClassAbilityListItem(tag, owner, theme, ability->id,
                                                                   ability->displayName, "", ability, 0,
                                                                   classAbilitiesList));
    }

    // The throws follow the character's scores as they are now; the rows point into this list,
    // which nothing rebuilds again while the tab is shown.
    sheet->rebuildActions();
    for (const CharacterAction& action : sheet->actions) {
        actionsList->addItem(new BRAVUICharacterActionListItem(tag, owner, theme, action.id, action.displayName, "",
                                                               &action, actionsList));
    }

    std::string firstDescription;
    if (!sheet->proficiencies.empty() && sheet->proficiencies.front()->record) {
        firstDescription = sheet->proficiencies.front()->record->description;
    }
    const float boxTopLeft[2] = {0.05f, 0.85f}, boxBottomRight[2] = {0.95f, 0.05f};
    descriptionBox = new GameUIScrollableTextBox(tag, owner, theme, "descriptionTextBox", firstDescription, "",
                                                 boxTopLeft, boxBottomRight, panel, 0, 0, 0);
    panel->addElement(descriptionBox);

    proficienciesList->eventSignal.connect(this, &BRAVUIProficienciesTab::onProficienciesList);
    classAbilitiesList->eventSignal.connect(this, &BRAVUIProficienciesTab::onClassAbilitiesList);
    actionsList->eventSignal.connect(this, &BRAVUIProficienciesTab::onActionsList);
}

void BRAVUIProficienciesTab::detach() {
    if (proficienciesList) proficienciesList->eventSignal.disconnect(this);
    if (classAbilitiesList) classAbilitiesList->eventSignal.disconnect(this);
    if (actionsList) actionsList->eventSignal.disconnect(this);
    proficienciesList = classAbilitiesList = actionsList = nullptr;
    descriptionBox = nullptr;
}

void BRAVUIProficienciesTab::onProficienciesList(UIEvent::Data& event) {
    if (event.type != UIEvent::Click) return;
    proficiencyIndex = event.value;
    proficiencyChosen = 1;
}

void BRAVUIProficienciesTab::onClassAbilitiesList(UIEvent::Data& event) {
    if (event.type != UIEvent::Click) return;
    abilityIndex = event.value;
    abilityChosen = 1;
}

void BRAVUIProficienciesTab::onActionsList(UIEvent::Data& event) {
    if (event.type != UIEvent::Click) return;
    actionIndex = event.value;
    actionChosen = 1;
}

void BRAVUIProficienciesTab::showDescription(const std::string& text) {
    if (descriptionBox) descriptionBox->setText(text);
}

void BRAVUIProficienciesTab::update() {
    if (proficiencyChosen) {
        proficiencyChosen = 0;
        if (const auto* row = rowAt<BRAVUIPickProficiencyListItem>(proficienciesList, proficiencyIndex)) {
            const ProficiencyKey key = row->getChoice().first;
            const CharacterProficiency* found = sheet ? sheet->findProficiency(key.id, key.domain) : nullptr;
            // A proficiency the catalogue lacks, or one no longer on the character, has nothing
            // to describe: the previous entry's text must not stay under this row.
            showDescription(found && found->record ? found->record->description : std::string());
        }
    }
    if (abilityChosen) {
        abilityChosen = 0;
        if (const auto* row = rowAt<BRAVUIClassAbilityListItem>(classAbilitiesList, abilityIndex)) {
            showDescription(row->ability ? row->ability->description : std::string());
        }
    }
    if (actionChosen) {
        actionChosen = 0;
        if (const auto* row = rowAt<BRAVUICharacterActionListItem>(actionsList, actionIndex)) {
            showDescription(row->action ? row->action->description : std::string());
        }
    }
}
