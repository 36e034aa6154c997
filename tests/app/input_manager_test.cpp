#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/input_manager.h"
#include "platform/input/key_codes.h"

namespace {

// Synthetic device buffers, as the application's devices would deliver them.
struct FakeDevices : InputDevicesInterface {
    const platform::KeyState* keyboardState() const override { return keyboardReadable ? &keys : nullptr; }
    const platform::MouseState& mouseState() const override { return mouse; }
    float pointerWindowX() const override { return windowX; }
    float pointerWindowY() const override { return windowY; }
    char characterForKey(std::uint8_t code) const override { return code == platform::key::A ? 'a' : 0; }
    void warpPointer(int x, int y) override { warps.push_back({x, y}); }
    void setAbsolutePointer(bool absolute) override { absolutePointer.push_back(absolute); }

    platform::KeyState keys{};
    bool keyboardReadable = true;
    platform::MouseState mouse;
    float windowX = 0;
    float windowY = 0;
    std::vector<std::pair<int, int>> warps;
    std::vector<bool> absolutePointer;
};

struct Recorder : sigslot::has_slots<> {
    explicit Recorder(InputManager& input) {
        input.keySignal.connect(this, &Recorder::onKey);
        input.mouseMoveSignal.connect(this, &Recorder::onMove);
        input.mouseButtonSignal.connect(this, &Recorder::onButton);
    }
    void onKey(KeyEvent::Data& data) { keys.push_back(data); }
    void onMove(MouseEvent::Data& data) { moves.push_back(data); }
    void onButton(MouseEvent::Data& data) { buttons.push_back(data); }

    std::vector<KeyEvent::Data> keys;
    std::vector<MouseEvent::Data> moves;
    std::vector<MouseEvent::Data> buttons;
};

struct InputManagerTest : ::testing::Test {
    // One frame of the given length.
    void poll(float seconds = 0.1f) { input.update(devices, seconds); }

