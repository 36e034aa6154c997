// Typing: SDL key and text events within one poll reach the key receivers as the user typed them.
#include <gtest/gtest.h>

#include <SDL.h>
#include <string>
#include <vector>

#include "app/direct_input_devices.h"
#include "app/input_manager.h"
#include "platform/input/key_codes.h"
#include "support/sdl_key_steps.h"

namespace {

struct Recorder : sigslot::has_slots<> {
    explicit Recorder(InputManager& input) { input.keySignal.connect(this, &Recorder::onKey); }
    void onKey(KeyEvent::Data& data) { keys.push_back(data); }
    // The characters of the presses, in the order they arrived.
    std::string typed() const {
        std::string out;
        for (const KeyEvent::Data& key : keys) {
            if (key.action == KeyEvent::Pressed && key.character != 0) out += key.character;
        }
        return out;
    }
    std::vector<KeyEvent::Data> keys;
};

struct TypingTest : ::testing::Test {
    // The key names and the layout's key symbols come from the video system.
    void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError(); }
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

    void feed(const Step& step) {
        SDL_Event event = sdlEventFor(step);
        devices.handleEvent(event);
    }
    // One frame's poll and input update.
    void frame() {
        devices.poll();
        input.update(devices, 1.0f / 60.0f);
    }

    DirectInputDevices devices{nullptr, nullptr};
    InputManager input{800, 600, nullptr};
    Recorder recorder{input};
};

TEST_F(TypingTest, EventsOfOnePollArriveInTheOrderTyped) {
    struct Row {
        const char* what;
        std::vector<Step> steps;
        std::string typed;
    };
    const Row rows[] = {
        {"b then a", {down(SDL_SCANCODE_B), text("b"), up(SDL_SCANCODE_B), down(SDL_SCANCODE_A), text("a"), up(SDL_SCANCODE_A)}, "ba"},
        {"l twice", {down(SDL_SCANCODE_L), text("l"), up(SDL_SCANCODE_L), down(SDL_SCANCODE_L), text("l"), up(SDL_SCANCODE_L)}, "ll"},
        {"the quick", {down(SDL_SCANCODE_T), text("t"), down(SDL_SCANCODE_H), text("h"), up(SDL_SCANCODE_T),
                       down(SDL_SCANCODE_E), text("e"), up(SDL_SCANCODE_H), up(SDL_SCANCODE_E), down(SDL_SCANCODE_SPACE),
                       text(" "), up(SDL_SCANCODE_SPACE), down(SDL_SCANCODE_Q), text("q"), down(SDL_SCANCODE_U), text("u"),
                       up(SDL_SCANCODE_Q), down(SDL_SCANCODE_I), text("i"), up(SDL_SCANCODE_U), down(SDL_SCANCODE_C),
                       text("c"), down(SDL_SCANCODE_K), text("k"), up(SDL_SCANCODE_I), up(SDL_SCANCODE_C), up(SDL_SCANCODE_K)},
         "the quick"},
        {"one text event of two characters", {down(SDL_SCANCODE_A), text("ab"), up(SDL_SCANCODE_A)}, "ab"},
        {"e acute", {down(SDL_SCANCODE_E), text("\xC3\xA9"), up(SDL_SCANCODE_E)}, "\xE9"},
        {"euro sign", {down(SDL_SCANCODE_4), text("\xE2\x82\xAC"), up(SDL_SCANCODE_4)}, "\x80"},
        {"cyrillic a between two keys",
         {down(SDL_SCANCODE_X), text("x"), up(SDL_SCANCODE_X), down(SDL_SCANCODE_F), text("\xD0\xB0"), up(SDL_SCANCODE_F),
          down(SDL_SCANCODE_Y), text("y"), up(SDL_SCANCODE_Y)},
         "xy"},
        {"cyrillic a inside one text event", {down(SDL_SCANCODE_X), text("x\xD0\xB0y"), up(SDL_SCANCODE_X)}, "xy"},
        {"a key with no code", {down(SDL_SCANCODE_UNKNOWN), text("\xC3\xBC"), up(SDL_SCANCODE_UNKNOWN)}, "\xFC"},
        {"text with no key before it", {text("z"), down(SDL_SCANCODE_B), text("b"), up(SDL_SCANCODE_B)}, "zb"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        recorder.keys.clear();
        for (const Step& step : row.steps) feed(step);
        frame();
        EXPECT_EQ(recorder.typed(), row.typed);
        // Every press of a key with a code has exactly one release by the next poll.
        frame();
        int presses = 0, releases = 0;
        for (const KeyEvent::Data& key : recorder.keys) {
            if (key.scanCode == 0) continue;
            presses += key.action == KeyEvent::Pressed;
            releases += key.action == KeyEvent::Released;
        }
        EXPECT_EQ(presses, releases);
    }
}

TEST_F(TypingTest, CtrlTravelsWithTheKeyPressedUnderIt) {
    // Right Ctrl (code 0x9D) goes down before V (0x2F) in the same poll: a scan by key code would
    // reach V first and miss the Ctrl.
    for (const Step& step : {down(SDL_SCANCODE_RCTRL), down(SDL_SCANCODE_V), up(SDL_SCANCODE_V), up(SDL_SCANCODE_RCTRL)}) {
        feed(step);
    }
    // V typed after Ctrl is let go, in the same poll, is a plain v.
    for (const Step& step : {down(SDL_SCANCODE_V), text("v"), up(SDL_SCANCODE_V)}) feed(step);
    frame();
    std::vector<KeyEvent::Data> presses;
    for (const KeyEvent::Data& key : recorder.keys) {
        if (key.action == KeyEvent::Pressed && key.scanCode == platform::key::V) presses.push_back(key);
    }
    ASSERT_EQ(presses.size(), 2u);
    EXPECT_TRUE(presses[0].ctrl);
    EXPECT_EQ(presses[0].character, '\x16');
    EXPECT_FALSE(presses[1].ctrl);
    EXPECT_EQ(presses[1].character, 'v');
}

TEST_F(TypingTest, TheSystemKeyRepeatTypesNothingTheHeldRecordsStandForIt) {
    feed(down(SDL_SCANCODE_K));
    feed(text("k"));
    frame();
    SDL_Event repeat{};
    repeat.type = SDL_KEYDOWN;
    repeat.key.repeat = 1;
    repeat.key.keysym.scancode = SDL_SCANCODE_K;
    devices.handleEvent(repeat);
    feed(text("k"));
    frame();
    feed(up(SDL_SCANCODE_K));
    frame();
    std::vector<std::uint32_t> actions;
    for (const KeyEvent::Data& key : recorder.keys) actions.push_back(key.action);
    EXPECT_EQ(actions, (std::vector<std::uint32_t>{KeyEvent::Pressed, KeyEvent::Held, KeyEvent::Released}));
    EXPECT_EQ(recorder.typed(), "k");
}

} // namespace
