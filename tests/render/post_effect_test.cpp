// The scene's post-processing effect and the noise texture made at build time: both load on the
// device, and the composition puts the premultiplied UI over the faded scene.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/gfx_fixture.h"
#include "render/dds_texture_loader.h"
#include "render/device_global.h"
#include "render/render_target.h"

namespace {

const char* kPostEffect = ZODERUD_SOURCE_DIR "/Data/graphics/3d/effects/post.fx";
const char* kNoise = ZODERUD_SOURCE_DIR "/Data/graphics/2D/post/reflect.dds";

class PostEffectTest : public gfxtest::GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        deviceGlobal = device_;
        std::string errors;
        ASSERT_EQ(gfx::createEffectFromFile(device_, kPostEffect, {}, &effect_, &errors), gfx::Result::Ok) << errors;
    }
    void TearDown() override {
        gfx::safeRelease(quad_);
        gfx::safeRelease(declaration_);
        gfx::safeRelease(effect_);
        deviceGlobal = nullptr;
        GfxTest::TearDown();
    }

    // The six full-screen vertices (position, texture coordinate) the game state draws with.
    void drawFullScreen(const char* technique) {
        if (!quad_) {
            const float vertices[] = {-1, 1, 0, 0, 0, 1, 1, 0, 1, 0, -1, -1, 0, 0, 1,
                                      -1, -1, 0, 0, 1, 1, 1, 0, 1, 0, 1, -1, 0, 1, 1};
            ASSERT_EQ(device_->createVertexBuffer(sizeof vertices, gfx::Usage::WriteOnly, gfx::Pool::Managed, &quad_),
                      gfx::Result::Ok);
            void* data = nullptr;
            quad_->lock(0, 0, &data, 0);
            std::memcpy(data, vertices, sizeof vertices);
            quad_->unlock();
            ASSERT_EQ(device_->createVertexDeclaration({{0, 0, gfx::DeclType::Float3, 0, gfx::DeclUsage::Position, 0},
                                                        {0, 12, gfx::DeclType::Float2, 0, gfx::DeclUsage::TexCoord, 0}},
                                                       &declaration_),
                      gfx::Result::Ok);
        }
        device_->setStreamSource(0, quad_, 0, 20);
        device_->setVertexDeclaration(declaration_);
        ASSERT_EQ(effect_->setTechnique(effect_->getTechniqueByName(technique)), gfx::Result::Ok) << technique;
        std::uint32_t passes = 0;
        ASSERT_EQ(effect_->begin(&passes, 0), gfx::Result::Ok);
        effect_->beginPass(0);
        effect_->commitChanges();
        EXPECT_EQ(device_->drawPrimitive(gfx::PrimitiveType::TriangleList, 0, 2), gfx::Result::Ok);
        effect_->endPass();
        effect_->end();
    }

    gfx::Effect* effect_ = nullptr;
    gfx::VertexBuffer* quad_ = nullptr;
    gfx::VertexDeclaration* declaration_ = nullptr;
};

TEST_F(PostEffectTest, EveryTechniqueAndParameterTheGameStateUsesExists) {
    for (const char* technique : {"CopyPost", "SSAOTech", "SSAOBlurTech", "FXAATech", "VSMShadowBlurTech"})
        EXPECT_NE(effect_->getTechniqueByName(technique), 0u) << technique;
    for (const char* parameter : {"gColourTex", "gUITex", "gEyePosW", "gNormalTexture", "gPositionTexture",
                                  "gSSAORandomTexture", "gSSAOUnblurredTexture", "g_mat", "gInvRenderDim",
                                  "g_screen_size", "gFadeInParams"})
        EXPECT_NE(effect_->getParameterByName(parameter), 0u) << parameter;
}

struct CopyCase {
    float sceneFade;
    float uiFade;
    std::uint32_t uiColour; // premultiplied, as the UI target holds it
    std::uint32_t expected;
};

class CopyPostTest : public PostEffectTest, public ::testing::WithParamInterface<CopyCase> {};

TEST_P(CopyPostTest, PutsThePremultipliedUIOverTheSceneEachScaledByItsFadeAtMostOne) {
    const CopyCase& c = GetParam();
    RenderTarget scene(16, 16, gfx::Format::A8R8G8B8, true, gfx::MultisampleType::None);
    RenderTarget ui(16, 16, gfx::Format::A8R8G8B8, false, gfx::MultisampleType::None);
    ASSERT_EQ(scene.createResources(), gfx::Result::Ok);
    ASSERT_EQ(ui.createResources(), gfx::Result::Ok);
    scene.bind(0xFFC08040, 0, true);
    scene.unbind(0);
    ui.bind(c.uiColour, 0, true);
    ui.unbind(0);
    targetBackBuffer();
    device_->beginScene();
    effect_->setTexture(effect_->getParameterByName("gColourTex"), scene.sampledTexture());
    effect_->setTexture(effect_->getParameterByName("gUITex"), ui.sampledTexture());
    const float fades[4] = {c.sceneFade, c.uiFade, 0, 0};
    effect_->setVector(effect_->getParameterByName("gFadeInParams"), fades);
    drawFullScreen("CopyPost");
    device_->endScene();
    const std::uint32_t pixel = readBackBuffer()[kWidth * 10 + 10];
    EXPECT_TRUE(gfxtest::near(pixel, c.expected)) << std::hex << pixel << " expected " << c.expected;
}