    FakeDevices devices;
    InputManager input{800, 600, nullptr};
    Recorder recorder{input};
};

TEST_F(InputManagerTest, AKeyHeldForNPollsGivesOnePressNMinusOneHeldAndOneRelease) {
    for (int polls : {1, 2, 5}) {
        SCOPED_TRACE(polls);
        recorder.keys.clear();
        devices.keys[platform::key::A] = 0x80;
        for (int i = 0; i < polls; ++i) poll();
        devices.keys[platform::key::A] = 0;
        poll();
        poll();
        std::vector<std::uint32_t> actions;
        for (const KeyEvent::Data& key : recorder.keys) {
            EXPECT_EQ(key.scanCode, platform::key::A);
            EXPECT_EQ(key.character, 'a');
            actions.push_back(key.action);
        }
        std::vector<std::uint32_t> expected{KeyEvent::Pressed};
        expected.insert(expected.end(), polls - 1, KeyEvent::Held);
        expected.push_back(KeyEvent::Released);
        EXPECT_EQ(actions, expected);
    }
}

TEST_F(InputManagerTest, ModifiersHoldFromTheirOwnCodeOnwards) {
    devices.keys[platform::key::A] = 0x80;         // 0x1E, before left Shift
    devices.keys[platform::key::LeftShift] = 0x80; // 0x2A
    devices.keys[0x30] = 0x80;                     // B, between the shifts
    devices.keys[platform::key::Up] = 0x80;        // after right Shift's code
    devices.keys[platform::key::RightControl] = 0x80;
    poll();
    ASSERT_EQ(recorder.keys.size(), 5u);
    EXPECT_FALSE(recorder.keys[0].shift);
    for (std::size_t i = 1; i < 5; ++i) EXPECT_TRUE(recorder.keys[i].shift) << i;
    EXPECT_EQ(recorder.keys[3].scanCode, platform::key::RightControl);
    EXPECT_TRUE(recorder.keys[3].ctrl);
    EXPECT_FALSE(recorder.keys[2].ctrl);
    EXPECT_EQ(recorder.keys[4].character, 0); // an arrow types nothing
    EXPECT_FALSE(recorder.keys[4].alt);

    // An unreadable keyboard gives no key events at all.
    recorder.keys.clear();
    devices.keyboardReadable = false;
    poll();
    EXPECT_TRUE(recorder.keys.empty());
    EXPECT_EQ(recorder.moves.size(), 2u);
}

TEST_F(InputManagerTest, QuickSecondClicksAreDoublePresses) {
    struct Row {
        int gapPolls; // polls of 0.1 s between the two presses
        std::vector<std::uint32_t> expected;
    };
    const Row rows[] = {
        {3, {MouseEvent::Press, MouseEvent::Release, MouseEvent::DoublePress, MouseEvent::Release}},
        {5, {MouseEvent::Press, MouseEvent::Release, MouseEvent::Press, MouseEvent::Release}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.gapPolls);
        InputManager fresh(800, 600, nullptr);
        Recorder events(fresh);
        for (int i = 0; i <= row.gapPolls + 2; ++i) {
            devices.mouse.buttons[0] = i == 0 || i == row.gapPolls ? 0x80 : 0;
            fresh.update(devices, 0.1f);
        }
        std::vector<std::uint32_t> types;
        for (const MouseEvent::Data& e : events.buttons) {
            EXPECT_EQ(e.button, 0u);
            EXPECT_EQ(e.down, e.type != MouseEvent::Release);
            types.push_back(e.type);
        }
        EXPECT_EQ(types, row.expected);
    }

    // A third quick press is an ordinary press again; a button kept down is held on each poll.
    recorder.buttons.clear();
    for (std::uint8_t b : {0x80, 0, 0x80, 0, 0x80, 0x80, 0}) {
        devices.mouse.buttons[1] = b;
        poll();
    }
    std::vector<std::uint32_t> types;
    for (const MouseEvent::Data& e : recorder.buttons) {
        EXPECT_EQ(e.button, 1u);
        types.push_back(e.type);
    }
    EXPECT_EQ(types, (std::vector<std::uint32_t>{MouseEvent::Press, MouseEvent::Release, MouseEvent::DoublePress,
                                                 MouseEvent::Release, MouseEvent::Press, MouseEvent::Held,
                                                 MouseEvent::Release}));
}

TEST_F(InputManagerTest, ThePointerIsInUiUnitsClampedToTheWindow) {
    struct Row {
        float windowX, windowY;
        float x, y;
    };
    const Row rows[] = {
        {0, 0, -1, 1},      {800, 600, 1, -1}, {400, 300, 0, 0},
        {-50, 900, -1, -1}, {1000, -20, 1, 1}, {200, 450, -0.5f, -0.5f},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.windowX << "," << row.windowY);
        devices.windowX = row.windowX;
        devices.windowY = row.windowY;
        const float previousX = input.pointerX();
        poll();
        const MouseEvent::Data& move = recorder.moves.back();
        EXPECT_EQ(move.type, static_cast<std::uint32_t>(MouseEvent::Move));
        EXPECT_FLOAT_EQ(move.x, row.x);
        EXPECT_FLOAT_EQ(move.y, row.y);
        EXPECT_FLOAT_EQ(move.deltaX, previousX - row.x);
        EXPECT_FLOAT_EQ(input.pointerX(), row.x);
    }
    // The wheel and raw movement come from the device record.
    devices.mouse.wheel = 120;
    devices.mouse.x = -7;
    devices.mouse.buttons[0] = 0x80;
    poll();
    EXPECT_FLOAT_EQ(recorder.moves.back().wheel, 0.3f);
    EXPECT_FLOAT_EQ(recorder.moves.back().rawDeltaX, -7.0f);
    EXPECT_FLOAT_EQ(recorder.buttons.back().x, -0.5f); // button events carry the position
    devices.mouse.wheel = -100000;
    poll();
    EXPECT_FLOAT_EQ(recorder.moves.back().wheel, -1.0f);
}

TEST_F(InputManagerTest, TheFirstActionBoundToAKeyWins) {
    input.setActionMappings({
        {"accept", "Return", 28, "", 156},
        {"confirm", "Return", 28, "Space", 57},
        {"cancel", "", 1, "Escape", 1},
    });
    EXPECT_EQ(input.actionNameForScanCode(28), "accept");
    EXPECT_EQ(input.actionNameForScanCode(156), ""); // key2 empty: not bound
    EXPECT_EQ(input.actionNameForScanCode(57), "confirm");
    EXPECT_EQ(input.actionNameForScanCode(1), "cancel");
    EXPECT_EQ(input.actionNameForScanCode(2), "");

    devices.keys[28] = 0x80;
    poll();
    ASSERT_EQ(recorder.keys.size(), 1u);
    EXPECT_EQ(recorder.keys[0].actionName, "accept");
}

TEST_F(InputManagerTest, PointerRequestsAreCarriedOutAtTheNextUpdate) {
    input.requestCursorWarp(10, 20);
    input.requestPointerCapture();
    EXPECT_TRUE(devices.warps.empty());
    poll();
    EXPECT_EQ(devices.warps, (std::vector<std::pair<int, int>>{{10, 20}}));
    EXPECT_EQ(devices.absolutePointer, std::vector<bool>{true});
    // A release wins over a capture asked in the same frame; each request acts once.
    input.requestPointerCapture();
    input.requestPointerRelease();
    poll();
    poll();
    EXPECT_EQ(devices.absolutePointer, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(devices.warps.size(), 1u);
}

} // namespace
