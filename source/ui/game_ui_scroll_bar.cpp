#include "ui/game_ui_scroll_bar.h"

#include <algorithm>
#include <cmath>

#include "ui/game_ui_image_push_button.h"
#include "ui/game_ui_push_button.h"
#include "ui/theme.h"
#include "ui/ui_object_params.h"
#include "ui/window_manager.h"

GameUIScrollBar::GameUIScrollBar(bool integer, std::uint32_t tag, UIContext* owner, const Theme* theme,
                                 const std::string& name, const std::string& toolTip, const float topLeft[2],
                                 const float bottomRight[2], GameUIBaseElement* parent)
    : GameUIStandardElement(tag, owner, topLeft, bottomRight, theme, name, toolTip, parent),
      integerMode(integer ? 1 : 0),
      floatMode(integer ? 0 : 1) {}

GameUIScrollBar::GameUIScrollBar(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& name,
                                 const std::string&, std::uint32_t totalCount, std::uint32_t position,
                                 std::uint32_t visibleCount, const std::string& toolTip, const float topLeft[2],
                                 const float bottomRight[2], GameUIBaseElement* parent)
    : GameUIScrollBar(true, tag, owner, theme, name, toolTip, topLeft, bottomRight, parent) {
    this->totalCount = totalCount;
    this->position = position;
    this->visibleCount = visibleCount;
    maxPosition = totalCount > visibleCount ? totalCount - visibleCount : 0;
    build();
}

GameUIScrollBar::GameUIScrollBar(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& name,
                                 float minValue, float maxValue, float value, float visibleExtent,
                                 const std::string& toolTip, const float topLeft[2], const float bottomRight[2],
                                 GameUIBaseElement* parent)
    : GameUIScrollBar(false, tag, owner, theme, name, toolTip, topLeft, bottomRight, parent) {
    this->minValue = minValue;
    this->maxValue = maxValue;
    this->value = value;
    this->visibleExtent = visibleExtent;
    build();
}

GameUIScrollBar::~GameUIScrollBar() { uiobject::destroy(renderInterface(), trackObject); }

float GameUIScrollBar::absoluteX(float x) const {
    return absTopLeft[0] + (x + 1.0f) * 0.5f * (absBottomRight[0] - absTopLeft[0]);
}

float GameUIScrollBar::absoluteY(float y) const {
    return absBottomRight[1] + (y + 1.0f) * 0.5f * (absTopLeft[1] - absBottomRight[1]);
}

float GameUIScrollBar::localY(float y) const {
    const float height = absTopLeft[1] - absBottomRight[1];
    return height != 0.0f ? (y - absBottomRight[1]) / height * 2.0f - 1.0f : 0.0f;
}

void GameUIScrollBar::build() {
    const float height = (absTopLeft[1] - absBottomRight[1]) * 0.5f;
    const float aspect = screenWidth() / screenHeight();
    buttonLength = height != 0.0f ? std::fabs(absBottomRight[0] - absTopLeft[0]) * aspect / height : 0.0f;
    trackLength = 2.0f - 2.0f * buttonLength;
    depth = childDepth(parent);

    trackObject = uiobject::create(renderInterface(), "ui_outlined_rectangle", depth);
    uiobject::setCorners<OutlinedRectangleParameters>(trackObject, absoluteX(-1.0f), absoluteY(1.0f - buttonLength),
                                                      absoluteX(1.0f), absoluteY(buttonLength - 1.0f));
    if (theme) uiobject::setColour(trackObject, OutlinedRectangleParameters::colour, (*theme)[Theme::WidgetNormal]);
    uiobject::setColour(trackObject, OutlinedRectangleParameters::borderColour, trackBorderColour);
    uiobject::setColour(trackObject, OutlinedRectangleParameters::borderColour2, trackBorderColour);
    uiobject::setBorders(trackObject, 1, 0, 1, 0);

    const float upTL[2] = {-1.0f, 1.0f}, upBR[2] = {1.0f, 1.0f - buttonLength};
    const float downTL[2] = {-1.0f, buttonLength - 1.0f}, downBR[2] = {1.0f, -1.0f};
    decrementButton = new GameUIImagePushButton(owner, theme, "decrementButton", "tex_rect_up_arrow", "", upTL, upBR, this);
    incrementButton =
        new GameUIImagePushButton(owner, theme, "incrementButton", "tex_rect_down_arrow", "", downTL, downBR, this);
    for (GameUIImagePushButton* button : {decrementButton, incrementButton}) {
        button->signalsEnabled = 1;
        button->clickSignal.connect(this, &GameUIScrollBar::onButton);
        button->repeatSignal.connect(this, &GameUIScrollBar::onButton);
        addChild(button);
    }
    topDepth = std::max(depth, getMaxChildDepth());
    setSliderSizeFromCounts();
    placeSlider();
}

