// The drawing device: clears, pixel edges, blending, scissor, targets and the loss protocol.
#include <cstring>

#include "gfx_fixture.h"

namespace {

using namespace gfxtest;
using gfx::Result;

TEST_F(GfxTest, ClearFillsTheViewportOfTheBackBufferAndReadsBack) {
    EXPECT_EQ(device_->clear(gfx::Clear::Target, 0xFF336699u, 1.0f, 0), Result::Ok);
    gfx::Viewport viewport{8, 4, 16, 10, 0.0f, 1.0f};
    ASSERT_EQ(device_->setViewport(viewport), Result::Ok);
    EXPECT_EQ(device_->clear(gfx::Clear::Target, 0xFFFF0000u, 1.0f, 0), Result::Ok);
    std::vector<uint32_t> pixels = readBackBuffer();
    ASSERT_EQ(pixels.size(), size_t(kWidth * kHeight));
    EXPECT_EQ(at(pixels, kWidth, 0, 0), 0xFF336699u);
    EXPECT_EQ(at(pixels, kWidth, 8, 4), 0xFFFF0000u);   // viewport's top-left pixel
    EXPECT_EQ(at(pixels, kWidth, 23, 13), 0xFFFF0000u); // its bottom-right one
    EXPECT_EQ(at(pixels, kWidth, 24, 13), 0xFF336699u);
    EXPECT_EQ(at(pixels, kWidth, 8, 14), 0xFF336699u);
    EXPECT_EQ(device_->present(), Result::Ok);
}

TEST_F(GfxTest, AQuadFromPixelTenToTwentyFillsExactlyThosePixels) {
    gfx::Effect* effect = makeEffect(kQuadEffect);
    ASSERT_NE(effect, nullptr);
    device_->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
    const float white[4] = {1, 1, 1, 1};
    drawQuad(effect, pixelRect(10, 5, 20, 15, kWidth, kHeight), white);
    std::vector<uint32_t> pixels = readBackBuffer();
    for (uint32_t y = 0; y < kHeight; ++y)
        for (uint32_t x = 0; x < kWidth; ++x) {
            const bool inside = x >= 10 && x < 20 && y >= 5 && y < 15;
            EXPECT_EQ(at(pixels, kWidth, x, y), inside ? 0xFFFFFFFFu : 0xFF000000u) << "pixel " << x << "," << y;
        }
    effect->release();
}

struct BlendCase {
    const char* name;
    uint32_t destination;
    float source[4];
    uint32_t srcBlend, destBlend, op;
    uint32_t expected;
};

class GfxBlendTest : public GfxTest, public ::testing::WithParamInterface<BlendCase> {};

TEST_P(GfxBlendTest, BlendsAsConfigured) {
    const BlendCase& c = GetParam();
    gfx::Effect* effect = makeEffect(kQuadEffect);
    ASSERT_NE(effect, nullptr);
    device_->clear(gfx::Clear::Target, c.destination, 1.0f, 0);
    device_->setRenderState(gfx::RenderState::AlphaBlendEnable, 1);
    device_->setRenderState(gfx::RenderState::SrcBlend, c.srcBlend);
    device_->setRenderState(gfx::RenderState::DestBlend, c.destBlend);
    device_->setRenderState(gfx::RenderState::BlendOp, c.op);
    drawQuad(effect, corners(-1.5f, 1.5f, 1.5f, -1.5f), c.source);
    std::vector<uint32_t> pixels = readBackBuffer();
    // The back buffer has no alpha channel: it reads back opaque.
    EXPECT_TRUE(near(at(pixels, kWidth, 30, 20), c.expected | 0xFF000000u))
        << std::hex << at(pixels, kWidth, 30, 20) << " expected " << c.expected;
    effect->release();
}

INSTANTIATE_TEST_SUITE_P(
    Blending, GfxBlendTest,
    ::testing::Values(
        // Premultiplied: half-transparent red over blue gives half red, half blue.
        BlendCase{"premultiplied", 0xFF0000FFu, {0.5f, 0, 0, 0.5f}, 2, 6, 1, 0x00800080u},
        // Fully transparent premultiplied black leaves the target alone.
        BlendCase{"transparent", 0xFF204060u, {0, 0, 0, 0}, 2, 6, 1, 0x00204060u},
        // Reverse subtract: destination minus source.
        BlendCase{"reverse_subtract", 0xFF808080u, {0.25f, 0.25f, 0.25f, 1}, 2, 2, 3, 0x00404040u},
        // Destination alpha of the opaque back buffer selects the source fully.
        BlendCase{"destination_alpha", 0xFF000000u, {0, 1, 0, 1}, 7, 1, 1, 0x0000FF00u}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GfxTest, ScissorClipsDrawsAndAnEmptyScissorDrawsNothing) {
    gfx::Effect* effect = makeEffect(kQuadEffect);
    ASSERT_NE(effect, nullptr);
    const float red[4] = {1, 0, 0, 1};
    const float green[4] = {0, 1, 0, 1};
    device_->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
    device_->setRenderState(gfx::RenderState::ScissorTestEnable, 1);
    device_->setScissorRect(gfx::Rect{4, 6, 12, 9});
    drawQuad(effect, corners(-1.5f, 1.5f, 1.5f, -1.5f), red);
    device_->setScissorRect(gfx::Rect{30, 30, 30, 40});
    drawQuad(effect, corners(-1.5f, 1.5f, 1.5f, -1.5f), green);
    // Rectangles past the target are clamped to it.
    device_->setScissorRect(gfx::Rect{60, -5, 100, 2});
    drawQuad(effect, corners(-1.5f, 1.5f, 1.5f, -1.5f), green);
    std::vector<uint32_t> pixels = readBackBuffer();
    for (uint32_t y = 0; y < kHeight; ++y)
        for (uint32_t x = 0; x < kWidth; ++x) {
            uint32_t expected = 0xFF000000u;
            if (x >= 4 && x < 12 && y >= 6 && y < 9) expected = 0xFFFF0000u;
            if (x >= 60 && y < 2) expected = 0xFF00FF00u;
            EXPECT_EQ(at(pixels, kWidth, x, y), expected) << "pixel " << x << "," << y;
        }
    effect->release();
}

TEST_F(GfxTest, TrianglesCounterClockwiseOnScreenAreCulledByDefault) {
    gfx::Effect* effect = makeEffect(kQuadEffect);
    ASSERT_NE(effect, nullptr);
    const float white[4] = {1, 1, 1, 1};
    device_->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
    // Corners in the order top-left, bottom-left, bottom-right, top-right run counter-clockwise
    // on screen.
    drawQuad(effect, {-1, 1, -1, -1, 1, -1, 1, 1}, white);
    EXPECT_EQ(at(readBackBuffer(), kWidth, 30, 20), 0xFF000000u);
    device_->setRenderState(gfx::RenderState::CullMode, uint32_t(gfx::Cull::None));
    drawQuad(effect, {-1, 1, -1, -1, 1, -1, 1, 1}, white);
    EXPECT_EQ(at(readBackBuffer(), kWidth, 30, 20), 0xFFFFFFFFu);
    // Clockwise ones are drawn with the default culling.
    device_->setRenderState(gfx::RenderState::CullMode, uint32_t(gfx::Cull::CCW));
    device_->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
    drawQuad(effect, corners(-1, 1, 1, -1), white);
    EXPECT_EQ(at(readBackBuffer(), kWidth, 30, 20), 0xFFFFFFFFu);
    effect->release();
}

TEST_F(GfxTest, ARenderTargetTextureHasRowZeroAtTheTop) {
    gfx::Effect* effect = makeEffect(kQuadEffect);
    ASSERT_NE(effect, nullptr);
    gfx::Texture* target = nullptr;
    ASSERT_EQ(device_->createTexture(32, 16, 1, gfx::Usage::RenderTarget, gfx::Format::A8R8G8B8, gfx::Pool::Default,
                                     &target),
              Result::Ok);
    gfx::Surface* surface = nullptr;
    ASSERT_EQ(target->getSurfaceLevel(0, &surface), Result::Ok);
    ASSERT_EQ(device_->setRenderTarget(0, surface), Result::Ok);
    gfx::Viewport viewport;
    device_->getViewport(viewport);
    EXPECT_EQ(viewport.width, 32u);
    EXPECT_EQ(viewport.height, 16u);
    device_->clear(gfx::Clear::Target, 0x00000000u, 1.0f, 0);
    const float red[4] = {1, 0, 0, 1};
    // The top four rows (UI y from 1 down to 0.5).
    drawQuad(effect, pixelRect(0, 0, 32, 4, 32, 16), red);
    std::vector<uint32_t> pixels = readTarget(surface);
    EXPECT_EQ(at(pixels, 32, 5, 0), 0xFFFF0000u);
    EXPECT_EQ(at(pixels, 32, 5, 3), 0xFFFF0000u);
    EXPECT_EQ(at(pixels, 32, 5, 4), 0x00000000u);
    EXPECT_EQ(at(pixels, 32, 5, 15), 0x00000000u);
    // Locking the level reads the same rows.
    gfx::LockedRect locked;
    ASSERT_EQ(target->lockRect(0, locked, nullptr, gfx::Lock::ReadOnly), Result::Ok);
    uint32_t first = 0, last = 0;
    std::memcpy(&first, locked.bits, 4);
    std::memcpy(&last, static_cast<uint8_t*>(locked.bits) + 15 * locked.pitch, 4);
    target->unlockRect(0);
    EXPECT_EQ(first, 0xFFFF0000u);
    EXPECT_EQ(last, 0u);
    targetBackBuffer();
    surface->release();
    target->release();
    effect->release();
}

TEST_F(GfxTest, AMultisampledTargetResolvesIntoATexture) {
    gfx::Effect* effect = makeEffect(kQuadEffect);
    ASSERT_NE(effect, nullptr);
    gfx::Surface* multisampled = nullptr;
    ASSERT_EQ(device_->createRenderTarget(32, 32, gfx::Format::A8R8G8B8, gfx::MultisampleType::Samples4, &multisampled),
              Result::Ok);
    gfx::Surface* depth = nullptr;
    ASSERT_EQ(device_->createDepthStencilSurface(32, 32, gfx::Format::D24S8, gfx::MultisampleType::Samples4, &depth),
              Result::Ok);
    gfx::Texture* resolve = nullptr;
    ASSERT_EQ(device_->createTexture(32, 32, 1, gfx::Usage::RenderTarget, gfx::Format::A8R8G8B8, gfx::Pool::Default,
                                     &resolve),
              Result::Ok);
    device_->setRenderTarget(0, multisampled);
    device_->setDepthStencilSurface(depth);
    device_->setRenderState(gfx::RenderState::ZEnable, 1);
    device_->clear(gfx::Clear::Target | gfx::Clear::ZBuffer, 0xFF000000u, 1.0f, 0);
    const float white[4] = {1, 1, 1, 1};
    // A triangle whose slanted edge crosses pixels: some of them end up partly covered.
    drawQuad(effect, {-1, 1, 1, 1, 1, 1, -1, -1}, white);
    gfx::Surface* level = nullptr;
    resolve->getSurfaceLevel(0, &level);
    ASSERT_EQ(device_->stretchRect(multisampled, nullptr, level, nullptr, gfx::TextureFilter::Point), Result::Ok);
    std::vector<uint32_t> pixels = readTarget(level);
    EXPECT_EQ(at(pixels, 32, 20, 4), 0xFFFFFFFFu);
    EXPECT_EQ(at(pixels, 32, 4, 20), 0xFFFFFFFFu);
    EXPECT_EQ(at(pixels, 32, 20, 20), 0xFF000000u);
    int partial = 0;
    for (uint32_t pixel : pixels) {
        const uint32_t red = (pixel >> 16) & 255;
        if (red > 10 && red < 245) ++partial;
    }
    EXPECT_GT(partial, 24) << "the slanted edge should be antialiased";
    level->release();
    resolve->release();
    depth->release();
    multisampled->release();
    effect->release();
}

TEST_F(GfxTest, TwoTargetsBothReceiveTheClearAndTheDraw) {
    gfx::Effect* effect = makeEffect(kQuadEffect);
    ASSERT_NE(effect, nullptr);
    gfx::Texture* textures[2] = {};
    gfx::Surface* surfaces[2] = {};
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(device_->createTexture(16, 16, 1, gfx::Usage::RenderTarget, gfx::Format::A8R8G8B8,
                                         gfx::Pool::Default, &textures[i]),
                  Result::Ok);
        textures[i]->getSurfaceLevel(0, &surfaces[i]);
    }
    device_->setRenderTarget(1, surfaces[1]);
    device_->setRenderTarget(0, surfaces[0]);
    device_->clear(gfx::Clear::Target, 0xFF0000FFu, 1.0f, 0);
    const float colour1[4] = {0, 1, 0, 1};
    effect->setVector(effect->getParameterByName("gColour1"), colour1);
    const float red[4] = {1, 0, 0, 1};
    drawQuad(effect, pixelRect(0, 0, 8, 16, 16, 16), red);
    std::vector<uint32_t> first = readTarget(surfaces[0]);
    std::vector<uint32_t> second = readTarget(surfaces[1]);
    EXPECT_EQ(at(first, 16, 2, 8), 0xFFFF0000u);
    EXPECT_EQ(at(first, 16, 12, 8), 0xFF0000FFu);
    EXPECT_EQ(at(second, 16, 2, 8), 0xFF00FF00u);
    EXPECT_EQ(at(second, 16, 12, 8), 0xFF0000FFu);
    // Detaching target 1 leaves target 0 in place.
    device_->setRenderTarget(1, nullptr);
    gfx::Surface* current = nullptr;
    device_->getRenderTarget(0, &current);
    EXPECT_EQ(current, surfaces[0]);
    current->release();
    targetBackBuffer();
    for (int i = 0; i < 2; ++i) {
        surfaces[i]->release();
        textures[i]->release();
    }
    effect->release();
}

TEST_F(GfxTest, ASimulatedLossRunsLostThenNotResetThenReset) {
    gfx::Texture* managed = nullptr;
    ASSERT_EQ(device_->createTexture(4, 4, 1, 0, gfx::Format::A8R8G8B8, gfx::Pool::Managed, &managed), Result::Ok);
    gfx::LockedRect locked;
    managed->lockRect(0, locked, nullptr, 0);
    std::memset(locked.bits, 0x7F, 16 * 4);
    managed->unlockRect(0);
    gfx::Texture* target = nullptr;
    ASSERT_EQ(device_->createTexture(8, 8, 1, gfx::Usage::RenderTarget, gfx::Format::A8R8G8B8, gfx::Pool::Default,
                                     &target),
              Result::Ok);
    EXPECT_EQ(device_->testCooperativeLevel(), Result::Ok);

    device_->simulateDeviceLoss();
    EXPECT_EQ(device_->testCooperativeLevel(), Result::DeviceLost);
    EXPECT_EQ(device_->present(), Result::DeviceLost);
    EXPECT_EQ(device_->testCooperativeLevel(), Result::DeviceNotReset);
    EXPECT_EQ(device_->testCooperativeLevel(), Result::DeviceNotReset);

    gfx::PresentParameters bigger = parameters_;
    bigger.backBufferWidth = 80;
    bigger.backBufferHeight = 60;
    // The default-pool texture is still alive: the reset is refused and the device stays not-reset.
    EXPECT_EQ(device_->liveDefaultPoolObjects(), 1);
    EXPECT_EQ(device_->reset(bigger), Result::InvalidCall);
    EXPECT_EQ(device_->testCooperativeLevel(), Result::DeviceNotReset);

    target->release();
    EXPECT_EQ(device_->liveDefaultPoolObjects(), 0);
    EXPECT_EQ(device_->reset(bigger), Result::Ok);
    EXPECT_EQ(device_->testCooperativeLevel(), Result::Ok);
    gfx::Surface* back = nullptr;
    device_->getBackBuffer(&back);
    gfx::SurfaceDesc desc;
    back->getDesc(desc);
    EXPECT_EQ(desc.width, 80u);
    EXPECT_EQ(desc.height, 60u);
    back->release();
    uint32_t zEnable = 7;
    device_->getRenderState(gfx::RenderState::ZEnable, zEnable);
    EXPECT_EQ(zEnable, 0u);

    // The managed texture kept its contents through the reset.
    std::vector<uint32_t> pixels;
    gfx::Surface* level = nullptr;
    managed->getSurfaceLevel(0, &level);
    ASSERT_EQ(device_->readSurface(level, pixels), Result::Ok);
    EXPECT_EQ(pixels.at(5), 0x7F7F7F7Fu);
    level->release();
    managed->release();
    EXPECT_EQ(device_->present(), Result::Ok);
}

TEST_F(GfxTest, CapsReportShaderLevelThreeUnlessTheTestSwitchAsksForTwo) {
    gfx::Caps caps;
    device_->getDeviceCaps(caps);
    EXPECT_GE(caps.vertexShaderVersion, gfx::shaderVersion(3, 0));
    EXPECT_GE(caps.pixelShaderVersion, gfx::shaderVersion(3, 0));
    gfx::setReportedShaderLevel(2);
    system_->getDeviceCaps(0, gfx::DeviceType::Hal, caps);
    gfx::setReportedShaderLevel(3);
    EXPECT_LT(caps.vertexShaderVersion, gfx::shaderVersion(3, 0));
    EXPECT_GE(caps.vertexShaderVersion, gfx::shaderVersion(2, 0));
    EXPECT_EQ(system_->checkDepthStencilMatch(0, gfx::DeviceType::Hal, gfx::Format::X8R8G8B8, gfx::Format::X8R8G8B8,
                                              gfx::Format::D24X8),
              Result::Ok);
    EXPECT_EQ(system_->checkDeviceFormat(0, gfx::DeviceType::Hal, gfx::Format::X8R8G8B8, gfx::Usage::RenderTarget,
                                         gfx::ResourceType::Texture, gfx::Format::X8R8G8B8),
              Result::Ok);
    gfx::DisplayMode mode;
    EXPECT_EQ(system_->getAdapterDisplayMode(0, mode), Result::Ok);
    EXPECT_GT(mode.width, 0u);
    ASSERT_GT(system_->getAdapterModeCount(0, gfx::Format::X8R8G8B8), 0u);
    EXPECT_EQ(system_->enumAdapterModes(0, gfx::Format::X8R8G8B8, 0, mode), Result::Ok);
}

} // namespace

