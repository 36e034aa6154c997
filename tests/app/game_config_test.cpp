#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <sys/resource.h>
#include <tinyxml2.h>

#include "support/log_capture.h"
#include "support/temp_folder.h"
#include "tracker/brav_config.h"

namespace {

// Points the per-user folder at a fresh temporary folder for the test's lifetime.
struct GameConfigTest : ::testing::Test {
    GameConfigTest() {
        if (const char* old = std::getenv("XDG_DATA_HOME")) saved = old, hadSaved = true;
        setenv("XDG_DATA_HOME", home.path().c_str(), 1);
    }
    ~GameConfigTest() override {
        if (hadSaved) setenv("XDG_DATA_HOME", saved.c_str(), 1);
        else unsetenv("XDG_DATA_HOME");
    }

    std::string settingsFolder() const { return home.path() + "BRAV Zoderud"; }
    std::string settingsFile() const { return settingsFolder() + "/settings.xml"; }
    // Writes a settings file with the given sections inside "Settings".
    void writeSettings(const std::string& sections) const {
        home.write("BRAV Zoderud/settings.xml", "<?xml version=\"1.0\"?><Settings>" + sections + "</Settings>");
    }
    static constexpr const char* graphics = "<Graphics><Resolution width=\"800\" height=\"600\"/></Graphics>";

    TempFolder home;
    std::string saved;
    bool hadSaved = false;
};

// Every element of the file, depth first, as "Name attr attr ...".
std::string outline(const tinyxml2::XMLElement* element, std::string out = {}) {
    for (; element; element = element->NextSiblingElement()) {
        out += element->Name();
        for (const tinyxml2::XMLAttribute* a = element->FirstAttribute(); a; a = a->Next()) out += std::string(" ") + a->Name();
        out += "\n";
        out = outline(element->FirstChildElement(), out);
    }
    return out;
}

TEST_F(GameConfigTest, TheFirstStartWritesTheWholeFileFromTheDefaults) {
    BRAVConfig config(nullptr, "BRAV Zoderud");
    EXPECT_EQ(config.getSettingsFile(), settingsFile());
    EXPECT_FALSE(config.load());
    config.loadDefaults(3, 1920, 1080);
    ASSERT_TRUE(config.save());

    const std::string text = readFile(settingsFile());
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u) << text;
    tinyxml2::XMLDocument document;
    ASSERT_EQ(document.Parse(text.c_str()), tinyxml2::XML_SUCCESS);
    std::string actionMaps;
    for (int i = 0; i < 5; ++i) actionMaps += "ActionMap name key1 scan1 key2 scan2\n";
    EXPECT_EQ(outline(document.RootElement()),
              "Settings\n"
              "Graphics\n"
              "Resolution width height\n"
              "Shadows on\n"
              "ShadowDetail level\n"
              "ShadowEpsilonBetweenPercentage value\n"
              "SSAO on\n"
              "PostProcessing on\n"
              "Instancing on\n"
              "Fullscreen on\n"
              "VSynch on\n"
              "TexDetail level\n"
              "Multisampling on type\n"
              "Sound\n"
              "SoundsMute value\n"
              "MusicMute value\n"
              "SoundVolume value\n"
              "MusicVolume value\n"
              "FileDialog\n"
              "DefaultFileDialogPath value\n"
              "LastSaveFileLocation value\n"
              "Controls\n"
              "ActionMappings\n" +
                  actionMaps +
                  "AppSpecificData\n"
                  "LastSavedFilePath value\n");

    // The shipped defaults: 1024 x 768 windowed, the High profile for shader level 3.
    const tinyxml2::XMLElement* g = document.RootElement()->FirstChildElement("Graphics");
    EXPECT_STREQ(g->FirstChildElement("Resolution")->Attribute("width"), "1024");
    EXPECT_STREQ(g->FirstChildElement("Resolution")->Attribute("height"), "768");
    EXPECT_STREQ(g->FirstChildElement("Fullscreen")->Attribute("on"), "0");
    EXPECT_STREQ(g->FirstChildElement("Shadows")->Attribute("on"), "1");
    EXPECT_STREQ(g->FirstChildElement("TexDetail")->Attribute("level"), "High");
    EXPECT_STREQ(g->FirstChildElement("ShadowDetail")->Attribute("level"), "Normal");
    EXPECT_STREQ(g->FirstChildElement("ShadowEpsilonBetweenPercentage")->Attribute("value"), "50");
    EXPECT_STREQ(g->FirstChildElement("Multisampling")->Attribute("type"), "0");
    const tinyxml2::XMLElement* s = document.RootElement()->FirstChildElement("Sound");
    EXPECT_STREQ(s->FirstChildElement("SoundVolume")->Attribute("value"), "75");
    EXPECT_STREQ(s->FirstChildElement("MusicVolume")->Attribute("value"), "30");
    EXPECT_EQ(config.settings.defaultFileDialogPath, settingsFolder() + "/campaign_saves/");
    EXPECT_EQ(config.settings.mainFont, "EBGaramond-Regular_48");
    EXPECT_EQ(config.settings.boldFont, "original-garamond-bold-bt_48");

