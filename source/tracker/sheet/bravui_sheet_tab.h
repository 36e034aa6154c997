#pragma once
// What the tabbed character sheet asks of each of its tabs. A tab is not a widget: it builds its
// widgets into the sheet's inner panel while it is shown and forgets them when another tab is
// shown, but the tab itself (its pending flags, the windows it opened) lives as long as the sheet.
#include <cstdint>

#include "app/sigslot.h"

class GameUIBaseWindow;
class GameUIElementGroup;
struct UIContext;

class BRAVUISheetTab : public sigslot::has_slots<> {
public:
    BRAVUISheetTab() = default;
    BRAVUISheetTab(const BRAVUISheetTab&) = delete;
    BRAVUISheetTab& operator=(const BRAVUISheetTab&) = delete;
    // Also closes every window the tab still has open: they point at the character, which the
    // main menu deletes right after the sheet.
    ~BRAVUISheetTab() override = default;

    // Builds the tab's widgets as children of panel and connects to them.
    virtual void attach(GameUIElementGroup* panel) = 0;
    // Writes any edit still pending into the character, then disconnects from the widgets and
    // clears every pointer to them; the panel deletes the widgets right after. Windows the tab
    // opened stay open and keep reporting to it.
    virtual void detach() = 0;
    // Runs every frame, shown or not: acts only on the tab's own pending flags and tests every
    // widget pointer before use.
    virtual void update() = 0;

    // Hands a window the tab (or a sequence it runs) opened to the window manager as the active
    // window.
    static void showTabWindow(UIContext* owner, GameUIBaseWindow* window);

protected:
    // The depth for a window the tab opens: above the shown panel's widgets, or above every window
    // while the tab is not shown.
    static std::uint32_t windowDepthOver(const GameUIElementGroup* panel, const UIContext* owner);
};
