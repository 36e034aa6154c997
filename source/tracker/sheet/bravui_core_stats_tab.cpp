#include "tracker/sheet/bravui_core_stats_tab.h"

#include <algorithm>
#include <optional>

#include "render/render_interface.h"
#include "render/text_markup.h"
#include "rules/character_class.h"
#include "rules/character_sheet.h"
#include "rules/sub_class.h"
#include "tracker/sheet/bravui_add_experience_window.h"
#include "tracker/sheet/bravui_move_speed_display.h"
#include "tracker/sheet/bravui_saving_throw_display.h"
#include "tracker/sheet/bravui_set_hit_points_window.h"
#include "tracker/sheet/character_portrait.h"
#include "tracker/ui_attribute_entry_line.h"
#include "tracker/wizard/window_parts.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_element_group.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"
#include "ui/window_manager.h"

namespace {

using windowparts::titleText;

// The rows of the movement, saving-throw and attribute groups: top and bottom edges.
constexpr std::array<std::array<float, 2>, 6> rowEdges = {
    {{0.7f, 0.5f}, {0.45f, 0.25f}, {0.2f, 0.0f}, {-0.05f, -0.25f}, {-0.3f, -0.5f}, {-0.55f, -0.75f}}};

struct StatRow {
    const char* key;
    const char* name;
    const char* caption;
    const char* toolTip;
};

const StatRow movementRows[] = {
    {"base", "Base", "Base", "Base move speed under normal, non-combat, conditions. Measured in feet."},
    {"combat", "Combat", "Combat", "Combat move speed."},
    {"run", "Run", "Charge/Run", "Charging or running, combat move speed. Measured in feet."},
    {"climb", "Climb", "Climb", "Climbing move speed under normal, non-combat, conditions. Measured in feet."},
    {"stealth", "Stealth", "Stealth", "Stealth move speed under normal, non-combat, conditions. Measured in feet."},
    {"daily", "Daily", "Daily", "Daily move speed under normal, non-combat, conditions. Measured in miles per day"},
};

const StatRow savingThrowRows[] = {
    {"petrification", "Petrification", "Petrification\n& Paralysis",
     "Save versus petrification & paralysis. Does not include any potential bonuses."},
    {"death", "Death", "Poison\n& Death", "Save versus poison & death. Does not include any potential bonuses."},
    {"blast", "Blast", "Blast &\nBreath",
     "Save versus Blast & Breath attacks. Does not include any potential bonuses."},
    {"staffs", "Staffs", "Staffs &\nWands", "Save versus staffs & wands. Does not include any potential bonuses."},
    {"spells", "Spells", "Spells", "Save versus spells. Does not include any potential bonuses."},
};

struct AttributeRow {
    const char* name;
    const char* caption;
    const char* toolTip;
};

const AttributeRow attributeRows[BRAVUICoreStatsTab::attributeCount] = {
    {"strength", "Strength",
     "Physical might. Its modifier applies to melee attack and damage rolls, and each point of it makes forcing a "
     "stuck door four easier on the throw. Fighters earn bonus experience for a high Strength."},
    {"intelligence", "Intelligence",
     "Reasoning and memory. A high score grants extra proficiency slots and helps with languages and lore; mages "
     "earn bonus experience for it and learn their arcane spells through it."},
    {"wisdom", "Wisdom",
     "Willpower, judgement and insight. Its modifier applies to saving throws against magic that works on the "
     "mind; priests earn bonus experience for a high Wisdom."},
    {"dexterity", "Dexterity",
     "Agility and reflexes. Its modifier applies to missile attack rolls, to armour class and to initiative; "
     "rogues earn bonus experience for a high Dexterity."},
    {"constitution", "Constitution",
     "Health and stamina. Its modifier is added to the hit points rolled for each level that grants the "
     "Constitution bonus, and to saving throws against poison and disease."},
    {"charisma", "Charisma",
     "Force of personality and bearing. Its modifier applies to reaction rolls when dealing with others, and "
     "sets how many retainers the character can keep and how loyal they stay."},
};

// The experience a record asks for; a negative one asks for nothing.
std::uint32_t recordExperience(const CharacterClassLevel& record) {
    return record.experience > 0 ? static_cast<std::uint32_t>(record.experience) : 0u;
}

std::uint32_t topLevel(const CharacterSheet& character) {
    const CharacterClass* characterClass = character.characterClass;
    return characterClass && characterClass->maxLevel > 0 ? static_cast<std::uint32_t>(characterClass->maxLevel) : 0u;
}

// The record of level + 1, or null: no class, at or above the top level, or no such record.
const CharacterClassLevel* nextLevelRecord(const CharacterSheet& character) {
    if (!character.characterClass || character.level >= topLevel(character)) return nullptr;
    return character.characterClass->getLevel(character.level + 1);
}

std::string armourClassText(const CharacterSheet& character) { return std::to_string(character.getArmourClass()); }

std::string hitPointsText(const CharacterSheet& character) {
    return std::to_string(character.currentHitPoints) + "/" + std::to_string(character.maximumHitPoints);
}

} // namespace

