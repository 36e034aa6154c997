// Push buttons and labels as the user meets them: clicks, abandoned presses, repeats, colours,
// the click sound, and the geometry of their UI objects.
#include <gtest/gtest.h>

#include "app/fake_sound_engine.h"
#include "support/ui_harness.h"
#include "ui/game_ui_image_push_button.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"
#include "ui/theme.h"

namespace {

std::array<float, 4> toArray(const float* colour) { return {colour[0], colour[1], colour[2], colour[3]}; }

class PushButtonTest : public ::testing::Test {
protected:
    PushButtonTest() {
        const float tl[2] = {-0.5f, 0.1f}, br[2] = {0.5f, -0.1f};
        button = ui.addWindow(new GameUIPushButton(&ui.context(), ui.theme(), "okButton", "OK", "Confirm", tl, br, nullptr));
        button->signalsEnabled = 1;
        ui.record(button->clickSignal);
        ui.record(button->repeatSignal);
    }
    std::array<float, 4> frameColour() const { return UIHarness::colourOf(button->frame); }
    std::array<float, 4> themed(Theme::Slot slot) { return toArray((*ui.theme())[slot]); }

    UIHarness ui;
    GameUIPushButton* button = nullptr;
};

TEST_F(PushButtonTest, ClickSequences) {
    struct Case {
        const char* what;
        std::vector<std::pair<float, float>> pressAt;  // pointer positions: press at the first, release at the last
        std::size_t clicks;
    };
    const Case cases[] = {
        {"press and release inside", {{0.0f, 0.0f}, {0.2f, 0.05f}}, 1},
        {"press, leave, release outside", {{0.0f, 0.0f}, {0.8f, 0.5f}}, 0},
        {"press, leave, come back, release inside", {{0.0f, 0.0f}, {0.8f, 0.5f}, {0.0f, 0.0f}}, 0},
        {"press outside, release inside", {{0.8f, 0.5f}, {0.0f, 0.0f}}, 0},
    };
    for (const Case& c : cases) {
        ui.clearEvents();
        ui.movePointer(c.pressAt.front().first, c.pressAt.front().second);
        ui.step();
        ui.pressButton();
        ui.step();
        for (std::size_t i = 1; i < c.pressAt.size(); ++i) {
            ui.movePointer(c.pressAt[i].first, c.pressAt[i].second);
            ui.step();
        }
        ui.releaseButton();
        ui.step();
        EXPECT_EQ(ui.countEvents(UIEvent::Click, "okButton"), c.clicks) << c.what;
        EXPECT_EQ(button->active, 0) << c.what;
    }
}

TEST_F(PushButtonTest, ClickRecordNamesTheButtonAndItsParent) {
    ui.clickElement(*button);
    ASSERT_EQ(ui.events().size(), 1u);
    EXPECT_EQ(ui.events()[0].type, UIEvent::Click);
    EXPECT_EQ(ui.events()[0].name, "okButton");
    EXPECT_EQ(ui.events()[0].parentName, "");
}

TEST_F(PushButtonTest, HeldGivesARepeatOnEachPollUntilThePointerLeaves) {
    ui.movePointer(0.0f, 0.0f);
    ui.pressButton();
    ui.step();
    for (int i = 0; i < 3; ++i) {
        ui.poll();  // still down: a held record
        ui.step();
    }
    EXPECT_EQ(ui.countEvents(UIEvent::Repeat, "okButton"), 3u);
    ui.movePointer(0.9f, 0.9f);
    ui.step();
    ui.poll();
    EXPECT_EQ(ui.countEvents(UIEvent::Repeat, "okButton"), 3u) << "held outside repeats nothing";
    ui.releaseButton();
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "okButton"), 0u);
}

