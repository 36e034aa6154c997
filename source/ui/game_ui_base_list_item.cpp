#include "ui/game_ui_base_list_item.h"

#include "ui/theme.h"
#include "ui/ui_object_params.h"

namespace {
const float zeroCorner[2] = {0.0f, 0.0f};
}

GameUIBaseListItem::GameUIBaseListItem(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                       const std::string& name, const std::string& toolTip,
                                       GameUIBaseElement* parent)
    : GameUIStandardElement(tag, owner, zeroCorner, zeroCorner, theme, name, toolTip, parent) {}

GameUIBaseListItem::~GameUIBaseListItem() {
    uiobject::destroy(renderInterface(), highlightObject);
    eventSignal.disconnect_all();
}

void GameUIBaseListItem::setCorners(float left, float top, float right, float bottom) {
    localTopLeft[0] = left;
    localTopLeft[1] = top;
    absTopLeft[0] = left;
    absTopLeft[1] = top;
    localToAbsolute(absTopLeft);
    onLayoutChanged();
    localBottomRight[0] = right;
    localBottomRight[1] = bottom;
    absBottomRight[0] = right;
    absBottomRight[1] = bottom;
    localToAbsolute(absBottomRight);
    onLayoutChanged();
}

void GameUIBaseListItem::placeInList(float left, float right, float top, float bottom, bool) {
    setCorners(left, top, right, bottom);
    depth = childDepth(parent);
    RenderInterface* ri = renderInterface();
    uiobject::destroy(ri, highlightObject);
    highlightObject = uiobject::create(ri, "ui_simple_rectangle", depth);
    uiobject::setCorners<SimpleRectangleParameters>(highlightObject, absTopLeft, absBottomRight);
    setHighlight(Theme::WidgetNormal);
}

void GameUIBaseListItem::removeFromList() {
    uiobject::destroy(renderInterface(), highlightObject);
    localTopLeft[0] = localTopLeft[1] = -1.0f;
    absTopLeft[0] = absTopLeft[1] = -1.0f;
    onLayoutChanged();
    localBottomRight[0] = localBottomRight[1] = -1.0f;
    absBottomRight[0] = absBottomRight[1] = -1.0f;
    onLayoutChanged();
}

void GameUIBaseListItem::setHighlight(int slot) {
    if (!theme) return;
    uiobject::setColour(highlightObject, SimpleRectangleParameters::colour, (*theme)[static_cast<Theme::Slot>(slot)]);
}

void GameUIBaseListItem::emit(std::uint32_t type) {
    eventData.type = type;
    eventData.name = name;
    eventData.parentName = parent ? parent->name : std::string();
    eventData.source = this;
    eventData.value = index;
    eventSignal.emit(eventData);
}

bool GameUIBaseListItem::onMouseButton(MouseEvent::Data& event) {
    if (disabled || !containsPoint(event.x, event.y)) return false;
    if (GameUIStandardElement::onMouseButton(event)) return true;
    if (event.button != 0) return false;
    if (event.type == MouseEvent::Press) {
        clicked = 1;
        emit(UIEvent::Click);
    } else if (event.type == MouseEvent::DoublePress) {
        const bool second = clicked != 0;
        clicked = 1;
        emit(second ? UIEvent::DoubleClick : UIEvent::Click);
    }
    return true;
}

void GameUIBaseListItem::onMouseEnter() {
    if (disabled || (active && !hoverWhenActive)) return;
    setHighlight(Theme::WidgetHovered);
}

void GameUIBaseListItem::onMouseLeave() {
    if (disabled || (active && !hoverWhenActive)) return;
    setHighlight(active ? Theme::WidgetActivated : Theme::WidgetNormal);
}

void GameUIBaseListItem::onActivated() {
    if (disabled) return;
    setHighlight(Theme::WidgetActivated);
}

void GameUIBaseListItem::onDeactivated() {
    if (disabled) return;
    setHighlight(Theme::WidgetNormal);
}

void GameUIBaseListItem::onDisabled() {
    setHighlight(Theme::WidgetDisabled);
    GameUIStandardElement::onDisabled();
}

void GameUIBaseListItem::onEnabled() {
    setHighlight(active ? Theme::WidgetActivated : Theme::WidgetNormal);
    GameUIStandardElement::onEnabled();
}