BRAVUICoreStatsTab::BRAVUICoreStatsTab(std::uint32_t tag, UIContext* owner, const Theme* theme, BRAVConfig* config,
                                       RulesCatalogues* catalogues, CharacterSheet* character)
    : tag(tag), owner(owner), theme(theme), config(config), catalogues(catalogues), character(character),
      levelUpFlow(tag, owner, theme, catalogues, character),
      portrait(std::make_unique<CharacterPortrait>(tag, owner, theme, config, character)) {}

BRAVUICoreStatsTab::~BRAVUICoreStatsTab() {
    closeTabWindow(owner, addExperienceWindow);
    closeTabWindow(owner, setHitPointsWindow);
}

std::uint32_t BRAVUICoreStatsTab::windowDepth() const { return windowDepthOver(panel, owner); }

std::string BRAVUICoreStatsTab::levelText(const CharacterSheet& character) {
    return "[*Level: ]" + std::to_string(character.level);
}

std::string BRAVUICoreStatsTab::experienceText(const CharacterSheet& character) {
    const CharacterClassLevel* next = nextLevelRecord(character);
    return "[*Experience: ]" + std::to_string(character.experience) + "/" +
           std::to_string(next ? recordExperience(*next) : 0u);
}

bool BRAVUICoreStatsTab::canLevelUp(const CharacterSheet& character) {
    const CharacterClassLevel* next = nextLevelRecord(character);
    return next && character.experience >= recordExperience(*next);
}

std::string BRAVUICoreStatsTab::initiativeText(std::int32_t dexterityModifier) {
    return (dexterityModifier > 0 ? "+" : "") + std::to_string(dexterityModifier);
}

GameUIElementGroup* BRAVUICoreStatsTab::addGroup(const float topLeft[2], const float bottomRight[2]) {
    auto* group = new GameUIElementGroup(0, tag, owner, theme, "innerPanelGroup", "", topLeft, bottomRight, panel);
    panel->addElement(group);
    return group;
}

GameUILabel* BRAVUICoreStatsTab::addTitle(GameUIElementGroup* group, const char* name, const std::string& text,
                                          const float topLeft[2], const float bottomRight[2], bool centred) {
    auto* label = new GameUILabel(owner, theme, name, text, "", topLeft, bottomRight, group, labelflag::notRightAligned,
                                  centred, centred);
    label->setFonts(windowparts::titleFont, windowparts::titleBoldFont);
    group->addElement(label);
    return label;
}

GameUIPushButton* BRAVUICoreStatsTab::addButton(GameUIElementGroup* group, const char* name, const char* caption,
                                                const char* toolTip, const float topLeft[2],
                                                const float bottomRight[2],
                                                void (BRAVUICoreStatsTab::*slot)(UIEvent::Data&)) {
    auto* button = new GameUIPushButton(owner, theme, name, caption, toolTip, topLeft, bottomRight, group);
    // Set at creation: without it the button never reports a click.
    button->signalsEnabled = 1;
    button->clickSignal.connect(this, slot);
    group->addElement(button);
    return button;
}

