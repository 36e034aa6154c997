#pragma once
// "Set Custom Name for: " an owned item: one box for the name that replaces the catalogue name
// wherever the item is shown. Done reports an event whose name is the box's text and whose
// source is the Done button, which is how the opener tells it from the close button's
// "closeDialog" (a name may well be "closeDialog"). Done is off until a first character is
// typed; an emptied box keeps it on, and renaming to "" brings the catalogue name back.
#include <cstdint>
#include <string>

#include "ui/game_ui_base_window.h"

class GameUIEditableTextLineBox;

class BRAVUIEquipmentCustomNameWindow : public GameUIBaseWindow {
public:
    BRAVUIEquipmentCustomNameWindow(std::uint32_t tag, UIContext* owner, const Theme* theme, const float topLeft[2],
                                    const float bottomRight[2], const std::string& title, std::uint32_t depth);
    ~BRAVUIEquipmentCustomNameWindow() override;

    void update(float dt) override;

    // Puts text into the box; a non-empty text enables Done.
    void setCustomName(const std::string& text);
    // True for the Done report, false for the close button's.
    bool isDoneEvent(const UIEvent::Data& event) const;

    void onNameEvent(UIEvent::Data& event);
    void onDoneButton(UIEvent::Data& event);

    GameUIEditableTextLineBox* nameBox = nullptr;
    GameUIPushButton* doneButton = nullptr;
    std::uint8_t nameChanged = 0;
};
