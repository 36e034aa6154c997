// The font list, font keys and pixel sizes, the update side's metrics, and the colour ids.
#include <gtest/gtest.h>

#include <tinyxml2.h>

#include "app/parameter_description.h"
#include "app/thread_resource_pool.h"
#include "render/font_list.h"
#include "render/font_records.h"
#include "render/font_store.h"
#include "render/render_interface.h"
#include "render/text_colour_ids.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

const std::string dataFonts = std::string(ZODERUD_SOURCE_DIR) + "/Data/fonts/";

TEST(FontList, KeysAndPixelSizes) {
    struct Case {
        std::string name;
        std::uint32_t size;
        std::uint32_t width;
        std::string key;
        std::uint32_t pixels;
    };
    const Case cases[] = {
        {"EBGaramond-Regular", 48, 1280, "EBGaramond-Regular_48", 26},
        {"EBGaramond-Regular", 64, 1280, "EBGaramond-Regular_64", 20},
        {"original-garamond-bold-bt", 48, 3840, "original-garamond-bold-bt_48", 80},
        {"tiny", 2000, 1280, "tiny_2000", 0},
        {"none", 0, 1280, "none_0", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fontKey(c.name, c.size), c.key);
        EXPECT_EQ(fontPixelSize(c.width, c.size), c.pixels) << c.key;
    }
}

TEST(FontList, ReadsEntriesInFileOrderWhateverTheElementName) {
    TempFolder folder;
    const std::string path = folder.write("fonts_to_load.xml",
                                          "<fonts><font name='a' size='48'/><other size='12' colour='x' name='b'/>"
                                          "<font name='c'/></fonts>");
    std::vector<FontListEntry> entries = readFontList(path);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "a");
    EXPECT_EQ(entries[0].size, 48u);
    EXPECT_EQ(entries[1].name, "b");
    EXPECT_EQ(entries[1].size, 12u);
    EXPECT_EQ(entries[2].name, "c");
    EXPECT_EQ(entries[2].size, 0u);

    EXPECT_TRUE(readFontList(folder.write("wrong.xml", "<Fonts><font name='a' size='4'/></Fonts>")).empty());
    EXPECT_TRUE(readFontList(folder.path() + "missing.xml").empty());
}

TEST(FontStore, BadEntriesAreSkippedAndLogged) {
    TempFolder folder;
    folder.write("good.ttf", readFile(dataFonts + "EBGaramond-Regular.ttf"));
    folder.write("broken.ttf", "this is not a font");
    folder.write("fonts_to_load.xml",
                 "<fonts><font name='good' size='0'/><font name='broken' size='48'/><font name='absent' size='48'/>"
                 "<font name='good' size='5000'/><font name='good' size='48'/></fonts>");
    LogCapture log;
    FontStore store;
    store.loadFontList(folder.path(), "abc", 1280, 720);
    EXPECT_EQ(store.fontCount(), 1u);
    EXPECT_NE(store.find("good_48"), nullptr);
    for (const char* key : {"good_0", "broken_48", "absent_48", "good_5000"}) {
        EXPECT_EQ(store.find(key), nullptr) << key;
        EXPECT_TRUE(log.contains(std::string("Skipping font ") + key)) << key;
    }
}

