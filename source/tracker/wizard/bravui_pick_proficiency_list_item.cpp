#include "tracker/wizard/bravui_pick_proficiency_list_item.h"

#include "ui/game_ui_push_button.h"
#include "ui/ui_object_params.h"

BRAVUIPickProficiencyListItem::BRAVUIPickProficiencyListItem(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                             const std::string& proficiencyId,
                                                             const std::string& domain, const std::string& caption,
                                                             const std::string& toolTip, bool showPick, bool showDump,
                                                             bool canUpgrade, GameUIBaseElement* parent)
    : BRAVUIListItem(tag, owner, theme, proficiencyId, caption, toolTip, 0, parent), domain(domain),
      showPick(showPick ? 1 : 0), showDump(showDump ? 1 : 0), canUpgrade(canUpgrade ? 1 : 0) {}

void BRAVUIPickProficiencyListItem::setChoice(const ProficiencyKey& key, std::int32_t newRank) {
    choice = key;
    rank = newRank;
}

void BRAVUIPickProficiencyListItem::setCaption(const std::string& caption) {
    text = caption;
    uiobject::setString(textObject, TextBoxParameters::string, text);
}

void BRAVUIPickProficiencyListItem::setPicksExhausted(bool exhausted) {
    picksExhausted = exhausted ? 1 : 0;
    if (!upgradeButton) return;
    // A disabled row keeps its buttons disabled.
    upgradeButton->setEnabled(!exhausted && !disabled);
}

void BRAVUIPickProficiencyListItem::onEnabled() {
    BRAVUIListItem::onEnabled();
    // Enabling the row enables every button; spent picks still hold "+" back.
    if (picksExhausted && upgradeButton) upgradeButton->disable();
}

GameUIPushButton* BRAVUIPickProficiencyListItem::addRowButton(const std::string& buttonName,
                                                               const std::string& buttonCaption,
                                                               const std::string& buttonToolTip, float left,
                                                               float right, const std::string& eventWord) {
    const float topLeft[2] = {left, 0.95f}, bottomRight[2] = {right, -0.95f};
    auto* button = new GameUIPushButton(owner, theme, buttonName, buttonCaption, buttonToolTip, topLeft, bottomRight,
                                        this);
    addButton(button, eventWord);
    return button;
}

void BRAVUIPickProficiencyListItem::buildButtons() {
    if (showPick) {
        pickDumpButton = addRowButton("pickButton", "pick", "", 0.65f, 0.95f, "pickOrDump");
    } else if (showDump) {
        pickDumpButton = addRowButton("dumpButton", "dump", "", 0.65f, 0.95f, "pickOrDump");
    }
    if (canUpgrade) {
        upgradeButton = addRowButton("upgrade", "+", "Upgrade proficiency", 0.5f, 0.6f, "upgrade");
        if (picksExhausted) upgradeButton->disable();
    }
    if (canDowngrade) downgradeButton = addRowButton("downgrade", "-", "Downgrade proficiency", 0.35f, 0.45f, "downgrade");
}
