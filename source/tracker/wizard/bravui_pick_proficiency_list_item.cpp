#include "tracker/wizard/bravui_pick_proficiency_list_item.h"

#include <algorithm>

#include "ui/game_ui_push_button.h"
#include "ui/theme.h"
#include "ui/ui_object_params.h"

BRAVUIPickProficiencyListItem::BRAVUIPickProficiencyListItem(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                             const std::string& proficiencyId,
                                                             const std::string& domain, const std::string& caption,
                                                             const std::string& toolTip, bool showPick, bool showDump,
                                                             bool canUpgrade, GameUIBaseElement* parent)
    : GameUIBaseListItem(tag, owner, theme, proficiencyId, toolTip, parent), caption(caption), domain(domain),
      showPick(showPick ? 1 : 0), showDump(showDump ? 1 : 0), canUpgrade(canUpgrade ? 1 : 0) {}

BRAVUIPickProficiencyListItem::~BRAVUIPickProficiencyListItem() {
    // The base deletes the buttons with the other children; only the connections go here.
    for (GameUIPushButton* button : {pickDumpButton, upgradeButton, downgradeButton}) {
        if (button) button->clickSignal.disconnect(this);
    }
    uiobject::destroy(renderInterface(), textObject);
}

bool BRAVUIPickProficiencyListItem::isLessThan(GameUIBaseListItem* other) {
    // std::string compares its bytes as unsigned, and a prefix first.
    return caption < other->getSortKey();
}

void BRAVUIPickProficiencyListItem::setChoice(const ProficiencyKey& key, std::int32_t newRank) {
    choice = key;
    rank = newRank;
}

void BRAVUIPickProficiencyListItem::setCaption(const std::string& text) {
    caption = text;
    uiobject::setString(textObject, "string", caption);
}

void BRAVUIPickProficiencyListItem::setPicksExhausted(bool exhausted) {
    picksExhausted = exhausted ? 1 : 0;
    if (!upgradeButton) return;
    if (exhausted) {
        upgradeButton->disable();
    } else if (upgradeButton->disabled && !disabled) {
        upgradeButton->disabled = 0;
        upgradeButton->onEnabled();
    }
}

void BRAVUIPickProficiencyListItem::setTextColours(bool enabled) {
    if (!theme) return;
    uiobject::setColour(textObject, "colour", (*theme)[enabled ? Theme::TextNormal : Theme::TextDisabled]);
    uiobject::setColour(textObject, "colour2", (*theme)[enabled ? Theme::TextNormal2 : Theme::TextDisabled2]);
}

void BRAVUIPickProficiencyListItem::onEnabled() {
    setTextColours(true);
    GameUIBaseListItem::onEnabled();
    // Enabling the row enables every button; spent picks still hold "+" back.
    if (picksExhausted && upgradeButton) upgradeButton->disable();
}

void BRAVUIPickProficiencyListItem::onDisabled() {
    setTextColours(false);
    GameUIBaseListItem::onDisabled();
}

GameUIPushButton* BRAVUIPickProficiencyListItem::addRowButton(const std::string& buttonName,
                                                               const std::string& buttonCaption,
                                                               const std::string& buttonToolTip, float left,
                                                               float right) {
    const float topLeft[2] = {left, 0.95f}, bottomRight[2] = {right, -0.95f};
    auto* button = new GameUIPushButton(owner, theme, buttonName, buttonCaption, buttonToolTip, topLeft, bottomRight,
                                        this);
    button->signalsEnabled = 1;
    button->clickSignal.connect(this, &BRAVUIPickProficiencyListItem::onButtonClicked);
    addChild(button);
    return button;
}

void BRAVUIPickProficiencyListItem::placeInList(float left, float right, float top, float bottom, bool activate) {
    // A row placed again without a removal in between must not keep its old objects.
    dropButtons();
    uiobject::destroy(renderInterface(), textObject);
    GameUIBaseListItem::placeInList(left, right, top, bottom, activate);

    // The caption sits on the layer above the highlight; the buttons then go one above it.
    depth = std::min(depth + 1, GameUIBaseElement::maxDepth);
    textObject = uiobject::create(renderInterface(), "TextBox", depth);
    uiobject::setCorners(textObject, absTopLeft, absBottomRight);
    uiobject::setString(textObject, "string", caption);
    setTextColours(true);
    uiobject::setInt(textObject, "horizAlignment", -1);
    uiobject::setInt(textObject, "vertAlignment", 0);

    if (showPick) {
        pickDumpButton = addRowButton("pickButton", "pick", "", 0.65f, 0.95f);
    } else if (showDump) {
        pickDumpButton = addRowButton("dumpButton", "dump", "", 0.65f, 0.95f);
    }
    if (canUpgrade) {
        upgradeButton = addRowButton("upgrade", "+", "Upgrade proficiency", 0.5f, 0.6f);
        if (picksExhausted) upgradeButton->disable();
    }
    if (canDowngrade) downgradeButton = addRowButton("downgrade", "-", "Downgrade proficiency", 0.35f, 0.45f);
    topDepth = std::max(depth, getMaxChildDepth());

    if (activate) {
        active = 1;
        onActivated();
    }
    // New objects of a disabled row take the disabled look, buttons included.
    if (disabled) onDisabled();
}

void BRAVUIPickProficiencyListItem::removeFromList() {
    dropButtons();
    GameUIBaseListItem::removeFromList();
    uiobject::destroy(renderInterface(), textObject);
}

void BRAVUIPickProficiencyListItem::dropButtons() {
    for (GameUIPushButton* button : {pickDumpButton, upgradeButton, downgradeButton}) {
        if (button) button->clickSignal.disconnect(this);
    }
    pickDumpButton = upgradeButton = downgradeButton = nullptr;
    deleteChildren();
}

void BRAVUIPickProficiencyListItem::onButtonClicked(UIEvent::Data& event) {
    if (event.type != UIEvent::Click) return;
    const char* word = nullptr;
    if (event.source == pickDumpButton) word = "pickOrDump";
    else if (event.source == upgradeButton) word = "upgrade";
    else if (event.source == downgradeButton) word = "downgrade";
    if (!word) return;
    eventData = event;
    eventData.name = word;
    eventData.parentName = parent ? parent->name : std::string();
    eventData.source = this;
    eventData.value = index;
    eventSignal.emit(eventData);
}
