// The Bio and Notes tabs on a panel of their own: typed text reaching the character before the
// box loses the focus, the age and weight boxes keeping only counts, editable text boxes, and
// edits made in the same poll as a tab switch.
#include <gtest/gtest.h>

#include <string>

#include "rules/character_class_catalogue.h"
#include "rules/character_sheet.h"
#include "rules/equipment_catalogue.h"
#include "rules/proficiency_catalogue.h"
#include "rules/spell_catalogue.h"
#include "support/temp_folder.h"
#include "support/ui_harness.h"
#include "tracker/sheet/bravui_bio_tab.h"
#include "tracker/sheet/bravui_notes_tab.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_element_group.h"
#include "ui/game_ui_scrollable_text_box.h"
#include "ui/text_entry.h"

namespace {

// Any key that is no editing key types its character.
constexpr std::uint8_t letterKey = 0x10;

// A key typing c, pressed in this poll and let go before the next: the focused box has it, and
// nothing has yet acted on its report.
void typeInOnePoll(UIHarness& ui, char c) {
    ui.devices().keys[letterKey] = 0x80;
    ui.devices().characters[letterKey] = c;
    ui.devices().strokes.push_back({letterKey, c, false, false, false});
    ui.poll();
    ui.devices().keys[letterKey] = 0;
}

class BioTabTest : public ::testing::Test {
protected:
    BioTabTest()
        : classes("", nullptr, nullptr), proficiencies(""), equipment(""), spells(""),
          character(nullptr, classes, proficiencies, equipment, spells), bio(0, &ui.context(), ui.theme(), &character),
          notes(0, &ui.context(), ui.theme(), &character) {
        character.name = "Aldo";
        character.age = 30;
        character.weight = 180;
        character.notes = "Owes the ferryman.";
        const float topLeft[2] = {-0.95f, 0.95f}, bottomRight[2] = {0.95f, -0.95f};
        panel = ui.addWindow(new GameUIElementGroup(0, 0, &ui.context(), ui.theme(), "innerPanelGroup", "", topLeft,
                                                    bottomRight, nullptr));
        bio.attach(panel);
        ui.step();
        character.saved = true;
    }

    // What the sheet does when another tab is shown, then the new tab's attach.
    enum class Tab { Bio, Notes };
    void switchTo(Tab tab) {
        bio.detach();
        notes.detach();
        panel->deleteChildren();
        if (tab == Tab::Bio) {
            bio.attach(panel);
        } else {
            notes.attach(panel);
        }
    }

    // One update cycle as the sheet runs it: the tabs' per-frame steps, then the widgets'.
    void step() {
        bio.update();
        notes.update();
        ui.step();
    }

    void focus(GameUIBaseElement& box) {
        ui.clickElement(box);
        step();
    }

    // One key pressed and released, with the tabs' step in every frame as the sheet runs it.
    void tap(std::uint8_t code, char character) {
        ui.devices().keys[code] = 0x80;
        ui.devices().characters[code] = character;
        ui.devices().strokes.push_back({code, character, false, false, false});
        ui.poll();
        step();
        ui.devices().keys[code] = 0;
        ui.poll();
        step();
    }
    void type(const std::string& text) {
        for (char c : text) tap(letterKey, c);
    }

    // Replaces a line box's text by typing: a text first set to one digit, erased, then typed.
    void retype(GameUIEditableTextLineBox& box, const std::string& text) {
        box.setText("1");
        focus(box);
        ASSERT_TRUE(box.active) << box.name;
        tap(textentry::keyBack, 0);
        type(text);
    }

    std::string savedFile() {
        const std::string path = folder.path() + "aldo.xml";
        EXPECT_TRUE(character.save(path));
        return readFile(path);
    }

