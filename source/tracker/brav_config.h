#pragma once
// The tracker's configuration: the engine settings plus the path of the character file saved
// or loaded last, kept in the "AppSpecificData" section of the settings file.
#include <string>

#include "app/game_config_ext.h"

class BRAVConfig : public GameConfigExt {
public:
    using GameConfigExt::GameConfigExt;

    // Reads "AppSpecificData": every "LastSavedFilePath" child's "value" sets the path (the last
    // one wins). False, reading nothing, for a section of any other name.
    bool loadAppSpecificData(const tinyxml2::XMLElement* section) override;
    // Appends "AppSpecificData" > "LastSavedFilePath" value= the path (even when empty).
    void saveAppSpecificData(tinyxml2::XMLElement* settingsElement) override;

    std::string LastSavedFilePath;
};
