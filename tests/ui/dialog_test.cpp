// The confirmation and info dialogs: button sizes from their captions and the events they pass on.
#include <gtest/gtest.h>

#include "support/ui_harness.h"
#include "ui/game_ui_confirmation_dialog.h"
#include "ui/game_ui_info_popup_dialog.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"
#include "ui/theme.h"

namespace {

float captionWidth(UIHarness& ui, const std::string& caption) {
    TextMeasure size;
    ui.renderInterface().measureText(size, ui.renderInterface().mainFontName(), caption, false, 20000.0f);
    return size.width;
}

TEST(ConfirmationDialog, ButtonsAreSizedByTheirCaptions) {
    UIHarness ui;
    struct Case {
        std::string ok, cancel;
    };
    for (const Case& c : {Case{"OK", "Cancel"}, Case{"Yes, save the character now", "No"}, Case{"Y", "Do not save it"}}) {
        GameUIConfirmationDialog dialog(0, &ui.context(), ui.theme(), "Save", "Save the character?", "saveDialog", 4,
                                        0, c.ok, c.cancel);
        const float halfWidth = (dialog.absBottomRight[0] - dialog.absTopLeft[0]) * 0.5f;
        const float okWidth = captionWidth(ui, c.ok) / halfWidth + 0.1f;
        const float cancelWidth = captionWidth(ui, c.cancel) / halfWidth + 0.1f;
        EXPECT_FLOAT_EQ(dialog.okButton->localTopLeft[0], -0.75f) << c.ok;
        EXPECT_NEAR(dialog.okButton->localBottomRight[0], -0.75f + okWidth, 1e-5) << c.ok;
        EXPECT_NEAR(dialog.cancelButton->localTopLeft[0], 0.75f - cancelWidth, 1e-5) << c.cancel;
        EXPECT_FLOAT_EQ(dialog.cancelButton->localBottomRight[0], 0.75f) << c.cancel;
        EXPECT_GT(okWidth, 0.1f);
        EXPECT_EQ(UIHarness::stringOf(dialog.message->textBox), "Save the character?");
        EXPECT_EQ(dialog.message->name, "confirmationMessageMainText");
    }
}

TEST(ConfirmationDialog, PassesOnOnlyItsTwoButtonsClicks) {
    UIHarness ui;
    auto* dialog = ui.addWindow(new GameUIConfirmationDialog(0, &ui.context(), ui.theme(), "Quit", "Really quit?",
                                                             "quitDialog", 4, 0, "Quit", "Stay"),
                                true);
    ui.record(dialog->eventSignal);
    // A button of another name, added by the owner, is not passed on.
    const float tl[2] = {-0.2f, 0.5f}, br[2] = {0.2f, 0.2f};
    auto* other = new GameUIPushButton(&ui.context(), ui.theme(), "helpButton", "?", "", tl, br, dialog);
    other->signalsEnabled = 1;
    other->clickSignal.connect(dialog, &GameUIConfirmationDialog::onButton);
    dialog->addChild(other);

    ui.clickElement(*other);
    ui.clickElement(*dialog->cancelButton);
    ui.clickElement(*dialog->okButton);
    ASSERT_EQ(ui.events().size(), 2u);
    EXPECT_EQ(ui.events()[0].name, "cancelButton");
    EXPECT_EQ(ui.events()[1].name, "okButton");
    for (const RecordedUIEvent& event : ui.events()) {
        EXPECT_EQ(event.type, UIEvent::Click);
        EXPECT_EQ(event.parentName, "quitDialog");
    }
    EXPECT_EQ(ui.events()[1].source, dialog->okButton);
    // A repeat (held) is not a click and is not passed on.
    UIEvent::Data held;
    held.type = UIEvent::Repeat;
    held.name = "okButton";
    dialog->onButton(held);
    EXPECT_EQ(ui.events().size(), 2u);
}

TEST(InfoPopupDialog, ShowsTheMessageAboveOtherDialogsAndReportsOk) {
    UIHarness ui;
    const std::uint32_t below = ui.windowManager().getTopDepth();
    auto* popup = ui.addWindow(new GameUIInfoPopupDialog(0, &ui.context(), ui.theme(), "Update",
                                                         "A new version is ready.", "updatePopup", 0),
                               true);
    ui.record(popup->eventSignal);
    // The frame and title go above every layer of the windows open, the panel and message above them.
    EXPECT_EQ(popup->depth, below + 4);
    EXPECT_EQ(UIHarness::layerOf(popup->backgroundObject), below + 4);
    EXPECT_EQ(UIHarness::layerOf(popup->textObject), below + 5);
    EXPECT_EQ(UIHarness::stringOf(popup->textObject), "A new version is ready.");
    const float* panel = (*ui.theme())[Theme::SolidPanelNormal];
    EXPECT_EQ(UIHarness::colourOf(popup->backgroundObject), (std::array<float, 4>{panel[0], panel[1], panel[2], panel[3]}));
    const auto textTopLeft = UIHarness::vector2Of(popup->textObject, "topLeft");
    EXPECT_FLOAT_EQ(textTopLeft[0], popup->absTopLeft[0] + 0.05f);
    EXPECT_FLOAT_EQ(textTopLeft[1], popup->absTopLeft[1] - 0.1f);
    EXPECT_EQ(UIHarness::stringOf(popup->okButton->captionBox), "OK");
    EXPECT_FLOAT_EQ(popup->okButton->localTopLeft[0], -0.15f);
    ui.clickElement(*popup->okButton);
    ASSERT_EQ(ui.events().size(), 1u);
    EXPECT_EQ(ui.events()[0].name, "okButton");
    EXPECT_EQ(ui.events()[0].parentName, "updatePopup");
    // The owner closes it; its own objects go too.
    ui.windowManager().removeWindow(popup);
    ui.step();
    EXPECT_EQ(ui.objectWithString("A new version is ready."), nullptr);
}

} // namespace