    // The next start reads it back.
    BRAVConfig again(nullptr, "BRAV Zoderud");
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.settings.width, 1024);
    EXPECT_EQ(again.settings.height, 768);
    EXPECT_FALSE(again.settings.fullscreen);
    EXPECT_TRUE(again.settings.vsync);
    EXPECT_EQ(again.settings.texDetail, "High");
    EXPECT_EQ(again.settings.soundVolume, 75);
    EXPECT_EQ(again.settings.defaultFileDialogPath, config.settings.defaultFileDialogPath);
    EXPECT_EQ(again.settings.actionMappings.size(), 5u);
    EXPECT_EQ(again.settings.mainFont, "EBGaramond-Regular_48");
}

TEST_F(GameConfigTest, OnlyKnownMultisamplingTypesAreTaken) {
    struct Row {
        const char* type;
        int expected;
    };
    for (const Row row : {Row{"3", 4}, Row{"8", 8}, Row{"2", 2}, Row{"16", 4}}) {
        SCOPED_TRACE(row.type);
        writeSettings(std::string("<Graphics><Resolution width=\"800\" height=\"600\"/><Multisampling on=\"1\" type=\"") +
                      row.type + "\"/></Graphics>");
        GameConfig config(nullptr, "BRAV Zoderud");
        config.settings.multisamplingType = 4;
        ASSERT_TRUE(config.load());
        EXPECT_TRUE(config.settings.multisampling);
        EXPECT_EQ(config.settings.multisamplingType, row.expected);
    }
    // A type of 3 in the block is not written.
    GameConfig config(nullptr, "BRAV Zoderud");
    config.settings.width = 640;
    config.settings.height = 480;
    config.settings.multisamplingType = 3;
    ASSERT_TRUE(config.save());
    tinyxml2::XMLDocument document;
    ASSERT_EQ(document.Parse(readFile(settingsFile()).c_str()), tinyxml2::XML_SUCCESS);
    EXPECT_EQ(document.RootElement()->FirstChildElement("Graphics")->FirstChildElement("Multisampling")->Attribute("type"),
              nullptr);
}

TEST_F(GameConfigTest, WithoutAPositiveResolutionTheFileIsUnusable) {
    writeSettings("<Graphics><Resolution width=\"0\" height=\"600\"/></Graphics>");
    GameConfig config(nullptr, "BRAV Zoderud");
    EXPECT_FALSE(config.load());
    EXPECT_EQ(config.settings.width, 0);
    // Fonts and default controls come only with a usable file.
    EXPECT_TRUE(config.settings.mainFont.empty());
    EXPECT_TRUE(config.settings.actionMappings.empty());
    const std::string before = readFile(settingsFile());
    EXPECT_FALSE(config.save());
    EXPECT_EQ(readFile(settingsFile()), before);

    // Not a settings document at all: the block stays as it was.
    home.write("BRAV Zoderud/settings.xml", "<Other><Graphics><Resolution width=\"5\" height=\"5\"/></Graphics></Other>");
    GameConfig other(nullptr, "BRAV Zoderud");
    EXPECT_FALSE(other.load());
    EXPECT_EQ(other.settings.width, 0);
}

TEST_F(GameConfigTest, HandEditedNumbersAreClamped) {
    writeSettings("<Graphics><Resolution width=\"99999\" height=\"700\"/></Graphics>"
                  "<Sound><SoundVolume value=\"-5\"/><MusicVolume value=\"250\"/><SoundsMute value=\"2\"/></Sound>");
    GameConfig config(nullptr, "BRAV Zoderud");
    ASSERT_TRUE(config.load());
    EXPECT_EQ(config.settings.width, 16384);
    EXPECT_EQ(config.settings.height, 700);
    EXPECT_EQ(config.settings.soundVolume, 0);
    EXPECT_EQ(config.settings.musicVolume, 100);
    EXPECT_TRUE(config.settings.soundsMute);
}