TEST_F(PushButtonTest, DoublePressPressesLikeAPress) {
    ui.movePointer(0.0f, 0.0f);
    ui.pressButton();
    ui.step();
    ui.releaseButton();
    ui.step();
    ui.pressButton();  // within the double-click time: a double press
    ui.step();
    EXPECT_EQ(button->active, 1);
    ui.releaseButton();
    ui.step();
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "okButton"), 2u);
}

TEST_F(PushButtonTest, WithoutSignalsNothingIsEmittedButColoursAndSoundFollow) {
    button->signalsEnabled = 0;
    ui.hoverElement(*button);
    EXPECT_EQ(frameColour(), themed(Theme::WidgetHovered));
    EXPECT_EQ(UIHarness::colourOf(button->captionBox), themed(Theme::TextHovered));
    ui.pressButton();
    ui.step();
    EXPECT_EQ(frameColour(), themed(Theme::WidgetActivated));
    ui.poll();
    ui.releaseButton();
    ui.step();
    EXPECT_TRUE(ui.events().empty());
    EXPECT_EQ(frameColour(), themed(Theme::WidgetHovered)) << "released over the button";
    EXPECT_EQ(ui.soundEngine().started.size(), 1u);
    EXPECT_EQ(ui.soundEngine().loads.count(GameUIPushButton::clickSoundFile), 1u);
}

TEST_F(PushButtonTest, ColourStates) {
    float light[4], shade[4];
    auto expectFrame = [&](Theme::Slot fill, bool sunken, const char* what) {
        button->bright((*ui.theme())[fill], light);
        button->dark((*ui.theme())[fill], shade);
        EXPECT_EQ(frameColour(), themed(fill)) << what;
        EXPECT_EQ(UIHarness::colourOf(button->frame, "borderColour"), toArray(sunken ? shade : light)) << what;
        EXPECT_EQ(UIHarness::colourOf(button->frame, "borderColour2"), toArray(sunken ? light : shade)) << what;
    };
    expectFrame(Theme::WidgetNormal, false, "normal");
    button->onActivated();
    expectFrame(Theme::WidgetActivated, true, "pressed");
    button->disabled = 1;
    button->onDisabled();
    expectFrame(Theme::WidgetDisabled, false, "disabled");
    EXPECT_EQ(UIHarness::colourOf(button->captionBox, "colour2"), themed(Theme::TextDisabled2));
    button->disabled = 0;
    button->onEnabled();
    expectFrame(Theme::WidgetNormal, false, "enabled");
    EXPECT_EQ(UIHarness::colourOf(button->captionBox), themed(Theme::TextNormal));
    // A disabled button ignores presses.
    button->disabled = 1;
    EXPECT_FALSE(ui.sendMouseButton(ui.mouseRecord(MouseEvent::Press, 0.0f, 0.0f)));
}

TEST(PushButtonSound, SilenceIsFine) {
    UIHarness ui;
    ui.soundEngine().missing.insert(GameUIPushButton::clickSoundFile);
    const float tl[2] = {-0.5f, 0.9f}, br[2] = {0.5f, 0.7f};
    auto* quiet = ui.addWindow(new GameUIPushButton(&ui.context(), ui.theme(), "quiet", "Hush", "", tl, br, nullptr));
    quiet->signalsEnabled = 1;
    ui.record(quiet->clickSignal);
    ui.clickElement(*quiet);
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "quiet"), 1u);
    EXPECT_TRUE(ui.soundEngine().started.empty());
    // And a context without a sound manager at all.
    UIContext noSound = ui.context();
    noSound.soundManager = nullptr;
    GameUIPushButton mute(&noSound, ui.theme(), "mute", "Mute", "", tl, br, nullptr);
    EXPECT_EQ(mute.clickSound, nullptr);
    mute.onActivated();
}

