// Adding experience: the bonuses in single precision, the base box's rules, the cap at the top
// level's experience (and at 32 bits without a class), and that Cancel and "X" change nothing.
#include "tracker/sheet/sheet_fixture.h"

#include <algorithm>

#include "tracker/sheet/bravui_add_experience_window.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_toggle_button.h"
#include "ui/text_entry.h"

namespace {

using Window = BRAVUIAddExperienceWindow;

class AddXPTest : public SheetTest {
protected:
    Window* openWindow() {
        const float tl[2] = {-0.5f, 0.5f}, br[2] = {0.5f, -0.5f};
        window = ui.addWindow(new Window(0, &ui.context(), ui.theme(), "Add Experience", tl, br, 5, character.get()),
                              true);
        ui.record(window->windowSignal);
        ui.step();
        return window;
    }
    void typeBase(const std::string& text) {
        window->baseBox->setText("");
        ui.step();
        ui.clickElement(*window->baseBox);
        ui.step();
        ASSERT_TRUE(window->baseBox->active);
        ui.typeQuickly(text);
        ui.step();
    }
    void leaveBase() {
        ui.click(0.9f, 0.9f);
        ui.step();
        ui.step();
    }
    void toggle(Window::Toggle which) {
        ui.clickElement(*window->toggles[which]);
        ui.step();
    }
    void setStrength(std::int32_t score) {
        character->attributes[CharacterSheet::Strength].current = score;
    }

    Window* window = nullptr;
};

TEST_F(AddXPTest, TheFinalAmountAddsTheChosenBonuses) {
    struct Case {
        std::string base;
        std::int32_t strength;  // 13 gives the class's 0.05, 16 its 0.1
        bool primary, belief, instinct, opinion;
        std::string shown;
    };
    const Case cases[] = {
        {"1000", 13, true, true, false, false, "1150"},
        {"10", 16, false, true, true, true, "13"},
        {"5", 16, false, true, false, false, "5"},
        {"999999999", 16, true, false, false, false, "1099999999"},
        {"999999999", 16, true, true, true, true, "1399999999"},
        {"1000", 9, true, false, false, false, "1000"},
        {"-5", 16, true, true, false, false, "0"},
        {"1.5", 16, false, true, false, false, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.base);
        setStrength(c.strength);
        openWindow();
        const bool on[] = {c.primary, c.belief, c.instinct, c.opinion};
        for (std::uint32_t i = 0; i < Window::ToggleCount; ++i) {
            if (on[i]) toggle(static_cast<Window::Toggle>(i));
        }
        typeBase(c.base);
        EXPECT_EQ(window->finalBox->text, c.shown);
        ui.windowManager().removeWindow(window);
        ui.step();
    }
    // Text a numeric box cannot take from the keyboard, as a paste or an old value might leave it.
    EXPECT_EQ(Window::finalText("12a", 0.1f), "0");
    EXPECT_EQ(Window::finalText("", 0.3f), "0");
}

TEST_F(AddXPTest, TogglesShowACrossWhileOnAndRecomputeAtOnce) {
    setStrength(16);
    openWindow();
    typeBase("100");
    EXPECT_EQ(window->finalBox->text, "100");
    toggle(Window::Opinion);
    EXPECT_EQ(window->toggles[Window::Opinion]->caption, "X");
    EXPECT_EQ(window->finalBox->text, "110");
    toggle(Window::Opinion);
    EXPECT_EQ(window->toggles[Window::Opinion]->caption, "");
    EXPECT_EQ(window->finalBox->text, "100");
    EXPECT_EQ(window->toggles[Window::Opinion]->name, "opinionBonusToggle");
    EXPECT_EQ(window->finalBox->name, "m_finalExperienceAmountBox");
}

TEST_F(AddXPTest, TheBaseBoxCutsLongTextAndClearsZeroOnLeaving) {
    openWindow();
    typeBase("1234567890");
    EXPECT_EQ(window->baseBox->text, "999999999");
    EXPECT_EQ(window->finalBox->text, "999999999");
    typeBase("000");
    leaveBase();
    EXPECT_EQ(window->baseBox->text, "0");
    typeBase("-7");
    leaveBase();
    EXPECT_EQ(window->baseBox->text, "0");
    typeBase("42");
    leaveBase();
    EXPECT_EQ(window->baseBox->text, "42");
    // The final amount is a result, not an entry.
    ui.clickElement(*window->finalBox);
    ui.step();
    ui.typeQuickly("7");
    ui.step();
    EXPECT_EQ(window->finalBox->text, "42");
}

TEST_F(AddXPTest, AddXPAddsUpToTheTopLevelsExperience) {
    struct Case {
        const char* what;
        bool withClass;
        std::uint32_t start;
        std::string base;
        std::uint32_t result;
    };
    const Case cases[] = {
        {"within the table", true, 2500, "1000", 3500},
        {"past the top level", true, 2500, "999999", 5000},
        {"no class, past 32 bits", false, 4294967000u, "1000", 4294967295u},
        {"no class", false, 10, "1000", 1010},
    };
    setStrength(9);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        character->characterClass = c.withClass ? fixtureClass.get() : nullptr;
        character->experience = c.start;
        character->saved = true;
        openWindow();
        typeBase(c.base);
        ui.clickElement(*window->finishButton);
        ui.step();
        EXPECT_EQ(character->experience, c.result);
        EXPECT_FALSE(character->saved);
        EXPECT_EQ(ui.countEvents(UIEvent::Click, "closeWindow"), 1u);
        ui.clearEvents();
        ui.windowManager().removeWindow(window);
        ui.step();
    }
}

