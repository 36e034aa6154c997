#include "ui/game_ui_scrollable_text_box.h"

#include <algorithm>
#include <cmath>

#include "render/text_markup.h"
#include "ui/game_ui_scroll_bar.h"
#include "ui/text_measure.h"
#include "ui/theme.h"
#include "ui/ui_object_params.h"
#include "ui/window_manager.h"

namespace {

constexpr float marginPixels = 8.0f;
constexpr float scrollBarPixels = 16.0f;

} // namespace

GameUIScrollableTextBox::GameUIScrollableTextBox(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                 const std::string& name, const std::string& text,
                                                 const std::string& toolTip, const float topLeft[2],
                                                 const float bottomRight[2], GameUIBaseElement* parent, std::uint32_t,
                                                 std::uint32_t, std::uint32_t)
    : GameUIStandardElement(tag, owner, topLeft, bottomRight, theme, name, toolTip, parent), text(text), toolTip(toolTip) {
    RenderInterface* ri = renderInterface();
    if (ri) fontName = ri->mainFontName();
    const float marginX = pixelWidth() * marginPixels;
    const float marginY = pixelHeight() * marginPixels;
    const float barWidth = pixelWidth() * scrollBarPixels;
    const float boxWidth = absBottomRight[0] - absTopLeft[0];
    scrollBarWidth = boxWidth != 0.0f ? barWidth * 2.0f / boxWidth : 0.0f;
    rightInset = barWidth + marginX;
    scrollStep = 0.2f * (absTopLeft[1] - absBottomRight[1]) * 0.5f;
    clipTopLeft[0] = absTopLeft[0] + marginX;
    clipTopLeft[1] = absTopLeft[1] - marginY;
    clipBottomRight[0] = absBottomRight[0] - rightInset;
    clipBottomRight[1] = absBottomRight[1] + marginY;
    clipWidth = clipBottomRight[0] - clipTopLeft[0];
    clipHeight = clipTopLeft[1] - clipBottomRight[1];
    measure();
    textTopLeft[0] = clipTopLeft[0];
    textTopLeft[1] = clipTopLeft[1];
    textBottomRight[0] = clipBottomRight[0];
    textBottomRight[1] = clipTopLeft[1] - textHeight - scrollStep;
    scrollValue = clipTopLeft[1];
    textTop = clipTopLeft[1];
    textBottom = textTop + textHeight + scrollStep;

    const std::uint32_t layer = childDepth(parent);
    frameObject = uiobject::create(ri, "ui_outlined_rectangle", layer);
    uiobject::setCorners<OutlinedRectangleParameters>(frameObject, absTopLeft, absBottomRight);
    textObject = uiobject::create(ri, "TextBox", layer + 1);
    uiobject::setCorners<TextBoxParameters>(textObject, textTopLeft, textBottomRight);
    uiobject::setString(textObject, TextBoxParameters::string, shownText());
    uiobject::setInt(textObject, TextBoxParameters::horizAlignment, -1);
    uiobject::setInt(textObject, TextBoxParameters::vertAlignment, -1);
    uiobject::setVector2(textObject, TextBoxParameters::clipTopLeft, clipTopLeft[0], clipTopLeft[1]);
    uiobject::setVector2(textObject, TextBoxParameters::clipBottomRight, clipBottomRight[0], clipBottomRight[1]);
    uiobject::setBool(textObject, TextBoxParameters::shouldClipToRectangle, true);
    depth = layer + 1;
    onEnabled();
    makeScrollBar();
}

GameUIScrollableTextBox::~GameUIScrollableTextBox() {
    uiobject::destroy(renderInterface(), frameObject);
    uiobject::destroy(renderInterface(), textObject);
}

std::string GameUIScrollableTextBox::shownText() const {
    // An editable box holds what the player typed: shown as it is, only its line breaks kept.
    return editable ? literalLines(text) : text;
}

std::uint32_t GameUIScrollableTextBox::shownIndex(std::int32_t index) const {
    const auto i = static_cast<std::size_t>(std::max(index, 0));
    return static_cast<std::uint32_t>(editable ? literalIndex(text, i, true) : i);
}

