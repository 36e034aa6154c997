#include "ui/game_ui_text_list_item.h"

#include "ui/game_ui_toggle_button.h"
#include "ui/game_ui_toggle_group.h"

namespace {
const float wholeArea[2][2] = {{-1.0f, 1.0f}, {1.0f, -1.0f}};
}

GameUITextListItem::GameUITextListItem(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                       const std::string& name, const std::string& text, const float colour[4])
    : GameUIBaseElement(owner, wholeArea[0], wholeArea[1], theme, name, nullptr), tag(tag), text(text) {
    for (int i = 0; i < 4; ++i) captionColour[i] = colour[i];
}

GameUITextListItem::~GameUITextListItem() { destroyListElement(); }

void GameUITextListItem::createListElement(float top, float bottom, bool selected, GameUIToggleGroup* group) {
    const float tl[2] = {-0.95f, top}, br[2] = {0.95f, bottom};
    toggle = new GameUIToggleButton(tag, owner, theme, name, text, "", tl, br, group, selected, toggleflag::stayActive,
                                    toggleflag::flat, toggleflag::leftAligned, toggleflag::noHoverWhenActive);
    toggle->toggleSignal.connect(this, &GameUITextListItem::onToggle);
    toggle->setCaptionColour(captionColour);
    if (selected && !group->selected) {
        group->selected = toggle;
        group->selectedIndex = static_cast<std::uint32_t>(group->buttons.size());
    }
    group->buttons.push_back(toggle);
}

void GameUITextListItem::destroyListElement() {
    if (toggle) toggle->toggleSignal.disconnect(this);
    toggle = nullptr;
}

void GameUITextListItem::onToggle(UIEvent::Data& event) {
    event.source = this;
    event.value = index;
    eventSignal.emit(event);
}

bool GameUITextListItem::onMouseButton(MouseEvent::Data& event) {
    return toggle && toggle->containsPoint(event.x, event.y) && toggle->onMouseButton(event);
}

bool GameUITextListItem::onMouseMove(MouseEvent::Data& event) {
    return toggle && toggle->containsPoint(event.x, event.y) && toggle->onMouseMove(event);
}

void GameUITextListItem::onMouseEnter() {
    if (toggle) toggle->onMouseEnter();
}
void GameUITextListItem::onMouseLeave() {
    if (toggle) toggle->onMouseLeave();
}
void GameUITextListItem::onEnabled() {
    if (toggle) toggle->onEnabled();
}
void GameUITextListItem::onDisabled() {
    if (toggle) toggle->onDisabled();
}
void GameUITextListItem::onActivated() {
    if (toggle) toggle->onActivated();
}
void GameUITextListItem::onDeactivated() {
    if (toggle) toggle->onDeactivated();
}
void GameUITextListItem::fillEventData(UIEvent::Data& out) {
    if (toggle) toggle->fillEventData(out);
    else GameUIBaseElement::fillEventData(out);
}
