#include "ui/game_ui_floating_tool_tip.h"

#include "app/input_manager.h"
#include "ui/text_measure.h"
#include "ui/ui_object_params.h"

namespace {

const float frameColour[4] = {0.0f, 0.0f, 0.0f, 0.8f};
const float frameBorderColour[4] = {0.4f, 0.4f, 0.4f, 0.8f};
constexpr std::uint32_t frameLayer = 25;
constexpr std::uint32_t textLayer = 26;

} // namespace

GameUIFloatingToolTip::GameUIFloatingToolTip(UIContext* owner, const Theme* theme, const std::string& name,
                                             const float topLeft[2], const float bottomRight[2],
                                             GameUIBaseElement* parent)
    : GameUIBaseElement(owner, topLeft, bottomRight, theme, name, parent),
      inputManager(owner ? owner->inputManager : nullptr) {
    frame = uiobject::create(renderInterface(), "ui_outlined_rectangle", frameLayer);
    textBox = uiobject::create(renderInterface(), "TextBox", textLayer);
    // Drawn in the font it is measured in, or the box would be sized for another font's lines.
    uiobject::setString(textBox, TextBoxParameters::font, fontKey);
    measure();
    uiobject::setColour(frame, OutlinedRectangleParameters::colour, frameColour);
    uiobject::setColour(frame, OutlinedRectangleParameters::borderColour, frameBorderColour);
    uiobject::setColour(frame, OutlinedRectangleParameters::borderColour2, frameBorderColour);
    uiobject::setBorders(frame, 1, 1, 1, 1);
    uiobject::setBool(frame, OutlinedRectangleParameters::roundedCorners, true);
    uiobject::setUnsignedInt(frame, OutlinedRectangleParameters::borderInset, 1);
    park();
}

GameUIFloatingToolTip::~GameUIFloatingToolTip() {
    uiobject::destroy(renderInterface(), frame);
    uiobject::destroy(renderInterface(), textBox);
}

void GameUIFloatingToolTip::measure() {
    if (text.empty()) return;
    const TextMeasure size = measureUIText(renderInterface(), fontKey, text, false, maxTextWidth);
    textWidth = size.width;
    textHeight = size.height;
}

void GameUIFloatingToolTip::setText(const std::string& newText) {
    if (newText == text) return;
    text = newText;
    measure();
    if (stringShown) {
        uiobject::setString(textBox, TextBoxParameters::string, text);
        layOut(lastX, lastY);
    }
}

void GameUIFloatingToolTip::show(bool value) {
    if (value) showRequested = 1;
    else hideRequested = 1;
}

void GameUIFloatingToolTip::update(float dt) {
    if (showRequested) {
        if (!(visible && !text.empty())) {
            visible = text.empty() ? 0 : 1;
            if (!visible) hidePending = 1;
            timer = 0.0f;
        }
        showRequested = 0;
        hideRequested = 0;
    } else if (hideRequested) {
        hideRequested = 0;
        if (visible) {
            visible = 0;
            hidePending = 1;
            timer = 0.0f;
        }
    }
    if (visible) {
        if (timer < delay) {
            timer += dt;
            return;
        }
        if (!stringShown) {
            uiobject::setString(textBox, TextBoxParameters::string, text);
            stringShown = 1;
        }
        const float x = inputManager ? inputManager->pointerX() : 0.0f;
        const float y = inputManager ? inputManager->pointerY() : 0.0f;
        if (x != lastX || y != lastY) {
            lastX = x;
            lastY = y;
            layOut(x, y);
        }
        return;
    }
    if (hidePending) {
        hidePending = 0;
        stringShown = 0;
        park();
    }
}

void GameUIFloatingToolTip::layOut(float x, float y) {
    const float w = textWidth, h = textHeight;
    const float a = 24.0f * pixelWidth();
    const float pw = 8.0f * pixelWidth();
    const float ph = 8.0f * pixelHeight();
    float left = x + a;
    float bottom = y + a;
    if (y + a + h + 2.0f * ph > 1.0f) bottom = y - (h + 2.0f * ph + a);
    if (x + a + w + 2.0f * pw > 1.0f) left = x - (w + 2.0f * pw + a);
    uiobject::setCorners<TextBoxParameters>(textBox, left + pw, bottom + h + ph, left + w + pw, bottom + ph);
    uiobject::setCorners<OutlinedRectangleParameters>(frame, left, bottom + h + 2.0f * ph, left + w + 2.0f * pw,
                                                      bottom);
}

void GameUIFloatingToolTip::park() {
    uiobject::setCorners<TextBoxParameters>(textBox, offScreen, offScreen, offScreen, offScreen);
    uiobject::setCorners<OutlinedRectangleParameters>(frame, offScreen, offScreen, offScreen, offScreen);
}