INSTANTIATE_TEST_SUITE_P(Fades, CopyPostTest,
                         ::testing::Values(CopyCase{1.0f, 1.0f, 0x00000000, 0xFFC08040},
                                           CopyCase{0.5f, 1.0f, 0x00000000, 0xFF604020},
                                           CopyCase{1.02f, 1.0f, 0x00000000, 0xFFC08040},
                                           CopyCase{1.0f, 1.0f, 0xFF0000FF, 0xFF0000FF},
                                           CopyCase{1.0f, 1.0f, 0x80000080, 0xFF6040A0},
                                           CopyCase{1.0f, 0.5f, 0xFF0000FF, 0xFF6040A0},
                                           CopyCase{0.0f, 1.04f, 0xFF00FF00, 0xFF00FF00}));

TEST_F(PostEffectTest, TheOtherPassesDrawOverTheTargetsTheGameStateGivesThem) {
    RenderTarget normals(16, 16, gfx::Format::A32B32G32R32F, true, gfx::MultisampleType::None);
    RenderTarget positions(16, 16, gfx::Format::A32B32G32R32F, true, gfx::MultisampleType::None);
    RenderTarget ssao(16, 16, gfx::Format::A8R8G8B8, false, gfx::MultisampleType::None);
    RenderTarget work(16, 16, gfx::Format::A8R8G8B8, false, gfx::MultisampleType::None);
    RenderTarget shadow(16, 16, gfx::Format::R32F, true, gfx::MultisampleType::None);
    RenderTarget shadowBlur(16, 16, gfx::Format::R32F, true, gfx::MultisampleType::None);
    for (RenderTarget* target : {&normals, &positions, &ssao, &work, &shadow, &shadowBlur})
        ASSERT_EQ(target->createResources(), gfx::Result::Ok);
    DDSTextureLoader noise(kNoise, nullptr);
    noise.loadFile();
    noise.prepare();
    noise.fillData();
    noise.finishLoad();
    ASSERT_NE(noise.texture(), nullptr) << "the build makes " << kNoise;

    // A flat surface facing the camera: nothing occludes it.
    normals.bind(0xFF000000, 0, true);
    normals.clear(0xFF0000FF);
    normals.unbind(0);
    positions.bind(0xFF000000, 0, true);
    positions.unbind(0);
    const float inverse[4] = {1.0f / 16, 1.0f / 16, 0, 0}, size[4] = {16, 16, 0, 0};
    effect_->setVector(effect_->getParameterByName("gInvRenderDim"), inverse);
    effect_->setVector(effect_->getParameterByName("g_screen_size"), size);
    effect_->setTexture(effect_->getParameterByName("gNormalTexture"), normals.sampledTexture());
    effect_->setTexture(effect_->getParameterByName("gPositionTexture"), positions.sampledTexture());
    effect_->setTexture(effect_->getParameterByName("gSSAORandomTexture"), noise.texture());
    work.bind(0, 0, true);
    drawFullScreen("SSAOTech");
    work.unbind(0);
    RenderTarget* from = &work;
    RenderTarget* into = &ssao;
    for (const char* technique : {"SSAOBlurTech", "FXAATech"}) {
        effect_->setTexture(effect_->getParameterByName("gSSAOUnblurredTexture"), from->sampledTexture());
        into->bind(0, 0, true);
        drawFullScreen(technique);
        into->unbind(0);
        std::swap(from, into);
    }
    EXPECT_TRUE(gfxtest::near(readLevel(from->sampledTexture(), 0)[8 * 16 + 8], 0xFFFFFFFF, 3))
        << "an unoccluded surface keeps full ambient light";

    shadow.bind(0xFFFFFFFF, 0, true);
    shadow.unbind(0);
    effect_->setTexture(effect_->getParameterByName("gSSAOUnblurredTexture"), shadow.sampledTexture());
    shadowBlur.bind(0, 0, true);
    drawFullScreen("VSMShadowBlurTech");
    shadowBlur.unbind(0);
    EXPECT_EQ(readLevel(shadowBlur.sampledTexture(), 0)[8 * 16 + 8] & 0x00FF0000u, 0x00FF0000u)
        << "the blur of a uniform map is that map";
    noise.unload();
}

} // namespace
