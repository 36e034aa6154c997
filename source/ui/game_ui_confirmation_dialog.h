#pragma once
// A modal question with two buttons whose captions the caller chooses; reports "okButton" or
// "cancelButton" on its own signal.
#include <cstdint>
#include <string>

#include "ui/game_ui_base_window.h"

class GameUIConfirmationDialog : public GameUIBaseWindow {
public:
    GameUIConfirmationDialog(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& title,
                             const std::string& message, const std::string& name, std::uint32_t depth,
                             std::uint32_t ignored, const std::string& okCaption, const std::string& cancelCaption);
    ~GameUIConfirmationDialog() override;

    void onButton(UIEvent::Data& event);

    sigslot::signal1<UIEvent::Data&> eventSignal;
    GameUILabel* message = nullptr;
    GameUIPushButton* okButton = nullptr;
    GameUIPushButton* cancelButton = nullptr;

private:
    // A caption's width in the dialog's own units, with a margin.
    float buttonWidth(const std::string& caption) const;
};
