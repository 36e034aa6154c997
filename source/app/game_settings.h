#pragma once
// The user's settings as held in memory, and the key bindings among them.
#include <string>
#include <vector>

// A named action and the two keys bound to it (key names and DirectInput scan codes). An empty
// key name means the slot is unbound.
struct ActionMapping {
    std::string name;
    std::string key1;
    int scan1 = 0;
    std::string key2;
    int scan2 = 0;
};

struct GameSettings {
    int width = 0;
    int height = 0;
    bool shadows = false;
    bool ssao = false;
    bool postProcessing = false;
    bool instancing = false;
    bool fullscreen = false;
    bool multisampling = false;
    bool vsync = false;
    std::string texDetail;
    std::string shadowDetail;
    int multisamplingType = 0;
    int shadowEpsilonPercent = 0;
    bool soundsMute = false;
    int soundVolume = 0; // percent
    bool musicMute = false;
    int musicVolume = 0; // percent
    std::string defaultFileDialogPath;
    std::string lastSaveFileLocation;
    std::vector<ActionMapping> actionMappings;
    // Font keys; never stored in the settings file, always taken from the defaults.
    std::string mainFont;
    std::string boldFont;
};
