#include "app/game_config.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <tinyxml2.h>

#include "app/log.h"
#include "app/settings_number.h"
#include "app/xml_file.h"
#include "platform/paths.h"
#include "platform/user_folder.h"

namespace {

using tinyxml2::XMLAttribute;
using tinyxml2::XMLElement;

bool named(const XMLElement& element, const char* name) { return std::strcmp(element.Name(), name) == 0; }
bool named(const XMLAttribute& attribute, const char* name) { return std::strcmp(attribute.Name(), name) == 0; }

// Non-positive sizes stay as they are: they mark the file unusable.
int clampResolution(int value) { return std::min(value, GameConfig::maximumResolution); }
int clampVolume(int value) { return std::clamp(value, 0, GameConfig::maximumVolume); }
// Scan codes are kept as their low 16 bits, sign-extended; one that can't be read is unbound.
int scanCode(const char* text) { return static_cast<std::int16_t>(readSettingsNumber(text).value_or(0)); }

// Calls read for every attribute of element, in document order.
template <class Read>
void forEachAttributeOf(const XMLElement& element, Read read) {
    for (const XMLAttribute* a = element.FirstAttribute(); a; a = a->Next()) read(*a);
}

ActionMapping readActionMap(const XMLElement& element) {
    ActionMapping mapping;
    forEachAttributeOf(element, [&](const XMLAttribute& a) {
        if (named(a, "name")) mapping.name = a.Value();
        else if (named(a, "key1")) mapping.key1 = a.Value();
        else if (named(a, "key2")) mapping.key2 = a.Value();
        else if (named(a, "scan1")) mapping.scan1 = scanCode(a.Value());
        else if (named(a, "scan2")) mapping.scan2 = scanCode(a.Value());
    });
    return mapping;
}

// The root element of a loaded default file when it carries rootName.
const XMLElement* rootNamed(const tinyxml2::XMLDocument& document, const char* rootName) {
    const XMLElement* root = document.FirstChildElement();
    return root && named(*root, rootName) ? root : nullptr;
}

XMLElement* addElement(XMLElement* parent, const char* name) {
    XMLElement* element = parent->GetDocument()->NewElement(name);
    parent->InsertEndChild(element);
    return element;
}

void setNumber(XMLElement* element, const char* attribute, int value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d", value);
    element->SetAttribute(attribute, buffer);
}

void addFlag(XMLElement* parent, const char* name, const char* attribute, bool value) {
    addElement(parent, name)->SetAttribute(attribute, value ? "1" : "0");
}

void addText(XMLElement* parent, const char* name, const char* attribute, const std::string& value) {
    addElement(parent, name)->SetAttribute(attribute, value.c_str());
}

} // namespace

GameConfig::GameConfig(ThreadResourcePool* pool, const std::string& applicationName)
    : pool_(pool), applicationName_(applicationName) {
    // Without a per-user folder the path stays empty, so nothing is ever written at "/".
    settingsFolder_ = platform::userApplicationFolder(applicationName);
    if (!settingsFolder_.empty()) {
        settingsFolder_.pop_back();
        settingsFile_ = settingsFolder_ + "/settings.xml";
    }
}

bool GameConfig::loadAppSpecificData(const tinyxml2::XMLElement*) { return false; }

void GameConfig::saveAppSpecificData(tinyxml2::XMLElement*) {}

const GameSettings& GameConfig::fallbackSettings() {
    if (!fallback_) {
        GameConfig defaults(pool_, applicationName_);
        defaults.setDefaultSettingsFolder(defaultSettingsFolder_);
        defaults.loadDefaults(3, fallbackWidth, fallbackHeight);
        fallback_ = defaults.settings;
    }
    return *fallback_;
}

int GameConfig::numberOf(const XMLElement& element, const XMLAttribute& attribute, int GameSettings::*setting) {
    if (const std::optional<int> value = readSettingsNumber(attribute.Value())) return *value;
    const int fallback = fallbackSettings().*setting;
    LOG_MESSAGE("%s: %s %s=\"%s\" is not a number the program can use; the default %d is taken",
                settingsFile_.c_str(), element.Name(), attribute.Name(), attribute.Value(), fallback);
    return fallback;
}

bool GameConfig::flagOf(const XMLElement& element, const XMLAttribute& attribute, bool GameSettings::*setting) {
    if (const std::optional<int> value = readSettingsNumber(attribute.Value())) return *value != 0;
    const bool fallback = fallbackSettings().*setting;
    LOG_MESSAGE("%s: %s %s=\"%s\" is not a number the program can use; the default %d is taken",
                settingsFile_.c_str(), element.Name(), attribute.Name(), attribute.Value(), fallback ? 1 : 0);
    return fallback;
}

