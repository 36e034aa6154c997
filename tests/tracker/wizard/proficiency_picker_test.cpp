// The proficiency picker driven by clicks on a small catalogue: what each scenario of picks,
// typed domains, upgrades, downgrades and dumps leaves in the lists, the records and, after Next
// Step, the character; Next Step on lists with nothing left to take; spent picks on rows out of
// view; typed domains that are taken; and list events whose row moved or changed kind.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/input/key_codes.h"
#include "rules/character_class_catalogue.h"
#include "rules/character_sheet.h"
#include "rules/equipment_catalogue.h"
#include "rules/proficiency_catalogue.h"
#include "rules/spell_catalogue.h"
#include "support/temp_folder.h"
#include "support/ui_harness.h"
#include "tracker/wizard/bravui_pick_proficiencies.h"
#include "tracker/wizard/bravui_pick_proficiency_list_item.h"
#include "tracker/wizard/bravui_proficiency_domain_picker.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_scrollable_text_box.h"
#include "ui/game_ui_standard_element_list.h"
#include "ui/theme.h"

namespace {

// id, display name, can be upgraded, has a domain, highest rank.
struct ProficiencyFile {
    const char* id;
    const char* name;
    int upgradeable;
    int domain;
    int maxLevel;
};

const ProficiencyFile proficiencyFiles[] = {
    {"knowledge", "Knowledge", 1, 1, 3}, {"riding", "Riding", 1, 0, 3},     {"swimming", "Swimming", 1, 0, 2},
    {"haggling", "Haggling", 0, 0, 3},   {"climbing", "Climbing", 1, 0, 3}, {"alertness", "Alertness", 1, 0, 3},
    {"weapon_focus", "Weapon Focus", 1, 1, 2},
};

const char* const generalList = R"(<ProficiencyList id="general" name="General">
    <knowledge /><knowledge domain="local history" /><riding /><swimming /><haggling /><climbing />
</ProficiencyList>)";
const char* const tinyList = R"(<ProficiencyList id="tiny" name="Tiny"><haggling /></ProficiencyList>)";
const char* const fighterList = R"(<ProficiencyList id="fighter" name="Fighter">
    <weapon_focus /><weapon_focus domain="sword" /><riding />
</ProficiencyList>)";

// A line height that gives the lists a handful of rows each.
constexpr float lineHeight = 0.05f;

