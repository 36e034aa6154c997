#pragma once
// The Core tab of the character sheet: who the character is, level and experience with Level Up
// and Add XP, hit points with Set HP, armour class, initiative, the attack throw, movement,
// saving throws and the six attribute scores, which can be edited in place. It owns the windows
// it opens (add experience, set hit points, the level-up sequence); they outlive its widgets.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "tracker/sheet/bravui_sheet_tab.h"
#include "tracker/sheet/level_up_flow.h"
#include "ui/ui_event.h"

class BRAVConfig;
class BRAVUIAddExperienceWindow;
class BRAVUISetHitPointsWindow;
class CharacterPortrait;
class CharacterSheet;
class GameUIBaseWindow;
class GameUIBaseElement;
class GameUIElementGroup;
class GameUILabel;
class GameUIPushButton;
class Theme;
class UIAttributeEntryLine;
struct RulesCatalogues;
struct UIContext;

class BRAVUICoreStatsTab : public BRAVUISheetTab {
public:
    static constexpr std::size_t attributeCount = 6;
    static constexpr const char* experienceToolTip = "Add newly earned experience points to this characters total.";

    BRAVUICoreStatsTab(std::uint32_t tag, UIContext* owner, const Theme* theme, BRAVConfig* config,
                       RulesCatalogues* catalogues, CharacterSheet* character);
    ~BRAVUICoreStatsTab() override;

    void attach(GameUIElementGroup* panel) override;
    void detach() override;
    void update() override;
    const Theme* getTheme() const { return theme; }

    // "[*Level: ]" + level.
    static std::string levelText(const CharacterSheet& character);
    // "[*Experience: ]" + experience + "/" + the next level's experience, or "/0" when there is
    // no next level record.
    static std::string experienceText(const CharacterSheet& character);
    // A class, a record for the next level, and at least its experience.
    static bool canLevelUp(const CharacterSheet& character);
    // "+" before a positive modifier.
    static std::string initiativeText(std::int32_t dexterityModifier);

    // Slots: each only sets its pending flag.
    void onAttributeChanged(UIEvent::Data& event);
    void onAddXPClicked(UIEvent::Data& event);
    void onLevelUpClicked(UIEvent::Data& event);
    void onSetHPClicked(UIEvent::Data& event);
    void onChangePortraitClicked(UIEvent::Data& event);
    void onAddExperienceEvent(UIEvent::Data& event);
    void onSetHitPointsEvent(UIEvent::Data& event);

    std::uint32_t tag;
    UIContext* owner;
    const Theme* theme;
    BRAVConfig* config;
    RulesCatalogues* catalogues;
    CharacterSheet* character;
    GameUIElementGroup* panel = nullptr;

    // Strength, Intelligence, Wisdom, Dexterity, Constitution, Charisma; not owned.
    std::array<UIAttributeEntryLine*, attributeCount> attributeLines{};
    GameUILabel* experienceLabel = nullptr;
    GameUILabel* levelLabel = nullptr;
    GameUILabel* hitPointsLabel = nullptr;
    GameUILabel* armourClassLabel = nullptr;
    GameUILabel* initiativeLabel = nullptr;
    GameUIPushButton* setHPButton = nullptr;
    GameUIPushButton* addXPButton = nullptr;
    GameUIPushButton* levelUpButton = nullptr;
    GameUIPushButton* changePortraitButton = nullptr;

    std::uint8_t attributeEditedPending = 0;
    std::uint8_t addXPClickedPending = 0;
    std::uint8_t levelUpClickedPending = 0;
    std::uint8_t setHPClickedPending = 0;
    std::uint8_t changePortraitClickedPending = 0;
    std::uint8_t addXPClosedPending = 0;
    std::uint8_t setHPClosedPending = 0;

    // Open windows; removed by the tab, at the latest when it is deleted.
    BRAVUIAddExperienceWindow* addExperienceWindow = nullptr;
    BRAVUISetHitPointsWindow* setHitPointsWindow = nullptr;
    // Level up: the report and pickers, stepped from stepLevelUp.
    LevelUpFlow levelUpFlow;
    // The portrait's frame and picture, its file dialog and error popup.
    std::unique_ptr<CharacterPortrait> portrait;

private:
    void buildIdentityGroup(float portraitRight);
    void buildHitPointGroup(float portraitBottom);
    void buildMovementGroup(float portraitBottom);
    void buildSavingThrowGroup(float portraitBottom);
    void buildAttributeGroup(float portraitBottom);
    GameUIElementGroup* addGroup(const float topLeft[2], const float bottomRight[2]);
    GameUILabel* addTitle(GameUIElementGroup* group, const char* name, const std::string& text, const float topLeft[2],
                          const float bottomRight[2], bool centred);
    GameUIPushButton* addButton(GameUIElementGroup* group, const char* name, const char* caption, const char* toolTip,
                                const float topLeft[2], const float bottomRight[2],
                                void (BRAVUICoreStatsTab::*slot)(UIEvent::Data&));

    // Writes every line's held score into the character.
    void applyAttributeLines();
    void refreshExperience();
    void refreshButtonStates();
    // Clicks of Level Up; the level-up sequence of windows acts on them here.
    void stepLevelUp();
    void stepHitPoints();
    void stepAddExperience();
    // One above the panel's deepest widget, at most the deepest layer.
    std::uint32_t windowDepth() const;
};
