#include "ui/game_ui_toggle_group.h"

#include "ui/game_ui_toggle_button.h"
#include "ui/theme.h"
#include "ui/ui_object_params.h"

GameUIToggleGroup::GameUIToggleGroup(bool withBackdrop, std::uint32_t tag, UIContext* owner, const Theme* theme,
                                     const std::string& name, const std::string& toolTip, const float topLeft[2],
                                     const float bottomRight[2], GameUIBaseElement* parent)
    : GameUIBaseElement(owner, topLeft, bottomRight, theme, name, parent), ownToolTip(toolTip), tag(tag) {
    toolTipText = toolTip;
    depth = topDepth = childDepth(parent);
    if (withBackdrop) {
        backdrop = uiobject::create(renderInterface(), "ui_simple_rectangle", depth);
        if (theme) uiobject::setColour(backdrop, SimpleRectangleParameters::colour, (*theme)[Theme::WidgetNormal]);
        uiobject::setCorners<SimpleRectangleParameters>(backdrop, absTopLeft, absBottomRight);
    }
}

GameUIToggleGroup::~GameUIToggleGroup() {
    std::vector<GameUIToggleButton*> owned;
    owned.swap(buttons);
    for (GameUIToggleButton* button : owned) delete button;
    selected = nullptr;
    uiobject::destroy(renderInterface(), backdrop);
}

bool GameUIToggleGroup::onMouseButton(MouseEvent::Data& event) {
    if (disabled || !containsPoint(event.x, event.y)) return false;
    GameUIToggleButton* target = nullptr;
    std::uint32_t index = 0;
    for (std::uint32_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->containsPoint(event.x, event.y) && !buttons[i]->disabled) {
            target = buttons[i];
            index = i;
            break;
        }
    }
    if (!target) return false;
    const bool press = event.type == MouseEvent::Press || event.type == MouseEvent::DoublePress;
    if (press && event.button == 0) {
        if (selected && selected != target && selected->active) {
            selected->active = 0;
            selected->onDeactivated();
        }
        selected = target;
        selectedIndex = index;
    }
    target->onMouseButton(event);
    target->fillEventData(eventData);
    return true;
}

bool GameUIToggleGroup::onMouseMove(MouseEvent::Data& event) {
    if (disabled || !containsPoint(event.x, event.y) || event.type != MouseEvent::Move) return false;
    for (GameUIToggleButton* button : buttons) {
        if (!button->containsPoint(event.x, event.y)) continue;
        button->onMouseMove(event);
        button->fillEventData(eventData);
        toolTipText = button->getToolTipText();
    }
    return true;
}

void GameUIToggleGroup::onEnabled() {
    if (theme) uiobject::setColour(backdrop, SimpleRectangleParameters::colour, (*theme)[Theme::WidgetNormal]);
    for (GameUIToggleButton* button : buttons) {
        if (!button->disabled) continue;
        button->disabled = 0;
        button->onEnabled();
    }
}

void GameUIToggleGroup::onDisabled() {
    if (theme) uiobject::setColour(backdrop, SimpleRectangleParameters::colour, (*theme)[Theme::WidgetDisabled]);
    for (GameUIToggleButton* button : buttons) {
        if (button->disabled) continue;
        button->disabled = 1;
        button->onDisabled();
    }
}

const std::string& GameUIToggleGroup::getToolTipText() { return toolTipText; }

void GameUIToggleGroup::fillEventData(UIEvent::Data& out) {
    out.name = eventData.name;
    out.parentName = eventData.parentName;
    out.type = eventData.type;
    out.source = eventData.source;
    out.value = eventData.value;
    out.extra = eventData.extra;
}
