#include "tracker/rows/bravui_list_item.h"

#include <algorithm>

#include "ui/game_ui_push_button.h"
#include "ui/one_line_text.h"
#include "ui/theme.h"
#include "ui/ui_object_params.h"

namespace {
constexpr float buttonPixels = 16.0f;
}

BRAVUIListItem::BRAVUIListItem(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& name,
                               const std::string& text, const std::string& toolTip, std::uint32_t nestingDepth,
                               GameUIBaseElement* parent)
    : GameUIBaseListItem(tag, owner, theme, name, toolTip, parent), text(text), nestingDepth(nestingDepth) {}

BRAVUIListItem::~BRAVUIListItem() {
    // The base deletes the buttons with the other children; only the connections go here.
    for (const RowButton& row : buttons_) row.button->clickSignal.disconnect(this);
    buttons_.clear();
    uiobject::destroy(renderInterface(), textObject);
}

float BRAVUIListItem::indentPerLevel() const {
    const RenderInterface* ri = renderInterface();
    if (!ri) return 0.0f;
    const float lineHeight = ri->registeredLineHeight(ri->mainFontName());
    if (lineHeight <= 0.0f) return 0.0f;
    // The line height is a vertical length; the same pixels across are this many units.
    return lineHeight * screenHeight() / screenWidth();
}

void BRAVUIListItem::setTextColours(RenderInterface::UIObject* object, bool enabled) const {
    if (!theme) return;
    uiobject::setColour(object, TextBoxParameters::colour, (*theme)[enabled ? Theme::TextNormal : Theme::TextDisabled]);
    uiobject::setColour(object, TextBoxParameters::colour2,
                        (*theme)[enabled ? Theme::TextNormal2 : Theme::TextDisabled2]);
}

RenderInterface::UIObject* BRAVUIListItem::addTextObject(float left, float right, const std::string& string,
                                                         std::int32_t horizAlignment) {
    RenderInterface::UIObject* object = uiobject::create(renderInterface(), "TextBox", depth);
    uiobject::setCorners<TextBoxParameters>(object, left, absTopLeft[1], right, absBottomRight[1]);
    uiobject::setString(object, TextBoxParameters::string, string);
    uiobject::setInt(object, TextBoxParameters::horizAlignment, horizAlignment);
    uiobject::setInt(object, TextBoxParameters::vertAlignment, 0);
    setTextColours(object, !disabled);
    return object;
}

void BRAVUIListItem::onEnabled() {
    setTextColours(textObject, true);
    GameUIBaseListItem::onEnabled();
}

void BRAVUIListItem::onDisabled() {
    setTextColours(textObject, false);
    GameUIBaseListItem::onDisabled();
}

void BRAVUIListItem::placeInList(float left, float right, float top, float bottom, bool activate) {
    // A row placed again without a removal in between must not keep its old objects.
    dropButtons();
    uiobject::destroy(renderInterface(), textObject);
    GameUIBaseListItem::placeInList(left, right, top, bottom, activate);

    const float halfWidth = (absBottomRight[0] - absTopLeft[0]) * 0.5f;
    const float halfHeight = (absTopLeft[1] - absBottomRight[1]) * 0.5f;
    buttonWidth = halfWidth > 0.0f ? pixelWidth() * buttonPixels / halfWidth : 0.0f;
    buttonHeight = halfHeight > 0.0f ? pixelHeight() * buttonPixels / halfHeight : 0.0f;
    buttonMargin = (2.0f - buttonHeight) * 0.5f;

    // The caption sits on the layer above the highlight; the buttons then go one above it.
    depth = std::min(depth + 1, GameUIBaseElement::maxDepth);
    textObject = uiobject::create(renderInterface(), "TextBox", depth);
    const float indent = static_cast<float>(nestingDepth) * indentPerLevel();
    uiobject::setCorners<TextBoxParameters>(textObject, absTopLeft[0] + indent, absTopLeft[1], absBottomRight[0],
                                            absBottomRight[1]);
    uiobject::setString(textObject, TextBoxParameters::string, text);
    setTextColours(textObject, true);
    uiobject::setInt(textObject, TextBoxParameters::horizAlignment, -1);
    uiobject::setInt(textObject, TextBoxParameters::vertAlignment, 0);

    buildButtons();
    // The caption stays on its row's one line, cut with "..." before the first button.
    float captionRight = absBottomRight[0];
    for (const GameUIBaseElement* button : children) captionRight = std::min(captionRight, button->absTopLeft[0]);
    uiobject::setCorners<TextBoxParameters>(textObject, absTopLeft[0] + indent, absTopLeft[1], captionRight,
                                            absBottomRight[1]);
    const float room = captionRight - (absTopLeft[0] + indent) - 2.0f * pixelWidth();
    const RenderInterface* ri = renderInterface();
    uiobject::setString(textObject, TextBoxParameters::string,
                        cutWithEllipsis(ri, ri ? ri->mainFontName() : std::string(), text, room));
    topDepth = std::max(depth, getMaxChildDepth());

    if (activate) {
        active = 1;
        onActivated();
    }
    // Activated or not, a disabled row's new caption and highlight take the disabled colours.
    if (disabled) onDisabled();
}

void BRAVUIListItem::removeFromList() {
    dropButtons();
    GameUIBaseListItem::removeFromList();
    uiobject::destroy(renderInterface(), textObject);
}

void BRAVUIListItem::dropButtons() {
    for (const RowButton& row : buttons_) row.button->clickSignal.disconnect(this);
    buttons_.clear();
    deleteChildren();
    forgetButtons();
}

GameUIPushButton* BRAVUIListItem::addPushButton(const std::string& buttonName, const std::string& caption,
                                                const std::string& toolTip, float left, float right,
                                                const std::string& eventWord) {
    const float topLeft[2] = {left, 1.0f - buttonMargin};
    const float bottomRight[2] = {right, 1.0f - buttonMargin - buttonHeight};
    auto* button = new GameUIPushButton(owner, theme, buttonName, caption, toolTip, topLeft, bottomRight, this);
    addButton(button, eventWord);
    return button;
}

void BRAVUIListItem::addButton(GameUIButtonBase* button, const std::string& eventWord) {
    button->signalsEnabled = 1;
    button->clickSignal.connect(this, &BRAVUIListItem::onButtonClicked);
    buttons_.push_back({button, eventWord});
    addChild(button);
    // A disabled row's new buttons start disabled too.
    if (disabled) {
        button->disabled = 1;
        button->onDisabled();
    }
}

void BRAVUIListItem::onButtonClicked(UIEvent::Data& event) {
    if (event.type != UIEvent::Click) return;
    const auto found = std::find_if(buttons_.begin(), buttons_.end(),
                                    [&](const RowButton& row) { return row.button == event.source; });
    if (found == buttons_.end()) return;
    eventData = event;
    eventData.name = found->eventWord;
    eventData.parentName = parent ? parent->name : std::string();
    eventData.source = this;
    eventData.value = index;
    eventSignal.emit(eventData);
}
