// Faults found in review of the device, each reproduced: resets that fail, the default-pool
// census, X8 targets and destination alpha, resources off the drawing thread, GL errors, and
// viewports that do not start at the origin.
#include <epoxy/gl.h>
#include <gtest/gtest-spi.h>

#include <thread>

#include "gfx_fixture.h"

namespace {

using namespace gfxtest;
using gfx::Result;

struct ResetCase {
    const char* name;
    bool keepRenderTarget; // refused: a default-pool object is alive
    uint32_t width, height; // failed: no back buffer can have this size
};

class GfxResetFailureTest : public GfxTest, public ::testing::WithParamInterface<ResetCase> {};

TEST_P(GfxResetFailureTest, LeavesTheDeviceNotResetUntilAResetSucceeds) {
    const ResetCase& c = GetParam();
    gfx::Surface* target = nullptr;
    if (c.keepRenderTarget) {
        ASSERT_EQ(device_->createRenderTarget(16, 16, gfx::Format::A8R8G8B8, gfx::MultisampleType::None, &target),
                  Result::Ok);
    }
    gfx::PresentParameters wanted = parameters_;
    wanted.backBufferWidth = c.width;
    wanted.backBufferHeight = c.height;
    EXPECT_NE(device_->reset(wanted), Result::Ok);
    // Forgetting the failure would answer Ok here, and the resize would be lost.
    EXPECT_EQ(device_->testCooperativeLevel(), Result::DeviceNotReset);
    EXPECT_EQ(device_->testCooperativeLevel(), Result::DeviceNotReset);
    EXPECT_EQ(device_->present(), Result::DeviceLost);

    gfx::safeRelease(target);
    gfx::PresentParameters good = parameters_;
    good.backBufferWidth = 32;
    good.backBufferHeight = 24;
    ASSERT_EQ(device_->reset(good), Result::Ok);
    EXPECT_EQ(device_->testCooperativeLevel(), Result::Ok);
    gfx::Surface* back = nullptr;
    ASSERT_EQ(device_->getBackBuffer(&back), Result::Ok);
    EXPECT_EQ(back->width(), 32u);
    back->release();
    EXPECT_EQ(device_->present(), Result::Ok);
}

INSTANTIATE_TEST_SUITE_P(Resets, GfxResetFailureTest,
                         ::testing::Values(ResetCase{"Refused", true, 40, 30},
                                           ResetCase{"ImpossibleSize", false, 1u << 20, 1u << 20}),
                         [](const ::testing::TestParamInfo<ResetCase>& info) { return std::string(info.param.name); });

TEST_F(GfxTest, TexturesWhoseCreationFailedLeaveTheDefaultPoolCensusAlone) {
    struct Case {
        uint32_t width, height, usage;
        gfx::Format format;
    } failing[] = {
        {0, 16, 0, gfx::Format::A8R8G8B8},
        {16, 16, gfx::Usage::RenderTarget, gfx::Format::Dxt1},
        {16, 16, 0, gfx::Format::D24S8},
        {1u << 20, 16, 0, gfx::Format::A8R8G8B8},
    };
    for (const Case& c : failing) {
        gfx::Texture* texture = nullptr;
        EXPECT_NE(device_->createTexture(c.width, c.height, 1, c.usage, c.format, gfx::Pool::Default, &texture),
                  Result::Ok);
        EXPECT_EQ(texture, nullptr);
    }
    gfx::CubeTexture* cube = nullptr;
    EXPECT_NE(device_->createCubeTexture(0, 1, 0, gfx::Format::A8R8G8B8, gfx::Pool::Default, &cube), Result::Ok);
    EXPECT_EQ(device_->liveDefaultPoolObjects(), 0);
    // A count gone below zero would let this reset through with a render target alive.
    gfx::Texture* target = nullptr;
    ASSERT_EQ(device_->createTexture(16, 16, 1, gfx::Usage::RenderTarget, gfx::Format::A8R8G8B8, gfx::Pool::Default,
                                     &target),
              Result::Ok);
    EXPECT_EQ(device_->liveDefaultPoolObjects(), 1);
    gfx::PresentParameters same = parameters_;
    EXPECT_EQ(device_->reset(same), Result::InvalidCall);
    target->release();
    EXPECT_EQ(device_->reset(same), Result::Ok);
}

struct AlphaCase {
    const char* name;
    enum Kind { BackBuffer, RenderTarget, TargetTexture } kind;
    gfx::Format format;
    uint32_t expected;
};

class GfxTargetAlphaTest : public GfxTest, public ::testing::WithParamInterface<AlphaCase> {};

TEST_P(GfxTargetAlphaTest, DestinationAlphaOfATargetWithoutAlphaReadsAsOne) {
    const AlphaCase& c = GetParam();
    gfx::Surface* surface = nullptr;
    gfx::Texture* texture = nullptr;
    if (c.kind == AlphaCase::BackBuffer) {
        device_->getBackBuffer(&surface);
    } else if (c.kind == AlphaCase::RenderTarget) {
        ASSERT_EQ(device_->createRenderTarget(kWidth, kHeight, c.format, gfx::MultisampleType::None, &surface),
                  Result::Ok);
    } else {
        ASSERT_EQ(device_->createTexture(kWidth, kHeight, 1, gfx::Usage::RenderTarget, c.format, gfx::Pool::Default,
                                         &texture),
                  Result::Ok);
        texture->getSurfaceLevel(0, &surface);
    }
    device_->setRenderTarget(0, surface);
    device_->clear(gfx::Clear::Target, 0x00000000u, 1.0f, 0);
    gfx::Effect* effect = makeEffect(kQuadEffect);
    device_->setRenderState(gfx::RenderState::AlphaBlendEnable, 1);
    device_->setRenderState(gfx::RenderState::SrcBlend, uint32_t(gfx::Blend::DestAlpha));
    device_->setRenderState(gfx::RenderState::DestBlend, uint32_t(gfx::Blend::Zero));
    const float white[4] = {1, 1, 1, 1};
    drawQuad(effect, pixelRect(0, 0, int(kWidth), int(kHeight), kWidth, kHeight), white);
    EXPECT_EQ(at(readTarget(surface), kWidth, 10, 10), c.expected);
    targetBackBuffer();
    effect->release();
    surface->release();
    if (texture) texture->release();
}

INSTANTIATE_TEST_SUITE_P(
    Targets, GfxTargetAlphaTest,
    ::testing::Values(AlphaCase{"BackBuffer", AlphaCase::BackBuffer, gfx::Format::X8R8G8B8, 0xFFFFFFFFu},
                      AlphaCase{"X8R8G8B8Target", AlphaCase::RenderTarget, gfx::Format::X8R8G8B8, 0xFFFFFFFFu},
                      AlphaCase{"X8R8G8B8Texture", AlphaCase::TargetTexture, gfx::Format::X8R8G8B8, 0xFFFFFFFFu},
                      AlphaCase{"A8R8G8B8Texture", AlphaCase::TargetTexture, gfx::Format::A8R8G8B8, 0x00000000u}),
    [](const ::testing::TestParamInfo<AlphaCase>& info) { return std::string(info.param.name); });

TEST_F(GfxTest, ResourcesNeedingGlAreRefusedOffTheDrawingThread) {
    Result texture = Result::Ok, buffer = Result::Ok, target = Result::Ok, memory = Result::Fail;
    bool nulls = false;
    std::thread worker([&] {
        gfx::Texture* t = nullptr;
        gfx::VertexBuffer* b = nullptr;
        gfx::Surface* s = nullptr;
        texture = device_->createTexture(16, 16, 1, 0, gfx::Format::A8R8G8B8, gfx::Pool::Managed, &t);
        buffer = device_->createVertexBuffer(64, gfx::Usage::Dynamic, gfx::Pool::Default, &b);
        target = device_->createRenderTarget(16, 16, gfx::Format::A8R8G8B8, gfx::MultisampleType::None, &s);
        nulls = !t && !b && !s;
        gfx::Texture* staging = nullptr;
        memory = device_->createTexture(16, 16, 1, 0, gfx::Format::A8R8G8B8, gfx::Pool::SystemMemory, &staging);
        gfx::safeRelease(staging);
    });
    worker.join();
    EXPECT_EQ(texture, Result::InvalidCall);
    EXPECT_EQ(buffer, Result::InvalidCall);
    EXPECT_EQ(target, Result::InvalidCall);
    EXPECT_TRUE(nulls);
    EXPECT_EQ(memory, Result::Ok);
    EXPECT_EQ(device_->liveDefaultPoolObjects(), 0);
}

TEST_F(GfxTest, AResourceReleasedOnAnotherThreadIsDeletedOnTheDrawingThread) {
    gfx::Texture* texture = nullptr;
    ASSERT_EQ(device_->createTexture(16, 16, 1, 0, gfx::Format::A8R8G8B8, gfx::Pool::Default, &texture), Result::Ok);
    gfx::VertexBuffer* buffer = nullptr;
    ASSERT_EQ(device_->createVertexBuffer(64, gfx::Usage::Dynamic, gfx::Pool::Default, &buffer), Result::Ok);
    const GLuint textureName = texture->glName(), bufferName = buffer->glName();
    std::thread([texture, buffer] {
        texture->release();
        buffer->release();
    }).join();
    EXPECT_EQ(device_->liveDefaultPoolObjects(), 0);
    // The worker had no GL context: the names live until the device's next call.
    EXPECT_TRUE(glIsTexture(textureName));
    EXPECT_TRUE(glIsBuffer(bufferName));
    device_->clear(gfx::Clear::Target, 0, 1.0f, 0);
    EXPECT_FALSE(glIsTexture(textureName));
    EXPECT_FALSE(glIsBuffer(bufferName));
}

TEST_F(GfxTest, AGlErrorFailsTheTestThatCausedIt) {
    EXPECT_NONFATAL_FAILURE(glEnable(GLenum(0x1234)), "GL error");
}

TEST_F(GfxTest, AViewportAwayFromTheOriginClearsAndDrawsOnlyItsOwnPixels) {
    const uint32_t left = 16, top = 8, width = 32, height = 24;
    device_->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
    ASSERT_EQ(device_->setViewport({left, top, width, height, 0, 1}), Result::Ok);
    device_->clear(gfx::Clear::Target, 0xFF0000FFu, 1.0f, 0);
    gfx::Effect* effect = makeEffect(kQuadEffect);
    const float green[4] = {0, 1, 0, 1};
    // Pixel edges computed for the viewport's own size land on its pixels, offset by its origin.
    drawQuad(effect, pixelRect(4, 2, 10, 6, width, height), green);
    const std::vector<uint32_t> pixels = readBackBuffer();
    for (uint32_t y = 0; y < kHeight; ++y) {
        for (uint32_t x = 0; x < kWidth; ++x) {
            const bool inViewport = x >= left && x < left + width && y >= top && y < top + height;
            const bool inQuad = x >= left + 4 && x < left + 10 && y >= top + 2 && y < top + 6;
            const uint32_t expected = inQuad ? 0xFF00FF00u : inViewport ? 0xFF0000FFu : 0xFF000000u;
            ASSERT_EQ(at(pixels, kWidth, x, y), expected) << x << ", " << y;
        }
    }
    effect->release();
}

} // namespace
