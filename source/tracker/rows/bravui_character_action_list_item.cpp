#include "tracker/rows/bravui_character_action_list_item.h"

#include "rules/character_action.h"
#include "ui/ui_object_params.h"

BRAVUICharacterActionListItem::BRAVUICharacterActionListItem(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                             const std::string& name, const std::string& text,
                                                             const std::string& toolTip, const CharacterAction* action,
                                                             GameUIBaseElement* parent)
    : BRAVUIListItem(tag, owner, theme, name, text, toolTip, 0, parent), action(action) {}

BRAVUICharacterActionListItem::~BRAVUICharacterActionListItem() { uiobject::destroy(renderInterface(), throwObject); }

void BRAVUICharacterActionListItem::onEnabled() {
    setTextColours(throwObject, true);
    BRAVUIListItem::onEnabled();
}

void BRAVUICharacterActionListItem::onDisabled() {
    setTextColours(throwObject, false);
    BRAVUIListItem::onDisabled();
}

void BRAVUICharacterActionListItem::placeInList(float left, float right, float top, float bottom, bool activate) {
    uiobject::destroy(renderInterface(), throwObject);
    BRAVUIListItem::placeInList(left, right, top, bottom, activate);
    // The throw is right-aligned in the row's last half unit, on the caption's layer. The name
    // keeps the whole row: the throw is a short number at the far right, and a name cut at the
    // half unit would wrap onto the row below in a list as narrow as the tab's.
    throwObject = addTextObject(absBottomRight[0] - throwWidth, absBottomRight[0],
                                action ? action->throwText : std::string(), 1);
}

void BRAVUICharacterActionListItem::removeFromList() {
    BRAVUIListItem::removeFromList();
    uiobject::destroy(renderInterface(), throwObject);
}