std::int32_t GameUIScrollableTextBox::indexOfShown(const std::string& shown, std::uint32_t index) const {
    return static_cast<std::int32_t>(editable ? indexInText(shown, index) : index);
}

void GameUIScrollableTextBox::measure() {
    shownEditable = editable;
    textHeight = measureUIText(renderInterface(), fontName, shownText(), false, clipWidth).height;
}

void GameUIScrollableTextBox::makeScrollBar() {
    if (scrollBar) removeChild(scrollBar);
    const float tl[2] = {1.0f - scrollBarWidth, 1.0f}, br[2] = {1.0f, -1.0f};
    scrollBar = new GameUIScrollBar(tag, owner, theme, "textScrollBar", textTop, textBottom, scrollValue, clipHeight, "",
                                    tl, br, this);
    scrollBar->eventSignal.connect(this, &GameUIScrollableTextBox::onScrollBar);
    addChild(scrollBar);
    topDepth = std::max(depth, getMaxChildDepth());
}

void GameUIScrollableTextBox::setText(const std::string& newText) {
    if (&newText != &text) text = newText;
    uiobject::setString(textObject, TextBoxParameters::string, shownText());
    measure();
    textTopLeft[0] = clipTopLeft[0];
    textTopLeft[1] = clipTopLeft[1];
    scrollValue = clipTopLeft[1];
    textTop = clipTopLeft[1];
    textBottom = textTop + textHeight + scrollStep;
    cursorPosition = std::clamp<std::int32_t>(cursorPosition, 0, static_cast<std::int32_t>(text.size()));
    rebuildScrollBar = 1;
}

void GameUIScrollableTextBox::onScrollBar(UIEvent::Data&) {
    scrollValue = scrollBar->value;
    scrollChanged = 1;
}

void GameUIScrollableTextBox::placeText() {
    const float h = textHeight + scrollStep;
    const float travel = std::max(h - clipHeight, 0.0f);
    const float fraction = h > 0.0f ? std::fabs(scrollValue - clipTopLeft[1]) / h : 0.0f;
    const float top = fraction * travel + clipTopLeft[1];
    textTopLeft[0] = clipTopLeft[0];
    textTopLeft[1] = top;
    textBottomRight[0] = clipBottomRight[0];
    textBottomRight[1] = top - h;
    uiobject::setCorners<TextBoxParameters>(textObject, textTopLeft, textBottomRight);
}

void GameUIScrollableTextBox::scrollToCursor() {
    const RenderInterface* ri = renderInterface();
    if (!ri) return;
    const float lineHeight = measureUIText(ri, fontName, "A", true, 20000.0f).height;
    float pen[2];
    ri->layoutWrappedText(pen, shownText(), fontName, textTopLeft, clipWidth, shownIndex(cursorPosition));
    // The pen stands on the bottom of its line.
    const float lineTop = pen[1] + lineHeight;
    float top = textTopLeft[1];
    if (lineTop > clipTopLeft[1]) top -= lineTop - clipTopLeft[1];
    else if (pen[1] < clipBottomRight[1]) top += clipBottomRight[1] - pen[1];
    else return;
    const float h = textHeight + scrollStep;
    const float travel = h - clipHeight;
    const float fraction = travel > 0.0f ? std::clamp((top - clipTopLeft[1]) / travel, 0.0f, 1.0f) : 0.0f;
    scrollValue = clipTopLeft[1] + fraction * h;
    placeText();
}

void GameUIScrollableTextBox::applyTextChange() {
    measure();
    const RenderInterface* ri = renderInterface();
    if (placeCursorPending) {
        placeCursorPending = 0;
        if (clickPending && ri) {
            clickPending = 0;
            const std::string shown = shownText();
            cursorPosition =
                indexOfShown(shown, ri->letterIndexAtPoint(shown, fontName, textTopLeft, clipWidth, clickX, clickY));
        } else {
            cursorPosition = static_cast<std::int32_t>(text.size());
        }
    }
    cursorPosition = std::clamp<std::int32_t>(cursorPosition, 0, static_cast<std::int32_t>(text.size()));
    // A click between the two characters of a line break puts the cursor before it.
    if (pairAt(cursorPosition - 1)) --cursorPosition;
    uiobject::setString(textObject, TextBoxParameters::string, shownText());
    if (editable) {
        uiobject::setUnsignedInt(textObject, TextBoxParameters::cursorLetterPosition, shownIndex(cursorPosition));
    }
    textTop = clipTopLeft[1];
    textBottom = textTop + textHeight + scrollStep;
    // A shorter text must not leave the view scrolled past its end.
    scrollValue = std::clamp(scrollValue, textTop, textBottom);
    placeText();
    scrollToCursor();
    makeScrollBar();
}