void BRAVUICoreStatsTab::attach(GameUIElementGroup* newPanel) {
    if (!newPanel || !character) return;
    panel = newPanel;
    // The portrait's frame: 156 by 190 pixels from (-0.875, 0.775).
    RenderInterface* ri = owner ? owner->renderInterface : nullptr;
    const float screenWidth = ri && ri->updateSettings().width ? static_cast<float>(ri->updateSettings().width) : 1.0f;
    const float screenHeight =
        ri && ri->updateSettings().height ? static_cast<float>(ri->updateSettings().height) : 1.0f;
    const float portraitRight = -0.875f + 312.0f / screenWidth;
    const float portraitBottom = 0.775f - 380.0f / screenHeight;
    buildIdentityGroup(portraitRight);
    buildHitPointGroup(portraitBottom);
    buildMovementGroup(portraitBottom);
    buildSavingThrowGroup(portraitBottom);
    buildAttributeGroup(portraitBottom);
    portrait->attach(panel);
    refreshButtonStates();
}

void BRAVUICoreStatsTab::buildIdentityGroup(float portraitRight) {
    const float groupTopLeft[2] = {portraitRight + 0.05f, 0.95f}, groupBottomRight[2] = {0.95f, 0.2f};
    GameUIElementGroup* group = addGroup(groupTopLeft, groupBottomRight);
    const CharacterClass* characterClass = character->characterClass;
    const SubClass* subClass = character->subClass;
    struct Line {
        const char* name;
        std::string text;
        float top, bottom;
    };
    const Line lines[] = {
        {"attributeDescription", "[*Name: ]" + literalText(character->name), 1.0f, 0.7f},
        {"classNameLabel", "[*Class: ]" + (characterClass ? characterClass->displayName : std::string()), 0.7f, 0.4f},
        {"subClassNameLabel", subClass ? "[*" + subClass->typeName + ": ]" + subClass->displayName : std::string(),
         0.4f, 0.1f},
        {"titleLabel", "[*Title: ]" + character->getLevelTitle(), 0.1f, -0.2f},
        {"alignmentLabel", "[*Alignment: ]" + literalText(character->alignment), -0.2f, -0.5f},
    };
    for (const Line& line : lines) {
        // Clear of the level and experience beside them.
        const float topLeft[2] = {-1.0f, line.top}, bottomRight[2] = {-0.04f, line.bottom};
        auto* label = new GameUILabel(owner, theme, line.name, line.text, "", topLeft, bottomRight, group,
                                      labelflag::notRightAligned, labelflag::notCentred, labelflag::atTop);
        label->keepOnOneLine();
        group->addElement(label);
    }
    const float portraitTopLeft[2] = {-1.0f, -0.5f}, portraitBottomRight[2] = {-0.5f, -0.9f};
    changePortraitButton =
        addButton(group, "changePortraitButton", "Change Portrait", "Load an image to use as a character portrait.",
                  portraitTopLeft, portraitBottomRight, &BRAVUICoreStatsTab::onChangePortraitClicked);
    // The experience is one line beside its buttons: "Experience: 2730/20000" takes most of the room.
    const float levelTopLeft[2] = {0.0f, 1.0f}, levelBottomRight[2] = {0.62f, 0.7f};
    levelLabel = new GameUILabel(owner, theme, "levelLabel", levelText(*character), "", levelTopLeft, levelBottomRight,
                                 group, labelflag::notRightAligned, labelflag::notCentred, labelflag::atTop);
    levelLabel->keepOnOneLine();
    group->addElement(levelLabel);
    const float experienceTopLeft[2] = {0.0f, 0.65f}, experienceBottomRight[2] = {0.62f, 0.35f};
    experienceLabel = new GameUILabel(owner, theme, "experienceLabel", experienceText(*character), "",
                                      experienceTopLeft, experienceBottomRight, group, labelflag::notRightAligned,
                                      labelflag::notCentred, labelflag::atTop);
    experienceLabel->keepOnOneLine();
    group->addElement(experienceLabel);
    const float levelUpTopLeft[2] = {0.65f, 1.0f}, levelUpBottomRight[2] = {0.95f, 0.7f};
    levelUpButton = addButton(group, "levelUpButton", "Level Up", experienceToolTip, levelUpTopLeft,
                              levelUpBottomRight, &BRAVUICoreStatsTab::onLevelUpClicked);
    const float addXPTopLeft[2] = {0.65f, 0.65f}, addXPBottomRight[2] = {0.95f, 0.35f};
    addXPButton = addButton(group, "addXPButton", "Add XP", experienceToolTip, addXPTopLeft, addXPBottomRight,
                            &BRAVUICoreStatsTab::onAddXPClicked);
    const float attackTitleTopLeft[2] = {0.0f, -0.1f}, attackTitleBottomRight[2] = {0.85f, -0.2f};
    addTitle(group, "attackThrowTitle", titleText("Attack Throw"), attackTitleTopLeft, attackTitleBottomRight, false);
    const float attackTopLeft[2] = {0.0f, -0.4f}, attackBottomRight[2] = {0.75f, -0.7f};
    group->addElement(new BRAVUISavingThrowDisplay(
        owner, theme, "attack", "Base Attack", "Base attack throw from class & level, before any modifiers are applied.",
        character->getSavingThrow("Attack"), attackTopLeft, attackBottomRight, group));
}

