#include "ui/game_ui_combo_box.h"

#include <algorithm>
#include <vector>

#include "ui/game_ui_toggle_button.h"
#include "ui/game_ui_toggle_group.h"
#include "ui/theme.h"
#include "ui/ui_object_params.h"
#include "ui/window_manager.h"

namespace {
// The drop-down draws above every window of the dialogs that hold combo boxes.
constexpr std::uint32_t dropDownLayer = 15;
} // namespace

GameUIComboBox::GameUIComboBox(std::uint32_t tag, UIContext* owner, const Theme* theme, const Theme* optionsTheme,
                               const std::string& name, const std::string& text, const std::string&,
                               const float topLeft[2], const float bottomRight[2], GameUIBaseElement* parent,
                               const std::string&, const std::string&)
    : GameUIBaseElement(owner, topLeft, bottomRight, theme, name, parent),
      text(text),
      tag(tag),
      optionsTheme(optionsTheme) {
    std::copy(topLeft, topLeft + 2, closedTopLeft);
    std::copy(bottomRight, bottomRight + 2, closedBottomRight);
    depth = topDepth = childDepth(parent);

    const float toggleTL[2] = {0.7f, 1.0f}, toggleBR[2] = {1.0f, -1.0f};
    showToggle = new GameUIToggleButton(tag, owner, theme, "showToggleButton", "v", "", toggleTL, toggleBR, this,
                                        toggleflag::startActive, toggleflag::pressAgainTurnsOff, toggleflag::flat,
                                        toggleflag::centred, toggleflag::noHoverWhenActive);
    showToggle->toggleSignal.connect(this, &GameUIComboBox::onToggle);

    RenderInterface* ri = renderInterface();
    const float boxRight = absTopLeft[0] + 0.85f * (absBottomRight[0] - absTopLeft[0]);
    frameObject = uiobject::create(ri, "ui_outlined_rectangle", depth);
    uiobject::setCorners<OutlinedRectangleParameters>(frameObject, absTopLeft[0], absTopLeft[1], boxRight,
                                                      absBottomRight[1]);
    setBorders(frameObject);
    textObject = uiobject::create(ri, "TextBox", depth + 1);
    uiobject::setCorners<TextBoxParameters>(textObject, absTopLeft[0], absTopLeft[1], boxRight, absBottomRight[1]);
    uiobject::setString(textObject, TextBoxParameters::string, text);
    uiobject::setInt(textObject, TextBoxParameters::horizAlignment, 0);
    uiobject::setInt(textObject, TextBoxParameters::vertAlignment, 0);
    onEnabled();
    topDepth = std::max(depth + 1, showToggle->topDepth);
}

GameUIComboBox::~GameUIComboBox() {
    RenderInterface* ri = renderInterface();
    uiobject::destroy(ri, textObject);
    uiobject::destroy(ri, frameObject);
    uiobject::destroy(ri, dropDownFrameObject);
    delete optionsGroup;
    optionsGroup = nullptr;
    delete showToggle;
    showToggle = nullptr;
    eventSignal.disconnect_all();
}

void GameUIComboBox::setBorders(RenderInterface::UIObject* object) { uiobject::setBorders(object, 1, 1, 1, 2); }

void GameUIComboBox::setFrameColours(RenderInterface::UIObject* object, const float colour[4]) {
    float lighter[4], darker[4];
    for (int i = 0; i < 3; ++i) {
        lighter[i] = std::min(colour[i] + lightenAmount, 1.0f);
        darker[i] = std::max(colour[i] - darkenAmount, 0.0f);
    }
    lighter[3] = darker[3] = colour[3];
    uiobject::setColour(object, OutlinedRectangleParameters::colour, colour);
    uiobject::setColour(object, OutlinedRectangleParameters::borderColour, lighter);
    uiobject::setColour(object, OutlinedRectangleParameters::borderColour2, darker);
}

void GameUIComboBox::addOption(const std::string& option) { options.push_back(option); }

