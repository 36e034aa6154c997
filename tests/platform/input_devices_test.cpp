#include <gtest/gtest.h>

#include <SDL.h>
#include <cstring>

#include "platform/input/clipboard.h"
#include "platform/input/key_codes.h"
#include "platform/input/keyboard_device.h"
#include "platform/input/mouse_device.h"

namespace {

// An offscreen window whose event queue carries the injected events to the devices.
struct InputDevicesTest : ::testing::Test {
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        window = SDL_CreateWindow("input", 0, 0, 320, 240, SDL_WINDOW_HIDDEN);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        pump();
    }
    void TearDown() override {
        if (window) SDL_DestroyWindow(window);
        SDL_Quit();
    }

    // Hands every queued event to both devices, as the window's pump does.
    void pump() {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            keyboard.handleEvent(event);
            mouse.handleEvent(event);
        }
    }
    void pushKey(SDL_Scancode scancode, bool down) {
        SDL_Event event{};
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.windowID = SDL_GetWindowID(window);
        event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.scancode = scancode;
        event.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }
    void pushText(const char* utf8) {
        SDL_Event event{};
        event.type = SDL_TEXTINPUT;
        event.text.windowID = SDL_GetWindowID(window);
        std::strncpy(event.text.text, utf8, sizeof event.text.text - 1);
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }
    void pushButton(Uint8 button, bool down) {
        SDL_Event event{};
        event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        event.button.windowID = SDL_GetWindowID(window);
        event.button.button = button;
        event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }
    platform::KeyState pollKeys() {
        platform::KeyState state{};
        platform::KeyStrokes strokes;
        keyboard.poll(state, strokes);
        return state;
    }

    SDL_Window* window = nullptr;
    platform::KeyboardDevice keyboard;
    platform::MouseDevice mouse;
};

TEST_F(InputDevicesTest, KeyEventsSetTheBytesOfTheirKeyCodes) {
    struct Row {
        SDL_Scancode scancode;
        std::uint8_t code;
    };
    const Row rows[] = {
        {SDL_SCANCODE_ESCAPE, 0x01},    {SDL_SCANCODE_BACKSPACE, 14},   {SDL_SCANCODE_RETURN, 28},
        {SDL_SCANCODE_A, 0x1E},         {SDL_SCANCODE_LSHIFT, 42},      {SDL_SCANCODE_V, 47},
        {SDL_SCANCODE_RSHIFT, 54},      {SDL_SCANCODE_F1, 0x3B},        {SDL_SCANCODE_KP_ENTER, 0x9C},
        {SDL_SCANCODE_RCTRL, 0x9D},     {SDL_SCANCODE_RALT, 0xB8},      {SDL_SCANCODE_UP, 200},
        {SDL_SCANCODE_LEFT, 203},       {SDL_SCANCODE_RIGHT, 205},      {SDL_SCANCODE_DOWN, 208},
        {SDL_SCANCODE_DELETE, 211},     {SDL_SCANCODE_NONUSBACKSLASH, 0x56},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(SDL_GetScancodeName(row.scancode));
        EXPECT_EQ(platform::keyCodeFromScancode(row.scancode), row.code);
        pushKey(row.scancode, true);
        pump();
        platform::KeyState state = pollKeys();
        EXPECT_EQ(state[row.code], 0x80);
        int down = 0;
        for (std::uint8_t byte : state) down += byte != 0;
        EXPECT_EQ(down, 1);
        pushKey(row.scancode, false);
        pump();
        EXPECT_EQ(pollKeys()[row.code], 0);
    }
    EXPECT_EQ(platform::keyCodeFromScancode(-1), 0);
    EXPECT_EQ(platform::keyCodeFromScancode(SDL_NUM_SCANCODES), 0);
}