void BRAVUICoreStatsTab::buildHitPointGroup(float portraitBottom) {
    const float groupTopLeft[2] = {-0.45f, portraitBottom - 0.05f}, groupBottomRight[2] = {-0.12f, -0.9f};
    GameUIElementGroup* group = addGroup(groupTopLeft, groupBottomRight);
    auto line = [](float top, float bottom, float out[4]) {
        out[0] = -1.0f;
        out[1] = top;
        out[2] = 1.0f;
        out[3] = bottom;
    };
    float r[4];
    line(1.0f, 0.8f, r);
    addTitle(group, "hpTitle", "<id='TitleBarText'[* HP ]>", &r[0], &r[2], true);
    line(0.8f, 0.6f, r);
    hitPointsLabel = addTitle(group, "hpValuesLabel", hitPointsText(*character), &r[0], &r[2], true);
    const float setHPTopLeft[2] = {-0.5f, 0.575f}, setHPBottomRight[2] = {0.5f, 0.425f};
    setHPButton = addButton(group, "editHPButton", "Set HP",
                            "Set the character's current hit points after healing or taking damage", setHPTopLeft,
                            setHPBottomRight, &BRAVUICoreStatsTab::onSetHPClicked);
    // The AC and Initiative titles are written without their closing "]>".
    line(0.3f, 0.1f, r);
    addTitle(group, "hpTitle", "<id='TitleBarText'[* AC ]", &r[0], &r[2], true);
    line(0.1f, -0.1f, r);
    armourClassLabel = addTitle(group, "acValuesLabel", armourClassText(*character), &r[0], &r[2], true);
    line(-0.4f, -0.6f, r);
    addTitle(group, "initiativeTitleLabel", "<id='TitleBarText'[* Initiative ]", &r[0], &r[2], true);
    line(-0.6f, -0.8f, r);
    initiativeLabel =
        addTitle(group, "initiativeValueLabel", initiativeText(character->getDexterityModifier()), &r[0], &r[2], true);
}

void BRAVUICoreStatsTab::buildMovementGroup(float portraitBottom) {
    const float groupTopLeft[2] = {-0.1f, portraitBottom - 0.05f}, groupBottomRight[2] = {0.3f, -0.9f};
    GameUIElementGroup* group = addGroup(groupTopLeft, groupBottomRight);
    const float titleTopLeft[2] = {-1.0f, 1.0f}, titleBottomRight[2] = {1.0f, 0.8f};
    addTitle(group, "movementTitleLabel", titleText("Movement"), titleTopLeft, titleBottomRight, false);
    for (std::size_t i = 0; i < std::size(movementRows); ++i) {
        const StatRow& row = movementRows[i];
        const float topLeft[2] = {-1.0f, rowEdges[i][0]}, bottomRight[2] = {1.0f, rowEdges[i][1]};
        group->addElement(new BRAVUIMoveSpeedDisplay(owner, theme, row.name, row.caption, row.toolTip,
                                                     character->getMovementSpeed(row.key), topLeft, bottomRight,
                                                     group));
    }
}

