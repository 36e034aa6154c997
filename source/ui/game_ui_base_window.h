#pragma once
// The framed top-level window: shadowed frame, title bar with its title, an optional close
// button, and a content area for the widgets of the windows built on it.
#include <cstdint>
#include <string>

#include "app/sigslot.h"
#include "ui/game_ui_standard_element.h"

class GameUILayoutRectangle;
class GameUIPushButton;
class GameUILabel;
class SoundManager;

class GameUIBaseWindow : public GameUIStandardElement, public sigslot::has_slots<> {
public:
    static constexpr float titleBarHeight = 0.1f;

    GameUIBaseWindow(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& name,
                     const std::string& title, const float topLeft[2], const float bottomRight[2], std::uint32_t depth,
                     GameUIBaseElement* parent, bool hasCloseButton);
    ~GameUIBaseWindow() override;

    // Reports "closeDialog" for a click of the close button.
    void onCloseButton(UIEvent::Data& event);
    // Emits a click event of this window with the given name and value on windowSignal.
    void reportEvent(const std::string& name, std::uint32_t value = 0);

    // The frame and title bar count, and the close button.
    bool containsPoint(float x, float y) override;
    void onEnabled() override;
    void onDisabled() override;

    sigslot::signal1<UIEvent::Data&> windowSignal;
    sigslot::signal1<UIEvent::Data&> secondSignal;
    UIEvent::Data eventData;
    UIContext* context;
    RenderInterface* renderer;
    SoundManager* soundManager;
    std::string title;
    GameUILayoutRectangle* titleBarRectangle = nullptr;
    GameUILayoutRectangle* frameRectangle = nullptr;
    GameUIPushButton* closeButton = nullptr;
    GameUILabel* titleLabel = nullptr;
    std::uint8_t hasCloseButton;
    // Left, top, right, bottom on screen.
    float frameRect[4];

private:
    void setTitleText(const char* colourId);
};