void GameConfig::readGraphics(const XMLElement& section) {
    static const std::pair<const char*, bool GameSettings::*> kSwitches[] = {
        {"Shadows", &GameSettings::shadows},       {"SSAO", &GameSettings::ssao},
        {"PostProcessing", &GameSettings::postProcessing}, {"Instancing", &GameSettings::instancing},
        {"Fullscreen", &GameSettings::fullscreen}, {"VSynch", &GameSettings::vsync},
    };
    for (const XMLElement* e = section.FirstChildElement(); e; e = e->NextSiblingElement()) {
        forEachAttributeOf(*e, [&](const XMLAttribute& a) {
            if (named(*e, "Resolution")) {
                if (named(a, "width")) settings.width = clampResolution(numberOf(*e, a, &GameSettings::width));
                else if (named(a, "height")) settings.height = clampResolution(numberOf(*e, a, &GameSettings::height));
            } else if (named(*e, "ShadowDetail") || named(*e, "TexDetail")) {
                if (named(a, "level")) (named(*e, "TexDetail") ? settings.texDetail : settings.shadowDetail) = a.Value();
            } else if (named(*e, "ShadowEpsilonBetweenPercentage")) {
                if (named(a, "value")) settings.shadowEpsilonPercent = numberOf(*e, a, &GameSettings::shadowEpsilonPercent);
            } else if (named(*e, "Multisampling")) {
                if (named(a, "on")) settings.multisampling = flagOf(*e, a, &GameSettings::multisampling);
                else if (named(a, "type")) {
                    // Like any other type the device has no use for, an unreadable one changes nothing.
                    const int type = readSettingsNumber(a.Value()).value_or(-1);
                    if (type == 0 || type == 2 || type == 4 || type == 8) settings.multisamplingType = type;
                }
            } else if (named(a, "on")) {
                for (const auto& [name, setting] : kSwitches)
                    if (named(*e, name)) settings.*setting = flagOf(*e, a, setting);
            }
        });
    }
}

void GameConfig::readSound(const XMLElement& section) {
    for (const XMLElement* e = section.FirstChildElement(); e; e = e->NextSiblingElement()) {
        forEachAttributeOf(*e, [&](const XMLAttribute& a) {
            if (!named(a, "value")) return;
            if (named(*e, "SoundsMute")) settings.soundsMute = flagOf(*e, a, &GameSettings::soundsMute);
            else if (named(*e, "MusicMute")) settings.musicMute = flagOf(*e, a, &GameSettings::musicMute);
            else if (named(*e, "SoundVolume")) settings.soundVolume = clampVolume(numberOf(*e, a, &GameSettings::soundVolume));
            else if (named(*e, "MusicVolume")) settings.musicVolume = clampVolume(numberOf(*e, a, &GameSettings::musicVolume));
        });
    }
}

void GameConfig::readFileDialog(const XMLElement& section) {
    for (const XMLElement* e = section.FirstChildElement(); e; e = e->NextSiblingElement()) {
        forEachAttributeOf(*e, [&](const XMLAttribute& a) {
            if (!named(a, "value")) return;
            if (named(*e, "DefaultFileDialogPath")) settings.defaultFileDialogPath = a.Value();
            else if (named(*e, "LastSaveFileLocation")) settings.lastSaveFileLocation = a.Value();
        });
    }
}

void GameConfig::readControls(const XMLElement& section) {
    for (const XMLElement* list = section.FirstChildElement("ActionMappings"); list;
         list = list->NextSiblingElement("ActionMappings")) {
        settings.actionMappings.clear();
        for (const XMLElement* map = list->FirstChildElement("ActionMap"); map; map = map->NextSiblingElement("ActionMap"))
            settings.actionMappings.push_back(readActionMap(*map));
    }
}

bool GameConfig::load() {
    unusableFileFound_ = false;
    if (settingsFile_.empty()) return false;
    if (readSettingsFile()) return true;
    unusableFileFound_ = platform::pathExists(settingsFile_);
    return false;
}