TEST_F(PushButtonTest, GeometryAndLayersAt1280x720) {
    const auto frameTopLeft = UIHarness::vector2Of(button->frame, "topLeft");
    const auto frameBottomRight = UIHarness::vector2Of(button->frame, "bottomRight");
    EXPECT_FLOAT_EQ(frameTopLeft[0], -0.496875f);
    EXPECT_NEAR(frameTopLeft[1], 0.1f - 4.0f / 720.0f, 1e-6);
    EXPECT_FLOAT_EQ(frameBottomRight[0], 0.496875f);
    EXPECT_NEAR(frameBottomRight[1], -0.1f + 4.0f / 720.0f, 1e-6);
    EXPECT_EQ(UIHarness::vector2Of(button->backdrop, "topLeft"), (std::array<float, 2>{-0.5f, 0.1f}));
    EXPECT_EQ(UIHarness::unsignedOf(button->frame, "border2Height"), 4u);
    EXPECT_EQ(UIHarness::layerOf(button->backdrop), 0u);
    EXPECT_EQ(UIHarness::layerOf(button->frame), 1u);
    EXPECT_EQ(UIHarness::layerOf(button->captionBox), 2u);
    EXPECT_EQ(button->depth, 1u);
    EXPECT_EQ(button->topDepth, 2u);
    EXPECT_EQ(UIHarness::stringOf(button->captionBox), "OK");
    EXPECT_EQ(UIHarness::intOf(button->captionBox, "horizAlignment"), 0);
}

TEST(ImagePushButton, ShowsItsImageAndReportsClicks) {
    UIHarness ui;
    ui.registerImageType("tex_rect_up_arrow");
    const float tl[2] = {0.8f, 0.9f}, br[2] = {0.9f, 0.8f};
    auto* arrow = ui.addWindow(
        new GameUIImagePushButton(&ui.context(), ui.theme(), "upButton", "tex_rect_up_arrow", "Up", tl, br, nullptr));
    arrow->signalsEnabled = 1;
    ui.record(arrow->clickSignal);
    ASSERT_NE(arrow->image, nullptr);
    EXPECT_TRUE(UIHarness::boolOf(arrow->image, "usePointSampler"));
    EXPECT_EQ(UIHarness::layerOf(arrow->image), 2u);
    EXPECT_EQ(arrow->depth, 2u);
    ui.clickElement(*arrow);
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "upButton"), 1u);
    EXPECT_TRUE(ui.soundEngine().started.empty()) << "image buttons play no sound";
}

TEST(Label, AlignmentColoursAndRecord) {
    UIHarness ui;
    const float tl[2] = {-0.5f, 0.5f}, br[2] = {0.5f, 0.0f};
    struct Case {
        bool right, centred, vertCentred;
        int horiz, vert;
    };
    for (const Case& c : {Case{true, true, false, 1, -1}, Case{false, true, true, 0, 0}, Case{false, false, false, -1, -1}}) {
        GameUILabel label(&ui.context(), ui.theme(), "label", "Text", "", tl, br, nullptr, c.right, c.centred,
                          c.vertCentred);
        EXPECT_EQ(UIHarness::intOf(label.textBox, "horizAlignment"), c.horiz);
        EXPECT_EQ(UIHarness::intOf(label.textBox, "vertAlignment"), c.vert);
    }
    GameUILabel label(&ui.context(), ui.theme(), "label", "Text", "", tl, br, nullptr, false, false, false);
    label.disable();
    const auto disabled = toArray((*ui.theme())[Theme::TextDisabled]);
    EXPECT_EQ(UIHarness::colourOf(label.textBox), disabled);
    EXPECT_EQ(UIHarness::colourOf(label.textBox, "colour2"), disabled);
    label.setText("Other");
    EXPECT_EQ(UIHarness::stringOf(label.textBox), "Other");
    UIEvent::Data record;
    record.parentName = "kept";
    label.fillEventData(record);
    EXPECT_EQ(record.type, 2u);
    EXPECT_EQ(record.name, "label");
    EXPECT_EQ(record.source, &label);
    EXPECT_EQ(record.parentName, "kept");
}

} // namespace