TEST_F(GameConfigTest, NumbersThatCantBeReadAsWrittenTakeThatOneSettingsDefault) {
    struct Row {
        const char* name;
        std::string sections;
        std::function<int(const GameSettings&)> setting;
        int expected;
    };
    const auto width = [](const GameSettings& s) { return s.width; };
    const auto resolution = [](const char* w) {
        return std::string("<Graphics><Resolution width=\"") + w + "\" height=\"600\"/></Graphics>";
    };
    const Row rows[] = {
        // The shipped default screen is 1024 wide.
        {"width past 2^32", resolution("4294968320"), width, 1024},
        {"width past int", resolution("2147483648"), width, 1024},
        {"width in exponent form", resolution("1e3"), width, 1024},
        {"width in hex", resolution("0x320"), width, 1024},
        {"width with spaces and a sign", resolution(" +800 "), width, 800},
        {"volume in exponent form", std::string(graphics) + "<Sound><SoundVolume value=\"1e3\"/></Sound>",
         [](const GameSettings& s) { return s.soundVolume; }, 75},
        {"volume past int", std::string(graphics) + "<Sound><MusicVolume value=\"99999999999\"/></Sound>",
         [](const GameSettings& s) { return s.musicVolume; }, 30},
        {"switch past int", std::string(graphics) + "<Graphics><VSynch on=\"4294967296\"/></Graphics>",
         [](const GameSettings& s) { return int(s.vsync); }, 1},
        {"switch as a word", std::string(graphics) + "<Sound><SoundsMute value=\"yes\"/></Sound>",
         [](const GameSettings& s) { return int(s.soundsMute); }, 0},
        {"scan code past int", std::string(graphics) +
             "<Controls><ActionMappings><ActionMap name=\"cancel\" scan1=\"4294967297\"/></ActionMappings></Controls>",
         [](const GameSettings& s) { return s.actionMappings.at(0).scan1; }, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        writeSettings(row.sections);
        LogCapture capture;
        GameConfig config(nullptr, "BRAV Zoderud");
        ASSERT_TRUE(config.load());
        EXPECT_EQ(row.setting(config.settings), row.expected);
        // The other values of the file are kept.
        EXPECT_EQ(config.settings.height, 600);
    }
    // The log names the value that was replaced.
    writeSettings(resolution("1e3"));
    LogCapture capture;
    GameConfig config(nullptr, "BRAV Zoderud");
    ASSERT_TRUE(config.load());
    EXPECT_TRUE(capture.contains("Resolution width=\"1e3\" is not a number the program can use; the default 1024 is taken"));
}

TEST_F(GameConfigTest, AnUnusableFileIsMovedAsideBeforeTheDefaultsReplaceIt) {
    namespace fs = std::filesystem;
    const std::string unclosed = "<?xml version=\"1.0\"?><Settings><Graphics><Resolution width=\"800 height=\"600\"/>"
                                 "</Graphics></Settings>";
    struct Row {
        const char* name;
        std::function<void()> prepare;
        std::function<void()> checkAside; // empty: nothing is moved aside
    };
    const Row rows[] = {
        {"an unclosed quote", [&] { home.write("BRAV Zoderud/settings.xml", unclosed); },
         [&] { EXPECT_EQ(readFile(settingsFile() + ".bad"), unclosed); }},
        {"an older copy is replaced",
         [&] {
             home.write("BRAV Zoderud/settings.xml.bad", "older");
             home.write("BRAV Zoderud/settings.xml", unclosed);
         },
         [&] { EXPECT_EQ(readFile(settingsFile() + ".bad"), unclosed); }},
        {"no positive resolution", [&] { writeSettings("<Graphics><Resolution width=\"0\" height=\"600\"/></Graphics>"); },
         [&] { EXPECT_NE(readFile(settingsFile() + ".bad").find("width=\"0\""), std::string::npos); }},
        {"a folder", [&] { home.makeFolder("BRAV Zoderud/settings.xml"); },
         [&] { EXPECT_TRUE(fs::is_directory(settingsFile() + ".bad")); }},
        // A file the system won't read, even for root.
        {"an unreadable file",
         [&] {
             fs::create_directories(settingsFolder());
             fs::create_symlink("/proc/self/mem", settingsFile());
         },
         [&] { EXPECT_EQ(fs::read_symlink(settingsFile() + ".bad"), "/proc/self/mem"); }},
        {"no file at all", [] {}, nullptr},
        // Larger than any settings file: refused unread, and kept whole beside the defaults.
        {"too large",
         [&] {
             writeSettings(std::string(graphics) + "<Pad value=\"" + std::string(GameConfig::fileSizeLimit, 'x') + "\"/>");
         },
         [&] { EXPECT_GT(fs::file_size(settingsFile() + ".bad"), GameConfig::fileSizeLimit); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove_all(settingsFolder());
        row.prepare();
        LogCapture capture;
        // As the program does at start.
        GameConfig config(nullptr, "BRAV Zoderud");
        ASSERT_FALSE(config.load());
        config.loadDefaults(3, 1920, 1080);
        ASSERT_TRUE(config.save());
        if (row.checkAside) {
            row.checkAside();
            EXPECT_TRUE(capture.contains("it was moved to " + settingsFile() + ".bad"));
        } else {
            EXPECT_FALSE(fs::exists(fs::symlink_status(settingsFile() + ".bad")));
            EXPECT_FALSE(capture.contains("moved to"));
        }
        GameConfig again(nullptr, "BRAV Zoderud");
        ASSERT_TRUE(again.load());
        EXPECT_EQ(again.settings.width, 1024);
        // A later save of a usable file moves nothing.
        fs::remove_all(settingsFile() + ".bad");
        home.write("BRAV Zoderud/settings.xml.bad", "kept");
        ASSERT_TRUE(again.save());
        EXPECT_EQ(readFile(settingsFile() + ".bad"), "kept");
    }
}

TEST_F(GameConfigTest, TheUsersBindingsComeFirstAndTheDefaultsFollow) {
    writeSettings(std::string(graphics) +
                  "<Controls><ActionMappings>"
                  "<ActionMap name=\"cancel\" key1=\"Q\" scan1=\"16\" key2=\"\" scan2=\"65537\"/>"
                  "<ActionMap name=\"custom\" key1=\"F1\" scan1=\"59\"/>"
                  "</ActionMappings></Controls>");
    GameConfig config(nullptr, "BRAV Zoderud");
    ASSERT_TRUE(config.load());
    std::vector<std::string> names;
    for (const ActionMapping& m : config.settings.actionMappings) names.push_back(m.name);
    EXPECT_EQ(names, (std::vector<std::string>{"cancel", "custom", "accept", "nextField", "scrollUp", "scrollDown"}));
    const ActionMapping& cancel = config.settings.actionMappings[0];
    EXPECT_EQ(cancel.key1, "Q");
    EXPECT_EQ(cancel.scan1, 16);
    EXPECT_EQ(cancel.scan2, 1); // the low 16 bits of 65537
    EXPECT_EQ(config.settings.actionMappings[1].key2, "");
    EXPECT_EQ(config.settings.actionMappings[1].scan2, 0);
    EXPECT_EQ(config.settings.actionMappings[2].scan2, 156);
}

TEST_F(GameConfigTest, LastSavedFilePathRoundTrips) {
    BRAVConfig config(nullptr, "BRAV Zoderud");
    config.settings.width = 800;
    config.settings.height = 600;
    config.LastSavedFilePath = "/home/player/campaign_saves/Th\xE9oden.xml";
    ASSERT_TRUE(config.save());
    BRAVConfig back(nullptr, "BRAV Zoderud");
    ASSERT_TRUE(back.load());
    EXPECT_EQ(back.LastSavedFilePath, config.LastSavedFilePath);

    struct Row {
        const char* section;
        const char* expected;
    };
    const Row rows[] = {
        {"<AppSpecificData><LastSavedFilePath/></AppSpecificData>", "kept"},
        {"<AppSpecificData><LastSavedFilePath value=\"a\"/><LastSavedFilePath value=\"b\"/></AppSpecificData>", "b"},
        {"<OtherData><LastSavedFilePath value=\"c\"/></OtherData>", "kept"},
        {"<AppSpecificData><LastSavedFilePath value=\"\"/></AppSpecificData>", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.section);
        writeSettings(std::string(graphics) + row.section);
        BRAVConfig config(nullptr, "BRAV Zoderud");
        config.LastSavedFilePath = "kept";
        ASSERT_TRUE(config.load());
        EXPECT_EQ(config.LastSavedFilePath, row.expected);
    }

    // The hook answers for its own section only.
    tinyxml2::XMLDocument document;
    document.Parse("<Graphics/>");
    EXPECT_FALSE(back.loadAppSpecificData(document.RootElement()));
}

TEST_F(GameConfigTest, AFailedSaveKeepsTheOldFileAndReportsIt) {
    GameConfig config(nullptr, "BRAV Zoderud");
    config.settings.width = 800;
    config.settings.height = 600;
    ASSERT_TRUE(config.save());
    const std::string before = readFile(settingsFile());

    // Room for less than the new file: the write fails part way.
    config.settings.lastSaveFileLocation = std::string(4096, 'x');
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    LogCapture capture;
    const bool saved = config.save();
    setrlimit(RLIMIT_FSIZE, &old);

    EXPECT_FALSE(saved);
    EXPECT_TRUE(capture.contains("Unable to save XML File at path"));
    EXPECT_EQ(readFile(settingsFile()), before);
}

TEST_F(GameConfigTest, DefaultFilesAreReadEachOnItsOwn) {
    TempFolder defaults;
    GameConfig config(nullptr, "BRAV Zoderud");
    config.setDefaultSettingsFolder(defaults.path());

    // No default files at all: the screen, full screen, the Low profile below shader level 3.
    config.settings.shadowEpsilonPercent = 17;
    config.loadDefaults(2, 1280, 720);
    EXPECT_EQ(config.settings.width, 1280);
    EXPECT_EQ(config.settings.height, 720);
    EXPECT_TRUE(config.settings.fullscreen);
    EXPECT_FALSE(config.settings.shadows);
    EXPECT_TRUE(config.settings.instancing);
    EXPECT_EQ(config.settings.texDetail, "Low");
    EXPECT_EQ(config.settings.shadowEpsilonPercent, 17);
    EXPECT_EQ(config.settings.defaultFileDialogPath, settingsFolder() + "/campaign_saves/");
    EXPECT_TRUE(config.settings.actionMappings.empty());
    EXPECT_TRUE(config.settings.mainFont.empty());

    struct Row {
        const char* screen;
        bool usable;
        bool fullscreen;
    };
    const Row rows[] = {
        {"<DefaultSettings><Screen><Width value='800'/><Height value='600'/><Fullscreen value='2'/></Screen>"
         "</DefaultSettings>",
         true, false},
        {"<DefaultSettings><Screen><Width value='800'/><Height value='600'/><Fullscreen value='1'/></Screen>"
         "</DefaultSettings>",
         true, true},
        {"<DefaultSettings><Screen><Width value='0'/><Height value='600'/></Screen></DefaultSettings>", false, true},
        {"<Defaults><Screen><Width value='800'/><Height value='600'/></Screen></Defaults>", false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.screen);
        defaults.write("default_screen_settings.xml", row.screen);
        GameConfig fresh(nullptr, "BRAV Zoderud");
        fresh.setDefaultSettingsFolder(defaults.path());
        fresh.loadDefaults(3, 1280, 720);
        EXPECT_EQ(fresh.settings.width, row.usable ? 800 : 1280);
        EXPECT_EQ(fresh.settings.fullscreen, row.fullscreen);
    }

    defaults.write("default_controls.xml",
                   "<DefaultSettings><Controls><ActionMappings>"
                   "<ActionMap name='jump' key1='Space' scan1='57'/><ActionMap name='jump' key1='J' scan1='36'/>"
                   "</ActionMappings></Controls></DefaultSettings>");
    defaults.write("default_filepath.xml", "<DefaultSettings><DefaultFileGroup value='heroes'/></DefaultSettings>");
    GameConfig fresh(nullptr, "BRAV Zoderud");
    fresh.setDefaultSettingsFolder(defaults.path());
    fresh.loadDefaults(3, 1280, 720);
    ASSERT_EQ(fresh.settings.actionMappings.size(), 1u);
    EXPECT_EQ(fresh.settings.actionMappings[0].key1, "Space");
    EXPECT_EQ(fresh.settings.defaultFileDialogPath, settingsFolder() + "/heroes/");
}

} // namespace
