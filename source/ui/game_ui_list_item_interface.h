#pragma once
// A row of the selectable item list: shown through a toggle button of the list's group while placed.
#include <cstdint>
#include <string>

#include "app/sigslot.h"
#include "ui/ui_event.h"

class GameUIToggleGroup;

class GameUIListItemInterface : public sigslot::has_slots<> {
public:
    virtual ~GameUIListItemInterface() = default;
    // Places the row's toggle between top and bottom in the group's space.
    virtual void createListElement(float top, float bottom, bool selected, GameUIToggleGroup* group) = 0;
    virtual const std::string& getText() const = 0;
    // Forgets the toggle; the group owns and deletes it.
    virtual void destroyListElement() = 0;
    virtual std::uint32_t getIndex() const = 0;
    virtual void setIndex(std::uint32_t index) = 0;

    sigslot::signal1<UIEvent::Data&> eventSignal;
};