bool GameConfig::readSettingsFile() {
    tinyxml2::XMLDocument document;
    if (!loadXmlFile(document, settingsFile_, fileSizeLimit)) return false;
    if (const XMLElement* root = rootNamed(document, "Settings")) {
        for (const XMLElement* section = root->FirstChildElement(); section; section = section->NextSiblingElement()) {
            if (named(*section, "Graphics")) readGraphics(*section);
            else if (named(*section, "Sound")) readSound(*section);
            else if (named(*section, "FileDialog")) readFileDialog(*section);
            else if (named(*section, "Controls")) readControls(*section);
            loadAppSpecificData(section);
        }
    }
    if (settings.width <= 0 || settings.height <= 0) return false;
    readDefaultFonts(defaultSettingsFolder_ + "default_fonts.xml");
    readDefaultControls(defaultSettingsFolder_ + "default_controls.xml");
    return true;
}

bool GameConfig::save() {
    if (settings.width <= 0 || settings.height <= 0) return false;
    if (settingsFile_.empty()) {
        LOG_MESSAGE("No per-user folder for %s: the settings were not saved", applicationName_.c_str());
        return false;
    }
    // The XDG data folder itself may be missing on a fresh account; make the whole chain.
    platform::createDirectories(settingsFolder_);
    if (unusableFileFound_ && !moveUnusableFileAside()) return false;

    tinyxml2::XMLDocument document;
    document.InsertEndChild(document.NewDeclaration());
    XMLElement* root = document.NewElement("Settings");
    document.InsertEndChild(root);

    XMLElement* graphics = addElement(root, "Graphics");
    XMLElement* resolution = addElement(graphics, "Resolution");
    setNumber(resolution, "width", settings.width);
    setNumber(resolution, "height", settings.height);
    addFlag(graphics, "Shadows", "on", settings.shadows);
    addText(graphics, "ShadowDetail", "level", settings.shadowDetail);
    setNumber(addElement(graphics, "ShadowEpsilonBetweenPercentage"), "value", settings.shadowEpsilonPercent);
    addFlag(graphics, "SSAO", "on", settings.ssao);
    addFlag(graphics, "PostProcessing", "on", settings.postProcessing);
    addFlag(graphics, "Instancing", "on", settings.instancing);
    addFlag(graphics, "Fullscreen", "on", settings.fullscreen);
    addFlag(graphics, "VSynch", "on", settings.vsync);
    addText(graphics, "TexDetail", "level", settings.texDetail);
    XMLElement* multisampling = addElement(graphics, "Multisampling");
    multisampling->SetAttribute("on", settings.multisampling ? "1" : "0");
    const int type = settings.multisamplingType;
    if (type == 0 || type == 2 || type == 4 || type == 8) setNumber(multisampling, "type", type);

    XMLElement* sound = addElement(root, "Sound");
    addFlag(sound, "SoundsMute", "value", settings.soundsMute);
    addFlag(sound, "MusicMute", "value", settings.musicMute);
    setNumber(addElement(sound, "SoundVolume"), "value", settings.soundVolume);
    setNumber(addElement(sound, "MusicVolume"), "value", settings.musicVolume);

    XMLElement* fileDialog = addElement(root, "FileDialog");
    addText(fileDialog, "DefaultFileDialogPath", "value", settings.defaultFileDialogPath);
    addText(fileDialog, "LastSaveFileLocation", "value", settings.lastSaveFileLocation);

    XMLElement* mappings = addElement(addElement(root, "Controls"), "ActionMappings");
    for (const ActionMapping& mapping : settings.actionMappings) {
        XMLElement* map = addElement(mappings, "ActionMap");
        map->SetAttribute("name", mapping.name.c_str());
        map->SetAttribute("key1", mapping.key1.c_str());
        setNumber(map, "scan1", mapping.scan1);
        map->SetAttribute("key2", mapping.key2.c_str());
        setNumber(map, "scan2", mapping.scan2);
    }

    saveAppSpecificData(root);
    return saveXmlFile(document, settingsFile_);
}

bool GameConfig::moveUnusableFileAside() {
    unusableFileFound_ = false;
    if (!platform::pathExists(settingsFile_)) return true;
    const std::string aside = settingsFile_ + ".bad";
    if (std::rename(settingsFile_.c_str(), aside.c_str()) != 0) {
        LOG_MESSAGE("The settings file %s could not be used nor moved to %s (%s); it is left as it is",
                    settingsFile_.c_str(), aside.c_str(), std::strerror(errno));
        return false;
    }
    LOG_MESSAGE("The settings file %s could not be used; it was moved to %s and the defaults take its place",
                settingsFile_.c_str(), aside.c_str());
    return true;
}

