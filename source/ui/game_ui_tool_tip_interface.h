#pragma once
// What the window manager asks of the tool tip: its text, and to show or hide it.
#include <string>

class GameUIToolTipInterface {
public:
    virtual ~GameUIToolTipInterface() = default;
    virtual void setText(const std::string& text) = 0;
    virtual void show(bool visible) = 0;
};
