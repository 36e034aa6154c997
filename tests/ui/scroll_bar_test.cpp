// The scroll bar: slider sizes and the nothing-to-scroll state, stepping in both modes, held-arrow
// repeat by the frame clock, and dragging the slider past the ends of its track.
#include <gtest/gtest.h>

#include <cmath>

#include "support/ui_harness.h"
#include "ui/game_ui_image_push_button.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_scroll_bar.h"
#include "ui/theme.h"

namespace {

const float barTL[2] = {0.8f, 0.8f};
const float barBR[2] = {0.9f, -0.8f};

class ScrollBarTest : public ::testing::Test {
protected:
    GameUIScrollBar* rows(std::uint32_t total, std::uint32_t visible, std::uint32_t position = 0) {
        return watch(new GameUIScrollBar(0, &ui.context(), ui.theme(), "listItemScrollBar", "", total, position, visible,
                                         "", barTL, barBR, nullptr));
    }
    GameUIScrollBar* range(float min, float max, float value, float extent) {
        return watch(new GameUIScrollBar(0, &ui.context(), ui.theme(), "textScrollBar", min, max, value, extent, "",
                                         barTL, barBR, nullptr));
    }
    GameUIScrollBar* watch(GameUIScrollBar* made) {
        bar = ui.addWindow(made);
        ui.record(bar->eventSignal);
        ui.step();
        return bar;
    }
    bool nothingToScroll() const {
        return !bar->slider && bar->incrementButton->disabled && bar->decrementButton->disabled &&
               UIHarness::colourOf(bar->trackObject) == colour(Theme::WidgetDisabled);
    }
    std::array<float, 4> colour(Theme::Slot slot) const {
        const float* c = (*ui.theme())[slot];
        return {c[0], c[1], c[2], c[3]};
    }
    float trackTop() const { return bar->absBottomRight[1] + (2.0f - bar->buttonLength) * 0.5f * height(); }
    float trackBottom() const { return bar->absBottomRight[1] + bar->buttonLength * 0.5f * height(); }
    float height() const { return bar->absTopLeft[1] - bar->absBottomRight[1]; }
    void clickArrow(GameUIBaseElement* arrow, int times = 1) {
        for (int i = 0; i < times; ++i) {
            ui.clickElement(*arrow);
            // Clear of the double-click time, so every click is a fresh one.
            ui.stepSeconds(0.3f);
        }
    }

    UIHarness ui;
    GameUIScrollBar* bar = nullptr;
};

TEST_F(ScrollBarTest, ShortListsEmptyListsAndEmptyRangesHaveNothingToScroll) {
    struct Case {
        const char* what;
        bool integer;
        std::uint32_t total, visible;
        float min, max, extent;
    };
    const Case cases[] = {
        {"3 of 10 rows", true, 3, 10, 0, 0, 0},
        {"0 rows", true, 0, 10, 0, 0, 0},
        {"0 rows, 0 visible", true, 0, 0, 0, 0, 0},
        {"empty float range", false, 0, 0, 0.5f, 0.5f, 0.3f},
        {"extent larger than the range", false, 0, 0, 0.0f, 1.0f, 2.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.integer) rows(c.total, c.visible);
        else range(c.min, c.max, c.min, c.extent);
        EXPECT_FLOAT_EQ(bar->sliderSize, bar->trackLength);
        EXPECT_TRUE(nothingToScroll());
        clickArrow(bar->incrementButton);
        clickArrow(bar->decrementButton);
        EXPECT_TRUE(ui.events().empty());
        EXPECT_EQ(bar->position, 0u);
        EXPECT_FALSE(std::isnan(bar->value));
        ui.windowManager().removeWindow(bar);
        ui.step();
        ui.clearEvents();
    }
}

TEST_F(ScrollBarTest, SetRangeGivesLongListsATenthOfTheTrack) {
    rows(1000, 10);
    EXPECT_NEAR(bar->sliderSize, 0.01f * bar->trackLength, 1e-6f) << "the constructor alone has no floor";
    bar->setRange(1000, 1000, 0, 10, 0, 10);
    EXPECT_NEAR(bar->sliderSize, 0.1f * bar->trackLength, 1e-6f);
    ASSERT_NE(bar->slider, nullptr);
    EXPECT_EQ(bar->maxPosition, 990u);
    // Half way down the list puts the slider half way down the free track.
    bar->setRange(505, 1000, 495, 10, 0, 10);
    const float free = (trackTop() - trackBottom()) * (1.0f - 0.1f);
    EXPECT_NEAR(trackTop() - bar->sliderRect[1], free * 0.5f, 1e-4f);
}

TEST_F(ScrollBarTest, ArrowsStepRowsAndStopAtTheEnds) {
    rows(12, 10);
    clickArrow(bar->incrementButton, 4);
    EXPECT_EQ(bar->position, 2u);
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "incrementButton"), 2u);
    EXPECT_NEAR(bar->sliderRect[3], trackBottom(), 1e-5f) << "at the end the slider sits on the track's bottom";
    clickArrow(bar->decrementButton, 3);
    EXPECT_EQ(bar->position, 0u);
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "decrementButton"), 2u);
    EXPECT_NEAR(bar->sliderRect[1], trackTop(), 1e-5f);
    for (const RecordedUIEvent& event : ui.events()) {
        EXPECT_EQ(event.parentName, "listItemScrollBar");
        EXPECT_EQ(event.source, bar);
    }
}