void GameUIComboBox::removeOption(const std::string& option) {
    auto found = std::find(options.begin(), options.end(), option);
    if (found != options.end()) options.erase(found);
    if (text == option) text.clear();
    uiobject::setString(textObject, TextBoxParameters::string, text);
}

void GameUIComboBox::clearOptions() {
    const std::vector<std::string> copies(options.begin(), options.end());
    for (const std::string& option : copies) removeOption(option);
}

void GameUIComboBox::setCurrentText(const std::string& newText) {
    text = newText;
    uiobject::setString(textObject, TextBoxParameters::string, text);
}

void GameUIComboBox::emit(std::uint32_t type, const std::string& eventName) {
    eventData.type = type;
    eventData.name = eventName;
    eventData.parentName = name;
    eventData.source = this;
    eventSignal.emit(eventData);
}

void GameUIComboBox::onToggle(UIEvent::Data&) {
    if (isOpen()) closeRequested = 1;
    else openRequested = 1;
}

void GameUIComboBox::onOption(UIEvent::Data& event) {
    // Copied first: setting the text can reach back into the button that sent the event.
    const std::string chosen = event.name;
    text = chosen;
    uiobject::setString(textObject, TextBoxParameters::string, text);
    optionChosen = 1;
    emit(UIEvent::OptionChosen, chosen);
}

void GameUIComboBox::update(float) {
    if (closeRequested) {
        closeRequested = 0;
        if (isOpen()) close();
    }
    if (openRequested) {
        openRequested = 0;
        if (!isOpen()) open();
    }
}

void GameUIComboBox::setRectangle(const float topLeft[2], const float bottomRight[2]) {
    std::copy(topLeft, topLeft + 2, localTopLeft);
    std::copy(bottomRight, bottomRight + 2, localBottomRight);
    std::copy(topLeft, topLeft + 2, absTopLeft);
    std::copy(bottomRight, bottomRight + 2, absBottomRight);
    localToAbsolute(absTopLeft);
    localToAbsolute(absBottomRight);
    onLayoutChanged();
}

void GameUIComboBox::open() {
    if (!parent) return;
    if (WindowManager* manager = windowManager()) manager->setActiveWindow(this);
    savedDepth = depth;
    RenderInterface* ri = renderInterface();
    // The options must lie above the drop-down's frame, and the frame above the box's own window.
    const std::uint32_t frameLayer = std::max(dropDownLayer, depth);
    dropDownFrameObject = uiobject::create(ri, "ui_outlined_rectangle", frameLayer);
    if (theme) setFrameColours(dropDownFrameObject, (*theme)[Theme::PanelNormal]);
    setBorders(dropDownFrameObject);
    uiobject::setVector2(dropDownFrameObject, OutlinedRectangleParameters::topLeft, absTopLeft[0], absBottomRight[1]);

    const float closedHeight = absTopLeft[1] - absBottomRight[1];
    const float parentHeight = parent->absTopLeft[1] - parent->absBottomRight[1];
    const float lineHeight = ri ? ri->registeredLineHeight(ri->mainFontName()) : -1.0f;
    // No registered line height gives a drop-down of no rows rather than one growing upwards.
    float rowHeight = parentHeight > 0.0f ? std::min(lineHeight * 2.0f / parentHeight, 2.0f) : 0.0f;
    rowHeight = std::max(rowHeight, 0.0f);
    const float dropHeight = static_cast<float>(options.size()) * rowHeight;
    const float openBottom[2] = {localBottomRight[0], std::max(localBottomRight[1] - dropHeight, -1.0f)};
    const float openTop[2] = {localTopLeft[0], localTopLeft[1]};
    setRectangle(openTop, openBottom);
    uiobject::setVector2(dropDownFrameObject, OutlinedRectangleParameters::bottomRight, absBottomRight[0],
                         absBottomRight[1]);

    const float openHeight = absTopLeft[1] - absBottomRight[1];
    const float h = openHeight > 0.0f ? closedHeight / (openHeight * 0.5f) : 2.0f;
    const float groupTL[2] = {-1.0f, 1.0f - h}, groupBR[2] = {0.7f, -1.0f};
    optionsGroup = new GameUIToggleGroup(false, tag, owner, optionsTheme, "optionsToggleGroup", "", groupTL, groupBR,
                                         this);
    optionsGroup->depth = optionsGroup->topDepth = frameLayer;
    const float n = static_cast<float>(options.size());
    std::uint32_t i = 0;
    for (const std::string& option : options) {
        const float tl[2] = {-1.0f, 1.0f - static_cast<float>(i) * 2.0f / n};
        const float br[2] = {1.0f, 1.0f - static_cast<float>(i + 1) * 2.0f / n};
        auto* button = new GameUIToggleButton(tag, owner, optionsTheme, option, option, "", tl, br, optionsGroup,
                                              option == text, toggleflag::stayActive, toggleflag::flat,
                                              toggleflag::centred, toggleflag::noHoverWhenActive);
        optionsGroup->buttons.push_back(button);
        if (option == text && !optionsGroup->selected) {
            optionsGroup->selected = button;
            optionsGroup->selectedIndex = i;
        }
        button->toggleSignal.connect(this, &GameUIComboBox::onOption);
        ++i;
    }
    emit(UIEvent::Click, "openingComboBox");
}

