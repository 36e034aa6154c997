#pragma once
// The configuration with the render side's two one-shot reload requests; they never reach the file.
#include "app/game_config.h"

class GameConfigExt : public GameConfig {
public:
    using GameConfig::GameConfig;

    // Passed to the render settings and cleared when the settings are applied.
    bool effectReloadRequested = false;
    bool qualityReloadRequested = false;
};
