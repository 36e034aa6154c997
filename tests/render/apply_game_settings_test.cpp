// applyGameSettings: a loaded configuration reaches the render settings, the input manager and
// the sound manager, and its one-shot requests are passed on once.
#include <gtest/gtest.h>

#include "app/input_manager.h"
#include "app/parameter_description.h"
#include "app/sound_manager.h"
#include "app/thread_resource_pool.h"
#include "app/ui_context.h"
#include "render/apply_game_settings.h"
#include "render/render_interface.h"
#include "tracker/brav_config.h"

namespace {

TEST(ApplyGameSettings, ConfigurationReachesRenderInputAndSound) {
    ThreadResourcePool pool("updatePool");
    ParameterDescriptionRegistry registry;
    RenderInterface renderInterface(&registry, &pool, 640, 480, "");
    InputManager input(640, 480, &pool);
    SoundManager sound(&pool);
    UIContext context;
    context.renderInterface = &renderInterface;
    context.inputManager = &input;
    context.soundManager = &sound;

    BRAVConfig config(&pool, "BRAV Zoderud");
    GameSettings& s = config.settings;
    s.width = 1280;
    s.height = 720;
    s.fullscreen = true;
    s.vsync = true;
    s.multisamplingType = 4;
    s.texDetail = "Medium";
    s.mainFont = "main_48";
    s.shadowEpsilonPercent = 50;
    s.soundVolume = 60;
    s.musicVolume = 20;
    s.musicMute = true;
    s.actionMappings.push_back({"moveForward", "W", 0x11, "", 0});
    config.qualityReloadRequested = true;

    applyGameSettings(config, &context);

    const RenderSettings& settings = renderInterface.updateSettings();
    EXPECT_EQ(settings.width, 1280u);
    EXPECT_EQ(settings.height, 720u);
    EXPECT_EQ(settings.displayChangeRequested, 1);
    EXPECT_EQ(settings.fullScreen, 1);
    EXPECT_EQ(settings.verticalSync, 1);
    EXPECT_EQ(settings.multisamplingType, 4u);
    EXPECT_EQ(settings.textureDetail, "Medium");
    EXPECT_EQ(settings.qualityReloadRequested, 1);
    EXPECT_FLOAT_EQ(settings.shadowEpsilon, 0.014f);
    EXPECT_EQ(renderInterface.mainFontName(), "main_48");
    EXPECT_FALSE(config.qualityReloadRequested);

    EXPECT_EQ(input.getWidth(), 1280);
    EXPECT_EQ(input.getHeight(), 720);
    EXPECT_EQ(input.actionNameForScanCode(0x11), "moveForward");

    EXPECT_EQ(sound.soundVolume(), 60u);
    EXPECT_FALSE(sound.soundsMuted());
    EXPECT_TRUE(sound.musicMuted());
    EXPECT_EQ(sound.musicVolume(), 0u);
}

} // namespace
