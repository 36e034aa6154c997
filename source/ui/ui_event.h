#pragma once
// The record every widget reports to its owner through its signal.
#include <cstdint>
#include <string>

class GameUIBaseElement;

namespace UIEvent {

// Type codes of the record.
enum Type : std::uint32_t {
    PointerOver = 0,
    Click = 1,
    LabelRecord = 2,
    Repeat = 3,
    OptionChosen = 5,
    DoubleClick = 6,
    AttributeAccepted = 7,
};

struct Data {
    std::uint32_t type = 0;
    // The sender's name or an event word such as "closeDialog".
    std::string name;
    std::string parentName;
    GameUIBaseElement* source = nullptr;
    std::uint32_t value = 0;
    std::uint32_t extra = 0;
};

} // namespace UIEvent
