#include "ui/game_ui_editable_text_line_box.h"

#include <algorithm>

#include "render/text_markup.h"
#include "ui/text_measure.h"
#include "ui/theme.h"
#include "ui/ui_object_params.h"
#include "ui/window_manager.h"

namespace {

const char* const ellipsis = "...";
constexpr float unboundedWidth = 20000.0f;
constexpr float textInset = 0.01f;

std::int32_t clampIndex(std::int64_t index, std::size_t length) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(index, 0, static_cast<std::int64_t>(length)));
}

std::string reversed(std::string s) {
    std::reverse(s.begin(), s.end());
    return s;
}

} // namespace

GameUIEditableTextLineBox::GameUIEditableTextLineBox(UIContext* owner, const Theme* theme, const std::string& name,
                                                     const std::string& text, const std::string& fontName,
                                                     const std::string& toolTip, const float topLeft[2],
                                                     const float bottomRight[2], GameUIBaseElement* parent,
                                                     bool numericOnly)
    : GameUIBaseElement(owner, topLeft, bottomRight, theme, name, parent),
      toolTip(toolTip),
      text(text),
      fontName(fontName),
      numericOnly(numericOnly ? 1 : 0) {
    const std::uint32_t frameLayer = parent ? childDepth(parent) : 0;
    const std::uint32_t textLayer = frameLayer + 1;
    depth = topDepth = textLayer;

    RenderInterface* ri = renderInterface();
    const float left = absTopLeft[0] + textInset;
    const float right = absBottomRight[0] - textInset;
    textTopLeft[0] = left;
    textTopLeft[1] = absTopLeft[1];
    innerWidth = std::abs(right - left);
    textObject = uiobject::create(ri, "TextBox", textLayer);
    uiobject::setVector2(textObject, TextBoxParameters::topLeft, left, absTopLeft[1]);
    uiobject::setVector2(textObject, TextBoxParameters::bottomRight, right, absBottomRight[1]);
    uiobject::setString(textObject, TextBoxParameters::string, literalText(text));
    uiobject::setInt(textObject, TextBoxParameters::horizAlignment, -1);
    uiobject::setInt(textObject, TextBoxParameters::vertAlignment, 0);
    uiobject::setString(textObject, TextBoxParameters::font, fontName);

    frameObject = uiobject::create(ri, "ui_outlined_rectangle", frameLayer);
    uiobject::setCorners<OutlinedRectangleParameters>(frameObject, absTopLeft, absBottomRight);
    uiobject::setBorders(frameObject, 1, 1, 1, 1);
    onEnabled();
    rebuildShown();
}

GameUIEditableTextLineBox::~GameUIEditableTextLineBox() {
    uiobject::destroy(renderInterface(), textObject);
    uiobject::destroy(renderInterface(), frameObject);
}

void GameUIEditableTextLineBox::setText(const std::string& newText) {
    if (&newText != &text) text = newText;
    // Keys can arrive before the next update places the cursor: keep it inside the new text.
    cursorPosition = clampIndex(cursorPosition, text.size());
    changed = 1;
    if (editable && active) placeCursorPending = 1;
}

std::uint32_t GameUIEditableTextLineBox::countFitting(const std::string& s, float width) const {
    if (width <= 0.0f) return 0;
    return measureUIText(renderInterface(), fontName, literalText(s), true, width).fitCount;
}

float GameUIEditableTextLineBox::measureWidth(const std::string& s) const {
    return measureUIText(renderInterface(), fontName, literalText(s), true, unboundedWidth).width;
}

void GameUIEditableTextLineBox::rebuildShown() {
    fittingCount = countFitting(text, innerWidth);
    if (placeCursorPending) {
        placeCursorPending = 0;
        if (clickPending) {
            clickPending = 0;
            const RenderInterface* ri = renderInterface();
            const std::string shown = literalText(text);
            cursorPosition = ri ? static_cast<std::int32_t>(indexInText(
                                      shown, ri->letterIndexAtPoint(shown, fontName, textTopLeft, innerWidth, clickX,
                                                                    clickY)))
                                : 0;
        } else {
            cursorPosition = static_cast<std::int32_t>(text.size());
        }
    }
    cursorPosition = clampIndex(cursorPosition, text.size());
    if (text.size() <= fittingCount) {
        displayCursorPosition = cursorPosition;
        showString(text, displayCursorPosition);
        return;
    }
    buildWindow();
    displayCursorPosition = clampIndex(displayCursorPosition, displayText.size());
    showString(displayText, displayCursorPosition);
}

