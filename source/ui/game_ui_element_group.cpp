#include "ui/game_ui_element_group.h"

#include "ui/ui_object_params.h"

GameUIElementGroup::GameUIElementGroup(std::uint32_t, std::uint32_t tag, UIContext* owner, const Theme* theme,
                                       const std::string& name, const std::string& toolTip, const float topLeft[2],
                                       const float bottomRight[2], GameUIBaseElement* parent)
    : GameUIStandardElement(tag, owner, topLeft, bottomRight, theme, name, toolTip, parent) {
    depth = childDepth(parent);
}

GameUIElementGroup::~GameUIElementGroup() { uiobject::destroy(renderInterface(), object); }

void GameUIElementGroup::addElement(GameUIBaseElement* element) {
    depth = childDepth(parent);
    children.push_back(element);
    topDepth = getMaxChildDepth();
}

void GameUIElementGroup::fillEventData(UIEvent::Data& out) {
    out.name = eventData.name;
    out.parentName = eventData.parentName;
    out.type = eventData.type;
}
