// The scene meshes' three effects compile and link under every macro setting and hold the
// techniques and parameters the mesh renderables look up, with the kinds they set.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gfx/effect.h"
#include "platform/gfx/effect_description.h"
#include "platform/gfx_fixture.h"

namespace {

const std::string kEffects = std::string(ZODERUD_SOURCE_DIR) + "/Data/graphics/3d/effects/";

struct Expected {
    const char* name;
    gfx::ParameterType type;
    uint32_t arraySize;
};

struct EffectFile {
    const char* file;
    std::vector<const char*> techniques;
    std::vector<Expected> parameters;
};

using gfx::ParameterType;

const std::vector<EffectFile> kFiles = {
    {"UberShader.fx",
     {"LightShadowTech", "BatchedLightmappedShadowTech", "BatchedLightShadowTech"},
     {{"gWVP", ParameterType::Mat4, 0},          {"gWorld", ParameterType::Mat4, 0},
      {"gLightWVP", ParameterType::Mat4, 0},     {"gViewProj", ParameterType::Mat4, 0},
      {"gLightVP", ParameterType::Mat4, 0},      {"gMtrl", ParameterType::Vec4, 4},
      {"gLight", ParameterType::Vec4, 5},        {"gPointLight1", ParameterType::Vec4, 2},
      {"gPointLight2", ParameterType::Vec4, 2},  {"gPointLight3", ParameterType::Vec4, 2},
      {"gPointLight4", ParameterType::Vec4, 2},  {"gHighlightColour", ParameterType::Vec4, 0},
      {"gEyePosW", ParameterType::Vec3, 0},      {"gDiffLightCol", ParameterType::Vec4, 0},
      {"gInvRenderDim", ParameterType::Vec4, 0}, {"gShadowMapSize", ParameterType::Float, 0},
      {"gShadowMapEpsilon", ParameterType::Float, 0}, {"gTex", ParameterType::Texture, 0},
      {"gNormalTex", ParameterType::Texture, 0}, {"gLightMapTex", ParameterType::Texture, 0},
      {"gShadowMap", ParameterType::Texture, 0}, {"gDepthMap", ParameterType::Texture, 0},
      {"gLowDepthMap", ParameterType::Texture, 0}, {"gEnvTex", ParameterType::TextureCube, 0},
      {"gScenePointLights", ParameterType::Vec4, 64}}},
    {"ShadowUberShader.fx",
     {"BuildShadowMapTech"},
     {{"gLightWVP", ParameterType::Mat4, 0}, {"gLightVP", ParameterType::Mat4, 0}}},
    {"DepthUberShader.fx",
     {"BuildDepthMapTech", "BuildDepthMapBatchedTech"},
     {{"g_local_to_screen", ParameterType::Mat4, 0}, {"g_local_to_camera", ParameterType::Mat4, 0},
      {"gWVP", ParameterType::Mat4, 0}, {"gDepthViewProj", ParameterType::Mat4, 0},
      {"gDepthView", ParameterType::Mat4, 0}}},
};

std::vector<gfx::EffectMacro> macros(unsigned bits) {
    const char* names[] = {"SHADOWS_ENABLED", "SSAO_ENABLED", "SM3_ENABLED", "SHADER_INSTANCED"};
    std::vector<gfx::EffectMacro> out;
    for (unsigned i = 0; i < 4; ++i) out.push_back({names[i], (bits >> i) & 1 ? "1" : "0"});
    return out;
}

TEST(SceneEffects, DeclareTheTechniquesAndParametersTheRenderablesUse) {
    for (const EffectFile& file : kFiles) {
        gfx::EffectDescription* description = nullptr;
        std::string errors;
        ASSERT_EQ(gfx::compileEffectFromFile(kEffects + file.file, macros(0), &description, &errors), gfx::Result::Ok)
            << errors;
        std::vector<std::string> techniques;
        for (const gfx::TechniqueDecl& technique : description->techniques) techniques.push_back(technique.name);
        EXPECT_EQ(techniques, std::vector<std::string>(file.techniques.begin(), file.techniques.end())) << file.file;
        for (const Expected& expected : file.parameters) {
            const gfx::ParameterDecl* found = nullptr;
            for (const gfx::ParameterDecl& parameter : description->parameters)
                if (parameter.name == expected.name) found = &parameter;
            ASSERT_NE(found, nullptr) << file.file << " lacks " << expected.name;
            EXPECT_EQ(found->type, expected.type) << file.file << " " << expected.name;
            EXPECT_EQ(found->arraySize, expected.arraySize) << file.file << " " << expected.name;
        }
        description->release();
    }
}

TEST(SceneEffects, ThePointLightArrayIsFoundByItsSemantic) {
    gfx::EffectDescription* description = nullptr;
    std::string errors;
    ASSERT_EQ(gfx::compileEffectFromFile(kEffects + "UberShader.fx", macros(0), &description, &errors), gfx::Result::Ok)
        << errors;
    bool found = false;
    for (const gfx::ParameterDecl& parameter : description->parameters)
        found = found || (parameter.name == "gScenePointLights" && parameter.semantic == "INSTANCE_POINTLIGHTS_ARRAY");
    EXPECT_TRUE(found);
    description->release();
}

class SceneEffectsOnDevice : public gfxtest::GfxTest {};

TEST_F(SceneEffectsOnDevice, EveryMacroSettingLinks) {
    for (const EffectFile& file : kFiles)
        for (unsigned bits = 0; bits < 16; ++bits) {
            gfx::Effect* effect = nullptr;
            std::string errors;
            EXPECT_EQ(gfx::createEffectFromFile(device_, kEffects + file.file, macros(bits), &effect, &errors),
                      gfx::Result::Ok)
                << file.file << " with macro bits " << bits << ":\n"
                << errors;
            gfx::safeRelease(effect);
        }
}

} // namespace