void GameUIEditableTextLineBox::showString(const std::string& shown, std::int32_t cursor) {
    // What the player typed or a file held is shown as it is, never read as markup.
    uiobject::setString(textObject, TextBoxParameters::string, literalText(shown));
    if (!editable) return;
    uiobject::setUnsignedInt(textObject, TextBoxParameters::cursorLetterPosition,
                             static_cast<std::uint32_t>(literalIndex(shown, static_cast<std::size_t>(cursor), false)));
}

void GameUIEditableTextLineBox::buildWindow() {
    const std::size_t length = text.size();
    const float e = measureWidth(ellipsis);
    // Kerning across the joins can make a window measure a little wider than its parts; one
    // character fewer at a time until it fits.
    auto tail = [&](std::int64_t n) {
        for (;; --n) {
            const std::int32_t start = clampIndex(static_cast<std::int64_t>(length) - n, length);
            displayText = ellipsis + text.substr(static_cast<std::size_t>(start));
            displayCursorPosition = cursorPosition - start + 3;
            if (n <= 0 || measureWidth(displayText) <= innerWidth) return;
        }
    };
    auto head = [&](std::int64_t k, std::int32_t cursorShown) {
        for (;; --k) {
            displayText = text.substr(0, static_cast<std::size_t>(clampIndex(k, length))) + ellipsis;
            displayCursorPosition = cursorShown;
            if (k <= 0 || measureWidth(displayText) <= innerWidth) return;
        }
    };
    if (!active) {
        const std::int64_t n = countFitting(ellipsis + reversed(text), innerWidth);
        tail(n - 3);
        return;
    }
    if (cursorPosition == 0) {
        head(countFitting(text, innerWidth - e), 0);
        return;
    }
    if (static_cast<std::size_t>(cursorPosition) == length) {
        tail(countFitting(reversed(text), innerWidth - e));
        return;
    }
    const std::string before = text.substr(0, static_cast<std::size_t>(cursorPosition));
    if (measureWidth(before) <= innerWidth - 2.0f * e) {
        head(countFitting(text, innerWidth - e), cursorPosition);
        return;
    }
    for (std::int64_t n = countFitting(reversed(before), innerWidth - 2.0f * e);; --n) {
        const std::int32_t start = clampIndex(cursorPosition - n, static_cast<std::size_t>(cursorPosition));
        displayText = ellipsis + before.substr(static_cast<std::size_t>(start)) + ellipsis;
        displayCursorPosition = cursorPosition - start + 3;
        if (n <= 0 || measureWidth(displayText) <= innerWidth) return;
    }
}

void GameUIEditableTextLineBox::insertAtCursor(const std::string& inserted) {
    text.insert(static_cast<std::size_t>(cursorPosition), inserted);
    cursorPosition += static_cast<std::int32_t>(inserted.size());
    changed = 1;
}

bool GameUIEditableTextLineBox::applyKey(const KeyEvent::Data& event) {
    const std::int32_t length = static_cast<std::int32_t>(text.size());
    switch (event.scanCode) {
    case textentry::keyRight:
        if (cursorPosition < length) ++cursorPosition;
        break;
    case textentry::keyLeft:
        if (cursorPosition > 0) --cursorPosition;
        break;
    case textentry::keyBack:
        if (cursorPosition >= 1) {
            text.erase(static_cast<std::size_t>(cursorPosition - 1), 1);
            --cursorPosition;
        }
        break;
    case textentry::keyDelete:
        if (cursorPosition < length) text.erase(static_cast<std::size_t>(cursorPosition), 1);
        break;
    default:
        if (!textentry::acceptsCharacter(renderInterface(), event.character, numericOnly)) return false;
        insertAtCursor(std::string(1, event.character == '\\' ? '/' : event.character));
        fittingCount = countFitting(text, innerWidth);
        return true;
    }
    changed = 1;
    return true;
}