struct Held {
    std::string id;
    std::string domain;
    int level;
    bool operator==(const Held&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Held& held) {
    return out << held.id << "(" << held.domain << ")@" << held.level;
}

struct RecordView {
    std::string id;
    std::string domain;
    bool isNew;
    std::uint32_t upgrades;
    bool operator==(const RecordView&) const = default;
};

std::ostream& operator<<(std::ostream& out, const RecordView& record) {
    return out << record.id << "(" << record.domain << ")" << (record.isNew ? " new" : "") << " +" << record.upgrades;
}

struct Action {
    enum Kind { Pick, Dump, Upgrade, Downgrade } kind;
    std::string caption;
    // Typed into the domain picker that a generic row opens.
    std::string domain;
};

class ProficiencyPickerTest : public ::testing::Test {
protected:
    ProficiencyPickerTest() {
        for (const ProficiencyFile& file : proficiencyFiles) {
            data.write(std::string("Data/proficiencies/all_proficiencies/") + file.id + ".xml",
                       std::string("<Proficiency id=\"") + file.id + "\" displayName=\"" + file.name +
                           "\" canBeUpgraded=\"" + std::to_string(file.upgradeable) + "\" hasDomain=\"" +
                           std::to_string(file.domain) + "\" maxLevel=\"" + std::to_string(file.maxLevel) +
                           "\"><Description text=\"About " + file.name + ".\" /></Proficiency>");
        }
        data.write("Data/proficiencies/general.xml", generalList);
        data.write("Data/proficiencies/tiny.xml", tinyList);
        data.write("Data/proficiencies/fighter.xml", fighterList);
        catalogue.loadProficiencyCatalogue("Data/proficiencies/all_proficiencies/");
        catalogue.loadProficiencyLists("Data/proficiencies/");
        ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), lineHeight);
    }

    void own(const std::vector<Held>& held) {
        for (const Held& h : held) {
            character.addProficiency(h.id, h.domain);
            character.proficiencies.back()->level = h.level;
        }
    }

    BRAVUIPickProficiencies* open(const std::string& listId, std::uint32_t picks) {
        (listId == "general" ? character.unallocatedGeneralProficiencySlots
                             : character.unallocatedClassProficiencySlots) = static_cast<std::int32_t>(picks);
        const float tl[2] = {-0.95f, 0.9f}, br[2] = {0.95f, -0.7f};
        window = ui.addWindow(new BRAVUIPickProficiencies(0, &ui.context(), ui.theme(), tl, br, 8, listId, picks,
                                                          "Step 3: Pick or upgrade proficiencies from general list",
                                                          &catalogue, &character),
                              true);
        ui.record(window->windowSignal);
        ui.step();
        return window;
    }

    // Click, the list's report, the window's act, and the removals and layout that follow.
    void clickAndSettle(const GameUIBaseElement& element) {
        ui.clickElement(element);
        ui.step();
        ui.step();
    }

    static BRAVUIPickProficiencyListItem* rowOf(GameUIStandardElementList* list, const std::string& caption) {
        for (GameUIBaseListItem* item : list->items) {
            auto* row = dynamic_cast<BRAVUIPickProficiencyListItem*>(item);
            if (row && row->text == caption) return row;
        }
        return nullptr;
    }

    // The row, scrolled into view so that its buttons exist.
    BRAVUIPickProficiencyListItem* shownRow(GameUIStandardElementList* list, const std::string& caption) {
        BRAVUIPickProficiencyListItem* row = rowOf(list, caption);
        if (!row) return nullptr;
        list->scrollTo(static_cast<std::int32_t>(row->index));
        ui.step();
        return row->placed() ? row : nullptr;
    }

    BRAVUIProficiencyDomainPicker* picker() const {
        return ui.find<BRAVUIProficiencyDomainPicker>("domainPickerPanel");
    }

    void typeDomain(const std::string& domain) {
        BRAVUIProficiencyDomainPicker* open = picker();
        ASSERT_NE(open, nullptr);
        ui.typeString(domain);
        ui.step();
        ASSERT_FALSE(open->doneButton->disabled) << domain;
        clickAndSettle(*open->doneButton);
        EXPECT_EQ(picker(), nullptr);
    }

    void perform(const Action& action) {
        SCOPED_TRACE(action.caption);
        GameUIStandardElementList* list = action.kind == Action::Pick ? window->availableList : window->pickedList;
        BRAVUIPickProficiencyListItem* row = shownRow(list, action.caption);
        ASSERT_NE(row, nullptr);
        GameUIPushButton* button = action.kind == Action::Upgrade     ? row->upgradeButton
                                   : action.kind == Action::Downgrade ? row->downgradeButton
                                                                      : row->pickDumpButton;
        ASSERT_NE(button, nullptr);
        ASSERT_FALSE(button->disabled);
        clickAndSettle(*button);
        if (!action.domain.empty()) typeDomain(action.domain);
    }

    static std::vector<std::string> captions(const GameUIStandardElementList* list) {
        std::vector<std::string> out;
        for (GameUIBaseListItem* item : list->items) out.push_back(item->getSortKey());
        return out;
    }

    std::vector<RecordView> records() const {
        std::vector<RecordView> out;
        for (const ProficiencyPickRecord& record : window->picks) {
            out.push_back({record.id, record.domain, record.isNew != 0, record.upgrades});
        }
        return out;
    }

    std::vector<Held> held() const {
        std::vector<Held> out;
        for (const auto& proficiency : character.proficiencies) {
            out.push_back({proficiency->id, proficiency->domain, proficiency->level});
        }
        return out;
    }

    TempFolder data;
    ProficiencyCatalogue catalogue{data.path()};
    CharacterClassCatalogue classes{"", nullptr, nullptr};
    EquipmentCatalogue equipment{""};
    SpellCatalogue spells{""};
    CharacterSheet character{nullptr, classes, catalogue, equipment, spells};
    UIHarness ui;
    BRAVUIPickProficiencies* window = nullptr;
};

