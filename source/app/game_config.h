#pragma once
// The user's settings file, "settings.xml" in the per-user folder, with its defaults.
#include <cstddef>
#include <optional>
#include <string>

#include "app/base_config.h"
#include "app/game_settings.h"

namespace tinyxml2 {
class XMLAttribute;
class XMLElement;
}
class ThreadResourcePool;

class GameConfig : public BaseConfig {
public:
    // Works out the folder and the file's path; touches no disk.
    GameConfig(ThreadResourcePool* pool, const std::string& applicationName);

    // Reads the settings file (refused unread when larger than fileSizeLimit). True when it was
    // read and holds a positive resolution; then the fonts and any default key bindings the file
    // lacks are added from the defaults. A number that can't be read as written takes that one
    // setting's default and is logged.
    bool load() override;
    // Writes the block to the settings file atomically. False, with nothing written, without a
    // positive resolution, without a per-user folder, or when the file can't be written. After
    // a load that found the file there but unusable, the old file is first moved aside to
    // "settings.xml.bad" (replacing an older one), so a typo never loses the user's settings.
    bool save() override;

    // Fills the block for a first start. The graphics profile follows shaderLevel (3 or more
    // gives the High profile); the screen size is used when the default screen file is unusable.
    void loadDefaults(int shaderLevel, int screenWidth, int screenHeight);

    bool readDefaultScreenSettings(const std::string& path);
    void readDefaultFilePath(const std::string& path);
    void readDefaultControls(const std::string& path);
    void readDefaultFonts(const std::string& path);

    // Hooks for an application's own section of the file: load offers every child element of
    // "Settings"; save calls the writer last, so the application's section ends the file.
    virtual bool loadAppSpecificData(const tinyxml2::XMLElement* section);
    virtual void saveAppSpecificData(tinyxml2::XMLElement* settingsElement);

    // The per-user folder, without a trailing "/"; empty when there is none.
    const std::string& getSettingsFolder() const { return settingsFolder_; }
    // Empty when there is no per-user folder.
    const std::string& getSettingsFile() const { return settingsFile_; }
    const std::string& getApplicationName() const { return applicationName_; }
    ThreadResourcePool* getPool() const { return pool_; }

    // Where the default files are read from; the program's data folder is its working folder.
    void setDefaultSettingsFolder(const std::string& folder) { defaultSettingsFolder_ = folder; }
    const std::string& getDefaultSettingsFolder() const { return defaultSettingsFolder_; }

    GameSettings settings;

    // Hand-edited files may hold anything; these keep the values the program can live with.
    static constexpr int maximumResolution = 16384;
    static constexpr int maximumVolume = 100;
    // The window size taken when neither the file nor the default screen file gives one.
    static constexpr int fallbackWidth = 1024;
    static constexpr int fallbackHeight = 768;
    // A settings file is a few kilobytes; a larger one than this is refused unread.
    static constexpr std::size_t fileSizeLimit = 1024 * 1024;

private:
    bool readSettingsFile();
    bool moveUnusableFileAside();
    // What a first start on a shader level 3 device would give each setting.
    const GameSettings& fallbackSettings();
    // The attribute's number, or the setting's default (logged) when it can't be read.
    int numberOf(const tinyxml2::XMLElement& element, const tinyxml2::XMLAttribute& attribute,
                 int GameSettings::*setting);
    bool flagOf(const tinyxml2::XMLElement& element, const tinyxml2::XMLAttribute& attribute,
                bool GameSettings::*setting);

    void readGraphics(const tinyxml2::XMLElement& section);
    void readSound(const tinyxml2::XMLElement& section);
    void readFileDialog(const tinyxml2::XMLElement& section);
    void readControls(const tinyxml2::XMLElement& section);

    ThreadResourcePool* pool_;
    std::string settingsFolder_;
    std::string settingsFile_;
    std::string applicationName_;
    std::string defaultSettingsFolder_ = "Data/default_settings/";
    std::optional<GameSettings> fallback_;
    bool unusableFileFound_ = false;
};