TEST_F(ScrollBarTest, FloatStepsOfATenthStopExactlyAtTheMaximum) {
    range(0.0f, 1.0f, 0.0f, 0.2f);
    float last = bar->value;
    for (int i = 0; i < 14; ++i) {
        clickArrow(bar->incrementButton);
        EXPECT_GE(bar->value, last);
        EXPECT_LE(bar->value - last, 0.1f + 1e-6f);
        last = bar->value;
    }
    EXPECT_EQ(bar->value, 1.0f);
    const std::size_t steps = ui.countEvents(UIEvent::Click, "incrementButton");
    EXPECT_GE(steps, 10u);
    EXPECT_LE(steps, 11u);
    EXPECT_NEAR(bar->sliderRect[3], trackBottom(), 1e-5f);
    clickArrow(bar->decrementButton, 14);
    EXPECT_EQ(bar->value, 0.0f);
}

TEST_F(ScrollBarTest, HeldArrowRepeatsAfterADelayAndReArmsAfterTheRelease) {
    rows(1000, 10);
    float centre[2];
    UIHarness::centreOf(*bar->incrementButton, centre);
    ui.movePointer(centre[0], centre[1]);
    ui.step(0.01f);
    const float pressedAt = ui.clock();
    ui.pressButton();
    std::vector<float> steps;
    for (int i = 0; i < 80; ++i) {
        const std::size_t before = ui.events().size();
        ui.step(0.01f);
        if (ui.events().size() != before) steps.push_back(ui.clock());
        ui.poll();
    }
    ui.releaseButton();
    ui.step(0.01f);
    ASSERT_GE(steps.size(), 3u);
    EXPECT_GE(steps[0] - pressedAt, 0.5f - 1e-3f);
    EXPECT_LE(steps[0] - pressedAt, 0.52f + 1e-3f);
    for (std::size_t i = 1; i < steps.size(); ++i) EXPECT_NEAR(steps[i] - steps[i - 1], 0.03f, 1e-3f) << i;
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "incrementButton"), steps.size()) << "the release after repeats steps not";
    EXPECT_EQ(bar->position, steps.size());
    ui.stepSeconds(0.25f, 0.01f);
    clickArrow(bar->incrementButton);
    EXPECT_EQ(bar->position, steps.size() + 1) << "re-armed 0.2 s after the release";
}

TEST_F(ScrollBarTest, DraggingPastTheEndsPinsTheSlider) {
    for (bool integer : {true, false}) {
        SCOPED_TRACE(integer ? "rows" : "range");
        if (integer) rows(100, 10);
        else range(-1.0f, 3.0f, 1.0f, 0.5f);
        ASSERT_NE(bar->slider, nullptr);
        const float x = (bar->sliderRect[0] + bar->sliderRect[2]) * 0.5f;
        ui.movePointer(x, (bar->sliderRect[1] + bar->sliderRect[3]) * 0.5f);
        ui.step();
        ui.pressButton();
        ui.step();
        const float size = bar->sliderRect[1] - bar->sliderRect[3];
        ui.movePointer(x, 0.99f);
        ui.step();
        EXPECT_NEAR(bar->sliderRect[1], trackTop(), 1e-5f);
        EXPECT_NEAR(bar->sliderRect[1] - bar->sliderRect[3], size, 1e-5f);
        if (integer) EXPECT_EQ(bar->position, 0u);
        else EXPECT_FLOAT_EQ(bar->value, -1.0f);
        ui.movePointer(x - 0.5f, -0.99f);
        ui.step();
        EXPECT_NEAR(bar->sliderRect[3], trackBottom(), 1e-5f);
        if (integer) EXPECT_EQ(bar->position, 90u);
        else EXPECT_FLOAT_EQ(bar->value, 3.0f);
        ui.clearEvents();
        ui.releaseButton();
        ui.step();
        EXPECT_FALSE(bar->dragging);
        EXPECT_EQ(ui.countEvents(UIEvent::Click, "sliderMoved"), 1u);
        ui.windowManager().removeWindow(bar);
        // Clear of the double-click time, so the next press is a fresh one.
        ui.stepSeconds(0.5f);
    }
}

} // namespace
