#include "tracker/sheet/bravui_move_speed_display.h"

BRAVUIMoveSpeedDisplay::BRAVUIMoveSpeedDisplay(UIContext* owner, const Theme* theme, const std::string& name,
                                               const std::string& caption, const std::string& toolTip,
                                               std::int32_t value, const float topLeft[2], const float bottomRight[2],
                                               GameUIBaseElement* parent)
    : BRAVUIStatDisplay(owner, theme, name, caption, toolTip, value, highestValue, topLeft, bottomRight, parent,
                        "moveSpeedNameLabel", "moveSpeedDisplay", boxRight) {}