TEST_F(ProficiencyPickerTest, BuildsTheTitledListsTheFirstDescriptionAndALockedNextStep) {
    open("general", 2);
    EXPECT_EQ(window->name, "createAttributesWindow");
    EXPECT_EQ(window->closeButton, nullptr);
    EXPECT_EQ(window->picksLabel->text, "<id='TitleBarText'[*Pick 2 more proficiencies]>");
    EXPECT_NE(ui.objectWithString("<id='TitleBarText'[*Upgradeable & Picked Proficiencies]>"), nullptr);
    EXPECT_NE(ui.objectWithString("<id='TitleBarText'[*Description]>"), nullptr);
    EXPECT_EQ(window->availableList->name, "proficienciesList");
    EXPECT_EQ(window->pickedList->name, "proficienciesList");
    EXPECT_EQ(window->descriptionBox->text, "About Knowledge.") << "the list's first member";
    EXPECT_EQ(window->nextStepButton->name, "rerollStatsButton");
    EXPECT_EQ(window->nextStepButton->caption, "Next Step");
    EXPECT_TRUE(window->nextStepButton->disabled);

    BRAVUIPickProficiencyListItem* riding = shownRow(window->availableList, "Riding");
    ASSERT_NE(riding, nullptr);
    EXPECT_EQ(riding->name, "riding");
    ASSERT_NE(riding->pickDumpButton, nullptr);
    EXPECT_EQ(riding->pickDumpButton->name, "pickButton");
    EXPECT_EQ(riding->pickDumpButton->caption, "pick");
    EXPECT_EQ(riding->upgradeButton, nullptr);
    EXPECT_EQ(UIHarness::stringOf(riding->textObject), "Riding");
    EXPECT_GT(UIHarness::layerOf(riding->textObject), UIHarness::layerOf(riding->highlightObject));

    ui.clickElement(*riding);
    ui.step();
    ui.step();
    EXPECT_EQ(window->descriptionBox->text, "About Riding.");
    EXPECT_TRUE(window->picks.empty()) << "a click on the row itself picks nothing";
}

