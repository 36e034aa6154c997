// Spell rows in an element list: the shared row pattern (caption box, indent by nesting depth,
// layers, colours of a disabled row, objects rebuilt at each placement) and the level header's
// "+"/"-" button with its events.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "rules/spell_record.h"
#include "support/ui_harness.h"
#include "tracker/rows/bravui_spell_list_item.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_standard_element_list.h"
#include "ui/theme.h"

namespace {

const float listTL[2] = {-0.5f, 0.8f};
const float listBR[2] = {0.5f, -0.8f};
constexpr float lineHeight = 0.05f;

class SpellListItemTest : public ::testing::Test {
protected:
    SpellListItemTest() {
        sleep.level = 1;
        sleep.id = "sleep";
        sleep.displayName = "Sleep";
    }

    void makeList(bool registerLineHeight = true) {
        if (registerLineHeight) ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), lineHeight);
        list = ui.addWindow(new GameUIStandardElementList(0, &ui.context(), listTL, listBR, ui.theme(), "spellsList",
                                                          "", nullptr, false, ""));
        ui.record(list->eventSignal);
        header = new BRAVUISpellListItem(0, &ui.context(), ui.theme(), "expandableSpellLevel", "Level 1", "",
                                         nullptr, 0, 1, list, 1);
        spellRow = new BRAVUISpellListItem(0, &ui.context(), ui.theme(), "sleep", "Sleep", "", &sleep, 1, 1, list, 0);
        list->addItem(header);
        list->addItem(spellRow);
        ui.step();
    }

    // Screen units across that one line height covers.
    float oneLineAcross() const {
        return lineHeight * static_cast<float>(ui.height()) / static_cast<float>(ui.width());
    }

    UIHarness ui;
    SpellRecord sleep;
    GameUIStandardElementList* list = nullptr;
    BRAVUISpellListItem* header = nullptr;
    BRAVUISpellListItem* spellRow = nullptr;
};

TEST_F(SpellListItemTest, CaptionBoxIsLeftAlignedCentredAndIndentedByNestingDepth) {
    makeList();
    ASSERT_TRUE(header->placed());
    ASSERT_NE(header->textObject, nullptr);
    ASSERT_NE(spellRow->textObject, nullptr);
    EXPECT_EQ(UIHarness::stringOf(header->textObject), "Level 1");
    EXPECT_EQ(UIHarness::stringOf(spellRow->textObject), "Sleep");
    EXPECT_EQ(UIHarness::intOf(spellRow->textObject, "horizAlignment"), -1);
    EXPECT_EQ(UIHarness::intOf(spellRow->textObject, "vertAlignment"), 0);

    const auto headerTL = UIHarness::vector2Of(header->textObject, "topLeft");
    const auto spellTL = UIHarness::vector2Of(spellRow->textObject, "topLeft");
    const auto spellBR = UIHarness::vector2Of(spellRow->textObject, "bottomRight");
    EXPECT_FLOAT_EQ(headerTL[0], header->absTopLeft[0]) << "a header is not indented";
    EXPECT_FLOAT_EQ(spellTL[0], spellRow->absTopLeft[0] + oneLineAcross());
    EXPECT_FLOAT_EQ(spellTL[1], spellRow->absTopLeft[1]);
    EXPECT_FLOAT_EQ(spellBR[0], spellRow->absBottomRight[0]);
    EXPECT_FLOAT_EQ(spellBR[1], spellRow->absBottomRight[1]);
    // One line height in pixels both ways.
    const float indentPixels = (spellTL[0] - spellRow->absTopLeft[0]) * static_cast<float>(ui.width()) / 2.0f;
    EXPECT_NEAR(indentPixels, lineHeight * static_cast<float>(ui.height()) / 2.0f, 1e-3f);
}

TEST_F(SpellListItemTest, WithoutADefaultFontLineHeightNothingIsIndented) {
    makeList(false);
    // The list places no rows without a line height either; the row is placed by hand.
    spellRow->placeInList(-0.95f, 0.9f, 0.9f, 0.8f, false);
    ASSERT_NE(spellRow->textObject, nullptr);
    EXPECT_FLOAT_EQ(UIHarness::vector2Of(spellRow->textObject, "topLeft")[0], spellRow->absTopLeft[0]);
}