void GameConfig::loadDefaults(int shaderLevel, int screenWidth, int screenHeight) {
    if (!readDefaultScreenSettings(defaultSettingsFolder_ + "default_screen_settings.xml")) {
        settings.width = clampResolution(screenWidth);
        settings.height = clampResolution(screenHeight);
        settings.fullscreen = true;
    }
    if (shaderLevel >= 3) {
        settings.shadows = settings.ssao = settings.postProcessing = settings.instancing = true;
        settings.texDetail = "High";
        settings.shadowDetail = "Normal";
        settings.shadowEpsilonPercent = 50;
        settings.vsync = true;
    } else {
        settings.shadows = settings.ssao = settings.postProcessing = false;
        settings.instancing = true;
        settings.texDetail = "Low";
        settings.shadowDetail = "Low";
        settings.vsync = false;
    }
    settings.multisampling = false;
    settings.multisamplingType = 0;
    settings.soundsMute = false;
    settings.soundVolume = 75;
    settings.musicMute = false;
    settings.musicVolume = 30;
    readDefaultFilePath(defaultSettingsFolder_ + "default_filepath.xml");
    readDefaultControls(defaultSettingsFolder_ + "default_controls.xml");
    readDefaultFonts(defaultSettingsFolder_ + "default_fonts.xml");
}

bool GameConfig::readDefaultScreenSettings(const std::string& path) {
    tinyxml2::XMLDocument document;
    if (!loadXmlFile(document, path)) return false;
    if (const XMLElement* root = rootNamed(document, "DefaultSettings")) {
        for (const XMLElement* screen = root->FirstChildElement("Screen"); screen;
             screen = screen->NextSiblingElement("Screen")) {
            for (const XMLElement* e = screen->FirstChildElement(); e; e = e->NextSiblingElement()) {
                // A value that can't be read counts as absent.
                const std::optional<int> value = readSettingsNumber(e->Attribute("value"));
                if (!value) continue;
                if (named(*e, "Width")) settings.width = clampResolution(*value);
                else if (named(*e, "Height")) settings.height = clampResolution(*value);
                else if (named(*e, "Fullscreen")) settings.fullscreen = *value == 1;
            }
        }
    }
    return settings.width > 0 && settings.height > 0;
}

void GameConfig::readDefaultFilePath(const std::string& path) {
    std::string group = "campaign_saves";
    tinyxml2::XMLDocument document;
    if (loadXmlFile(document, path)) {
        if (const XMLElement* root = rootNamed(document, "DefaultSettings")) {
            for (const XMLElement* e = root->FirstChildElement("DefaultFileGroup"); e;
                 e = e->NextSiblingElement("DefaultFileGroup")) {
                if (const char* value = e->Attribute("value")) group = value;
            }
        }
    }
    if (!settingsFolder_.empty()) settings.defaultFileDialogPath = settingsFolder_ + "/" + group + "/";
}

void GameConfig::readDefaultControls(const std::string& path) {
    tinyxml2::XMLDocument document;
    if (!loadXmlFile(document, path)) return;
    const XMLElement* root = rootNamed(document, "DefaultSettings");
    if (!root) return;
    for (const XMLElement* controls = root->FirstChildElement("Controls"); controls;
         controls = controls->NextSiblingElement("Controls")) {
        for (const XMLElement* list = controls->FirstChildElement("ActionMappings"); list;
             list = list->NextSiblingElement("ActionMappings")) {
            for (const XMLElement* map = list->FirstChildElement("ActionMap"); map;
                 map = map->NextSiblingElement("ActionMap")) {
                ActionMapping mapping = readActionMap(*map);
                // A binding the user already has wins over the default of the same name.
                const bool known = std::any_of(settings.actionMappings.begin(), settings.actionMappings.end(),
                                               [&](const ActionMapping& m) { return m.name == mapping.name; });
                if (!known) settings.actionMappings.push_back(std::move(mapping));
            }
        }
    }
}

void GameConfig::readDefaultFonts(const std::string& path) {
    tinyxml2::XMLDocument document;
    if (!loadXmlFile(document, path)) return;
    const XMLElement* root = rootNamed(document, "DefaultFonts");
    if (!root) return;
    for (const XMLElement* e = root->FirstChildElement(); e; e = e->NextSiblingElement()) {
        const char* name = e->Attribute("name");
        if (!name) continue;
        if (named(*e, "MainFont")) settings.mainFont = name;
        else if (named(*e, "BoldFont")) settings.boldFont = name;
    }
}
