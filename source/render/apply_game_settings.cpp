#include "render/apply_game_settings.h"

#include "app/game_config_ext.h"
#include "app/input_manager.h"
#include "app/sound_manager.h"
#include "app/ui_context.h"
#include "render/render_interface.h"

void applyGameSettings(GameConfigExt& config, UIContext* context) {
    const GameSettings& s = config.settings;
    if (context->renderInterface) {
        context->renderInterface->setRenderSettings(
            static_cast<std::uint32_t>(s.width), static_cast<std::uint32_t>(s.height), 1, s.shadows, s.ssao,
            config.effectReloadRequested, s.postProcessing, s.instancing, s.fullscreen, s.multisampling,
            static_cast<std::uint32_t>(s.multisamplingType), s.vsync, s.texDetail, s.shadowDetail, s.mainFont,
            s.boldFont, s.shadowEpsilonPercent, config.qualityReloadRequested);
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
