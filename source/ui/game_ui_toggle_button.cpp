#include "ui/game_ui_toggle_button.h"

#include "ui/theme.h"
#include "ui/ui_object_params.h"

GameUIToggleButton::GameUIToggleButton(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                       const std::string& name, const std::string& caption,
                                       const std::string& toolTip, const float topLeft[2], const float bottomRight[2],
                                       GameUIBaseElement* parent, bool startActive, bool stayActive, bool outlined,
                                       bool centred, bool hoverWhenActive)
    : GameUIStandardElement(tag, owner, topLeft, bottomRight, theme, name, toolTip, parent), caption(caption),
      stayActive(stayActive ? 1 : 0), hoverWhenActive(hoverWhenActive ? 1 : 0) {
    const std::uint32_t layer = childDepth(parent);
    fill = uiobject::create(renderInterface(), outlined ? "ui_outlined_rectangle" : "ui_simple_rectangle", layer);
    uiobject::setCorners<SimpleRectangleParameters>(fill, absTopLeft, absBottomRight);
    setFill(Theme::WidgetNormal);
    if (outlined && theme) {
        uiobject::setColour(fill, OutlinedRectangleParameters::borderColour, (*theme)[Theme::WidgetOutlineNormal]);
        uiobject::setColour(fill, OutlinedRectangleParameters::borderColour2, (*theme)[Theme::WidgetOutlineNormal2]);
    }
    captionBox = uiobject::create(renderInterface(), "TextBox", layer + 1);
    depth = layer + 1;
    uiobject::setCorners<TextBoxParameters>(captionBox, absTopLeft, absBottomRight);
    uiobject::setString(captionBox, TextBoxParameters::string, caption);
    if (theme) {
        uiobject::setColour(captionBox, TextBoxParameters::colour, (*theme)[Theme::TextNormal]);
        uiobject::setColour(captionBox, TextBoxParameters::colour2, (*theme)[Theme::TextNormal2]);
    }
    uiobject::setInt(captionBox, TextBoxParameters::horizAlignment, centred ? 0 : -1);
    uiobject::setInt(captionBox, TextBoxParameters::vertAlignment, 0);
    if (startActive && !active) {
        active = 1;
        onActivated();
    }
}

GameUIToggleButton::~GameUIToggleButton() {
    uiobject::destroy(renderInterface(), fill);
    uiobject::destroy(renderInterface(), captionBox);
}

void GameUIToggleButton::setFill(std::uint32_t slot) {
    if (theme) uiobject::setColour(fill, SimpleRectangleParameters::colour, (*theme)[static_cast<Theme::Slot>(slot)]);
}

void GameUIToggleButton::setCaption(const std::string& newCaption) {
    if (&newCaption != &caption) caption = newCaption;
    uiobject::setString(captionBox, TextBoxParameters::string, caption);
}

void GameUIToggleButton::setCaptionColour(const float colour[4]) {
    uiobject::setColour(captionBox, TextBoxParameters::colour, colour);
    uiobject::setColour(captionBox, TextBoxParameters::colour2, colour);
}

void GameUIToggleButton::report(std::uint32_t type) {
    eventData.type = type;
    eventData.name = name;
    eventData.parentName = parent ? parent->name : std::string();
    eventData.source = this;
    toggleSignal.emit(eventData);
    if (!active) {
        active = 1;
        onActivated();
    } else if (!stayActive) {
        active = 0;
        onDeactivated();
    }
}

bool GameUIToggleButton::onMouseButton(MouseEvent::Data& event) {
    if (disabled || !containsPoint(event.x, event.y)) return true;
    if (GameUIStandardElement::onMouseButton(event)) return true;
    if (event.button != 0) return true;
    if (event.type == MouseEvent::Press) {
        clickedOnce = 1;
        report(UIEvent::Click);
    } else if (event.type == MouseEvent::DoublePress) {
        std::uint32_t type = UIEvent::Click;
        if (clickedOnce) {
            clickedOnce = 0;
            type = UIEvent::DoubleClick;
        } else {
            clickedOnce = 1;
        }
        report(type);
    }
    return true;
}

void GameUIToggleButton::onMouseEnter() {
    if (!disabled && (!active || hoverWhenActive)) setFill(Theme::WidgetHovered);
}

void GameUIToggleButton::onMouseLeave() {
    clickedOnce = 0;
    if (!disabled && (!active || hoverWhenActive)) setFill(active ? Theme::WidgetActivated : Theme::WidgetNormal);
}

void GameUIToggleButton::onActivated() {
    if (!disabled) setFill(Theme::WidgetActivated);
}

void GameUIToggleButton::onDeactivated() {
    if (!disabled) setFill(Theme::WidgetNormal);
}

void GameUIToggleButton::onEnabled() {
    setFill(active ? Theme::WidgetActivated : Theme::WidgetNormal);
    if (theme) {
        uiobject::setColour(captionBox, TextBoxParameters::colour, (*theme)[Theme::TextNormal]);
        uiobject::setColour(captionBox, TextBoxParameters::colour2, (*theme)[Theme::TextNormal2]);
    }
    GameUIStandardElement::onEnabled();
}

void GameUIToggleButton::onDisabled() {
    setFill(Theme::WidgetDisabled);
    if (theme) {
        uiobject::setColour(captionBox, TextBoxParameters::colour, (*theme)[Theme::TextDisabled]);
        uiobject::setColour(captionBox, TextBoxParameters::colour2, (*theme)[Theme::TextDisabled2]);
    }
    GameUIStandardElement::onDisabled();
}

void GameUIToggleButton::fillEventData(UIEvent::Data& out) {
    out.type = eventData.type;
    out.name = eventData.name;
    out.parentName = eventData.name;
}
