// The proficiency domain picker: typing reaches the line without a click, "Done" opens only for a
// domain that is neither empty nor taken (also after it was open), and a click reports the text
// at once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/input/key_codes.h"
#include "support/ui_harness.h"
#include "tracker/wizard/bravui_proficiency_domain_picker.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_push_button.h"

namespace {

class DomainPickerTest : public ::testing::Test {
protected:
    DomainPickerTest() {
        const float tl[2] = {-0.5f, 0.3f}, br[2] = {0.5f, -0.3f};
        picker = ui.addWindow(new BRAVUIProficiencyDomainPicker(0, &ui.context(), ui.theme(), tl, br,
                                                                "Enter Proficiency Domain", 5),
                              true);
        ui.record(picker->windowSignal);
        ui.step();
    }

    // Press and release on Done without a step after the release: what is reported then was
    // reported at once.
    void pressAndReleaseDone() {
        ui.hoverElement(*picker->doneButton);
        ui.pressButton();
        ui.step();
        ui.releaseButton();
    }

    UIHarness ui;
    BRAVUIProficiencyDomainPicker* picker = nullptr;
};

TEST_F(DomainPickerTest, OpensWithAFocusedEmptyLineAndDoneDisabled) {
    EXPECT_EQ(picker->name, "domainPickerPanel");
    EXPECT_EQ(picker->title, "Enter Proficiency Domain");
    EXPECT_EQ(picker->closeButton, nullptr);
    EXPECT_EQ(picker->domainLine->name, "domainDisplay");
    EXPECT_TRUE(picker->domainLine->text.empty());
    EXPECT_TRUE(picker->domainLine->active) << "typing needs no click first";
    EXPECT_EQ(picker->doneButton->name, "doneButton");
    EXPECT_EQ(picker->doneButton->caption, "Done");
    EXPECT_EQ(picker->doneButton->getToolTipText(), "Finish editing this profciency's domain");
    EXPECT_TRUE(picker->doneButton->disabled);
    pressAndReleaseDone();
    ui.step();
    EXPECT_TRUE(ui.events().empty()) << "a disabled Done reports nothing";
}

TEST_F(DomainPickerTest, DoneFollowsTheTypedTextAgainstTheTakenDomains) {
    struct Case {
        const char* what;
        std::vector<std::string> taken;
        const char* typed;
        int erased;
        bool enabled;
    };
    const Case cases[] = {
        {"nothing typed", {}, "", 0, false},
        {"a letter", {}, "a", 0, true},
        {"typed then all erased", {}, "ab", 2, false},
        {"a taken domain", {"History", "Law"}, "Law", 0, false},
        {"a prefix of a taken domain", {"History"}, "Histor", 0, true},
        {"past a taken domain, erased back to it", {"History"}, "Historyx", 1, false},
        {"another case than the taken one", {"History"}, "history", 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        picker->domainLine->setText("");
        picker->setTakenDomains(c.taken);
        ui.step();
        ASSERT_TRUE(picker->doneButton->disabled);
        ui.typeString(c.typed);
        for (int i = 0; i < c.erased; ++i) ui.tapKey(platform::key::Back);
        ui.step();
        std::string expectedText = c.typed;
        expectedText.resize(expectedText.size() - static_cast<std::size_t>(c.erased));
        EXPECT_EQ(picker->domainLine->text, expectedText);
        EXPECT_EQ(!picker->doneButton->disabled, c.enabled);
    }
}

TEST_F(DomainPickerTest, DoneReportsTheTextAsTheEventNameAtOnce) {
    ui.typeString("Political Economy");
    ui.step();
    ASSERT_FALSE(picker->doneButton->disabled);
    pressAndReleaseDone();
    ASSERT_EQ(ui.events().size(), 1u) << "reported with the click, not at the next update";
    EXPECT_EQ(ui.events()[0].name, "Political Economy");
    EXPECT_EQ(ui.events()[0].source, picker);
}

TEST_F(DomainPickerTest, AClickBeforeTheUpdateHasJudgedANewTakenTextReportsNothing) {
    picker->setTakenDomains({"Law"});
    ui.typeString("La");
    ui.step();
    ASSERT_FALSE(picker->doneButton->disabled);
    // The last letter and the click arrive together, ahead of the update.
    picker->domainLine->setText("Law");
    UIEvent::Data click;
    click.type = UIEvent::Click;
    picker->onDoneButton(click);
    EXPECT_TRUE(ui.events().empty());
}

} // namespace