void GameUIScrollBar::setSliderSizeFromCounts() {
    // A list of no rows and an empty range both leave nothing to scroll: the slider fills the track.
    float share = 1.0f;
    if (integerMode) {
        if (totalCount > 0) share = static_cast<float>(visibleCount) / static_cast<float>(totalCount);
    } else {
        const float range = std::fabs(maxValue - minValue);
        if (range > 0.0f) share = visibleExtent / range;
    }
    sliderSize = trackLength * std::min(share, 1.0f);
}

void GameUIScrollBar::setRange(std::uint32_t, std::uint32_t total, std::uint32_t newPosition, std::uint32_t shown,
                               std::uint32_t blank, std::uint32_t visible) {
    position = newPosition;
    visibleCount = visible;
    minPosition = 0;
    totalCount = total;
    maxPosition = total > shown ? total - shown : 0;
    const std::uint64_t below = static_cast<std::uint64_t>(total) + blank;
    const float ratio = below > 0 ? static_cast<float>(shown + blank) / static_cast<float>(below) : 1.0f;
    if (total == 0) sliderSize = trackLength;
    else if (ratio <= 1.0f && ratio < 0.1f) sliderSize = 0.1f * trackLength;
    else sliderSize = trackLength * std::min(ratio, 1.0f);
    placeSlider();
}

void GameUIScrollBar::placeSlider() {
    if (disabled) return;
    const float free = trackLength - sliderSize;
    if (free <= 0.0f) {
        if (theme) {
            uiobject::setColour(trackObject, OutlinedRectangleParameters::colour, (*theme)[Theme::WidgetDisabled]);
        }
        decrementButton->disable();
        incrementButton->disable();
        if (slider) {
            GameUIPushButton* gone = slider;
            slider = nullptr;
            dragging = 0;
            removeChild(gone);
        }
        return;
    }
    if (!slider) {
        const float tl[2] = {-1.0f, 1.0f - buttonLength}, br[2] = {1.0f, 1.0f - buttonLength - sliderSize};
        slider = new GameUIPushButton(owner, theme, "sliderCentreButton", "", "", tl, br, this);
        addChild(slider);
        topDepth = std::max(depth, getMaxChildDepth());
        if (theme) uiobject::setColour(trackObject, OutlinedRectangleParameters::colour, (*theme)[Theme::WidgetNormal]);
    }
    for (GameUIImagePushButton* button : {decrementButton, incrementButton}) {
        if (!button->disabled) continue;
        button->disabled = 0;
        button->onEnabled();
    }
    float fraction = 0.0f;
    if (integerMode) {
        if (maxPosition > minPosition) {
            fraction = static_cast<float>(position - minPosition) / static_cast<float>(maxPosition - minPosition);
        }
    } else {
        const float range = std::fabs(maxValue - minValue);
        if (range > 0.0f) fraction = std::fabs(value - minValue) / range;
    }
    fraction = std::clamp(fraction, 0.0f, 1.0f);
    const float top = (1.0f - buttonLength) - fraction * free;
    setSliderLocal(top, top - sliderSize);
}

void GameUIScrollBar::setSliderLocal(float top, float bottom) {
    slider->localTopLeft[0] = -1.0f;
    slider->localTopLeft[1] = top;
    slider->localBottomRight[0] = 1.0f;
    slider->localBottomRight[1] = bottom;
    slider->absTopLeft[0] = sliderRect[0] = absoluteX(-1.0f);
    slider->absTopLeft[1] = sliderRect[1] = absoluteY(top);
    slider->absBottomRight[0] = sliderRect[2] = absoluteX(1.0f);
    slider->absBottomRight[1] = sliderRect[3] = absoluteY(bottom);
    slider->onLayoutChanged();
}

void GameUIScrollBar::emit(const std::string& eventName) {
    eventData.type = UIEvent::Click;
    eventData.name = eventName;
    eventData.parentName = name;
    eventData.source = this;
    eventSignal.emit(eventData);
}

void GameUIScrollBar::increment() {
    if (integerMode) {
        if (position >= maxPosition) return;
        const std::uint32_t next = position + 1;
        const std::uint32_t shown = std::min(totalCount - next, visibleCount);
        setRange(0, totalCount, next, shown, visibleCount - shown, visibleCount);
    } else {
        if (value >= maxValue) return;
        value = std::min(value + 0.1f, maxValue);
        placeSlider();
    }
    emit("incrementButton");
}

