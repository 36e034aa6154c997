#pragma once
// "Confirm details for: " + the item's name: how many of a catalogue item were obtained without
// payment, and an optional custom name. A quantity box left empty, at 0 or holding no count
// shows "1" again when it loses the focus, and Acquire reads it the same way. Acquire writes the
// quantity and the name (unless it is the catalogue's own name) into the pending item and
// reports "confirmAcquireEquipment"; Cancel and the close button report "cancelAcquireEquipment".
#include <cstdint>
#include <string>

#include "tracker/sheet/bravui_confirm_window.h"

class BRAVCharacterEquipment;
class CharacterSheet;

class BRAVUIConfirmAcquireEquipmentDetailsWindow : public BRAVUIConfirmWindow {
public:
    static constexpr const char* windowName = "confirmAcquireEquipmentDetailsWindow";
    static constexpr const char* confirmEvent = "confirmAcquireEquipment";
    static constexpr const char* cancelEvent = "cancelAcquireEquipment";

    BRAVUIConfirmAcquireEquipmentDetailsWindow(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                               CharacterSheet* character, BRAVCharacterEquipment* item,
                                               const float topLeft[2], const float bottomRight[2],
                                               const std::string& title, std::uint32_t depth);
    ~BRAVUIConfirmAcquireEquipmentDetailsWindow() override;

    void update(float dt) override;

    void onQuantityBoxEvent(UIEvent::Data& event);

    GameUIEditableTextLineBox* quantityBox = nullptr;
    std::uint8_t keyPressed = 0;
    BRAVCharacterEquipment* item;
    CharacterSheet* character;
    std::uint8_t quantityLostFocus = 0;

private:
    // The quantity the box holds; a box that holds no count of at least 1 is set to "1".
    std::int32_t checkedQuantity();
};