TEST_F(InputDevicesTest, ATapBetweenTwoPollsReadsAsDownOnce) {
    pushKey(SDL_SCANCODE_SPACE, true);
    pushKey(SDL_SCANCODE_SPACE, false);
    pump();
    EXPECT_EQ(pollKeys()[platform::key::Space], 0x80);
    EXPECT_EQ(pollKeys()[platform::key::Space], 0);

    // Losing the focus lets go of everything held.
    pushKey(SDL_SCANCODE_LSHIFT, true);
    pump();
    keyboard.releaseAll();
    EXPECT_EQ(pollKeys()[platform::key::LeftShift], 0);
}

TEST_F(InputDevicesTest, KeysGiveTheirLayoutCharacterInWindows1252) {
    struct Row {
        SDL_Scancode scancode;
        const char* text; // the layout's text event, or null when the key types nothing
        char expected;
    };
    const Row rows[] = {
        {SDL_SCANCODE_A, "A", 'A'},
        {SDL_SCANCODE_E, "\xC3\xA9", '\xE9'},
        {SDL_SCANCODE_4, "\xE2\x82\xAC", '\x80'},
        {SDL_SCANCODE_UP, nullptr, 0},
        {SDL_SCANCODE_RETURN, nullptr, '\r'},
        {SDL_SCANCODE_BACKSPACE, nullptr, '\b'},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(SDL_GetScancodeName(row.scancode));
        pushKey(row.scancode, true);
        if (row.text) pushText(row.text);
        pump();
        EXPECT_EQ(keyboard.character(platform::keyCodeFromScancode(row.scancode)), row.expected);
        pushKey(row.scancode, false);
        pump();
    }
}

TEST_F(InputDevicesTest, MouseEventsFillTheTwentyByteRecord) {
    struct Row {
        Uint8 sdlButton;
        int slot;
    };
    const Row rows[] = {{SDL_BUTTON_LEFT, 0}, {SDL_BUTTON_RIGHT, 1}, {SDL_BUTTON_MIDDLE, 2},
                        {SDL_BUTTON_X1, 3},   {SDL_BUTTON_X2, 4}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.slot);
        pushButton(row.sdlButton, true);
        pump();
        platform::MouseState state = mouse.poll();
        for (int i = 0; i < 8; ++i) EXPECT_EQ(state.buttons[i], i == row.slot ? 0x80 : 0) << i;
        EXPECT_EQ(mouse.poll().buttons[row.slot], 0x80); // still held
        pushButton(row.sdlButton, false);
        pump();
        EXPECT_EQ(mouse.poll().buttons[row.slot], 0);
    }

    // A click between two polls is seen once.
    pushButton(SDL_BUTTON_LEFT, true);
    pushButton(SDL_BUTTON_LEFT, false);
    pump();
    EXPECT_EQ(mouse.poll().buttons[0], 0x80);
    EXPECT_EQ(mouse.poll().buttons[0], 0);

    // Movement and wheel add up until the poll, then start again.
    for (int i = 0; i < 2; ++i) {
        SDL_Event motion{};
        motion.type = SDL_MOUSEMOTION;
        motion.motion.windowID = SDL_GetWindowID(window);
        motion.motion.xrel = 3;
        motion.motion.yrel = -2;
        ASSERT_EQ(SDL_PushEvent(&motion), 1);
    }
    SDL_Event wheel{};
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.windowID = SDL_GetWindowID(window);
    wheel.wheel.y = -1;
    ASSERT_EQ(SDL_PushEvent(&wheel), 1);
    pump();
    platform::MouseState state = mouse.poll();
    EXPECT_EQ(state.x, 6);
    EXPECT_EQ(state.y, -4);
    EXPECT_EQ(state.wheel, -120);
    state = mouse.poll();
    EXPECT_EQ(state.x, 0);
    EXPECT_EQ(state.wheel, 0);
}

TEST_F(InputDevicesTest, ClipboardTextArrivesInWindows1252) {
    ASSERT_EQ(SDL_SetClipboardText("caf\xC3\xA9 \xE2\x82\xAC" "5"), 0) << SDL_GetError();
    EXPECT_EQ(platform::clipboardText(), "caf\xE9 \x80" "5");
    ASSERT_EQ(SDL_SetClipboardText(""), 0);
    EXPECT_EQ(platform::clipboardText(), "");
}

} // namespace
