#pragma once
// A row of a proficiency list: its caption, and the buttons its flags ask for ("pick" or
// "dump", "+" and "-"), each reported on the row's signal as "pickOrDump", "upgrade" or
// "downgrade" with the row's index. The row's name is the proficiency id; its choice is the
// proficiency (id, domain) with the rank it shows. Built with no buttons, it is a plain row.
#include <cstdint>
#include <string>
#include <utility>

#include "render/render_interface.h"
#include "rules/proficiency.h"
#include "ui/game_ui_base_list_item.h"

class GameUIPushButton;

class BRAVUIPickProficiencyListItem : public GameUIBaseListItem {
public:
    BRAVUIPickProficiencyListItem(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                  const std::string& proficiencyId, const std::string& domain,
                                  const std::string& caption, const std::string& toolTip, bool showPick, bool showDump,
                                  bool canUpgrade, GameUIBaseElement* parent);
    ~BRAVUIPickProficiencyListItem() override;

    void onEnabled() override;
    void onDisabled() override;
    void placeInList(float left, float right, float top, float bottom, bool activate) override;
    std::string getSortKey() override { return caption; }
    void removeFromList() override;
    // Byte-wise by caption; a caption that is a prefix of the other comes first.
    bool isLessThan(GameUIBaseListItem* other) override;

    std::pair<ProficiencyKey, std::int32_t> getChoice() const { return {choice, rank}; }
    void setChoice(const ProficiencyKey& key, std::int32_t newRank);
    // Replaces the caption, on screen at once when the row is placed.
    void setCaption(const std::string& text);
    // Spent picks: the "+" button, present or built later, is disabled until cleared.
    void setPicksExhausted(bool exhausted);

    std::string caption;
    std::string domain;
    RenderInterface::UIObject* textObject = nullptr;
    std::uint8_t showPick;
    std::uint8_t showDump;
    std::uint8_t canUpgrade;
    std::uint8_t canDowngrade = 0;
    GameUIPushButton* pickDumpButton = nullptr;
    GameUIPushButton* upgradeButton = nullptr;
    GameUIPushButton* downgradeButton = nullptr;
    std::uint8_t picksExhausted = 0;
    ProficiencyKey choice;
    std::int32_t rank = 1;

private:
    GameUIPushButton* addRowButton(const std::string& buttonName, const std::string& buttonCaption,
                                   const std::string& buttonToolTip, float left, float right);
    void onButtonClicked(UIEvent::Data& event);
    void dropButtons();
    void setTextColours(bool enabled);
};
