#pragma once
// The vertical scroll bar: up and down arrow buttons that step and repeat while held, and a
// draggable slider sized to the visible share; by whole rows (integer mode) or over a float range.
#include <cstdint>
#include <string>

#include "app/sigslot.h"
#include "render/render_interface.h"
#include "ui/game_ui_standard_element.h"

class GameUIPushButton;
class GameUIImagePushButton;

class GameUIScrollBar : public GameUIStandardElement, public sigslot::has_slots<> {
public:
    // Integer mode: scrolls totalCount rows of which visibleCount show, from position.
    GameUIScrollBar(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& name,
                    const std::string& unused, std::uint32_t totalCount, std::uint32_t position,
                    std::uint32_t visibleCount, const std::string& toolTip, const float topLeft[2],
                    const float bottomRight[2], GameUIBaseElement* parent);
    // Float mode: scrolls value over minValue..maxValue, of which visibleExtent shows.
    GameUIScrollBar(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& name, float minValue,
                    float maxValue, float value, float visibleExtent, const std::string& toolTip,
                    const float topLeft[2], const float bottomRight[2], GameUIBaseElement* parent);
    ~GameUIScrollBar() override;

    // Integer mode. Callers pass shown = min(total - position, visible) and blank = visible - shown.
    void setRange(std::uint32_t remaining, std::uint32_t total, std::uint32_t newPosition, std::uint32_t shown,
                  std::uint32_t blank, std::uint32_t visible);
    void placeSlider();

    bool onMouseButton(MouseEvent::Data& event) override;
    bool onMouseMove(MouseEvent::Data& event) override;
    void update(float dt) override;
    void onEnabled() override;
    void onDisabled() override;
    void onDeactivated() override;

    sigslot::signal1<UIEvent::Data&> eventSignal;
    UIEvent::Data eventData;
    RenderInterface::UIObject* trackObject = nullptr;
    GameUIPushButton* slider = nullptr;
    GameUIImagePushButton* decrementButton = nullptr;
    GameUIImagePushButton* incrementButton = nullptr;
    std::uint8_t integerMode;
    std::uint8_t floatMode;
    std::uint32_t position = 0;
    std::uint32_t maxPosition = 0;
    std::uint32_t minPosition = 0;
    std::uint32_t visibleCount = 0;
    std::uint32_t totalCount = 0;
    float minValue = 0.0f;
    float maxValue = 0.0f;
    float value = 0.0f;
    float visibleExtent = 0.0f;
    std::uint8_t dragging = 0;
    // Left, top, right, bottom in screen units.
    float sliderRect[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float sliderSize = 0.2f;
    float buttonLength = 0.0f;
    float trackLength = 2.0f;
    float repeatInterval = 0.025f;
    float repeatDelay = 0.5f;
    float holdTime = 0.0f;
    std::uint8_t repeatArmed = 1;
    std::uint8_t incrementHeld = 0;
    std::uint8_t decrementHeld = 0;
    float dragEmitTimer = 0.0f;
    float dragEmitInterval = 0.025f;
    float releaseTimer = 0.2f;
    float trackBorderColour[4] = {0.4f, 0.4f, 0.4f, 0.85f};

private:
    GameUIScrollBar(bool integer, std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& name,
                    const std::string& toolTip, const float topLeft[2], const float bottomRight[2],
                    GameUIBaseElement* parent);
    void build();
    void setSliderSizeFromCounts();
    void onButton(UIEvent::Data& event);
    void increment();
    void decrement();
    void emit(const std::string& eventName);
    void dragTo(float y);
    void setSliderLocal(float top, float bottom);
    // The bar's own -1..1 space to screen units, and back for y.
    float absoluteX(float localX) const;
    float absoluteY(float localY) const;
    float localY(float absoluteY) const;
};
