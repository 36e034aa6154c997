#include "tracker/rows/bravui_character_action_list_item.h"

#include "rules/character_action.h"
#include "ui/theme.h"
#include "ui/ui_object_params.h"

BRAVUICharacterActionListItem::BRAVUICharacterActionListItem(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                             const std::string& name, const std::string& text,
                                                             const std::string& toolTip, const CharacterAction* action,
                                                             GameUIBaseElement* parent)
    : BRAVUIListItem(tag, owner, theme, name, text, toolTip, 0, parent), action(action) {}

BRAVUICharacterActionListItem::~BRAVUICharacterActionListItem() { uiobject::destroy(renderInterface(), throwObject); }

bool BRAVUICharacterActionListItem::isLessThan(GameUIBaseListItem* other) { return text < other->getSortKey(); }

void BRAVUICharacterActionListItem::setThrowColours(bool enabled) {
    if (!theme) return;
    uiobject::setColour(throwObject, "colour", (*theme)[enabled ? Theme::TextNormal : Theme::TextDisabled]);
    uiobject::setColour(throwObject, "colour2", (*theme)[enabled ? Theme::TextNormal2 : Theme::TextDisabled2]);
}

void BRAVUICharacterActionListItem::onEnabled() {
    setThrowColours(true);
    BRAVUIListItem::onEnabled();
}

void BRAVUICharacterActionListItem::onDisabled() {
    setThrowColours(false);
    BRAVUIListItem::onDisabled();
}

void BRAVUICharacterActionListItem::placeInList(float left, float right, float top, float bottom, bool activate) {
    uiobject::destroy(renderInterface(), throwObject);
    BRAVUIListItem::placeInList(left, right, top, bottom, activate);
    // The throw is right-aligned in the row's last half unit, on the caption's layer. The name
    // keeps the whole row: the throw is a short number at the far right, and a name cut at the
    // half unit would wrap onto the row below in a list as narrow as the tab's.
    const float split = absBottomRight[0] - throwWidth;
    throwObject = uiobject::create(renderInterface(), "TextBox", depth);
    uiobject::setCorners(throwObject, split, absTopLeft[1], absBottomRight[0], absBottomRight[1]);
    uiobject::setString(throwObject, "string", action ? action->throwText : std::string());
    uiobject::setInt(throwObject, "horizAlignment", 1);
    uiobject::setInt(throwObject, "vertAlignment", 0);
    setThrowColours(!disabled);
}

void BRAVUICharacterActionListItem::removeFromList() {
    BRAVUIListItem::removeFromList();
    uiobject::destroy(renderInterface(), throwObject);
}
