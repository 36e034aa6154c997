// The staged effect loader: its macros from the render settings, a failed effect that stays null
// with its error shown, and a good one made on the device.
#include <gtest/gtest.h>

#include "app/parameter_description.h"
#include "app/thread_resource_pool.h"
#include "platform/gfx_fixture.h"
#include "platform/message_box.h"
#include "render/device_global.h"
#include "render/fx_shader_loader.h"
#include "render/render_interface.h"
#include "render/render_settings.h"
#include "support/temp_folder.h"

namespace {

void runStages(FXShaderLoader& loader) {
    loader.loadFile();
    EXPECT_EQ(loader.getState(), LoadableAsset::FileLoaded);
    loader.prepare();
    EXPECT_EQ(loader.getState(), LoadableAsset::Prepared);
    loader.fillData();
    loader.finishLoad();
    EXPECT_EQ(loader.getState(), LoadableAsset::Loaded);
}

TEST(FXShaderLoaderMacros, FollowTheShaderLevelTheSwitchesAndTheInstancedFlag) {
    struct Case {
        std::uint32_t shaderLevel;
        bool shadows, ssao, instancing, instanced;
        const char* expected[4];
    } cases[] = {
        {2, true, true, true, true, {"0", "0", "0", "1"}},
        {3, false, true, false, false, {"0", "1", "1", "0"}},
        {3, true, false, true, false, {"1", "0", "1", "0"}},
        {3, true, true, true, true, {"1", "1", "1", "1"}},
    };
    for (const Case& c : cases) {
        RenderSettings settings;
        settings.shaderLevel = c.shaderLevel;
        settings.shadows = c.shadows;
        settings.ssao = c.ssao;
        settings.instancing = c.instancing;
        const std::vector<gfx::EffectMacro> macros = FXShaderLoader::macroTable(settings, c.instanced);
        ASSERT_EQ(macros.size(), 4u);
        const char* names[] = {"SHADOWS_ENABLED", "SSAO_ENABLED", "SM3_ENABLED", "SHADER_INSTANCED"};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(macros[i].name, names[i]);
            EXPECT_EQ(macros[i].value, c.expected[i]) << names[i] << " at level " << c.shaderLevel;
        }
    }
}

TEST(FXShaderLoaderErrors, ABrokenEffectIsShownWithFileAndLineAndStaysNull) {
    TempFolder folder;
    const std::string path = folder.write("broken.fx", "parameter float gScale;\n\ntechnique T {\n    pass P0 { vertex = Missing; }\n}\n");
    platform::recordMessageBoxes(true);
    FXShaderLoader loader(path, nullptr);
    runStages(loader);
    const auto shown = platform::takeRecordedMessageBoxes();
    platform::recordMessageBoxes(false);
    EXPECT_EQ(loader.effect(), nullptr);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].second.find(path + ":4:"), std::string::npos) << shown[0].second;
}

class FXShaderLoaderDeviceTest : public gfxtest::GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        deviceGlobal = device_;
    }
    void TearDown() override {
        deviceGlobal = nullptr;
        GfxTest::TearDown();
    }
};

TEST_F(FXShaderLoaderDeviceTest, AGoodEffectIsCompiledThenCreatedAndUnloadedAgain) {
    TempFolder folder;
    const std::string path = folder.write("quad.fx", gfxtest::kQuadEffect);
    ThreadResourcePool pool("renderPool");
    ParameterDescriptionRegistry registry;
    RenderInterface renderInterface(&registry, &pool, 640, 480, ".");
    FXShaderLoader loader(path, &renderInterface);
    loader.loadFile();
    EXPECT_EQ(loader.effect(), nullptr) << "compiling makes nothing on the device";
    loader.prepare();
    ASSERT_NE(loader.effect(), nullptr);
    EXPECT_NE(loader.effect()->getTechniqueByName("SimpleTech"), 0u);
    loader.finishLoad();
    EXPECT_EQ(loader.getState(), LoadableAsset::Loaded);
    loader.unload();
    EXPECT_EQ(loader.effect(), nullptr);
}

} // namespace