bool GameUIEditableTextLineBox::onKey(KeyEvent::Data& event) {
    if (!editable || disabled || !active || !textObject) return false;
    eventData.name = "keyPressed";
    if (textentry::isPaste(event)) {
        std::string pasted = textentry::clipboardText(owner);
        if (pasted.empty()) return false;
        if (!numericOnly) pasted = textentry::asOneLine(pasted);
        insertAtCursor(pasted);
        // The owner hears of a paste as of a typed character.
        emit();
        return true;
    }
    if (event.ctrl) return false;
    fittingCount = countFitting(text, innerWidth);
    bool acted = false;
    const std::uint32_t code = event.scanCode;
    if (code == textentry::keyLeftShift || code == textentry::keyRightShift) {
        // Shift only changes what the next key types.
    } else if (code == textentry::keyReturn && event.action == KeyEvent::Pressed) {
        eventData.name = "enterPressed";
        if (WindowManager* wm = windowManager()) wm->releaseFocusRequested = 1;
        acted = true;
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

void GameUIEditableTextLineBox::emit() {
    eventData.parentName = name;
    eventData.type = UIEvent::Click;
    eventData.source = this;
    eventSignal.emit(eventData);
}

bool GameUIEditableTextLineBox::onMouseButton(MouseEvent::Data& event) {
    if (disabled || !containsPoint(event.x, event.y)) return false;
    if (event.type == MouseEvent::Press || event.type == MouseEvent::DoublePress) return event.button == 0;
    if (event.type != MouseEvent::Release || event.button != 0) return false;
    if (!editable) return true;
    activationRequested = 1;
    clickX = event.x;
    clickY = event.y;
    clickPending = 1;
    return true;
}

bool GameUIEditableTextLineBox::onMouseMove(MouseEvent::Data& event) {
    if (disabled || !containsPoint(event.x, event.y)) return false;
    if (event.type == MouseEvent::Move) {
        eventData.type = UIEvent::PointerOver;
        eventData.name = name;
        eventData.parentName = parent ? parent->name : std::string();
    }
    reportUnderPointer();
    return true;
}

void GameUIEditableTextLineBox::update(float dt) {
    if (changed) {
        changed = 0;
        rebuildShown();
    }
    if (activationRequested) {
        activationRequested = 0;
        if (WindowManager* wm = windowManager()) wm->requestFocus(this);
    }
    repeat.update(dt);
}

void GameUIEditableTextLineBox::onActivated() {
    uiobject::setBool(textObject, TextBoxParameters::hasEditCursor, true);
    placeCursorPending = 1;
    changed = 1;
}

void GameUIEditableTextLineBox::onDeactivated() {
    uiobject::setBool(textObject, TextBoxParameters::hasEditCursor, false);
    uiobject::setVector2(textObject, TextBoxParameters::cursorMouseClickPosition, 0.0f, 0.0f);
    // The window of an idle box shows the tail.
    changed = 1;
    eventData.name = "lostEditFocus";
    eventData.source = this;
    eventSignal.emit(eventData);
}

void GameUIEditableTextLineBox::onEnabled() {
    if (!theme) return;
    uiobject::setColour(frameObject, OutlinedRectangleParameters::colour, (*theme)[Theme::WidgetNormal]);
    uiobject::setColour(frameObject, OutlinedRectangleParameters::borderColour, (*theme)[Theme::WidgetOutlineNormal]);
    uiobject::setColour(frameObject, OutlinedRectangleParameters::borderColour2, (*theme)[Theme::WidgetOutlineNormal2]);
    uiobject::setColour(textObject, TextBoxParameters::colour, (*theme)[Theme::TextNormal]);
    uiobject::setColour(textObject, TextBoxParameters::colour2, (*theme)[Theme::TextNormal2]);
}

void GameUIEditableTextLineBox::onDisabled() {
    if (!theme) return;
    uiobject::setColour(textObject, TextBoxParameters::colour, (*theme)[Theme::TextDisabled]);
    uiobject::setColour(textObject, TextBoxParameters::colour2, (*theme)[Theme::TextDisabled2]);
    uiobject::setColour(frameObject, OutlinedRectangleParameters::colour, (*theme)[Theme::WidgetDisabled]);
    uiobject::setColour(frameObject, OutlinedRectangleParameters::borderColour, (*theme)[Theme::WidgetOutlineDisabled]);
    uiobject::setColour(frameObject, OutlinedRectangleParameters::borderColour2,
                        (*theme)[Theme::WidgetOutlineDisabled]);
}

const std::string& GameUIEditableTextLineBox::getToolTipText() { return active ? emptyToolTip : toolTip; }
