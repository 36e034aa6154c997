// The custom name window alone: when Done is on, what its report carries, and how the report of
// Done is told from the close button's, also for the typed name "closeDialog".
#include "tracker/sheet/inventory_fixture.h"

#include "ui/text_entry.h"
#include "tracker/sheet/bravui_equipment_custom_name_window.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_push_button.h"

namespace {

using Window = BRAVUIEquipmentCustomNameWindow;

class RenameWindowTest : public WindowAloneTest<Window> {
protected:
    RenameWindowTest() {
        const float topLeft[2] = {-0.5f, 0.3f}, bottomRight[2] = {0.5f, -0.3f};
        show(new Window(0, &ui.context(), ui.theme(), topLeft, bottomRight, "Set Custom Name for: Cloak", 1));
        ui.step();
    }
    // Each report's name, and whether the window calls it Done.
    std::vector<std::pair<std::string, bool>> reports() const {
        std::vector<std::pair<std::string, bool>> out;
        for (const RecordedUIEvent& recorded : ui.events()) {
            UIEvent::Data event;
            event.name = recorded.name;
            event.source = recorded.source;
            out.push_back({recorded.name, window->isDoneEvent(event)});
        }
        return out;
    }
};

TEST_F(RenameWindowTest, DoneIsOffUntilTheFirstCharacterAndStaysOnWhenEmptied) {
    EXPECT_EQ(window->nameBox->text, "");
    EXPECT_TRUE(window->doneButton->disabled);
    EXPECT_TRUE(window->doneButton->signalsEnabled);
    // The box has the focus from the start.
    ui.typeString("B");
    ui.step();
    EXPECT_EQ(window->nameBox->text, "B");
    EXPECT_FALSE(window->doneButton->disabled);
    ui.tapKey(textentry::keyBack);
    ui.step();
    EXPECT_EQ(window->nameBox->text, "");
    EXPECT_FALSE(window->doneButton->disabled);
}

TEST_F(RenameWindowTest, APastedNameEnablesDoneAndIsWhatDoneReports) {
    ui.paste("Cloak of the Northern Marches");
    ui.step();
    EXPECT_EQ(window->nameBox->text, "Cloak of the Northern Marches");
    ASSERT_FALSE(window->doneButton->disabled);
    ui.clickElement(*window->doneButton);
    ui.step();
    EXPECT_EQ(reports(), (std::vector<std::pair<std::string, bool>>{{"Cloak of the Northern Marches", true}}));
}

TEST_F(RenameWindowTest, ACurrentNameFillsTheBoxAndEnablesDone) {
    window->setCustomName("Old cloak");
    EXPECT_EQ(window->nameBox->text, "Old cloak");
    EXPECT_FALSE(window->doneButton->disabled);
}

TEST_F(RenameWindowTest, OnlyDoneReportsANameEvenTheNameCloseDialog) {
    const std::pair<std::string, bool> closed{"closeDialog", false};
    ui.clickElement(*window->closeButton);
    ui.step();
    for (const std::string name : {"Black cloak", "", "closeDialog"}) {
        window->setCustomName("x");
        window->nameBox->setText(name);
        ui.clickElement(*window->doneButton);
        ui.step();
    }
    EXPECT_EQ(reports(), (std::vector<std::pair<std::string, bool>>{
                           closed, {"Black cloak", true}, {"", true}, {"closeDialog", true}}));
}

} // namespace