TEST_F(SpellListItemTest, OnlyAHeaderHasTheExpandButtonAtTheRightEdgeAboveItsCaption) {
    makeList();
    EXPECT_EQ(spellRow->expandButton, nullptr);
    EXPECT_TRUE(spellRow->children.empty());
    GameUIPushButton* button = header->expandButton;
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->name, "expandContentsButton");
    EXPECT_EQ(button->caption, "-");
    EXPECT_EQ(button->toolTipText, "Expand contents");
    // 16 by 16 pixels, its right edge at 0.99 of the row, centred vertically.
    const float width = (button->absBottomRight[0] - button->absTopLeft[0]) * static_cast<float>(ui.width()) / 2.0f;
    const float height = (button->absTopLeft[1] - button->absBottomRight[1]) * static_cast<float>(ui.height()) / 2.0f;
    EXPECT_NEAR(width, 16.0f, 1e-3f);
    EXPECT_NEAR(height, 16.0f, 1e-3f);
    const float rowHalf = (header->absBottomRight[0] - header->absTopLeft[0]) * 0.5f;
    EXPECT_NEAR(button->absBottomRight[0], header->absTopLeft[0] + rowHalf * 1.99f, 1e-5f);
    EXPECT_NEAR(button->absTopLeft[1] + button->absBottomRight[1], header->absTopLeft[1] + header->absBottomRight[1],
                1e-5f);

    const std::uint32_t highlight = UIHarness::layerOf(header->highlightObject);
    EXPECT_EQ(UIHarness::layerOf(header->textObject), highlight + 1);
    EXPECT_GT(UIHarness::layerOf(button->captionBox), UIHarness::layerOf(header->textObject));
    EXPECT_GE(header->topDepth, UIHarness::layerOf(button->captionBox));
}

TEST_F(SpellListItemTest, HeaderButtonReportsContractWhenExpandedAndExpandWhenCollapsed) {
    makeList();
    ui.clearEvents();
    ui.clickElement(*header->expandButton);
    ASSERT_EQ(ui.countEvents(UIEvent::Click, "contractContents"), 1u);
    EXPECT_EQ(ui.events().back().value, 0u);
    EXPECT_EQ(ui.events().back().source, header);
    EXPECT_EQ(ui.events().back().parentName, "spellsList");

    // The owner collapses the level; the next placement shows "+".
    header->expanded = 0;
    list->layoutItems(0);
    ASSERT_NE(header->expandButton, nullptr);
    EXPECT_EQ(header->expandButton->caption, "+");
    ui.clearEvents();
    ui.clickElement(*header->expandButton);
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "expandContents"), 1u);
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "contractContents"), 0u);

    // Below another row the header reports its own, new index.
    list->insertItem(new BRAVUISpellListItem(0, &ui.context(), ui.theme(), "expandableSpellLevel", "Level 0", "",
                                             nullptr, 0, 0, list, 1),
                     0);
    ui.step();
    ui.clearEvents();
    ui.clickElement(*header->expandButton);
    ASSERT_EQ(ui.countEvents(UIEvent::Click, "expandContents"), 1u);
    EXPECT_EQ(ui.events().back().value, 1u);
}

TEST_F(SpellListItemTest, ClickingACaptionReportsTheRowItselfNotAButton) {
    makeList();
    ui.clearEvents();
    ui.clickElement(*spellRow);
    ASSERT_EQ(ui.countEvents(UIEvent::Click, "sleep"), 1u);
    EXPECT_EQ(ui.events().back().value, 1u);
}

TEST_F(SpellListItemTest, PlacementsRebuildTheObjectsWithoutLeavingOldOnes) {
    makeList();
    const std::size_t textBoxes = ui.objects("TextBox").size();
    for (int i = 0; i < 3; ++i) list->layoutItems(0);
    ui.step();
    EXPECT_EQ(ui.objects("TextBox").size(), textBoxes);
    ASSERT_NE(header->expandButton, nullptr);

    header->removeFromList();
    EXPECT_EQ(header->textObject, nullptr);
    EXPECT_EQ(header->expandButton, nullptr);
    EXPECT_TRUE(header->children.empty());
    ui.step();
    // The row's caption and the button's caption are gone.
    EXPECT_EQ(ui.objects("TextBox").size(), textBoxes - 2);
}

TEST_F(SpellListItemTest, ADisabledRowPlacedAgainShowsTheDisabledTextColours) {
    makeList();
    const Theme& theme = *ui.theme();
    const auto colour = [](const float* c) { return std::array<float, 4>{c[0], c[1], c[2], c[3]}; };
    EXPECT_EQ(UIHarness::colourOf(header->textObject), colour(theme[Theme::TextNormal]));
    header->disable();
    EXPECT_EQ(UIHarness::colourOf(header->textObject), colour(theme[Theme::TextDisabled]));
    EXPECT_EQ(UIHarness::colourOf(header->textObject, "colour2"), colour(theme[Theme::TextDisabled2]));
    // Placed again, selected or not.
    list->layoutItems(0);
    EXPECT_EQ(UIHarness::colourOf(header->textObject), colour(theme[Theme::TextDisabled]));
    EXPECT_EQ(UIHarness::colourOf(header->highlightObject), colour(theme[Theme::WidgetDisabled]));
    list->selectItem(0);
    ui.step();
    list->layoutItems(0);
    EXPECT_EQ(UIHarness::colourOf(header->textObject), colour(theme[Theme::TextDisabled]));
    ASSERT_NE(header->expandButton, nullptr);
    EXPECT_TRUE(header->expandButton->disabled);

    header->disabled = 0;
    header->onEnabled();
    EXPECT_EQ(UIHarness::colourOf(header->textObject), colour(theme[Theme::TextNormal]));
    EXPECT_EQ(UIHarness::colourOf(header->textObject, "colour2"), colour(theme[Theme::TextNormal2]));
}

} // namespace
