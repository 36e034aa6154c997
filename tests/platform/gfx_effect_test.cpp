// Effects in our ".fx" format: techniques, passes, parameters, macros and errors.
#include <thread>

#include "gfx_fixture.h"
#include "platform/gfx/math_matrix.h"

namespace {

using namespace gfxtest;
using gfx::Result;

const char* kTwoTechniques = R"(
parameter vec2 gVertPositions[4];
parameter vec4 gColour = {1, 0, 0, 1};
parameter vec4 gSecond : SECONDCOLOUR = {0, 1, 0, 1};
parameter float gUnused = 3;

vertex QuadVS {
in vec3 inPosition;
void main() { gl_Position = vec4(gVertPositions[int(inPosition.z)], 0.0, 1.0); }
}
fragment FirstFS { void main() { outColour = gColour; } }
fragment SecondFS { void main() { outColour = gSecond; } }

technique Layered {
    pass Base { vertex = QuadVS; fragment = FirstFS; }
    pass Add {
        vertex = QuadVS; fragment = SecondFS;
        AlphaBlendEnable = true; SrcBlend = One; DestBlend = One; CullMode = None;
    }
}
technique Plain {
    pass Only { vertex = QuadVS; fragment = SecondFS; }
}
)";

class GfxEffectTest : public GfxTest {
protected:
    uint32_t drawTechnique(gfx::Effect* effect, const char* technique,
                           const std::vector<float>& quad = corners(-1.5f, 1.5f, 1.5f, -1.5f)) {
        bindQuadGeometry();
        effect->setFloatArray(effect->getParameterByName("gVertPositions"), quad.data(), 8);
        EXPECT_EQ(effect->setTechnique(effect->getTechniqueByName(technique)), Result::Ok);
        uint32_t passes = 0;
        effect->begin(&passes, 0);
        for (uint32_t pass = 0; pass < passes; ++pass) {
            effect->beginPass(pass);
            device_->drawIndexedPrimitive(gfx::PrimitiveType::TriangleList, 0, 0, 4, 0, 2);
            effect->endPass();
        }
        effect->end();
        return passes;
    }
};

TEST_F(GfxEffectTest, TechniquesRunTheirPassesAndEndRestoresTheStatesThePassesSet) {
    gfx::Effect* effect = makeEffect(kTwoTechniques);
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->getCurrentTechnique(), effect->getTechniqueByName("Layered"));
    EXPECT_EQ(effect->getTechnique(1), effect->getTechniqueByName("Plain"));
    EXPECT_EQ(effect->getTechniqueByName("Missing"), 0u);
    device_->setRenderState(gfx::RenderState::DestBlend, uint32_t(gfx::Blend::InvSrcAlpha));
    device_->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
    EXPECT_EQ(drawTechnique(effect, "Layered"), 2u);
    // Red, then green added on top.
    EXPECT_EQ(at(readBackBuffer(), kWidth, 10, 10), 0xFFFFFF00u);
    uint32_t blend = 1, destBlend = 0, cull = 0;
    device_->getRenderState(gfx::RenderState::AlphaBlendEnable, blend);
    device_->getRenderState(gfx::RenderState::DestBlend, destBlend);
    device_->getRenderState(gfx::RenderState::CullMode, cull);
    EXPECT_EQ(blend, 0u);
    EXPECT_EQ(destBlend, uint32_t(gfx::Blend::InvSrcAlpha));
    EXPECT_EQ(cull, uint32_t(gfx::Cull::CCW));

    const float blue[4] = {0, 0, 1, 1};
    EXPECT_EQ(effect->setVector(effect->getParameterBySemantic("SecondColour"), blue), Result::Ok);
    EXPECT_EQ(drawTechnique(effect, "Plain"), 1u);
    EXPECT_EQ(at(readBackBuffer(), kWidth, 10, 10), 0xFF0000FFu);
    // Values persist across frames: nothing set since.
    device_->present();
    device_->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
    drawTechnique(effect, "Plain");
    EXPECT_EQ(at(readBackBuffer(), kWidth, 10, 10), 0xFF0000FFu);
    effect->release();
}

