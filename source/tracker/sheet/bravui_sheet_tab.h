#pragma once
// What the tabbed character sheet asks of each of its tabs. A tab is not a widget: it builds its
// widgets into the sheet's inner panel while it is shown and forgets them when another tab is
// shown, but the tab itself (its pending flags, the windows it opened) lives as long as the sheet.
#include <cstdint>

#include "app/sigslot.h"
#include "ui/ui_event.h"

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
    using WindowSignal = sigslot::signal1<UIEvent::Data&>;

    // Opens a window of the tab once: while window is null, make() builds it, it reports to slot
    // on its signal (the window signal unless another is named) and goes to the window manager as
    // the active window. True when it opened one.
    template <class W, class Make, class Tab>
    bool openTabWindow(UIContext* owner, W*& window, Make make, void (Tab::*slot)(UIEvent::Data&),
                       WindowSignal W::*signal = &W::windowSignal) {
        if (window) return false;
        window = make();
        (window->*signal).connect(static_cast<Tab*>(this), slot);
        showTabWindow(owner, window);
        return true;
    }
    // Stops listening to window, hands it to the window manager, which deletes it, and forgets it.
    template <class W>
    void closeTabWindow(UIContext* owner, W*& window, WindowSignal W::*signal = &W::windowSignal) {
        if (!window) return;
        (window->*signal).disconnect(this);
        removeTabWindow(owner, window);
        window = nullptr;
    }

    // The depth for a window the tab opens: above the shown panel's widgets, or above every window
    // while the tab is not shown.
    static std::uint32_t windowDepthOver(const GameUIElementGroup* panel, const UIContext* owner);

private:
    static void removeTabWindow(UIContext* owner, GameUIBaseWindow* window);
};