TEST_F(AddXPTest, APastedBaseAmountIsAddedAsATypedOne) {
    setStrength(9);
    character->saved = true;
    openWindow();
    ui.clickElement(*window->baseBox);
    ui.step();
    // The "0" the box starts with goes first.
    ui.tapKey(textentry::keyRight);
    ui.tapKey(textentry::keyBack);
    ASSERT_EQ(window->baseBox->text, "");
    ui.paste("700");
    ui.step();
    EXPECT_EQ(window->baseBox->text, "700");
    EXPECT_EQ(window->finalBox->text, "700");
    ui.clickElement(*window->finishButton);
    ui.step();
    EXPECT_EQ(character->experience, 3200u);
    EXPECT_FALSE(character->saved);
}

TEST_F(AddXPTest, CancelAndTheCloseButtonChangeNothing) {
    for (bool viaClose : {false, true}) {
        SCOPED_TRACE(viaClose ? "close button" : "Cancel");
        openWindow();
        typeBase("700");
        ui.clickElement(viaClose ? static_cast<GameUIBaseElement&>(*window->closeButton)
                                 : static_cast<GameUIBaseElement&>(*window->cancelButton));
        ui.step();
        EXPECT_EQ(character->experience, 2500u);
        EXPECT_TRUE(character->saved);
        const std::string reported = viaClose ? "closeDialog" : "closeWindow";
        EXPECT_EQ(std::count_if(ui.events().begin(), ui.events().end(),
                                [&](const RecordedUIEvent& event) { return event.name == reported; }),
                  1);
        ui.clearEvents();
        ui.windowManager().removeWindow(window);
        ui.step();
    }
}

TEST_F(AddXPTest, TheCoreTabOpensTheWindowAndShowsTheNewTotal) {
    setStrength(9);
    openSheet();
    auto openFromTab = [this] {
        ui.clickElement(*ui.find<GameUIPushButton>("addXPButton"));
        ui.step();
        window = ui.find<Window>("addExperienceWindow");
    };
    // The close button closes it with nothing added.
    openFromTab();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->title, "Add Experience");
    EXPECT_EQ(ui.windowManager().activeWindow, window);
    typeBase("100");
    ui.clickElement(*window->closeButton);
    for (int i = 0; i < 3; ++i) ui.step();
    EXPECT_EQ(ui.find<Window>("addExperienceWindow"), nullptr);
    EXPECT_EQ(character->experience, 2500u);
    openFromTab();
    ASSERT_NE(window, nullptr);
    typeBase("2500");
    ui.clickElement(*window->finishButton);
    for (int i = 0; i < 3; ++i) ui.step();
    EXPECT_EQ(ui.find<Window>("addExperienceWindow"), nullptr);
    EXPECT_EQ(labelText("experienceLabel"), "[*Experience: ]5000/5000");
    EXPECT_FALSE(ui.find<GameUIPushButton>("levelUpButton")->disabled);
    // 5000 is also the top level's experience: there is nothing more to add.
    EXPECT_TRUE(ui.find<GameUIPushButton>("addXPButton")->disabled);
}

TEST_F(AddXPTest, AtTheTopLevelsExperienceAddXPIsDisabled) {
    character->level = 4;
    character->experience = 5000;
    openSheet();
    EXPECT_TRUE(ui.find<GameUIPushButton>("addXPButton")->disabled);
    EXPECT_TRUE(ui.find<GameUIPushButton>("levelUpButton")->disabled);
    EXPECT_EQ(ui.find<GameUIPushButton>("levelUpButton")->toolTipText,
              "Add newly earned experience points to this characters total.");
}

} // namespace
