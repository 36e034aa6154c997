#include "tracker/rows/bravui_class_ability_list_item.h"

#include "ui/theme.h"
#include "ui/ui_object_params.h"

BRAVUIClassAbilityListItem::BRAVUIClassAbilityListItem(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                       const std::string& name, const std::string& text,
                                                       const std::string& toolTip, const ClassAbility* ability,
                                                       std::uint32_t, GameUIBaseElement* parent)
    : GameUIBaseListItem(tag, owner, theme, name, toolTip, parent), text(text), ability(ability) {}

BRAVUIClassAbilityListItem::~BRAVUIClassAbilityListItem() { uiobject::destroy(renderInterface(), textObject); }

void BRAVUIClassAbilityListItem::onEnabled() {
    if (theme) {
        uiobject::setColour(textObject, "colour", (*theme)[Theme::TextNormal]);
        uiobject::setColour(textObject, "colour2", (*theme)[Theme::TextNormal2]);
    }
    GameUIBaseListItem::onEnabled();
}

void BRAVUIClassAbilityListItem::onDisabled() {
    if (theme) {
        uiobject::setColour(textObject, "colour", (*theme)[Theme::TextDisabled]);
        uiobject::setColour(textObject, "colour2", (*theme)[Theme::TextDisabled2]);
    }
    GameUIBaseListItem::onDisabled();
}

void BRAVUIClassAbilityListItem::placeInList(float left, float right, float top, float bottom, bool selected) {
    GameUIBaseListItem::placeInList(left, right, top, bottom, selected);
    RenderInterface* ri = renderInterface();
    uiobject::destroy(ri, textObject);
    depth = depth + 1;
    textObject = uiobject::create(ri, "TextBox", depth);
    uiobject::setCorners(textObject, absTopLeft, absBottomRight);
    uiobject::setString(textObject, "string", text);
    if (theme) {
        uiobject::setColour(textObject, "colour", (*theme)[Theme::TextNormal]);
        uiobject::setColour(textObject, "colour2", (*theme)[Theme::TextNormal2]);
    }
    uiobject::setInt(textObject, "horizAlignment", -1);
    uiobject::setInt(textObject, "vertAlignment", 0);
    topDepth = depth;
    if (selected) {
        active = 1;
        onActivated();
        if (disabled) onDisabled();
    }
}

void BRAVUIClassAbilityListItem::removeFromList() {
    GameUIBaseListItem::removeFromList();
    uiobject::destroy(renderInterface(), textObject);
}

bool BRAVUIClassAbilityListItem::isLessThan(GameUIBaseListItem* other) {
    return text < other->getSortKey();
}