TEST(FontStore, ShippedFontsHoldEveryGlyphOfTheSetLookedUpByUnsignedByte) {
    ThreadResourcePool pool("renderPool");
    ParameterDescriptionRegistry registry;
    RenderInterface renderInterface(&registry, &pool, 1280, 720, "");
    const std::string printable =
        " abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789?!.,;:'+-*&()<>%/_\\|[]{}#`=^$\xA3@~";
    for (const char* key : {"EBGaramond-Regular_48", "EBGaramond-Regular_64", "original-garamond-bold-bt_48"}) {
        const FontRecord* font = renderInterface.findFontRecord(key);
        ASSERT_NE(font, nullptr) << key;
        EXPECT_EQ(font->key, key);
        for (char c : printable) {
            const GlyphRecord* glyph = font->find(static_cast<unsigned char>(c));
            ASSERT_NE(glyph, nullptr) << key << " has no '" << c << "'";
            EXPECT_EQ(glyph->character, static_cast<unsigned char>(c));
            if (c != ' ') {
                EXPECT_GT(glyph->glyphIndex, 0u) << key << " '" << c << "'";
            }
        }
        // The pound sign is the single byte 0xA3 and a real glyph, as wide as a digit or so.
        const GlyphRecord* pound = font->find(0xA3);
        EXPECT_GT(pound->advanceX, 5);
        EXPECT_LT(font->smallestDescent, 0.0f) << "descenders reach below the baseline";
    }
    // 48 at 1280 wide is 26 px: a capital is about two thirds of that tall.
    const GlyphRecord* capital = renderInterface.findFontRecord("EBGaramond-Regular_48")->find('H');
    EXPECT_GE(capital->bearingY, 14);
    EXPECT_LE(capital->bearingY, 22);
    // Every font the default settings name is in the list.
    tinyxml2::XMLDocument defaults;
    ASSERT_EQ(defaults.LoadFile((std::string(ZODERUD_SOURCE_DIR) + "/Data/default_settings/default_fonts.xml").c_str()),
              tinyxml2::XML_SUCCESS);
    int named = 0;
    for (const tinyxml2::XMLElement* font = defaults.RootElement()->FirstChildElement(); font;
         font = font->NextSiblingElement()) {
        const char* key = font->Attribute("name");
        ASSERT_NE(key, nullptr);
        EXPECT_NE(renderInterface.findFontRecord(key), nullptr) << key;
        ++named;
    }
    EXPECT_GE(named, 2);
    EXPECT_EQ(renderInterface.findFontRecord("EBGaramond-Regular_12"), nullptr);
}

TEST(FontStore, MetricsFollowTheUpdateSideWidthAtTheNextHandOff) {
    ThreadResourcePool pool("renderPool");
    ParameterDescriptionRegistry registry;
    RenderInterface renderInterface(&registry, &pool, 1280, 720, "");
    auto advanceOfM = [&] { return renderInterface.findFontRecord("EBGaramond-Regular_48")->find('M')->advanceX; };
    const std::int32_t narrow = advanceOfM();
    renderInterface.setRenderSettings(2560, 1440, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, "High", "Low",
                                      "EBGaramond-Regular_48", "original-garamond-bold-bt_48", 0, 0);
    EXPECT_EQ(advanceOfM(), narrow) << "nothing changes before the hand-off";
    renderInterface.swapFrame();
    EXPECT_GE(advanceOfM(), 2 * narrow - 2);
    EXPECT_LE(advanceOfM(), 2 * narrow + 2);
}

TEST(ColourIds, DatabaseReadsComponentsAsWrittenAndMissingOnesAsZero) {
    TempFolder folder;
    ColourIdTable table;
    readColourIdDatabase(folder.write("colours.xml", "<ColourIDs><c id='one' r='0.5' g='0.25' b='1' a='0.75'/>"
                                                     "<colour id='noAlpha' r='1' extra='3'/></ColourIDs>"),
                         table);
    ASSERT_EQ(table.size(), 2u);
    const TextColour* one = table.find("one");
    ASSERT_NE(one, nullptr);
    EXPECT_FLOAT_EQ(one->r, 0.5f);
    EXPECT_FLOAT_EQ(one->g, 0.25f);
    EXPECT_FLOAT_EQ(one->b, 1.0f);
    EXPECT_FLOAT_EQ(one->a, 0.75f);
    const TextColour* noAlpha = table.find("noAlpha");
    ASSERT_NE(noAlpha, nullptr);
    EXPECT_FLOAT_EQ(noAlpha->r, 1.0f);
    EXPECT_FLOAT_EQ(noAlpha->a, 0.0f);
    EXPECT_EQ(table.find("absent"), nullptr);

    ColourIdTable wrongRoot;
    readColourIdDatabase(folder.write("wrong.xml", "<Colours><c id='one' r='1'/></Colours>"), wrongRoot);
    EXPECT_EQ(wrongRoot.size(), 0u);
}

TEST(ColourIds, ShippedDatabaseGivesBothThreadsTheIdsTheWidgetsUse) {
    ThreadResourcePool pool("renderPool");
    ParameterDescriptionRegistry registry;
    RenderInterface renderInterface(&registry, &pool, 1280, 720, "");
    for (const char* id : {"TitleBarText", "TitleBarTextDisabled", "NewSpellText"}) {
        for (const ColourIdTable* table : {&renderInterface.renderColourIds(), &renderInterface.updateColourIds()}) {
            const TextColour* colour = table->find(id);
            ASSERT_NE(colour, nullptr) << id;
            EXPECT_GT(colour->a, 0.0f) << id << " is visible";
        }
    }
}

} // namespace