void GameUIScrollBar::decrement() {
    if (integerMode) {
        if (position <= minPosition) return;
        const std::uint32_t next = position - 1;
        const std::uint32_t shown = std::min(totalCount - next, visibleCount);
        setRange(0, totalCount, next, shown, visibleCount - shown, visibleCount);
    } else {
        if (value <= minValue) return;
        value = std::max(value - 0.1f, minValue);
        placeSlider();
    }
    emit("decrementButton");
}

void GameUIScrollBar::onButton(UIEvent::Data& event) {
    const bool down = event.name == "incrementButton";
    if (event.type == UIEvent::Repeat) {
        (down ? incrementHeld : decrementHeld) = 1;
        return;
    }
    if (event.type != UIEvent::Click || !repeatArmed) return;
    if (down) increment();
    else decrement();
}

void GameUIScrollBar::update(float dt) {
    if (incrementHeld || decrementHeld) {
        const bool down = incrementHeld != 0;
        incrementHeld = decrementHeld = 0;
        holdTime += dt;
        releaseTimer = 0.2f;
        const bool due = repeatArmed ? holdTime >= repeatDelay : holdTime >= repeatInterval;
        if (due) {
            repeatArmed = 0;
            holdTime = 0.0f;
            if (down) increment();
            else decrement();
        }
    } else {
        releaseTimer -= dt;
        if (releaseTimer <= 0.0f) {
            releaseTimer = 0.2f;
            holdTime = 0.0f;
            repeatArmed = 1;
        }
    }
    if (dragging) {
        dragEmitTimer += dt;
        if (dragEmitTimer >= dragEmitInterval) {
            dragEmitTimer = 0.0f;
            emit("sliderMoved");
        }
    }
    GameUIStandardElement::update(dt);
}

bool GameUIScrollBar::onMouseButton(MouseEvent::Data& event) {
    if (disabled || !containsPoint(event.x, event.y)) return false;
    bool taken = false;
    if (slider && event.type == MouseEvent::Press && event.button == 0 && sliderRect[0] <= event.x &&
        event.x <= sliderRect[2] && sliderRect[3] <= event.y && event.y <= sliderRect[1]) {
        if (WindowManager* wm = windowManager()) wm->requestCapture(this);
        dragging = 1;
        dragEmitTimer = 0.0f;
        taken = true;
    }
    return GameUIStandardElement::onMouseButton(event) || taken;
}

bool GameUIScrollBar::onMouseMove(MouseEvent::Data& event) {
    if (disabled) return false;
    if (dragging && slider) {
        dragTo(event.y);
        return true;
    }
    return GameUIStandardElement::onMouseMove(event);
}

void GameUIScrollBar::dragTo(float y) {
    const float h = std::fabs(sliderRect[1] - sliderRect[3]) * 0.5f;
    const float trackTop = absoluteY(1.0f - buttonLength);
    const float trackBottom = absoluteY(buttonLength - 1.0f);
    const float top = std::max(std::min(trackTop, y + h), trackBottom + 2.0f * h);
    const float bottom = std::max(std::min(trackTop - 2.0f * h, y - h), trackBottom);
    const float localTop = localY(top);
    const float free = trackLength - sliderSize;
    const float fraction = free > 0.0f ? std::clamp(std::fabs(localTop - (1.0f - buttonLength)) / free, 0.0f, 1.0f) : 0.0f;
    if (integerMode) {
        position = static_cast<std::uint32_t>(static_cast<float>(maxPosition - minPosition) * fraction + 0.5f);
    } else {
        value = (maxValue - minValue) * fraction + minValue;
    }
    setSliderLocal(localTop, localY(bottom));
}

void GameUIScrollBar::onDeactivated() {
    if (dragging) {
        dragging = 0;
        emit("sliderMoved");
    }
    if (slider && slider->active) {
        slider->active = 0;
        slider->onDeactivated();
    }
}

void GameUIScrollBar::onEnabled() {
    if (theme) uiobject::setColour(trackObject, OutlinedRectangleParameters::colour, (*theme)[Theme::WidgetNormal]);
    GameUIStandardElement::onEnabled();
}

void GameUIScrollBar::onDisabled() {
    if (theme) uiobject::setColour(trackObject, OutlinedRectangleParameters::colour, (*theme)[Theme::WidgetDisabled]);
    GameUIStandardElement::onDisabled();
}