void GameUIScrollableTextBox::update(float dt) {
    if (rebuildScrollBar) {
        rebuildScrollBar = 0;
        makeScrollBar();
        scrollChanged = 1;
    }
    if (scrollChanged) {
        scrollChanged = 0;
        placeText();
    }
    // An owner that switched editing on after construction: the text is shown anew as typed text.
    if (shownEditable != editable) textChanged = 1;
    if (textChanged) {
        textChanged = 0;
        applyTextChange();
    }
    if (activationRequested) {
        activationRequested = 0;
        if (WindowManager* wm = windowManager()) wm->requestFocus(this);
    }
    if (editable) repeat.update(dt);
    GameUIStandardElement::update(dt);
}

bool GameUIScrollableTextBox::onMouseButton(MouseEvent::Data& event) {
    if (disabled || !containsPoint(event.x, event.y)) return false;
    const bool inClip = clipTopLeft[0] <= event.x && event.x <= clipBottomRight[0] && clipBottomRight[1] <= event.y &&
                        event.y <= clipTopLeft[1];
    if (!inClip) return GameUIStandardElement::onMouseButton(event);
    if (event.type == MouseEvent::Press || event.type == MouseEvent::DoublePress) return event.button == 0;
    if (event.type != MouseEvent::Release || event.button != 0) return false;
    if (editable) {
        activationRequested = 1;
        clickX = event.x;
        clickY = event.y;
        clickPending = 1;
    }
    return true;
}

bool GameUIScrollableTextBox::pairAt(std::int64_t index) const {
    return index >= 0 && static_cast<std::size_t>(index) + 1 < text.size() &&
           text.compare(static_cast<std::size_t>(index), 2, lineBreak) == 0;
}

void GameUIScrollableTextBox::insertAtCursor(const std::string& inserted) {
    text.insert(static_cast<std::size_t>(cursorPosition), inserted);
    cursorPosition += static_cast<std::int32_t>(inserted.size());
    textChanged = 1;
}

bool GameUIScrollableTextBox::applyKey(const KeyEvent::Data& event) {
    const std::int32_t length = static_cast<std::int32_t>(text.size());
    const RenderInterface* ri = renderInterface();
    switch (event.scanCode) {
    case textentry::keyRight:
        cursorPosition = std::min(cursorPosition + (pairAt(cursorPosition) ? 2 : 1), length);
        break;
    case textentry::keyLeft:
        cursorPosition = std::max(cursorPosition - (pairAt(cursorPosition - 2) ? 2 : 1), 0);
        break;
    case textentry::keyUp:
    case textentry::keyDown:
        if (ri) {
            const std::int32_t delta = event.scanCode == textentry::keyUp ? 1 : -1;
            const std::string shown = shownText();
            const std::uint32_t moved = ri->letterIndexAtPointWrapped(shown, fontName, textTopLeft, clipWidth,
                                                                      shownIndex(cursorPosition), delta);
            cursorPosition = std::min(indexOfShown(shown, moved), length);
        }
        break;
    case textentry::keyBack:
        if (pairAt(cursorPosition - 2)) {
            text.erase(static_cast<std::size_t>(cursorPosition - 2), 2);
            cursorPosition -= 2;
        } else if (cursorPosition >= 1) {
            text.erase(static_cast<std::size_t>(cursorPosition - 1), 1);
            --cursorPosition;
        }
        break;
    case textentry::keyDelete:
        if (cursorPosition < length) text.erase(static_cast<std::size_t>(cursorPosition), pairAt(cursorPosition) ? 2 : 1);
        break;
    default: {
        const unsigned char c = static_cast<unsigned char>(event.character);
        const bool taken = numericOnly ? c >= '0' && c <= '9' : textentry::acceptsCharacter(ri, event.character, false);
        if (!taken) return false;
        insertAtCursor(std::string(1, c == '\\' ? '/' : event.character));
        return true;
    }
    }
    textChanged = 1;
    return true;
}

