#pragma once
// A modal message with one "OK" button; reports "okButton" on its own signal.
#include <cstdint>
#include <string>

#include "render/render_interface.h"
#include "ui/game_ui_base_window.h"

class GameUIInfoPopupDialog : public GameUIBaseWindow {
public:
    GameUIInfoPopupDialog(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& title,
                          const std::string& message, const std::string& name, std::uint32_t ignored);
    ~GameUIInfoPopupDialog() override;

    void onButton(UIEvent::Data& event);

    sigslot::signal1<UIEvent::Data&> eventSignal;
    std::string message;
    RenderInterface::UIObject* backgroundObject = nullptr;
    RenderInterface::UIObject* textObject = nullptr;
    GameUIPushButton* okButton = nullptr;
};