TEST_F(ProficiencyPickerTest, ScenariosLeaveListsRecordsAndCharacter) {
    struct Scenario {
        const char* what;
        const char* listId;
        std::uint32_t picks;
        std::vector<Held> owned;
        std::vector<Action> actions;
        std::uint32_t picksLeft;
        std::vector<std::string> available;
        std::vector<std::string> picked;
        std::vector<RecordView> records;
        bool nextStep;
        // After Next Step: the character's proficiencies and the list's unallocated count.
        std::vector<Held> after;
        std::int32_t countAfter;
    };
    const std::vector<std::string> wholeGeneral = {"Climbing", "Haggling", "Knowledge", "Knowledge (local history)",
                                                   "Riding",   "Swimming"};
    const Scenario scenarios[] = {
        {"no picks: Next Step at once, nothing written", "general", 0, {}, {}, 0, wholeGeneral, {}, {}, true, {}, 0},
        {"Knowledge twice with typed domains, then the listed domain",
         "general",
         3,
         {},
         {{Action::Pick, "Knowledge", "History"},
          {Action::Pick, "Knowledge", "Law"},
          {Action::Pick, "Knowledge (local history)", ""}},
         0,
         {"Climbing", "Haggling", "Knowledge", "Riding", "Swimming"},
         {"Knowledge (History)", "Knowledge (Law)", "Knowledge (local history)"},
         {{"knowledge", "History", true, 0}, {"knowledge", "Law", true, 0}, {"knowledge", "local history", true, 0}},
         true,
         {{"knowledge", "History", 1}, {"knowledge", "Law", 1}, {"knowledge", "local history", 1}},
         0},
        {"a pick upgraded in the same window is added, then upgraded, for two picks",
         "general",
         2,
         {},
         {{Action::Pick, "Riding", ""}, {Action::Upgrade, "Riding", ""}},
         0,
         {"Climbing", "Haggling", "Knowledge", "Knowledge (local history)", "Swimming"},
         {"Riding Rank: 2"},
         {{"riding", "", true, 1}},
         true,
         {{"riding", "", 2}},
         0},
        {"owned at the top rank, not upgradeable or off the list: not offered; the rest upgraded",
         "general",
         1,
         {{"climbing", "", 3}, {"haggling", "", 1}, {"alertness", "", 1}, {"swimming", "", 1}},
         {{Action::Upgrade, "Swimming", ""}},
         0,
         {"Knowledge", "Knowledge (local history)", "Riding"},
         {"Swimming Rank: 2"},
         {{"swimming", "", false, 1}},
         true,
         {{"climbing", "", 3}, {"haggling", "", 1}, {"alertness", "", 1}, {"swimming", "", 2}},
         0},
        {"dumping a pick with two upgrades gives three picks back",
         "general",
         3,
         {},
         {{Action::Pick, "Riding", ""},
          {Action::Upgrade, "Riding", ""},
          {Action::Upgrade, "Riding Rank: 2", ""},
          {Action::Dump, "Riding Rank: 3", ""}},
         3,
         wholeGeneral,
         {},
         {},
         false,
         {},
         3},
        {"a dumped typed domain does not come back beside its generic row",
         "general",
         2,
         {},
         {{Action::Pick, "Knowledge", "History"}, {Action::Dump, "Knowledge (History)", ""}},
         2,
         wholeGeneral,
         {},
         {},
         false,
         {},
         2},
        {"a downgrade takes back an upgrade of an owned row; two more spend the picks",
         "general",
         2,
         {{"riding", "", 1}},
         {{Action::Upgrade, "Riding", ""},
          {Action::Downgrade, "Riding Rank: 2", ""},
          {Action::Upgrade, "Riding", ""},
          {Action::Upgrade, "Riding Rank: 2", ""}},
         0,
         {"Climbing", "Haggling", "Knowledge", "Knowledge (local history)", "Swimming"},
         {"Riding Rank: 3"},
         {{"riding", "", false, 2}},
         true,
         {{"riding", "", 3}},
         0},
        {"a list too small for its picks: Next Step once it is empty, the rest unallocated",
         "tiny",
         3,
         {},
         {{Action::Pick, "Haggling", ""}},
         2,
         {},
         {"Haggling"},
         {{"haggling", "", true, 0}},
         true,
         {{"haggling", "", 1}},
         2},
        {"a list whose every member is owned and at its end: Next Step at once",
         "tiny",
         2,
         {{"haggling", "", 1}},
         {},
         2,
         {},
         {},
         {},
         true,
         {{"haggling", "", 1}},
         2},
        {"class-list picks lower the class count",
         "fighter",
         2,
         {},
         {{Action::Pick, "Weapon Focus (sword)", ""}, {Action::Pick, "Riding", ""}},
         0,
         {"Weapon Focus"},
         {"Riding", "Weapon Focus (sword)"},
         {{"weapon_focus", "sword", true, 0}, {"riding", "", true, 0}},
         true,
         {{"weapon_focus", "sword", 1}, {"riding", "", 1}},
         0},
    };
    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.what);
        if (window) ui.windowManager().removeWindow(window);
        ui.step();
        character.proficiencies.clear();
        own(s.owned);
        // The other list's count is left alone.
        character.unallocatedGeneralProficiencySlots = character.unallocatedClassProficiencySlots = 7;
        open(s.listId, s.picks);
        for (const Action& action : s.actions) perform(action);
        if (HasFatalFailure()) return;
        EXPECT_EQ(window->picksLeft, s.picksLeft);
        EXPECT_EQ(window->picksLabel->text,
                  "<id='TitleBarText'[*Pick " + std::to_string(s.picksLeft) + " more proficiencies]>");
        EXPECT_EQ(captions(window->availableList), s.available);
        EXPECT_EQ(captions(window->pickedList), s.picked);
        EXPECT_EQ(records(), s.records);
        EXPECT_EQ(!window->nextStepButton->disabled, s.nextStep);

        const std::vector<Held> before = held();
        ui.clearEvents();
        clickAndSettle(*window->nextStepButton);
        const bool general = std::string(s.listId) == "general";
        const std::int32_t count = general ? character.unallocatedGeneralProficiencySlots
                                           : character.unallocatedClassProficiencySlots;
        const std::int32_t other = general ? character.unallocatedClassProficiencySlots
                                           : character.unallocatedGeneralProficiencySlots;
        EXPECT_EQ(other, 7);
        if (s.nextStep) {
            EXPECT_EQ(ui.countEvents(UIEvent::Click, "nextStep"), 1u);
            EXPECT_EQ(held(), s.after);
            EXPECT_EQ(count, s.countAfter);
        } else {
            EXPECT_EQ(ui.countEvents(UIEvent::Click, "nextStep"), 0u);
            EXPECT_EQ(held(), before);
            EXPECT_EQ(count, static_cast<std::int32_t>(s.picks));
        }
    }
}

