#pragma once
// What the captioned and the image push buttons share: the bevelled frame over a backdrop, the
// press-and-release logic with its click and repeat signals, and the colour states.
#include <cstdint>
#include <string>

#include "app/sigslot.h"
#include "render/render_interface.h"
#include "ui/game_ui_base_element.h"

class Sound;

class GameUIButtonBase : public GameUIBaseElement {
public:
    ~GameUIButtonBase() override;

    bool onMouseButton(MouseEvent::Data& event) override;
    bool onMouseMove(MouseEvent::Data& event) override;
    void onMouseEnter() override;
    void onMouseLeave() override;
    void update(float dt) override;
    void onEnabled() override;
    void onDisabled() override;
    void onActivated() override;
    void onDeactivated() override;
    void fillEventData(UIEvent::Data& out) override;
    void onLayoutChanged() override;

    // The base colour lightened or darkened by the button's amounts, alpha kept.
    void bright(const float colour[4], float out[4]) const;
    void dark(const float colour[4], float out[4]) const;

    RenderInterface::UIObject* frame = nullptr;
    RenderInterface::UIObject* backdrop = nullptr;
    sigslot::signal1<UIEvent::Data&> clickSignal;
    sigslot::signal1<UIEvent::Data&> repeatSignal;
    UIEvent::Data eventData;
    Sound* clickSound = nullptr;
    std::uint8_t signalsEnabled = 0;
    float darkenBy = 0.2f;
    float brightenBy = 0.2f;
    std::uint8_t pressPending = 0;
    std::uint8_t releasePending = 0;

protected:
    enum class State { Normal, Hovered, Pressed, Disabled };

    GameUIButtonBase(UIContext* owner, const Theme* theme, const std::string& name, const std::string& toolTip,
                     const float topLeft[2], const float bottomRight[2], GameUIBaseElement* parent);
    void showState(State state);
    void placeFrame();
    std::uint32_t contentLayer() const { return layer_ + 2; }

    // The caption box or the image, over the whole button on the layer above the frame; set by
    // the derived constructor. Only a caption follows the colour states.
    RenderInterface::UIObject* content_ = nullptr;
    bool captionFollowsState_ = false;

private:
    void fillRecord(std::uint32_t type);
    std::uint32_t layer_;
};
