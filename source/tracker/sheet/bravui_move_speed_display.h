#pragma once
// A movement speed of the core statistics tab: 1 to 10000 (feet, or miles for the daily move).
#include <cstdint>
#include <string>

#include "tracker/sheet/bravui_saving_throw_display.h"

class BRAVUIMoveSpeedDisplay : public BRAVUIStatDisplay {
public:
    static constexpr std::int32_t highestValue = 10000;
    // Wider than a throw's box: speeds of three to five digits would not fit one and show "...".
    static constexpr float boxRight = 1.0f;

    BRAVUIMoveSpeedDisplay(UIContext* owner, const Theme* theme, const std::string& name, const std::string& caption,
                           const std::string& toolTip, std::int32_t value, const float topLeft[2],
                           const float bottomRight[2], GameUIBaseElement* parent);
};