TEST_F(ProficiencyPickerTest, UpgradeToTheTopRankDropsPlusAndADowngradeSwapsTheButtonsBack) {
    own({{"swimming", "", 1}});
    open("general", 2);
    BRAVUIPickProficiencyListItem* swimming = shownRow(window->pickedList, "Swimming");
    ASSERT_NE(swimming, nullptr);
    EXPECT_EQ(swimming->pickDumpButton, nullptr) << "an owned row cannot be dumped";
    ASSERT_NE(swimming->upgradeButton, nullptr);
    EXPECT_EQ(swimming->upgradeButton->caption, "+");
    EXPECT_EQ(swimming->downgradeButton, nullptr);
    clickAndSettle(*swimming->upgradeButton);
    EXPECT_EQ(UIHarness::stringOf(swimming->textObject), "Swimming Rank: 2");
    EXPECT_EQ(swimming->upgradeButton, nullptr) << "rank 2 is the top";
    ASSERT_NE(swimming->downgradeButton, nullptr);
    EXPECT_EQ(swimming->downgradeButton->caption, "-");
    clickAndSettle(*swimming->downgradeButton);
    EXPECT_EQ(UIHarness::stringOf(swimming->textObject), "Swimming");
    EXPECT_NE(swimming->upgradeButton, nullptr);
    EXPECT_EQ(swimming->downgradeButton, nullptr);
    EXPECT_EQ(window->picksLeft, 2u);
}

TEST_F(ProficiencyPickerTest, SpentPicksHoldBackPlusOnRowsScrolledIntoViewAndOnNewRows) {
    std::vector<Held> owned;
    for (char d = 'a'; d <= 'l'; ++d) owned.push_back({"knowledge", std::string("field ") + d, 1});
    own(owned);
    open("general", 1);
    ASSERT_GT(window->pickedList->itemCount(), window->pickedList->visibleRows) << "some rows out of view";
    const auto plusStates = [&] {
        std::vector<bool> enabled;
        for (GameUIBaseListItem* item : window->pickedList->items) {
            auto* row = static_cast<BRAVUIPickProficiencyListItem*>(item);
            if (row->placed() && row->canUpgrade) {
                EXPECT_NE(row->upgradeButton, nullptr) << row->text;
                if (row->upgradeButton) enabled.push_back(!row->upgradeButton->disabled);
            }
        }
        return enabled;
    };
    const auto all = [](const std::vector<bool>& states, bool value) {
        return !states.empty() && std::all_of(states.begin(), states.end(), [&](bool s) { return s == value; });
    };

    perform({Action::Pick, "Riding", ""});
    ASSERT_EQ(window->picksLeft, 0u);
    BRAVUIPickProficiencyListItem* riding = shownRow(window->pickedList, "Riding");
    ASSERT_NE(riding, nullptr);
    ASSERT_NE(riding->upgradeButton, nullptr);
    EXPECT_TRUE(riding->upgradeButton->disabled) << "the row added by the last pick";
    for (std::int32_t first : {0, window->pickedList->maxFirstVisible()}) {
        window->pickedList->scrollTo(first);
        ui.step();
        EXPECT_TRUE(all(plusStates(), false)) << "first row " << first;
    }
    EXPECT_TRUE(window->availableList->disabled);
    // Rows the disabled list places again show it in their captions too.
    window->availableList->scrollTo(window->availableList->maxFirstVisible());
    ui.step();
    BRAVUIPickProficiencyListItem* climbing = rowOf(window->availableList, "Climbing");
    ASSERT_TRUE(climbing && climbing->placed());
    const ThemeColour& disabledText = ui.theme()->colour(Theme::TextDisabled);
    EXPECT_EQ(UIHarness::colourOf(climbing->textObject),
              (std::array<float, 4>{disabledText.r, disabledText.g, disabledText.b, disabledText.a}));

    perform({Action::Dump, "Riding", ""});
    ASSERT_EQ(window->picksLeft, 1u);
    for (std::int32_t first : {window->pickedList->maxFirstVisible(), 0}) {
        window->pickedList->scrollTo(first);
        ui.step();
        EXPECT_TRUE(all(plusStates(), true)) << "first row " << first;
    }
    EXPECT_FALSE(window->availableList->disabled);
    EXPECT_TRUE(window->nextStepButton->disabled);
}

