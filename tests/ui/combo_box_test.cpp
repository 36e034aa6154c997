// The combo box: opening as the active window, choosing and closing back to the previous window,
// drop-downs empty or cut at the parent's edge, removing options, and the box's window removed
// while the drop-down is open.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ui_harness.h"
#include "ui/game_ui_combo_box.h"
#include "ui/game_ui_standard_element.h"
#include "ui/game_ui_toggle_button.h"
#include "ui/game_ui_toggle_group.h"
#include "ui/theme.h"

namespace {

const float panelTL[2] = {-0.5f, 0.5f};
const float panelBR[2] = {0.5f, -0.5f};
const float comboTL[2] = {-0.8f, 0.8f};
const float comboBR[2] = {0.0f, 0.6f};
// Rows of 0.2 in the panel's space.
constexpr float lineHeight = 0.1f;

class ComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override { ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), lineHeight); }
    GameUIComboBox* makeCombo(const std::vector<std::string>& options, const std::string& text,
                              std::uint32_t panelDepth = 0) {
        panel = ui.addWindow(new GameUIStandardElement(0, &ui.context(), panelTL, panelBR, ui.theme(), "filterPanel",
                                                       "", nullptr),
                             true);
        if (panelDepth) panel->depth = panel->topDepth = panelDepth;
        combo = new GameUIComboBox(0, &ui.context(), ui.theme(), ui.theme(), "filerCombo", text, "", comboTL, comboBR,
                                   panel, "", "");
        panel->addChild(combo);
        for (const std::string& option : options) combo->addOption(option);
        ui.record(combo->eventSignal);
        ui.step();
        return combo;
    }
    void openIt() {
        ui.clickElement(*combo->showToggle);
        ui.step();
        ASSERT_TRUE(combo->isOpen());
    }
    GameUIToggleButton* option(std::size_t i) const { return combo->optionsGroup->buttons.at(i); }

    UIHarness ui;
    GameUIStandardElement* panel = nullptr;
    GameUIComboBox* combo = nullptr;
};

TEST_F(ComboBoxTest, OpensAsTheActiveWindowAndAChoiceReportsClosesAndRestoresThePreviousWindow) {
    makeCombo({"Xml Files", "*"}, "Xml Files");
    EXPECT_FALSE(combo->isOpen());
    openIt();
    EXPECT_EQ(ui.windowManager().activeWindow, combo);
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "openingComboBox"), 1u);
    ASSERT_EQ(combo->optionsGroup->buttons.size(), 2u);
    EXPECT_EQ(combo->optionsGroup->selected, option(0)) << "the shown option starts selected";
    EXPECT_TRUE(option(0)->active);
    EXPECT_FALSE(option(1)->active);
    EXPECT_FLOAT_EQ(combo->absBottomRight[1], 0.3f - 2 * 0.1f) << "two rows of 0.1 under the closed box";

    ui.clearEvents();
    ui.clickElement(*option(1));
    ASSERT_GE(ui.events().size(), 1u);
    EXPECT_EQ(ui.events()[0].type, UIEvent::OptionChosen);
    EXPECT_EQ(ui.events()[0].name, "*");
    EXPECT_EQ(ui.events()[0].parentName, "filerCombo");
    EXPECT_EQ(ui.events()[0].source, combo);
    EXPECT_EQ(combo->text, "*");
    EXPECT_EQ(UIHarness::stringOf(combo->textObject), "*");
    ui.step();
    EXPECT_FALSE(combo->isOpen());
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "closingComboBox"), 1u);
    EXPECT_EQ(ui.windowManager().activeWindow, panel);
    EXPECT_FLOAT_EQ(combo->absBottomRight[1], 0.3f) << "the closed rectangle comes back";
    EXPECT_EQ(combo->dropDownFrameObject, nullptr);
}

TEST_F(ComboBoxTest, ChoosingTheShownOptionReportsItAgain) {
    makeCombo({"Xml Files", "*"}, "Xml Files");
    openIt();
    ui.clearEvents();
    ui.clickElement(*option(0));
    ui.step();
    EXPECT_EQ(ui.countEvents(UIEvent::OptionChosen, "Xml Files"), 1u);
    EXPECT_FALSE(combo->isOpen());
}

TEST_F(ComboBoxTest, ASecondToggleClickClosesButClicksOutsideDoNot) {
    makeCombo({"a", "b"}, "a");
    openIt();
    ui.click(0.9f, -0.9f);
    ui.step();
    EXPECT_TRUE(combo->isOpen());
    EXPECT_EQ(ui.windowManager().activeWindow, combo);
    ui.clickElement(*combo->showToggle);
    ui.step();
    EXPECT_FALSE(combo->isOpen());
    EXPECT_EQ(ui.countEvents(UIEvent::OptionChosen, "a"), 0u);
    EXPECT_EQ(ui.windowManager().activeWindow, panel);
}

