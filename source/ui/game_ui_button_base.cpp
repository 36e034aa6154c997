#include "ui/game_ui_button_base.h"

#include <algorithm>

#include "app/sound.h"
#include "ui/theme.h"
#include "ui/ui_object_params.h"
#include "ui/window_manager.h"

GameUIButtonBase::GameUIButtonBase(UIContext* owner, const Theme* theme, const std::string& name,
                                   const std::string& toolTip, const float topLeft[2], const float bottomRight[2],
                                   GameUIBaseElement* parent)
    : GameUIBaseElement(owner, topLeft, bottomRight, theme, name, parent), layer_(childDepth(parent)) {
    toolTipText = toolTip;
    // Owners that re-emit the record tell the button by it.
    eventData.source = this;
    backdrop = uiobject::create(renderInterface(), "ui_simple_rectangle", layer_);
    frame = uiobject::create(renderInterface(), "ui_outlined_rectangle", layer_ + 1);
    if (theme) {
        float shade[4];
        dark((*theme)[Theme::WidgetNormal], shade);
        uiobject::setColour(backdrop, SimpleRectangleParameters::colour, shade);
    }
    uiobject::setCorners<SimpleRectangleParameters>(backdrop, absTopLeft, absBottomRight);
    placeFrame();
    showState(State::Normal);
    uiobject::setBorders(frame, 2, 2, 2, 4);
    depth = layer_ + 1;
    topDepth = layer_ + 2;
}

GameUIButtonBase::~GameUIButtonBase() {
    uiobject::destroy(renderInterface(), frame);
    uiobject::destroy(renderInterface(), backdrop);
}

void GameUIButtonBase::bright(const float c[4], float out[4]) const {
    for (int i = 0; i < 3; ++i) out[i] = std::min(c[i] + brightenBy, 1.0f);
    out[3] = c[3];
}

void GameUIButtonBase::dark(const float c[4], float out[4]) const {
    for (int i = 0; i < 3; ++i) out[i] = std::max(c[i] - darkenBy, 0.0f);
    out[3] = c[3];
}

void GameUIButtonBase::placeFrame() {
    const float px = 2.0f * pixelWidth(), py = 2.0f * pixelHeight();
    uiobject::setCorners<OutlinedRectangleParameters>(frame, absTopLeft[0] + px, absTopLeft[1] - py,
                                                      absBottomRight[0] - px, absBottomRight[1] + py);
}

void GameUIButtonBase::showState(State state) {
    if (!theme) return;
    const Theme& t = *theme;
    Theme::Slot fill = Theme::WidgetNormal;
    Theme::Slot text = Theme::TextNormal, text2 = Theme::TextNormal2;
    switch (state) {
    case State::Normal: break;
    case State::Hovered: fill = Theme::WidgetHovered, text = Theme::TextHovered, text2 = Theme::TextHovered2; break;
    case State::Pressed: fill = Theme::WidgetActivated; break;
    case State::Disabled: fill = Theme::WidgetDisabled, text = Theme::TextDisabled, text2 = Theme::TextDisabled2; break;
    }
    float light[4], shade[4];
    bright(t[fill], light);
    dark(t[fill], shade);
    // Pressed swaps the two edges for the sunken look.
    const bool sunken = state == State::Pressed;
    uiobject::setColour(frame, OutlinedRectangleParameters::colour, t[fill]);
    uiobject::setColour(frame, OutlinedRectangleParameters::borderColour, sunken ? shade : light);
    uiobject::setColour(frame, OutlinedRectangleParameters::borderColour2, sunken ? light : shade);
    if (captionFollowsState_ && state != State::Pressed) {
        uiobject::setColour(content_, TextBoxParameters::colour, t[text]);
        uiobject::setColour(content_, TextBoxParameters::colour2, t[text2]);
    }
}

void GameUIButtonBase::fillRecord(std::uint32_t type) {
    eventData.type = type;
    eventData.name = name;
    eventData.parentName = parent ? parent->name : std::string();
}

bool GameUIButtonBase::onMouseButton(MouseEvent::Data& event) {
    if (disabled || !containsPoint(event.x, event.y) || event.button != 0) return false;
    switch (event.type) {
    case MouseEvent::Press:
    case MouseEvent::DoublePress: pressPending = 1; return true;
    case MouseEvent::Held:
        if (signalsEnabled) {
            fillRecord(UIEvent::Repeat);
            repeatSignal.emit(eventData);
        }
        return false;
    case MouseEvent::Release:
        releasePending = 1;
        if (signalsEnabled && active) {
            fillRecord(UIEvent::Click);
            clickSignal.emit(eventData);
        }
        return true;
    default: return false;
    }
}

bool GameUIButtonBase::onMouseMove(MouseEvent::Data& event) {
    if (!containsPoint(event.x, event.y) || event.type != MouseEvent::Move) return false;
    // A disabled button takes no press but still shows its tool tip, which may say why it is off.
    if (disabled) {
        reportUnderPointer();
        return true;
    }
    fillRecord(UIEvent::PointerOver);
    if (!active) reportUnderPointer();
    return true;
}

void GameUIButtonBase::update(float) {
    if (pressPending) {
        pressPending = 0;
        if (!active) {
            active = 1;
            onActivated();
        }
    }
    if (releasePending) {
        releasePending = 0;
        if (active) {
            active = 0;
            onDeactivated();
        }
    }
}

void GameUIButtonBase::onMouseEnter() {
    if (!disabled && !active) showState(State::Hovered);
}

void GameUIButtonBase::onMouseLeave() {
    if (disabled) return;
    if (active) releasePending = 1;
    else showState(State::Normal);
}

void GameUIButtonBase::onEnabled() { showState(State::Normal); }
void GameUIButtonBase::onDisabled() { showState(State::Disabled); }
void GameUIButtonBase::onActivated() { showState(State::Pressed); }

void GameUIButtonBase::onDeactivated() {
    const WindowManager* manager = windowManager();
    const bool over = manager && containsPoint(manager->pointerX, manager->pointerY);
    showState(over ? State::Hovered : State::Normal);
}

void GameUIButtonBase::fillEventData(UIEvent::Data& out) {
    out.name = eventData.name;
    out.parentName = eventData.parentName;
    out.type = eventData.type;
}

void GameUIButtonBase::onLayoutChanged() {
    uiobject::setCorners<TextBoxParameters>(content_, absTopLeft, absBottomRight);
    uiobject::setCorners<SimpleRectangleParameters>(backdrop, absTopLeft, absBottomRight);
    placeFrame();
}
