// Toggle buttons alone and in radio groups: what each press reports and which button stays on.
#include <gtest/gtest.h>

#include "support/ui_harness.h"
#include "ui/game_ui_toggle_button.h"
#include "ui/game_ui_toggle_group.h"
#include "ui/theme.h"

namespace {

std::array<float, 4> toArray(const float* colour) { return {colour[0], colour[1], colour[2], colour[3]}; }

class ToggleTest : public ::testing::Test {
protected:
    GameUIToggleButton* toggle(const std::string& name, float left, float right, GameUIBaseElement* parent,
                               bool stayActive, bool startActive = false) {
        const float tl[2] = {left, 0.1f}, br[2] = {right, -0.1f};
        auto* button = new GameUIToggleButton(0, &ui.context(), ui.theme(), name, name, "Tip of " + name, tl, br,
                                              parent, startActive, stayActive, toggleflag::outlined,
                                              toggleflag::centred, toggleflag::noHoverWhenActive);
        ui.record(button->toggleSignal);
        return button;
    }
    // Press and release at x, one step each.
    void pressAt(float x) {
        ui.movePointer(x, 0.0f);
        ui.pressButton();
        ui.step();
        ui.releaseButton();
        ui.step();
    }
    std::vector<std::uint32_t> types() const {
        std::vector<std::uint32_t> out;
        for (const RecordedUIEvent& event : ui.events()) out.push_back(event.type);
        return out;
    }

    UIHarness ui;
};

TEST_F(ToggleTest, PlainTogglePressOnPressOff) {
    GameUIToggleButton* plain = ui.addWindow(toggle("plain", -0.2f, 0.2f, nullptr, false));
    struct Step {
        float waitBefore;
        bool activeAfter;
        std::uint32_t type;
    };
    // A second press within the double-click time is a double press: 1 then 6, both flipping.
    const Step steps[] = {{1.0f, true, 1}, {1.0f, false, 1}, {1.0f, true, 1}, {0.0f, false, 6}, {1.0f, true, 1}};
    std::vector<std::uint32_t> expected;
    for (const Step& s : steps) {
        ui.stepSeconds(s.waitBefore);
        pressAt(0.0f);
        expected.push_back(s.type);
        EXPECT_EQ(plain->active, s.activeAfter ? 1 : 0) << ui.events().size();
    }
    EXPECT_EQ(types(), expected);
    EXPECT_EQ(ui.events().back().name, "plain");
    EXPECT_EQ(ui.events().back().source, plain);
}

TEST_F(ToggleTest, DoubleClickReportsOneThenSixAndEndsWhereItBegan) {
    GameUIToggleButton* plain = ui.addWindow(toggle("plain", -0.2f, 0.2f, nullptr, false));
    pressAt(0.0f);
    pressAt(0.0f);
    EXPECT_EQ(types(), (std::vector<std::uint32_t>{1, 6}));
    EXPECT_EQ(plain->active, 0);
    EXPECT_EQ(UIHarness::colourOf(plain->fill), toArray((*ui.theme())[Theme::WidgetNormal]));
}

TEST_F(ToggleTest, LeavingBetweenThePressesOfADoubleClickGivesTwoClicks) {
    ui.addWindow(toggle("plain", -0.2f, 0.2f, nullptr, false));
    pressAt(0.0f);
    ui.movePointer(0.8f, 0.8f);
    ui.step();
    ui.step();
    pressAt(0.0f);  // still a double press for the input layer
    EXPECT_EQ(types(), (std::vector<std::uint32_t>{1, 1}));
}

TEST_F(ToggleTest, RadioGroupKeepsOneOn) {
    const float tl[2] = {-0.9f, 0.2f}, br[2] = {0.9f, -0.2f};
    auto* group = ui.addWindow(
        new GameUIToggleGroup(true, 0, &ui.context(), ui.theme(), "signGroup", "Signs", tl, br, nullptr));
    for (const auto& [name, left] : {std::pair{"plus", -0.8f}, std::pair{"minus", -0.1f}, std::pair{"times", 0.5f}}) {
        group->buttons.push_back(toggle(name, left, left + 0.3f, group, true));
    }
    struct Step {
        float x;
        const char* name;
        std::vector<int> on;
        std::uint32_t selectedIndex;
    };
    const Step steps[] = {
        {-0.65f, "plus", {1, 0, 0}, 0},
        {0.05f, "minus", {0, 1, 0}, 1},
        {0.05f, "minus", {0, 1, 0}, 1},  // pressing the selected one keeps it on and reports again
        {0.65f, "times", {0, 0, 1}, 2},
    };
    for (const Step& s : steps) {
        ui.clearEvents();
        ui.stepSeconds(1.0f);
        pressAt(s.x);
        ASSERT_EQ(ui.events().size(), 1u) << s.name;
        EXPECT_EQ(ui.events()[0].name, s.name);
        EXPECT_EQ(ui.events()[0].type, UIEvent::Click) << s.name;
        for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(group->buttons[i]->active, s.on[i]) << s.name << " " << i;
        EXPECT_EQ(group->selectedIndex, s.selectedIndex);
        EXPECT_EQ(group->selected, group->buttons[s.selectedIndex]);
        UIEvent::Data record;
        group->fillEventData(record);
        EXPECT_EQ(record.name, s.name);
        EXPECT_EQ(record.parentName, s.name) << "a toggle gives its name as the parent's too";
    }
    // A press on the backdrop between buttons is not the group's.
    EXPECT_FALSE(ui.sendMouseButton(ui.mouseRecord(MouseEvent::Press, -0.3f, 0.0f)));
    // The group shows the tool tip of the button under the pointer.
    ui.movePointer(0.65f, 0.0f);
    EXPECT_EQ(group->getToolTipText(), "Tip of times");
}

TEST_F(ToggleTest, DisabledToggleStillReportsHandled) {
    GameUIToggleButton* button = ui.addWindow(toggle("off", -0.2f, 0.2f, nullptr, false));
    button->disable();
    EXPECT_EQ(UIHarness::colourOf(button->fill), toArray((*ui.theme())[Theme::WidgetDisabled]));
    EXPECT_EQ(UIHarness::colourOf(button->captionBox), toArray((*ui.theme())[Theme::TextDisabled]));
    EXPECT_TRUE(ui.sendMouseButton(ui.mouseRecord(MouseEvent::Press, 0.0f, 0.0f)));
    MouseEvent::Data outside = ui.mouseRecord(MouseEvent::Press, 0.9f, 0.9f);
    EXPECT_TRUE(button->onMouseButton(outside));
    EXPECT_TRUE(ui.events().empty());
    EXPECT_EQ(button->active, 0);
}

TEST_F(ToggleTest, StartActiveAndGroupWithoutBackdrop) {
    GameUIToggleButton* on = ui.addWindow(toggle("on", -0.2f, 0.2f, nullptr, false, true));
    EXPECT_EQ(on->active, 1);
    EXPECT_EQ(UIHarness::colourOf(on->fill), toArray((*ui.theme())[Theme::WidgetActivated]));
    EXPECT_EQ(UIHarness::layerOf(on->captionBox), 1u);
    const std::size_t before = ui.objects().size();
    const float tl[2] = {-0.9f, 0.9f}, br[2] = {0.9f, 0.5f};
    GameUIToggleGroup bare(false, 0, &ui.context(), ui.theme(), "bare", "", tl, br, nullptr);
    EXPECT_EQ(ui.objects().size(), before) << "no backdrop, nothing drawn";
}

} // namespace