TEST_F(ComboBoxTest, NoOptionsOpensAnEmptyDropDown) {
    makeCombo({}, "");
    openIt();
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "openingComboBox"), 1u);
    EXPECT_TRUE(combo->optionsGroup->buttons.empty());
    EXPECT_FLOAT_EQ(combo->absBottomRight[1], 0.3f);
}

TEST_F(ComboBoxTest, ALongDropDownIsCutAtTheParentsBottomEdge) {
    std::vector<std::string> many;
    for (int i = 0; i < 12; ++i) many.push_back("option " + std::to_string(i));
    makeCombo(many, "option 3");
    openIt();
    EXPECT_FLOAT_EQ(combo->absBottomRight[1], panel->absBottomRight[1]);
    ASSERT_EQ(combo->optionsGroup->buttons.size(), 12u);
    EXPECT_NEAR(option(0)->absTopLeft[1], 0.3f, 1e-5f) << "the options start under the closed box";
    EXPECT_NEAR(option(11)->absBottomRight[1], panel->absBottomRight[1], 1e-5f);
    EXPECT_EQ(combo->optionsGroup->selected, option(3));
}

TEST_F(ComboBoxTest, RemovingTheShownOptionClearsTheTextAndAnotherKeepsIt) {
    struct Case {
        const char* removed;
        const char* textAfter;
        std::size_t optionsAfter;
    };
    const Case cases[] = {{"b", "", 2}, {"a", "b", 2}, {"missing", "b", 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.removed);
        if (panel) ui.windowManager().removeWindow(panel);
        ui.step();
        makeCombo({"a", "b", "c"}, "b");
        combo->removeOption(c.removed);
        EXPECT_EQ(combo->text, c.textAfter);
        EXPECT_EQ(UIHarness::stringOf(combo->textObject), c.textAfter);
        EXPECT_EQ(combo->options.size(), c.optionsAfter);
    }
    combo->clearOptions();
    EXPECT_TRUE(combo->options.empty());
    EXPECT_EQ(combo->text, "");
}

TEST_F(ComboBoxTest, RemovingTheWindowOfAnOpenComboLeavesNothingDangling) {
    makeCombo({"a", "b"}, "a");
    openIt();
    ui.windowManager().removeWindow(panel);
    ui.step();
    panel = nullptr;
    EXPECT_EQ(ui.windowManager().activeWindow, nullptr);
    EXPECT_EQ(ui.findElement("filerCombo"), nullptr);
    // Input and updates after the removal reach no freed element (the sanitizer build catches it).
    ui.click(-0.3f, 0.2f);
    ui.tapKey(28);
    ui.movePointer(0.0f, 0.0f);
    ui.step();
    EXPECT_EQ(ui.windowManager().activeWindow, nullptr);
}

TEST_F(ComboBoxTest, DisablingGreysTheBoxAndItsToggle) {
    makeCombo({"a"}, "a");
    combo->disable();
    EXPECT_TRUE(combo->showToggle->disabled);
    const float* grey = (*ui.theme())[Theme::WidgetDisabled];
    EXPECT_EQ(UIHarness::colourOf(combo->frameObject), (std::array<float, 4>{grey[0], grey[1], grey[2], grey[3]}));
    ui.clickElement(*combo->showToggle);
    ui.step();
    EXPECT_FALSE(combo->isOpen());
}

// The drop-down's frame is drawn translucent over what lies below, so the options must never lie
// under it, whether the box sits low or high among the layers.
TEST_F(ComboBoxTest, OptionsLieAboveTheDropDownFrameAndTheFrameAboveTheBox) {
    for (std::uint32_t panelDepth : {0u, 3u, 20u}) {
        SCOPED_TRACE(panelDepth);
        makeCombo({"Misc", "Weapons"}, "Misc", panelDepth);
        openIt();
        const std::uint32_t frame = UIHarness::layerOf(combo->dropDownFrameObject);
        EXPECT_GE(frame, UIHarness::layerOf(combo->frameObject));
        for (std::size_t i = 0; i < 2; ++i) {
            EXPECT_GT(UIHarness::layerOf(option(i)->fill), frame);
            EXPECT_GT(UIHarness::layerOf(option(i)->captionBox), frame);
        }
        ui.windowManager().removeWindow(panel);
        ui.step();
    }
}

} // namespace