void BRAVUICoreStatsTab::buildSavingThrowGroup(float portraitBottom) {
    // The widest column: "Petrification & Paralysis" stays on its row's one line.
    const float groupTopLeft[2] = {0.3f, portraitBottom - 0.05f}, groupBottomRight[2] = {0.95f, -0.9f};
    GameUIElementGroup* group = addGroup(groupTopLeft, groupBottomRight);
    const float titleTopLeft[2] = {-1.0f, 1.0f}, titleBottomRight[2] = {1.0f, 0.8f};
    addTitle(group, "savingThrowsTitle", titleText("Saving Throws"), titleTopLeft, titleBottomRight, false);
    for (std::size_t i = 0; i < std::size(savingThrowRows); ++i) {
        const StatRow& row = savingThrowRows[i];
        const float topLeft[2] = {-1.0f, rowEdges[i][0]}, bottomRight[2] = {1.0f, rowEdges[i][1]};
        group->addElement(new BRAVUISavingThrowDisplay(owner, theme, row.name, row.caption, row.toolTip,
                                                       character->getSavingThrow(row.key), topLeft, bottomRight,
                                                       group));
    }
}

void BRAVUICoreStatsTab::buildAttributeGroup(float portraitBottom) {
    const float groupTopLeft[2] = {-0.95f, portraitBottom - 0.05f}, groupBottomRight[2] = {-0.45f, -0.9f};
    GameUIElementGroup* group = addGroup(groupTopLeft, groupBottomRight);
    const float titleTopLeft[2] = {-1.0f, 1.0f}, titleBottomRight[2] = {1.0f, 0.8f};
    addTitle(group, "attributesTitle", titleText("Attributes"), titleTopLeft, titleBottomRight, false);
    for (std::size_t i = 0; i < attributeCount; ++i) {
        const AttributeRow& row = attributeRows[i];
        const float topLeft[2] = {-1.0f, rowEdges[i][0]}, bottomRight[2] = {1.0f, rowEdges[i][1]};
        const std::int32_t score = character->attributes[i].current;
        auto* line = new UIAttributeEntryLine(tag, owner, row.caption, score, character->getModifier(score), row.name,
                                              row.toolTip, theme, topLeft, bottomRight, group);
        line->eventSignal.connect(this, &BRAVUICoreStatsTab::onAttributeChanged);
        group->addElement(line);
        attributeLines[i] = line;
    }
}

void BRAVUICoreStatsTab::detach() {
    // A score typed in the frame of a tab press has not been reported yet: it is kept all the same.
    for (UIAttributeEntryLine* line : attributeLines) {
        if (line) line->validateNow();
    }
    if (attributeEditedPending) applyAttributeLines();
    attributeEditedPending = 0;
    for (GameUIPushButton* button : {setHPButton, addXPButton, levelUpButton, changePortraitButton}) {
        if (button) button->clickSignal.disconnect(this);
    }
    for (UIAttributeEntryLine*& line : attributeLines) {
        if (!line) continue;
        line->eventSignal.disconnect(this);
        line = nullptr;
    }
    setHPButton = addXPButton = levelUpButton = changePortraitButton = nullptr;
    experienceLabel = levelLabel = hitPointsLabel = armourClassLabel = initiativeLabel = nullptr;
    portrait->detach();
    panel = nullptr;
}

void BRAVUICoreStatsTab::onAttributeChanged(UIEvent::Data&) { attributeEditedPending = 1; }

void BRAVUICoreStatsTab::onAddXPClicked(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) addXPClickedPending = 1;
}

void BRAVUICoreStatsTab::onLevelUpClicked(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) levelUpClickedPending = 1;
}

void BRAVUICoreStatsTab::onSetHPClicked(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) setHPClickedPending = 1;
}

void BRAVUICoreStatsTab::onChangePortraitClicked(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) changePortraitClickedPending = 1;
}

void BRAVUICoreStatsTab::onAddExperienceEvent(UIEvent::Data& event) {
    // The close button is Cancel.
    if (event.name == "closeWindow" || event.name == "closeDialog") addXPClosedPending = 1;
}