bool GameUIScrollableTextBox::onKey(KeyEvent::Data& event) {
    if (!editable || disabled || !active || !textObject) return false;
    eventData.name = "keyPressed";
    if (textentry::isPaste(event)) {
        std::string pasted = textentry::clipboardText(owner);
        if (pasted.empty()) return false;
        if (!numericOnly) pasted = textentry::withStoredLineBreaks(pasted);
        insertAtCursor(pasted);
        // The owner hears of a paste as of a typed character.
        emit();
        return true;
    }
    if (event.ctrl) return false;
    bool acted = false;
    const std::uint32_t code = event.scanCode;
    if (code == textentry::keyLeftShift || code == textentry::keyRightShift) {
        // Shift only changes what the next key types.
    } else if (code == textentry::keyReturn) {
        if (event.action == KeyEvent::Pressed) {
            insertAtCursor(lineBreak);
            acted = true;
        }
    } else if (event.action == KeyEvent::Pressed) {
        acted = applyKey(event);
    } else if (event.action == KeyEvent::Held && repeat.ready) {
        repeat.ready = 0;
        acted = applyKey(event);
    }
    if (acted && event.action == KeyEvent::Pressed) repeat.pressed();
    if (event.action == KeyEvent::Pressed || (event.action == KeyEvent::Held && repeat.ready)) emit();
    return acted;
}

void GameUIScrollableTextBox::emit() {
    eventData.type = UIEvent::Click;
    eventData.parentName = name;
    eventData.source = this;
    eventSignal.emit(eventData);
}

void GameUIScrollableTextBox::onActivated() {
    uiobject::setBool(textObject, TextBoxParameters::hasEditCursor, true);
    placeCursorPending = 1;
    textChanged = 1;
}

void GameUIScrollableTextBox::onDeactivated() {
    uiobject::setBool(textObject, TextBoxParameters::hasEditCursor, false);
    uiobject::setVector2(textObject, TextBoxParameters::cursorMouseClickPosition, 0.0f, 0.0f);
    eventData.name = "lostEditFocus";
    eventData.parentName = name;
    eventData.source = this;
    eventSignal.emit(eventData);
}

void GameUIScrollableTextBox::onEnabled() {
    if (theme) {
        uiobject::setColour(frameObject, OutlinedRectangleParameters::colour, (*theme)[Theme::WidgetNormal]);
        uiobject::setColour(frameObject, OutlinedRectangleParameters::borderColour,
                            (*theme)[Theme::WidgetOutlineNormal]);
        uiobject::setColour(frameObject, OutlinedRectangleParameters::borderColour2,
                            (*theme)[Theme::WidgetOutlineNormal2]);
        uiobject::setColour(textObject, TextBoxParameters::colour, (*theme)[Theme::TextNormal]);
        uiobject::setColour(textObject, TextBoxParameters::colour2, (*theme)[Theme::TextNormal2]);
    }
    GameUIStandardElement::onEnabled();
}

void GameUIScrollableTextBox::onDisabled() {
    if (theme) {
        uiobject::setColour(textObject, TextBoxParameters::colour, (*theme)[Theme::TextDisabled]);
        uiobject::setColour(textObject, TextBoxParameters::colour2, (*theme)[Theme::TextDisabled2]);
        uiobject::setColour(frameObject, OutlinedRectangleParameters::colour, (*theme)[Theme::WidgetDisabled]);
        uiobject::setColour(frameObject, OutlinedRectangleParameters::borderColour,
                            (*theme)[Theme::WidgetOutlineDisabled]);
        uiobject::setColour(frameObject, OutlinedRectangleParameters::borderColour2,
                            (*theme)[Theme::WidgetOutlineDisabled]);
    }
    GameUIStandardElement::onDisabled();
}

const std::string& GameUIScrollableTextBox::getToolTipText() { return active ? emptyToolTip : toolTip; }