void GameUIComboBox::close() {
    optionChosen = 0;
    delete optionsGroup;
    optionsGroup = nullptr;
    setRectangle(closedTopLeft, closedBottomRight);
    uiobject::destroy(renderInterface(), dropDownFrameObject);
    depth = topDepth = savedDepth;
    topDepth = std::max(depth + 1, showToggle->topDepth);
    emit(UIEvent::Click, "closingComboBox");
    if (!showToggle->active) {
        showToggle->active = 1;
        showToggle->onActivated();
    }
    WindowManager* manager = windowManager();
    if (manager && manager->activeWindow == this) manager->restorePreviousWindow();
}

bool GameUIComboBox::containsPoint(float x, float y) {
    return GameUIBaseElement::containsPoint(x, y) || showToggle->containsPoint(x, y);
}

bool GameUIComboBox::onMouseButton(MouseEvent::Data& event) {
    if (disabled || !containsPoint(event.x, event.y)) return false;
    if (optionsGroup && optionsGroup->containsPoint(event.x, event.y)) optionsGroup->onMouseButton(event);
    else if (showToggle->containsPoint(event.x, event.y)) showToggle->onMouseButton(event);
    if (optionChosen) closeRequested = 1;
    return true;
}

bool GameUIComboBox::onMouseMove(MouseEvent::Data& event) {
    if (disabled || !containsPoint(event.x, event.y)) return false;
    if (optionsGroup && optionsGroup->containsPoint(event.x, event.y)) return optionsGroup->onMouseMove(event);
    if (showToggle->containsPoint(event.x, event.y)) return showToggle->onMouseMove(event);
    return false;
}

void GameUIComboBox::onEnabled() {
    if (showToggle->disabled) {
        showToggle->disabled = 0;
        showToggle->onEnabled();
    }
    if (!theme) return;
    setFrameColours(frameObject, (*theme)[Theme::WidgetNormal]);
    uiobject::setColour(textObject, TextBoxParameters::colour, (*theme)[Theme::TextNormal]);
    uiobject::setColour(textObject, TextBoxParameters::colour2, (*theme)[Theme::TextNormal2]);
}

void GameUIComboBox::onDisabled() {
    if (!showToggle->disabled) {
        showToggle->disabled = 1;
        showToggle->onDisabled();
    }
    if (!theme) return;
    setFrameColours(frameObject, (*theme)[Theme::WidgetDisabled]);
    uiobject::setColour(textObject, TextBoxParameters::colour, (*theme)[Theme::TextDisabled]);
    uiobject::setColour(textObject, TextBoxParameters::colour2, (*theme)[Theme::TextDisabled2]);
}
