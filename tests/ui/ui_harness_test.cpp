// The harness itself: typed keys arrive as the input manager raises them, the clock and look-ups.
#include <gtest/gtest.h>

#include "platform/input/key_codes.h"
#include "support/ui_harness.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_standard_element.h"

namespace {

const float wholeScreenTopLeft[2] = {-1.0f, 1.0f};
const float wholeScreenBottomRight[2] = {1.0f, -1.0f};

class KeyRecorder : public GameUIStandardElement {
public:
    explicit KeyRecorder(UIContext* owner)
        : GameUIStandardElement(0, owner, wholeScreenTopLeft, wholeScreenBottomRight, nullptr, "keys", "", nullptr) {}
    bool onKey(KeyEvent::Data& event) override {
        records.push_back(event);
        return true;
    }
    std::vector<KeyEvent::Data> records;
};

TEST(UIHarness, TypedStringArrivesInOrderWithShiftForCapitals) {
    UIHarness ui;
    auto* keys = ui.addWindow(new KeyRecorder(&ui.context()));
    ui.typeString("Hi!");
    std::string pressed;
    std::vector<bool> shifts;
    for (const KeyEvent::Data& record : keys->records) {
        if (record.action != KeyEvent::Pressed || record.scanCode == platform::key::LeftShift) continue;
        pressed += record.character;
        shifts.push_back(record.shift);
    }
    EXPECT_EQ(pressed, "Hi!");
    EXPECT_EQ(shifts, (std::vector<bool>{true, false, false}));
    std::size_t releases = 0;
    for (const KeyEvent::Data& record : keys->records) releases += record.action == KeyEvent::Released ? 1 : 0;
    EXPECT_EQ(releases, 4u) << "three keys and the shift key";
}

TEST(UIHarness, QuickTypingArrivesInOnePollInTypedOrder) {
    UIHarness ui;
    auto* keys = ui.addWindow(new KeyRecorder(&ui.context()));
    ui.typeQuickly("Hello");
    std::string pressed;
    std::string sequence;
    for (const KeyEvent::Data& record : keys->records) {
        if (record.action == KeyEvent::Pressed) pressed += record.character;
        sequence += record.action == KeyEvent::Pressed ? 'P' : record.action == KeyEvent::Released ? 'R' : 'H';
    }
    EXPECT_EQ(pressed, "Hello");
    EXPECT_TRUE(keys->records.front().shift);
    EXPECT_FALSE(keys->records.back().shift);
    // The second "l" releases the first before it is pressed; everything else lets go at the next poll.
    EXPECT_EQ(sequence, "PPPRPPRRRR");
}

TEST(UIHarness, ClockAndLookUps) {
    UIHarness ui;
    ui.stepSeconds(0.5f);
    EXPECT_NEAR(ui.clock(), 0.5f, 1e-4);
    const float tl[2] = {-0.5f, 0.5f}, br[2] = {0.5f, 0.0f};
    auto* parent = ui.addWindow(new GameUIStandardElement(0, &ui.context(), tl, br, nullptr, "panel", "", nullptr));
    auto* label = new GameUILabel(&ui.context(), ui.theme(), "caption", "Strength", "", tl, br, parent,
                                  labelflag::notRightAligned, labelflag::notCentred, labelflag::atTop);
    parent->addChild(label);
    EXPECT_EQ(ui.find<GameUILabel>("caption"), label);
    EXPECT_EQ(ui.find<GameUILabel>("panel"), nullptr) << "wrong type";
    EXPECT_EQ(ui.objectWithString("Strength"), label->textBox);
    EXPECT_EQ(ui.objects("TextBox").size(), 2u) << "the label's and the tool tip's";
    float centre[2];
    UIHarness::centreOf(*label, centre);
    EXPECT_FLOAT_EQ(centre[0], 0.0f);
    EXPECT_FLOAT_EQ(centre[1], 0.3125f);
}

} // namespace