namespace {

TEST_F(GfxTest, ADisplayChangeResetsToAMultisampledBackBufferThatPresents) {
    EXPECT_EQ(device_->testCooperativeLevel(), Result::Ok);
    gfx::PresentParameters changed = parameters_;
    changed.backBufferWidth = 40;
    changed.backBufferHeight = 30;
    changed.multiSampleType = gfx::MultisampleType::Samples4;
    changed.presentationInterval = gfx::PresentInterval::Immediate;
    ASSERT_EQ(device_->reset(changed), Result::Ok);
    gfx::Surface* back = nullptr;
    device_->getBackBuffer(&back);
    gfx::SurfaceDesc desc;
    back->getDesc(desc);
    EXPECT_EQ(desc.width, 40u);
    EXPECT_EQ(desc.multiSampleType, gfx::MultisampleType::Samples4);
    back->release();
    gfx::Viewport viewport;
    device_->getViewport(viewport);
    EXPECT_EQ(viewport.width, 40u);
    EXPECT_EQ(viewport.height, 30u);
    gfx::Effect* effect = makeEffect(kQuadEffect);
    ASSERT_NE(effect, nullptr);
    device_->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
    const float white[4] = {1, 1, 1, 1};
    drawQuad(effect, pixelRect(4, 4, 12, 12, 40, 30), white);
    const std::vector<uint32_t> pixels = readBackBuffer();
    ASSERT_EQ(pixels.size(), size_t(40 * 30));
    EXPECT_EQ(at(pixels, 40, 4, 4), 0xFFFFFFFFu);
    EXPECT_EQ(at(pixels, 40, 11, 11), 0xFFFFFFFFu);
    EXPECT_EQ(at(pixels, 40, 12, 12), 0xFF000000u);
    EXPECT_EQ(device_->present(), Result::Ok);
    effect->release();
}

} // namespace
