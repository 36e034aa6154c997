#pragma once
// A row of a proficiency list: its caption, and the buttons its flags ask for ("pick" or
// "dump", "+" and "-"), each reported on the row's signal as "pickOrDump", "upgrade" or
// "downgrade" with the row's index. The row's name is the proficiency id; its choice is the
// proficiency (id, domain) with the rank it shows. Built with no buttons, it is a plain row.
#include <cstdint>
#include <string>
#include <utility>

#include "rules/proficiency.h"
#include "tracker/rows/bravui_list_item.h"

// Names for the constructor's flags, so that a call says what each one means, in its order:
// showPick, showDump, canUpgrade.
namespace pickflag {
inline constexpr bool showPick = true, noPick = false;
inline constexpr bool showDump = true, noDump = false;
inline constexpr bool canUpgrade = true, noUpgrade = false;
} // namespace pickflag

class BRAVUIPickProficiencyListItem : public BRAVUIListItem {
public:
    BRAVUIPickProficiencyListItem(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                  const std::string& proficiencyId, const std::string& domain,
                                  const std::string& caption, const std::string& toolTip, bool showPick, bool showDump,
                                  bool canUpgrade, GameUIBaseElement* parent);

    void onEnabled() override;

    std::pair<ProficiencyKey, std::int32_t> getChoice() const { return {choice, rank}; }
    void setChoice(const ProficiencyKey& key, std::int32_t newRank);
    // Replaces the caption, on screen at once when the row is placed.
    void setCaption(const std::string& caption);
    // Spent picks: the "+" button, present or built later, is disabled until cleared.
    void setPicksExhausted(bool exhausted);

    std::string domain;
    std::uint8_t showPick;
    std::uint8_t showDump;
    std::uint8_t canUpgrade;
    std::uint8_t canDowngrade = 0;
    // Present while the row is placed and its flags ask for them.
    GameUIPushButton* pickDumpButton = nullptr;
    GameUIPushButton* upgradeButton = nullptr;
    GameUIPushButton* downgradeButton = nullptr;
    std::uint8_t picksExhausted = 0;
    ProficiencyKey choice;
    std::int32_t rank = 1;

protected:
    void buildButtons() override;
    void forgetButtons() override { pickDumpButton = upgradeButton = downgradeButton = nullptr; }

private:
    GameUIPushButton* addRowButton(const std::string& buttonName, const std::string& buttonCaption,
                                   const std::string& buttonToolTip, float left, float right,
                                   const std::string& eventWord);
};
