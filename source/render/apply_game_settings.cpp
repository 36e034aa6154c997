#include "render/apply_game_settings.h"

#include "app/game_config_ext.h"
#include "app/input_manager.h"
#include "app/sound_manager.h"
#include "app/ui_context.h"
#include "render/render_interface.h"

void applyGameSettings(GameConfigExt& config, UIContext* context) {
    const GameSettings& s = config.settings;
    if (context->renderInterface) {
        RenderSettingsRequests requests;
        requests.displayChange = true;
        requests.effectReload = config.effectReloadRequested;
        requests.qualityReload = config.qualityReloadRequested;
        context->renderInterface->setRenderSettings(s, requests);
    }
    config.effectReloadRequested = false;
    config.qualityReloadRequested = false;

    if (context->inputManager) {
        context->inputManager->setResolution(s.width, s.height);
        context->inputManager->setActionMappings(s.actionMappings);
    }

    if (context->soundManager) {
        context->soundManager->setSoundVolume(static_cast<std::uint32_t>(s.soundVolume));
        context->soundManager->setSoundsMute(s.soundsMute);
        context->soundManager->setMusicVolume(static_cast<std::uint32_t>(s.musicVolume));
        context->soundManager->setMusicMute(s.musicMute);
    }
}