void BRAVUICoreStatsTab::onSetHitPointsEvent(UIEvent::Data&) { setHPClosedPending = 1; }

void BRAVUICoreStatsTab::applyAttributeLines() {
    if (!character) return;
    for (std::size_t i = 0; i < attributeCount; ++i) {
        UIAttributeEntryLine* line = attributeLines[i];
        // The line's held score: one being edited, or left empty, keeps the character's.
        if (!line) continue;
        character->setScore(static_cast<CharacterSheet::Attribute>(i), line->score());
    }
    for (std::size_t i = 0; i < attributeCount; ++i) {
        if (attributeLines[i]) attributeLines[i]->setModifierText(character->getModifier(character->attributes[i].current));
    }
    // Dexterity moves armour class and initiative.
    if (armourClassLabel) armourClassLabel->setText(armourClassText(*character));
    if (initiativeLabel) initiativeLabel->setText(initiativeText(character->getDexterityModifier()));
}

void BRAVUICoreStatsTab::refreshExperience() {
    if (levelLabel) levelLabel->setText(levelText(*character));
    if (experienceLabel) experienceLabel->setText(experienceText(*character));
    refreshButtonStates();
}

void BRAVUICoreStatsTab::refreshButtonStates() {
    if (!character) return;
    if (levelUpButton) levelUpButton->setEnabled(canLevelUp(*character));
    const std::optional<std::uint32_t> cap = BRAVUIAddExperienceWindow::experienceCeiling(*character);
    if (addXPButton) addXPButton->setEnabled(!cap || character->experience < *cap);
}

void BRAVUICoreStatsTab::stepLevelUp() {
    if (levelUpClickedPending) {
        levelUpClickedPending = 0;
        levelUpFlow.pressLevelUp();
    }
    // The sequence ended: the tab is built again to show the new level and what it brought.
    if (levelUpFlow.update(windowDepth()) && panel) {
        GameUIElementGroup* shown = panel;
        detach();
        shown->deleteChildren();
        attach(shown);
    }
}

void BRAVUICoreStatsTab::stepHitPoints() {
    if (setHPClickedPending) {
        setHPClickedPending = 0;
        openTabWindow(
            owner, setHitPointsWindow,
            [this] {
                const float topLeft[2] = {-0.25f, 0.15f}, bottomRight[2] = {0.25f, -0.15f};
                return new BRAVUISetHitPointsWindow(tag, owner, theme,
                                                    BRAVUISetHitPointsWindow::titlePrefix +
                                                        std::to_string(character->maximumHitPoints),
                                                    topLeft, bottomRight, windowDepth(), character);
            },
            &BRAVUICoreStatsTab::onSetHitPointsEvent);
    }
    if (setHPClosedPending) {
        setHPClosedPending = 0;
        closeTabWindow(owner, setHitPointsWindow);
        if (hitPointsLabel) hitPointsLabel->setText(hitPointsText(*character));
    }
}

void BRAVUICoreStatsTab::stepAddExperience() {
    if (addXPClickedPending) {
        addXPClickedPending = 0;
        openTabWindow(
            owner, addExperienceWindow,
            [this] {
                const float topLeft[2] = {-0.5f, 0.5f}, bottomRight[2] = {0.5f, -0.5f};
                return new BRAVUIAddExperienceWindow(tag, owner, theme, "Add Experience", topLeft, bottomRight,
                                                     windowDepth(), character);
            },
            &BRAVUICoreStatsTab::onAddExperienceEvent);
    }
    if (addXPClosedPending) {
        addXPClosedPending = 0;
        refreshExperience();
        closeTabWindow(owner, addExperienceWindow);
    }
}

void BRAVUICoreStatsTab::update() {
    if (!character) return;
    portrait->update();
    if (changePortraitClickedPending) {
        changePortraitClickedPending = 0;
        portrait->openFileDialog();
    }
    refreshButtonStates();
    stepLevelUp();
    stepHitPoints();
    if (attributeEditedPending) {
        attributeEditedPending = 0;
        applyAttributeLines();
    }
    stepAddExperience();
}
