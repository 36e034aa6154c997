// Theme files: what is read, what is ignored, the defaults, and the folder the window manager loads.
#include <gtest/gtest.h>

#include "support/log_capture.h"
#include "support/temp_folder.h"
#include "ui/theme.h"
#include "ui/window_manager.h"

namespace {

void expectColour(const ThemeColour& colour, float r, float g, float b, float a, const std::string& what) {
    EXPECT_FLOAT_EQ(colour.r, r) << what;
    EXPECT_FLOAT_EQ(colour.g, g) << what;
    EXPECT_FLOAT_EQ(colour.b, b) << what;
    EXPECT_FLOAT_EQ(colour.a, a) << what;
}

std::string themeFile(const std::string& colours) {
    return "<?xml version=\"1.0\"?>\n<Theme><Colours>" + colours + "</Colours></Theme>\n";
}

TEST(Theme, FileContents) {
    TempFolder folder;
    struct Case {
        const char* what;
        std::string contents;
        Theme::Slot slot;
        float r, g, b, a;
    };
    const Case cases[] = {
        {"only a given", themeFile("<Widget><Normal a=\"0.3\"/></Widget>"), Theme::WidgetNormal, 0.4f, 0.4f, 0.4f, 0.3f},
        {"all four", themeFile("<Widget><Normal r=\"0.2\" g=\"0.2\" b=\"0.3\" a=\"0.8\"/></Widget>"), Theme::WidgetNormal,
         0.2f, 0.2f, 0.3f, 0.8f},
        {"root not Theme", "<Skin><Colours><Widget><Normal r=\"0.9\"/></Widget></Colours></Skin>", Theme::WidgetNormal,
         0.4f, 0.4f, 0.4f, 0.5f},
        {"Outline outside Panel", themeFile("<Outline r=\"0\" g=\"0\" b=\"0\" a=\"0\"/>"), Theme::PanelOutline, 1, 1, 1, 1},
        {"entry a section does not take", themeFile("<Widget><Outline r=\"0\"/></Widget>"), Theme::PanelOutline, 1, 1, 1, 1},
        {"later entry wins", themeFile("<Text><Normal2 r=\"0.1\"/></Text><Text><Normal2 r=\"0.7\"/></Text>"),
         Theme::TextNormal2, 0.7f, 0.5f, 0.5f, 1.0f},
        {"unparsable number is zero", themeFile("<Panel><Hovered g=\"green\"/></Panel>"), Theme::PanelHovered, 0.2f,
         0.0f, 0.2f, 1.0f},
        {"no default: zero", themeFile(""), Theme::SolidPanelNormal, 0, 0, 0, 0},
        {"not well-formed", "<Theme><Colours><Widget><Normal r=\"0.9\"", Theme::WidgetNormal, 0.4f, 0.4f, 0.4f, 0.5f},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string path = folder.write("theme" + std::to_string(n++) + ".xml", c.contents);
        Theme theme(path);
        expectColour(theme.colour(c.slot), c.r, c.g, c.b, c.a, c.what);
    }
}

TEST(Theme, TheLastFadeInOfAStatePairWins) {
    TempFolder folder;
    Theme theme(folder.write("fade.xml", themeFile("<Text><Normal fadeIn=\"0.5\"/><Normal2 fadeIn=\"1.0\"/>"
                                                   "<Hovered fadeIn=\"0.25\"/></Text>"
                                                   "<Widget><Normal fadeIn=\"9\"/></Widget>")));
    EXPECT_EQ(theme.fades[Theme::FadeNormal].hasFadeIn, 1);
    EXPECT_FLOAT_EQ(theme.fades[Theme::FadeNormal].fadeIn, 1.0f);
    EXPECT_FLOAT_EQ(theme.fades[Theme::FadeHovered].fadeIn, 0.25f);
    EXPECT_EQ(theme.fades[Theme::FadeActivated].hasFadeIn, 0) << "fadeIn outside Text is not read";
    EXPECT_EQ(theme.fades[Theme::FadeDisabled].hasFadeIn, 0);
}

TEST(Theme, MissingFileKeepsTheDefaultsAndIsLogged) {
    LogCapture log;
    Theme theme("/no/such/theme.xml");
    expectColour(theme.colour(Theme::TextNormal2), 0.5f, 0.5f, 0.5f, 1.0f, "default");
    EXPECT_TRUE(log.contains("Unable to find XML File"));
}

TEST(Theme, FolderLoadsXmlFilesOfAnyCaseUnderTheirNames) {
    TempFolder folder;
    folder.write("Dark.XML", themeFile("<Widget><Normal r=\"0.1\"/></Widget>"));
    folder.write("default_theme.xml", themeFile("<Widget><Normal r=\"0.6\"/></Widget>"));
    folder.write("notes.txt", "not a theme");
    folder.makeFolder("sub.xml");
    WindowManager manager(0, folder.path());
    EXPECT_EQ(manager.themes.size(), 2u);
    ASSERT_NE(manager.getTheme("dark"), manager.defaultTheme);
    EXPECT_FLOAT_EQ(manager.getTheme("dark")->colour(Theme::WidgetNormal).r, 0.1f);
    ASSERT_NE(manager.defaultTheme, nullptr);
    EXPECT_FLOAT_EQ(manager.getTheme("unknown")->colour(Theme::WidgetNormal).r, 0.6f);
}

TEST(Theme, WithoutADefaultThemeAnUnknownNameGivesNull) {
    TempFolder folder;
    folder.write("only.xml", themeFile(""));
    WindowManager manager(0, folder.path());
    EXPECT_EQ(manager.getTheme("unknown"), nullptr);
    EXPECT_NE(manager.getTheme("only"), nullptr);
}

TEST(Theme, ShippedThemesGiveEverySlotAReadableColour) {
    for (const char* name : {"Data/ui/themes/default_theme.xml", "Data/ui/themes/tab_theme.xml"}) {
        LogCapture log;
        Theme theme(name);
        EXPECT_TRUE(log.lines().empty()) << name;
        for (std::uint32_t slot = 0; slot < Theme::SlotCount; ++slot) {
            EXPECT_GT(theme.colours[slot].a, 0.0f) << name << " slot " << slot;
        }
        // Text must stand out from the panels it is drawn on.
        const ThemeColour& text = theme.colour(Theme::TextNormal);
        const ThemeColour& panel = theme.colour(Theme::SolidPanelNormal);
        EXPECT_GT((text.r + text.g + text.b) - (panel.r + panel.g + panel.b), 1.5f) << name;
    }
}

} // namespace
