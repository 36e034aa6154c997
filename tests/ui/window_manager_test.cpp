// Which element receives each event, the edit focus and pointer capture hand-overs, the modal
// window and its history, deferred removal, hover and the tool tip.
#include <gtest/gtest.h>

#include "support/ui_harness.h"
#include "ui/game_ui_floating_tool_tip.h"
#include "probe_element.h"

namespace {

class WindowManagerTest : public ::testing::Test {
protected:
    ProbeElement* window(const std::string& name, float left, float top, float right, float bottom) {
        return ui.addWindow(new ProbeElement(&ui.context(), name, left, top, right, bottom));
    }
    WindowManager& wm() { return ui.windowManager(); }

    UIHarness ui;
};

TEST_F(WindowManagerTest, ButtonDispatchTable) {
    ProbeElement* a = window("a", -1.0f, 1.0f, 0.2f, -1.0f);
    ProbeElement* b = window("b", -0.2f, 1.0f, 1.0f, -1.0f);
    struct Case {
        const char* what;
        bool aHandles, bHandles;
        ProbeElement* active;
        float x;
        std::size_t aCalls, bCalls;
        bool handled;
    };
    const Case cases[] = {
        {"overlap: the first added takes it", true, true, nullptr, 0.0f, 1, 0, true},
        {"overlap: first declines, next tried", false, true, nullptr, 0.0f, 1, 1, true},
        {"nobody handles it", false, false, nullptr, 0.0f, 1, 1, false},
        {"only b under the pointer", true, true, nullptr, 0.5f, 0, 1, true},
        {"active window takes a click outside it", false, true, a, 0.5f, 1, 0, true},
        {"active window declines: still handled, b never sees it", false, true, a, 0.0f, 1, 0, true},
    };
    for (const Case& c : cases) {
        a->buttons.clear();
        b->buttons.clear();
        a->handlesButtons = c.aHandles;
        b->handlesButtons = c.bHandles;
        wm().activeWindow = c.active;
        EXPECT_EQ(ui.sendMouseButton(ui.mouseRecord(MouseEvent::Press, c.x, 0.0f)), c.handled) << c.what;
        EXPECT_EQ(a->buttons.size(), c.aCalls) << c.what;
        EXPECT_EQ(b->buttons.size(), c.bCalls) << c.what;
    }
}

TEST_F(WindowManagerTest, KeysReachEveryWindowWithoutAnActiveOne) {
    ProbeElement* a = window("a", -1, 1, 0, 0);
    ProbeElement* b = window("b", 0, 0, 1, -1);
    a->handlesKeys = true;
    EXPECT_TRUE(ui.sendKey(KeyEvent::Data{}));
    EXPECT_EQ(a->keys, 1);
    EXPECT_EQ(b->keys, 1) << "a handled it, b still gets it";
    a->handlesKeys = false;
    EXPECT_FALSE(ui.sendKey(KeyEvent::Data{}));
    wm().setActiveWindow(b);
    EXPECT_TRUE(ui.sendKey(KeyEvent::Data{})) << "the active window's result does not matter";
    EXPECT_EQ(a->keys, 2);
    EXPECT_EQ(b->keys, 3);
}

TEST_F(WindowManagerTest, CaptureHoldsDuringADragUntilTheRelease) {
    ProbeElement* panel = window("panel", -0.5f, 0.5f, 0.5f, -0.5f);
    ProbeElement* slider = new ProbeElement(&ui.context(), "slider", -0.1f, 0.1f, 0.1f, -0.1f, panel);
    ui.movePointer(0.0f, 0.0f);
    ui.pressButton();
    wm().requestCapture(slider); // what a slider does when pressed
    ui.step();
    EXPECT_EQ(wm().activeElement, slider);
    EXPECT_EQ(slider->calls, "activated ");
    const int panelMoves = panel->moves;
    ui.movePointer(0.9f, 0.9f);  // off every window
    ui.step();
    EXPECT_EQ(slider->moves, 1) << "the drag keeps reaching the slider";
    EXPECT_EQ(panel->moves, panelMoves) << "no window sees the captured moves";
    ui.releaseButton();
    EXPECT_EQ(wm().activeElement, slider) << "the release ends the capture at the next update";
    ui.step();
    EXPECT_EQ(wm().activeElement, nullptr);
    EXPECT_EQ(slider->calls, "activated deactivated ");
    delete slider;
}

TEST_F(WindowManagerTest, PressAndReleaseInOneCycleStillReleaseTheCapture) {
    ProbeElement* slider = window("slider", -0.1f, 0.1f, 0.1f, -0.1f);
    ui.sendMouseButton(ui.mouseRecord(MouseEvent::Press, 0.0f, 0.0f));
    wm().requestCapture(slider);
    ui.sendMouseButton(ui.mouseRecord(MouseEvent::Release, 0.0f, 0.0f));
    ui.step();
    EXPECT_EQ(wm().activeElement, nullptr);
    EXPECT_EQ(slider->calls, "activated deactivated ");
    EXPECT_EQ(wm().releaseActiveRequested, 0);
}

TEST_F(WindowManagerTest, FocusHandsOverFromOneTextBoxToTheNextInOneUpdate) {
    ProbeElement* first = window("first", -1, 1, 0, 0);
    ProbeElement* second = window("second", 0, 0, 1, -1);
    wm().requestFocus(first);
    ui.step();
    EXPECT_EQ(wm().focusElement, first);
    // A click on the second: its release, and the second asking for the focus in its update.
    ui.sendMouseButton(ui.mouseRecord(MouseEvent::Release, 0.5f, -0.5f));
    wm().requestFocus(second);
    ui.step();
    EXPECT_EQ(wm().focusElement, second);
    EXPECT_EQ(first->calls, "activated deactivated ");
    EXPECT_EQ(second->calls, "activated ");
    // A release with no new request ends the focus.
    ui.sendMouseButton(ui.mouseRecord(MouseEvent::Release, 0.9f, 0.9f));
    ui.step();
    EXPECT_EQ(wm().focusElement, nullptr);
    EXPECT_EQ(second->calls, "activated deactivated ");
}

TEST_F(WindowManagerTest, RemovingTheActiveWindowRestoresThePreviousOne) {
    ProbeElement* base = window("base", -1, 1, 1, -1);
    ProbeElement* middle = window("middle", -0.5f, 0.5f, 0.5f, -0.5f);
    ProbeElement* top = window("top", -0.2f, 0.2f, 0.2f, -0.2f);
    wm().setActiveWindow(base);
    wm().setActiveWindow(middle);
    wm().setActiveWindow(top);
    ASSERT_EQ(wm().history.size(), 2u);
    wm().removeWindow(top);
    EXPECT_EQ(wm().activeWindow, top) << "removal waits for the update";
    ui.step();
    EXPECT_EQ(wm().activeWindow, middle);
    EXPECT_EQ(std::count(wm().windows.begin(), wm().windows.end(), top), 0);
    // A window deeper in the history leaves it without changing the active window.
    wm().removeWindow(base);
    ui.step();
    EXPECT_EQ(wm().activeWindow, middle);
    EXPECT_TRUE(wm().history.empty());
    wm().restorePreviousWindow();
    EXPECT_EQ(wm().activeWindow, nullptr) << "an empty history leaves no active window";
    wm().removeWindow(nullptr);
    ui.step();
}

TEST_F(WindowManagerTest, DestroyingAnActiveOrRememberedElementLeavesNoDanglingReference) {
    ProbeElement* base = window("base", -1, 1, 1, -1);
    ProbeElement* remembered = window("remembered", -1, 1, 0, 0);
    ProbeElement* modal = window("modal", 0, 0, 1, -1);
    wm().setActiveWindow(base);
    wm().setActiveWindow(remembered);
    wm().setActiveWindow(modal);
    ASSERT_EQ(wm().history.size(), 2u);
    wm().focusElement = modal;
    wm().underPointer = modal;
    delete remembered;
    EXPECT_EQ(std::count(wm().history.begin(), wm().history.end(), remembered), 0);
    EXPECT_EQ(wm().activeWindow, modal);
    EXPECT_EQ(std::count(wm().windows.begin(), wm().windows.end(), remembered), 0);
    delete modal;
    EXPECT_EQ(wm().activeWindow, base) << "the one before it is active again";
    EXPECT_EQ(wm().focusElement, nullptr);
    EXPECT_EQ(wm().underPointer, nullptr);
    EXPECT_TRUE(ui.sendMouseButton(ui.mouseRecord(MouseEvent::Press, 0.5f, -0.5f)));
    EXPECT_EQ(base->buttons.size(), 1u);
}

TEST_F(WindowManagerTest, LeavingTheHoveredElementHidesTheToolTip) {
    ProbeElement* tipped = window("tipped", -0.5f, 0.5f, 0.0f, 0.0f);
    tipped->tip = "Something useful";
    ui.movePointer(-0.25f, 0.25f);
    ui.stepSeconds(1.0f);
    EXPECT_EQ(wm().underPointer, tipped);
    EXPECT_EQ(tipped->calls, "enter ");
    ASSERT_NE(ui.objectWithString("Something useful"), nullptr);
    ui.movePointer(0.6f, -0.6f);
    ui.step();
    ui.step();
    EXPECT_EQ(wm().underPointer, nullptr);
    EXPECT_EQ(tipped->calls, "enter leave ");
    EXPECT_EQ(ui.toolTip()->visible, 0);
    EXPECT_EQ(UIHarness::vector2Of(ui.toolTip()->frame, "topLeft")[0], GameUIFloatingToolTip::offScreen);
}

TEST_F(WindowManagerTest, ThemesByNameFallBackToTheDefault) {
    ASSERT_NE(wm().defaultTheme, nullptr);
    EXPECT_EQ(wm().getTheme("no_such_theme"), wm().defaultTheme);
    EXPECT_EQ(wm().getTheme("default_theme"), wm().defaultTheme);
    ASSERT_NE(wm().getTheme("tab_theme"), nullptr);
    EXPECT_NE(wm().getTheme("tab_theme"), wm().defaultTheme);
}

TEST_F(WindowManagerTest, TopDepthIsTheDeepestWindow) {
    EXPECT_EQ(wm().getTopDepth(), 1u) << "the tool tip's";
    window("a", -1, 1, 0, 0)->topDepth = 7;
    window("b", 0, 0, 1, -1)->topDepth = 3;
    EXPECT_EQ(wm().getTopDepth(), 7u);
}

} // namespace