    UIHarness ui;
    TempFolder folder;
    CharacterClassCatalogue classes;
    ProficiencyCatalogue proficiencies;
    EquipmentCatalogue equipment;
    SpellCatalogue spells;
    CharacterSheet character;
    BRAVUIBioTab bio;
    BRAVUINotesTab notes;
    GameUIElementGroup* panel = nullptr;
};

TEST_F(BioTabTest, BoxesStartWithTheCharactersValues) {
    EXPECT_EQ(bio.nameBox->text, "Aldo");
    EXPECT_EQ(bio.ageBox->text, "30");
    EXPECT_EQ(bio.weightBox->text, "180");
    EXPECT_EQ(bio.nameBox->name, "characterNameTextBox");
    EXPECT_TRUE(bio.ageBox->numericOnly);
    EXPECT_TRUE(bio.weightBox->numericOnly);
    EXPECT_FALSE(bio.beliefBox->numericOnly);
    EXPECT_EQ(bio.biographyBox->name, "bioTextBox");
}

TEST_F(BioTabTest, TypedNameIsSavedBeforeTheBoxLosesFocus) {
    retype(*bio.nameBox, "Gorm");
    ASSERT_TRUE(bio.nameBox->active);
    EXPECT_EQ(character.name, "Gorm");
    EXPECT_FALSE(character.saved);
    EXPECT_NE(savedFile().find("<CharacterName value=\"Gorm\"/>"), std::string::npos);
}

TEST_F(BioTabTest, BeliefInstinctAndOpinionAreWrittenBack) {
    retype(*bio.beliefBox, "Gold");
    retype(*bio.instinctBox, "Run");
    retype(*bio.opinionBox, "Elves lie");
    EXPECT_EQ(character.belief, "Gold");
    EXPECT_EQ(character.instinct, "Run");
    EXPECT_EQ(character.opinion, "Elves lie");
}

TEST_F(BioTabTest, BiographyBoxTakesTyping) {
    ASSERT_TRUE(bio.biographyBox->editable);
    bio.biographyBox->setText("");
    focus(*bio.biographyBox);
    ui.typeQuickly("Born");
    step();
    EXPECT_EQ(character.biography, "Born");
    EXPECT_FALSE(character.saved);
}

// What the age becomes once typed into an emptied box and left for another box.
struct CountCase {
    const char* typed;
    std::int32_t age;
    const char* shown;
};

TEST_F(BioTabTest, AgeKeepsOnlyCounts) {
    const CountCase cases[] = {
        {"42", 42, "42"},
        {"", 0, "0"},
        {"-5", 30, "30"},
        {"-", 30, "30"},
        {".5", 30, "30"},
        // Typed key by key: the count last typed stays, the point and the tenth digit change nothing.
        {"4.5", 4, "4"},
        {"1234567890", 123456789, "123456789"},
        {"999999999", 999999999, "999999999"},
        {"007", 7, "7"},
    };
    for (const CountCase& c : cases) {
        SCOPED_TRACE(c.typed);
        character.age = 30;
        bio.ageBox->setText("30");
        retype(*bio.ageBox, c.typed);
        focus(*bio.nameBox);
        step();
        EXPECT_EQ(character.age, c.age);
        EXPECT_EQ(bio.ageBox->text, c.shown);
    }
}

TEST_F(BioTabTest, EmptiedAgeIsSavedAsZero) {
    retype(*bio.ageBox, "");
    focus(*bio.nameBox);
    EXPECT_EQ(bio.ageBox->text, "0");
    EXPECT_NE(savedFile().find("<Age value=\"0\"/>"), std::string::npos);
}

TEST_F(BioTabTest, EmptiedAgeLeftThroughATabSwitchIsZero) {
    retype(*bio.ageBox, "");
    EXPECT_EQ(character.age, 30) << "an empty box waits until it is left";
    switchTo(Tab::Notes);
    EXPECT_EQ(character.age, 0);
}

TEST_F(BioTabTest, WeightKeepsOnlyCounts) {
    retype(*bio.weightBox, "-5");
    focus(*bio.nameBox);
    EXPECT_EQ(character.weight, 180);
    EXPECT_EQ(bio.weightBox->text, "180");
    EXPECT_TRUE(character.saved);
    retype(*bio.weightBox, "95");
    EXPECT_EQ(character.weight, 95);
    EXPECT_FALSE(character.saved);
}

TEST_F(BioTabTest, KeyInTheSamePollAsATabSwitchIsKept) {
    bio.nameBox->setText("");
    focus(*bio.nameBox);
    // The press reaches the box in this poll; the sheet switches tabs before the tab's next step.
    typeInOnePoll(ui, 'q');
    switchTo(Tab::Notes);
    EXPECT_EQ(bio.nameBox, nullptr);
    EXPECT_EQ(bio.biographyBox, nullptr);
    step();
    EXPECT_EQ(character.name, "q");
}

TEST_F(BioTabTest, NotesSurviveATabSwitch) {
    switchTo(Tab::Notes);
    ASSERT_NE(notes.notesBox, nullptr);
    EXPECT_EQ(notes.notesBox->text, "Owes the ferryman.");
    ASSERT_TRUE(notes.notesBox->editable);
    notes.notesBox->setText("");
    focus(*notes.notesBox);
    ui.typeQuickly("Map");
    switchTo(Tab::Bio);
    EXPECT_EQ(notes.notesBox, nullptr);
    step();
    EXPECT_EQ(character.notes, "Map");
    EXPECT_FALSE(character.saved);
    switchTo(Tab::Notes);
    EXPECT_EQ(notes.notesBox->text, "Map");
    EXPECT_NE(savedFile().find("<Notes value=\"Map\"/>"), std::string::npos);
}

} // namespace

// The same tabs inside the real sheet.
#include "tracker/sheet/sheet_fixture.h"

namespace {

TEST_F(SheetTest, BioKeyAndTabPressInOneUpdateLoseNothing) {
    openSheet();
    pressTab("bioTab");
    ui.step();
    auto* nameBox = ui.find<GameUIEditableTextLineBox>("characterNameTextBox");
    ASSERT_NE(nameBox, nullptr);
    EXPECT_EQ(nameBox->text, "Aldra Venn");
    nameBox->setText("");
    ui.clickElement(*nameBox);
    ui.step();
    ASSERT_TRUE(nameBox->active);
    typeInOnePoll(ui, 'q');
    pressTab("notesTab");
    ui.step();
    EXPECT_EQ(sheet->shownTab, BRAVUITabbedFullCharacterSheet::NotesTab);
    EXPECT_EQ(ui.find<GameUIEditableTextLineBox>("characterNameTextBox"), nullptr);
    EXPECT_EQ(character->name, "q");
}

TEST_F(SheetTest, NotesSurviveATabSwitch) {
    openSheet();
    pressTab("notesTab");
    ui.step();
    auto* notesBox = ui.find<GameUIScrollableTextBox>("notesTextBox");
    ASSERT_NE(notesBox, nullptr);
    ui.clickElement(*notesBox);
    ui.step();
    ui.typeQuickly("Map");
    pressTab("coreStatsTab");
    ui.step();
    pressTab("notesTab");
    ui.step();
    notesBox = ui.find<GameUIScrollableTextBox>("notesTextBox");
    ASSERT_NE(notesBox, nullptr);
    EXPECT_EQ(notesBox->text, "Map");
    EXPECT_EQ(character->notes, "Map");
}

} // namespace