TEST_F(GfxEffectTest, MissingAndOptimisedAwayParametersAreHarmless) {
    gfx::Effect* effect = makeEffect(kTwoTechniques);
    ASSERT_NE(effect, nullptr);
    const gfx::EffectHandle missing = effect->getParameterByName("gNoSuchThing");
    EXPECT_EQ(missing, 0u);
    const float values[16] = {};
    EXPECT_NE(effect->setFloat(missing, 1.0f), Result::Ok);
    EXPECT_NE(effect->setMatrix(missing, values), Result::Ok);
    EXPECT_NE(effect->setTexture(missing, nullptr), Result::Ok);
    EXPECT_EQ(effect->getParameterBySemantic("NOSUCHSEMANTIC"), 0u);
    // Declared but unused by every stage: the handle exists and keeps the value.
    const gfx::EffectHandle unused = effect->getParameterByName("gUnused");
    ASSERT_NE(unused, 0u);
    EXPECT_EQ(effect->setFloat(unused, 7.0f), Result::Ok);
    EXPECT_EQ(effect->parameterValues(unused), std::vector<float>{7.0f});
    device_->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
    drawTechnique(effect, "Plain");
    EXPECT_EQ(at(readBackBuffer(), kWidth, 10, 10), 0xFF00FF00u);
    effect->release();
}

TEST_F(GfxEffectTest, AnArrayParameterIsIndexedPerVertex) {
    gfx::Effect* effect = makeEffect(R"(
parameter vec2 gVertPositions[4];
parameter vec4 gVertColours[4];
vertex QuadVS {
in vec3 inPosition;
out vec4 colour;
void main() {
    gl_Position = vec4(gVertPositions[int(inPosition.z)], 0.0, 1.0);
    colour = gVertColours[int(inPosition.z)];
}
}
fragment ColourFS { in vec4 colour; void main() { outColour = colour; } }
technique SimpleTech { pass P0 { vertex = QuadVS; fragment = ColourFS; } }
)");
    ASSERT_NE(effect, nullptr);
    const float colours[16] = {1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1, 1, 1, 1, 1, 1};
    ASSERT_EQ(effect->setVectorArray(effect->getParameterByName("gVertColours"), colours, 4), Result::Ok);
    device_->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
    drawTechnique(effect, "SimpleTech", pixelRect(0, 0, int(kWidth), int(kHeight), kWidth, kHeight));
    const std::vector<uint32_t> pixels = readBackBuffer();
    // Each corner pixel is (nearly) its own vertex's colour.
    EXPECT_TRUE(near(at(pixels, kWidth, 0, 0), 0xFFFF0000u, 12)) << std::hex << at(pixels, kWidth, 0, 0);
    EXPECT_TRUE(near(at(pixels, kWidth, kWidth - 1, 0), 0xFF00FF00u, 12)) << std::hex << at(pixels, kWidth, kWidth - 1, 0);
    EXPECT_TRUE(near(at(pixels, kWidth, kWidth - 1, kHeight - 1), 0xFF0000FFu, 12));
    EXPECT_TRUE(near(at(pixels, kWidth, 0, kHeight - 1), 0xFFFFFFFFu, 12));
    effect->release();
}

TEST_F(GfxEffectTest, AMacroChangesTheOutput) {
    const char* text = R"(
parameter vec2 gVertPositions[4];
vertex QuadVS {
in vec3 inPosition;
void main() { gl_Position = vec4(gVertPositions[int(inPosition.z)], 0.0, 1.0); }
}
fragment MacroFS {
void main() {
#if SHADOWS_ENABLED
    outColour = vec4(1.0, 0.0, 0.0, 1.0);
#else
    outColour = vec4(0.0, 0.0, 1.0, 1.0);
#endif
}
}
technique SimpleTech { pass P0 { vertex = QuadVS; fragment = MacroFS; } }
)";
    for (const auto& [value, expected] : {std::pair{"1", 0xFFFF0000u}, std::pair{"0", 0xFF0000FFu}}) {
        gfx::Effect* effect = makeEffect(text, {{"SHADOWS_ENABLED", value}, {"SM3_ENABLED", "1"}});
        ASSERT_NE(effect, nullptr);
        device_->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
        drawTechnique(effect, "SimpleTech");
        EXPECT_EQ(at(readBackBuffer(), kWidth, 10, 10), expected) << "SHADOWS_ENABLED " << value;
        effect->release();
    }
}

struct ErrorCase {
    const char* name;
    const char* text;
    const char* expected; // a fragment of the message
};

class GfxEffectErrorTest : public GfxTest, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(GfxEffectErrorTest, ErrorsComeBackAsTextWithFileAndLine) {
    const ErrorCase& c = GetParam();
    gfx::EffectDescription* description = nullptr;
    std::string errors;
    Result result = gfx::compileEffectFromText(c.text, "broken.fx", {}, &description, &errors);
    if (succeeded(result)) {
        gfx::Effect* effect = nullptr;
        result = gfx::Effect::create(device_, description, &effect, &errors);
        description->release();
        EXPECT_EQ(effect, nullptr);
    }
    EXPECT_NE(result, Result::Ok);
    EXPECT_NE(errors.find(c.expected), std::string::npos) << errors;
}