TEST_F(ProficiencyPickerTest, ATypedDomainThatIsListedPickedOrOwnedIsRefused) {
    open("general", 3);
    perform({Action::Pick, "Knowledge", "History"});
    for (const char* taken : {"History", "local history"}) {
        SCOPED_TRACE(taken);
        BRAVUIPickProficiencyListItem* generic = shownRow(window->availableList, "Knowledge");
        ASSERT_NE(generic, nullptr);
        clickAndSettle(*generic->pickDumpButton);
        BRAVUIProficiencyDomainPicker* open = picker();
        ASSERT_NE(open, nullptr);
        ui.typeString(taken);
        ui.step();
        ASSERT_TRUE(open->doneButton->disabled);
        ui.clickElement(*open->doneButton);
        ui.step();
        ui.step();
        EXPECT_EQ(picker(), open) << "the picker stays until a free domain is given";
        EXPECT_EQ(window->picks.size(), 1u);
        // The click on Done took the edit focus from the line.
        ui.clickElement(*open->domainLine);
        ui.step();
        for (std::size_t i = 0; i < std::string(taken).size(); ++i) ui.tapKey(platform::key::Back);
        ui.typeString("Law");
        ui.step();
        ASSERT_FALSE(open->doneButton->disabled) << open->domainLine->text;
        // Leave through a free domain, then dump it again for the next case.
        clickAndSettle(*open->doneButton);
        perform({Action::Dump, "Knowledge (Law)", ""});
    }
    EXPECT_EQ(records(), (std::vector<RecordView>{{"knowledge", "History", true, 0}}));

    // A domain the character owns is refused too.
    character.addProficiency("knowledge", "Heraldry");
    const std::vector<std::string> taken = window->takenDomains("knowledge");
    EXPECT_NE(std::find(taken.begin(), taken.end(), "Heraldry"), taken.end());
}

TEST_F(ProficiencyPickerTest, AnEventWhoseRowMovedOrIsOfAnotherKindDoesNothing) {
    open("general", 5);
    // Events as the lists gave them, delivered after picks have moved the rows they name.
    const auto eventFor = [](BRAVUIPickProficiencyListItem* row, const char* word) {
        UIEvent::Data event;
        event.type = UIEvent::Click;
        event.name = word;
        event.source = row;
        event.value = row->index;
        return event;
    };
    UIEvent::Data pickHaggling = eventFor(rowOf(window->availableList, "Haggling"), "pickOrDump");
    perform({Action::Pick, "Riding", ""});
    UIEvent::Data dumpRiding = eventFor(rowOf(window->pickedList, "Riding"), "pickOrDump");
    perform({Action::Pick, "Climbing", ""});
    ASSERT_EQ(captions(window->pickedList), (std::vector<std::string>{"Climbing", "Riding"}));
    ASSERT_EQ(window->availableList->items[pickHaggling.value]->getSortKey(), "Knowledge");
    window->onAvailableListEvent(pickHaggling);
    window->onPickedListEvent(dumpRiding);
    ui.step();
    ui.step();
    EXPECT_EQ(picker(), nullptr) << "Knowledge, now at Haggling's old index, was not picked";
    EXPECT_EQ(captions(window->pickedList), (std::vector<std::string>{"Climbing", "Riding"}))
        << "Climbing, now at Riding's old index, was not dumped";
    EXPECT_EQ(records(), (std::vector<RecordView>{{"riding", "", true, 0}, {"climbing", "", true, 0}}));
    EXPECT_EQ(window->picksLeft, 3u);

    // Events naming a row that no longer has that button, or an index past the rows.
    perform({Action::Upgrade, "Climbing", ""});
    perform({Action::Upgrade, "Climbing Rank: 2", ""});
    perform({Action::Downgrade, "Climbing Rank: 3", ""});
    BRAVUIPickProficiencyListItem* climbing = rowOf(window->pickedList, "Climbing Rank: 2");
    ASSERT_NE(climbing, nullptr);
    ASSERT_EQ(window->picksLeft, 2u);
    climbing->canUpgrade = 0;
    UIEvent::Data outOfRange = eventFor(climbing, "pickOrDump");
    outOfRange.value = 99;
    for (UIEvent::Data event : {eventFor(climbing, "downgrade"), eventFor(climbing, "upgrade"), outOfRange}) {
        SCOPED_TRACE(event.name);
        window->onPickedListEvent(event);
        ui.step();
        ui.step();
        EXPECT_EQ(window->picksLeft, 2u);
        EXPECT_EQ(climbing->getChoice().second, 2);
        EXPECT_EQ(records(), (std::vector<RecordView>{{"riding", "", true, 0}, {"climbing", "", true, 1}}));
    }
}

} // namespace
