// Typing from the window's SDL events to a focused text box: the keyboard device, the input
// manager and the window manager in between, with the Windows-1252 characters the box filters.
#include <gtest/gtest.h>

#include <SDL.h>

#include "app/direct_input_devices.h"
#include "support/sdl_key_steps.h"
#include "support/ui_harness.h"
#include "ui/game_ui_editable_text_line_box.h"

namespace {

class TextPathTest : public ::testing::Test {
protected:
    // The key names and the layout's key symbols come from the video system.
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        const float tl[2] = {-0.4f, 0.05f}, br[2] = {0.4f, -0.05f};
        box = ui.addWindow(new GameUIEditableTextLineBox(&ui.context(), ui.theme(), "pathBox", "", "EBGaramond-Regular_48",
                                                         "", tl, br, nullptr, false));
        ui.clickElement(*box);
        ui.step();
        ASSERT_TRUE(box->active);
    }
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

    void feed(const Step& step) {
        SDL_Event event = sdlEventFor(step);
        devices.handleEvent(event);
    }
    // One poll of everything fed, then a frame.
    void frame() {
        devices.poll();
        ui.input().update(devices, UIHarness::frameTime);
        ui.step();
    }

    UIHarness ui;
    DirectInputDevices devices{nullptr, nullptr};
    GameUIEditableTextLineBox* box = nullptr;
};

TEST_F(TextPathTest, TypedTextReachesTheFocusedBox) {
    struct Row {
        const char* what;
        std::vector<Step> steps;
        std::string clipboard;
        std::string typed;
    };
    const Row rows[] = {
        {"pound sign", {down(SDL_SCANCODE_3), text("\xC2\xA3"), up(SDL_SCANCODE_3)}, "", "\xA3"},
        {"e acute refused", {down(SDL_SCANCODE_E), text("\xC3\xA9"), up(SDL_SCANCODE_E)}, "", ""},
        {"euro sign refused", {down(SDL_SCANCODE_4), text("\xE2\x82\xAC"), up(SDL_SCANCODE_4)}, "", ""},
        {"b then a in one poll",
         {down(SDL_SCANCODE_B), text("b"), up(SDL_SCANCODE_B), down(SDL_SCANCODE_A), text("a"), up(SDL_SCANCODE_A)}, "", "ba"},
        {"double tap in one poll",
         {down(SDL_SCANCODE_L), text("l"), up(SDL_SCANCODE_L), down(SDL_SCANCODE_L), text("l"), up(SDL_SCANCODE_L)}, "", "ll"},
        {"Ctrl+V", {down(SDL_SCANCODE_LCTRL), down(SDL_SCANCODE_V), up(SDL_SCANCODE_V), up(SDL_SCANCODE_LCTRL)}, "Tam", "Tam"},
        {"two-line paste",
         {down(SDL_SCANCODE_RCTRL), down(SDL_SCANCODE_V), up(SDL_SCANCODE_V), up(SDL_SCANCODE_RCTRL)}, "Data/one\r\ntwo",
         "Data/one two"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        box->setText("");
        ui.step();
        ui.osInterface().clipboard = row.clipboard;
        for (const Step& step : row.steps) feed(step);
        frame();
        frame();
        EXPECT_EQ(box->text, row.typed);
        EXPECT_TRUE(box->active);
    }
}

} // namespace