INSTANTIATE_TEST_SUITE_P(
    Effects, GfxEffectErrorTest,
    ::testing::Values(
        ErrorCase{"missing_semicolon", "parameter vec4 gColour\nparameter float x;\n", "broken.fx:2: error:"},
        ErrorCase{"unknown_type", "\n\nparameter vec9 gColour;\n", "broken.fx:3: error: unknown parameter type 'vec9'"},
        ErrorCase{"unknown_stage",
                  "vertex V { void main() { gl_Position = vec4(0.0); } }\n"
                  "technique T {\n pass P { vertex = V; fragment = Nope; }\n}\n",
                  "broken.fx:3: error: no fragment stage named 'Nope'"},
        // Array sizes are whole numbers from 1 to 4096, never wrapped or cut short.
        ErrorCase{"array_size_negative", "\nparameter float a[-1];\n", "broken.fx:2: error: array size '-1'"},
        ErrorCase{"array_size_wraps", "parameter float a[4294967297];\n", "broken.fx:1: error: array size '4294967297'"},
        ErrorCase{"array_size_zero", "parameter float a[0];\n", "broken.fx:1: error: array size '0'"},
        ErrorCase{"array_size_word", "parameter float a[x];\n", "broken.fx:1: error: array size 'x'"},
        ErrorCase{"array_size_over_limit", "parameter vec4 a[4097];\n", "broken.fx:1: error: array size '4097'"},
        ErrorCase{"array_size_fraction", "parameter vec4 a[2.5];\n", "broken.fx:1: error: array size '2.5'"},
        ErrorCase{"array_size_hex", "parameter vec4 a[0x10];\n", "broken.fx:1: error: array size '0x10'"},
        ErrorCase{"array_size_missing", "parameter vec4 a[", "broken.fx:1: error: array size 'end of file'"},
        // A GLSL mistake on line 5 of the file.
        ErrorCase{"glsl_error",
                  "vertex V {\nvoid main() { gl_Position = vec4(0.0); }\n}\nfragment F {\nvoid main() { outColour = nothing; }\n}\n"
                  "technique T { pass P { vertex = V; fragment = F; } }\n",
                  "broken.fx:5:"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GfxEffectTest, CompilingRunsOnAWorkerAndCreatingOnTheDeviceThread) {
    gfx::EffectDescription* description = nullptr;
    std::string errors;
    std::thread worker([&] {
        gfx::compileEffectFromText(kTwoTechniques, "worker.fx", {{"SM3_ENABLED", "1"}}, &description, &errors);
    });
    worker.join();
    ASSERT_NE(description, nullptr) << errors;
    gfx::Effect* effect = nullptr;
    ASSERT_EQ(gfx::Effect::create(device_, description, &effect, &errors), Result::Ok) << errors;
    description->release();
    device_->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
    drawTechnique(effect, "Plain");
    EXPECT_EQ(at(readBackBuffer(), kWidth, 10, 10), 0xFF00FF00u);
    effect->release();
}

TEST_F(GfxEffectTest, RawValuesFillTightlyPackedFloats) {
    gfx::Effect* effect = makeEffect(R"(
parameter vec2 gVertPositions[4];
parameter float gLight[19];
vertex QuadVS {
in vec3 inPosition;
void main() { gl_Position = vec4(gVertPositions[int(inPosition.z)], 0.0, 1.0); }
}
fragment LightFS { void main() { outColour = vec4(gLight[0], gLight[9], gLight[18], 1.0); } }
technique SimpleTech { pass P0 { vertex = QuadVS; fragment = LightFS; } }
)");
    ASSERT_NE(effect, nullptr);
    float light[19] = {};
    light[0] = 1.0f;
    light[9] = 0.5f;
    light[18] = 0.25f;
    static_assert(sizeof light == 76);
    ASSERT_EQ(effect->setValue(effect->getParameterByName("gLight"), light, sizeof light), Result::Ok);
    device_->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
    drawTechnique(effect, "SimpleTech");
    EXPECT_TRUE(near(at(readBackBuffer(), kWidth, 10, 10), 0xFFFF8040u)) << std::hex << at(readBackBuffer(), kWidth, 10, 10);
    effect->release();
}

} // namespace

namespace {

TEST_F(GfxEffectTest, AnEffectFileIsFoundWhateverTheCaseOfItsName) {
    gfx::Effect* effect = nullptr;
    std::string errors;
    ASSERT_EQ(gfx::createEffectFromFile(device_, std::string(ZODERUD_TEST_DATA_DIR) + "/GFX/Textured.FX", {}, &effect,
                                        &errors),
              Result::Ok)
        << errors;
    EXPECT_NE(effect->getTechniqueByName("SimpleTech"), 0u);
    EXPECT_NE(effect->getParameterByName("gImageTexture"), 0u);
    effect->release();
    EXPECT_EQ(gfx::createEffectFromFile(device_, "no/such/effect.fx", {}, &effect, &errors), Result::Fail);
    EXPECT_EQ(effect, nullptr);
    EXPECT_NE(errors.find("no/such/effect.fx"), std::string::npos);
}

} // namespace

namespace {

TEST_F(GfxEffectTest, MatricesInRowVectorFormApplyInTheEnginesOrder) {
    gfx::Effect* effect = makeEffect(R"(
parameter vec2 gVertPositions[4];
parameter mat4 gWorld : WORLD;
vertex QuadVS {
in vec3 inPosition;
void main() { gl_Position = gWorld * vec4(gVertPositions[int(inPosition.z)], 0.0, 1.0); }
}
fragment WhiteFS { void main() { outColour = vec4(1.0); } }
technique SimpleTech { pass P0 { vertex = QuadVS; fragment = WhiteFS; } }
)");
    ASSERT_NE(effect, nullptr);
    // Scale by a half, then move right by a half: v * S * T.
    const gfx::Matrix world = gfx::scalingMatrix(0.5f, 0.5f, 1.0f) * gfx::translationMatrix(0.5f, 0.0f, 0.0f);
    ASSERT_EQ(effect->setMatrix(effect->getParameterBySemantic("World"), world), Result::Ok);
    device_->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
    drawTechnique(effect, "SimpleTech", corners(-1, 1, 1, -1));
    const std::vector<uint32_t> pixels = readBackBuffer();
    // x from 0 to 1 (pixels 32 to 64), y from 0.5 to -0.5 (rows 12 to 36); the other order
    // would give x from -0.25 to 0.75.
    EXPECT_EQ(at(pixels, kWidth, 34, 24), 0xFFFFFFFFu);
    EXPECT_EQ(at(pixels, kWidth, 62, 24), 0xFFFFFFFFu);
    EXPECT_EQ(at(pixels, kWidth, 30, 24), 0xFF000000u);
    EXPECT_EQ(at(pixels, kWidth, 40, 10), 0xFF000000u);
    EXPECT_EQ(at(pixels, kWidth, 40, 14), 0xFFFFFFFFu);
    EXPECT_EQ(at(pixels, kWidth, 40, 37), 0xFF000000u);
    effect->release();
}

} // namespace

namespace {

TEST_F(GfxEffectTest, BoolAndIntParametersAndTheirArraysReachTheStages) {
    gfx::Effect* effect = makeEffect(R"(
parameter vec2 gVertPositions[4];
parameter bool gRed = false;
parameter int gGreenSteps = 0;
parameter bool gBlueParts[2];
parameter int gAlphaParts[3] = {1, 1, 1};
vertex QuadVS {
in vec3 inPosition;
void main() { gl_Position = vec4(gVertPositions[int(inPosition.z)], 0.0, 1.0); }
}
fragment FlagsFS {
void main() {
    float blue = (gBlueParts[0] ? 0.25 : 0.0) + (gBlueParts[1] ? 0.5 : 0.0);
    float alpha = float(gAlphaParts[0] + gAlphaParts[1] + gAlphaParts[2]) / 3.0;
    outColour = vec4(gRed ? 1.0 : 0.0, float(gGreenSteps) / 4.0, blue, alpha);
}
}
technique SimpleTech { pass P0 { vertex = QuadVS; fragment = FlagsFS; } }
)");
    ASSERT_NE(effect, nullptr);
    gfx::Texture* target = nullptr;
    ASSERT_EQ(device_->createTexture(8, 8, 1, gfx::Usage::RenderTarget, gfx::Format::A8R8G8B8, gfx::Pool::Default,
                                     &target),
              Result::Ok);
    gfx::Surface* surface = nullptr;
    target->getSurfaceLevel(0, &surface);
    device_->setRenderTarget(0, surface);
    auto drawn = [&] {
        device_->clear(gfx::Clear::Target, 0x00000000u, 1.0f, 0);
        drawTechnique(effect, "SimpleTech");
        return at(readTarget(surface), 8, 4, 4);
    };
    EXPECT_TRUE(near(drawn(), 0xFF000000u));
    effect->setBool(effect->getParameterByName("gRed"), true);
    effect->setInt(effect->getParameterByName("gGreenSteps"), 2);
    const bool blueParts[2] = {false, true};
    effect->setBoolArray(effect->getParameterByName("gBlueParts"), blueParts, 2);
    const int32_t alphaParts[3] = {1, 0, 0};
    effect->setIntArray(effect->getParameterByName("gAlphaParts"), alphaParts, 3);
    EXPECT_TRUE(near(drawn(), 0x55FF8080u)) << std::hex << drawn();
    targetBackBuffer();
    surface->release();
    target->release();
    effect->release();
}

} // namespace
