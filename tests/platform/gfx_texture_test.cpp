// Textures: formats as shaders sample them, locks in every pool, updates, DXT and null textures.
#include <cstring>
#include <thread>

#include "gfx_fixture.h"

namespace {

using namespace gfxtest;
using gfx::Result;

const char* kTextureEffect = R"(
parameter vec2 gVertPositions[4];
parameter texture gImage;
sampler2D ImageSampler {
    texture = gImage;
    MinFilter = Point; MagFilter = Point; MipFilter = None;
    AddressU = Clamp; AddressV = Clamp;
}
vertex QuadVS {
in vec3 inPosition;
out vec2 uv;
void main() {
    int corner = int(inPosition.z);
    gl_Position = vec4(gVertPositions[corner], 0.0, 1.0);
    uv = vec2(corner == 1 || corner == 2 ? 1.0 : 0.0, corner >= 2 ? 1.0 : 0.0);
}
}
fragment SampleFS { in vec2 uv; void main() { outColour = texture(ImageSampler, uv); } }
technique SimpleTech { pass P0 { vertex = QuadVS; fragment = SampleFS; } }
)";

class GfxTextureTest : public GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        if (HasFatalFailure()) return;
        effect_ = makeEffect(kTextureEffect);
    }
    void TearDown() override {
        gfx::safeRelease(effect_);
        GfxTest::TearDown();
    }

    // Draws the texture texel for pixel onto an A8R8G8B8 target of the same size; returns the pixels.
    std::vector<uint32_t> sample(gfx::BaseTexture* texture, uint32_t width, uint32_t height) {
        gfx::Texture* target = nullptr;
        EXPECT_EQ(device_->createTexture(width, height, 1, gfx::Usage::RenderTarget, gfx::Format::A8R8G8B8,
                                         gfx::Pool::Default, &target),
                  Result::Ok);
        gfx::Surface* surface = nullptr;
        target->getSurfaceLevel(0, &surface);
        device_->setRenderTarget(0, surface);
        device_->clear(gfx::Clear::Target, 0xFFFFFFFFu, 1.0f, 0);
        effect_->setTexture(effect_->getParameterByName("gImage"), texture);
        bindQuadGeometry();
        const std::vector<float> quad = pixelRect(0, 0, int(width), int(height), width, height);
        effect_->setFloatArray(effect_->getParameterByName("gVertPositions"), quad.data(), 8);
        uint32_t passes = 0;
        effect_->begin(&passes, 0);
        effect_->beginPass(0);
        device_->drawIndexedPrimitive(gfx::PrimitiveType::TriangleList, 0, 0, 4, 0, 2);
        effect_->endPass();
        effect_->end();
        std::vector<uint32_t> pixels = readTarget(surface);
        targetBackBuffer();
        surface->release();
        target->release();
        return pixels;
    }

    gfx::Effect* effect_ = nullptr;
};

TEST_F(GfxTextureTest, AnL8TextureLockedAndWrittenSamplesAsGreyOpaque) {
    gfx::Texture* glyphs = nullptr;
    ASSERT_EQ(device_->createTexture(16, 8, 1, 0, gfx::Format::L8, gfx::Pool::Managed, &glyphs), Result::Ok);
    gfx::LockedRect locked;
    ASSERT_EQ(glyphs->lockRect(0, locked, nullptr, 0), Result::Ok);
    EXPECT_EQ(locked.pitch, 16);
    auto* bytes = static_cast<uint8_t*>(locked.bits);
    // Every byte starts at 0 (glyphs are added to it).
    for (int i = 0; i < 16 * 8; ++i) ASSERT_EQ(bytes[i], 0);
    bytes[2 * locked.pitch + 3] = 0x80;
    bytes[7 * locked.pitch + 15] = 0xFF;
    ASSERT_EQ(glyphs->unlockRect(0), Result::Ok);
    // A second lock sees the current contents and adds to them.
    ASSERT_EQ(glyphs->lockRect(0, locked, nullptr, 0), Result::Ok);
    bytes = static_cast<uint8_t*>(locked.bits);
    EXPECT_EQ(bytes[2 * locked.pitch + 3], 0x80);
    bytes[0] = 0x10;
    glyphs->unlockRect(0);
    const std::vector<uint32_t> pixels = sample(glyphs, 16, 8);
    EXPECT_EQ(at(pixels, 16, 3, 2), 0xFF808080u);
    EXPECT_EQ(at(pixels, 16, 15, 7), 0xFFFFFFFFu);
    EXPECT_EQ(at(pixels, 16, 0, 0), 0xFF101010u);
    EXPECT_EQ(at(pixels, 16, 4, 2), 0xFF000000u);
    glyphs->release();
}

struct FormatCase {
    const char* name;
    gfx::Format format;
    std::vector<uint8_t> texel; // bytes of the first texel as stored
    uint32_t sampled;           // what a shader reads, as ARGB
};

class GfxFormatTest : public GfxTextureTest, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(GfxFormatTest, TexelsSampleAsTheOriginalHardwareReadThem) {
    const FormatCase& c = GetParam();
    gfx::Texture* texture = nullptr;
    ASSERT_EQ(device_->createTexture(4, 2, 1, 0, c.format, gfx::Pool::Managed, &texture), Result::Ok);
    gfx::LockedRect locked;
    ASSERT_EQ(texture->lockRect(0, locked, nullptr, 0), Result::Ok);
    EXPECT_EQ(size_t(locked.pitch), 4 * c.texel.size());
    // The last texel of the second row, so rows and pitch matter.
    std::memcpy(static_cast<uint8_t*>(locked.bits) + locked.pitch + 3 * c.texel.size(), c.texel.data(), c.texel.size());
    texture->unlockRect(0);
    const std::vector<uint32_t> pixels = sample(texture, 4, 2);
    EXPECT_TRUE(near(at(pixels, 4, 3, 1), c.sampled)) << std::hex << at(pixels, 4, 3, 1) << " expected " << c.sampled;
    // Read-back of the texture itself gives the same.
    gfx::Surface* level = nullptr;
    texture->getSurfaceLevel(0, &level);
    const std::vector<uint32_t> direct = readTarget(level);
    EXPECT_TRUE(near(at(direct, 4, 3, 1), c.sampled)) << std::hex << at(direct, 4, 3, 1);
    level->release();
    texture->release();
}

float bitsOf(float value, int byte) {
    uint8_t bytes[4];
    std::memcpy(bytes, &value, 4);
    return bytes[byte];
}

std::vector<uint8_t> floatBytes(std::initializer_list<float> values) {
    std::vector<uint8_t> out;
    for (float v : values)
        for (int b = 0; b < 4; ++b) out.push_back(uint8_t(bitsOf(v, b)));
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Formats, GfxFormatTest,
    ::testing::Values(FormatCase{"A8R8G8B8", gfx::Format::A8R8G8B8, {0x10, 0x20, 0x30, 0x80}, 0x80302010u},
                      FormatCase{"X8R8G8B8", gfx::Format::X8R8G8B8, {0x10, 0x20, 0x30, 0x00}, 0xFF302010u},
                      FormatCase{"A8B8G8R8", gfx::Format::A8B8G8R8, {0x10, 0x20, 0x30, 0x80}, 0x80102030u},
                      FormatCase{"X8B8G8R8", gfx::Format::X8B8G8R8, {0x10, 0x20, 0x30, 0x00}, 0xFF102030u},
                      FormatCase{"R8G8B8", gfx::Format::R8G8B8, {0x10, 0x20, 0x30}, 0xFF302010u},
                      FormatCase{"R5G6B5", gfx::Format::R5G6B5, {0x1F, 0xF8}, 0xFFFF00FFu},
                      FormatCase{"L8", gfx::Format::L8, {0x40}, 0xFF404040u},
                      FormatCase{"A8", gfx::Format::A8, {0x40}, 0x40000000u},
                      FormatCase{"R32F", gfx::Format::R32F, floatBytes({0.5f}), 0xFF80FFFFu},
                      FormatCase{"A32B32G32R32F", gfx::Format::A32B32G32R32F, floatBytes({0.25f, 0.5f, 0.75f, 1.0f}),
                                 0xFF4080BFu}),
    [](const auto& info) { return std::string(info.param.name); });

// Two DXT1 blocks: four-colour mode (red to blue), then three-colour mode with transparency.
const uint8_t kDxt1Blocks[16] = {
    0x00, 0xF8, 0x1F, 0x00, 0xE4, 0xE4, 0xE4, 0xE4, // c0 red > c1 blue; each row indices 0,1,2,3
    0x1F, 0x00, 0x00, 0xF8, 0xE4, 0xE4, 0xE4, 0xE4, // c0 blue <= c1 red; index 2 halfway, 3 transparent
};
const uint32_t kDxt1Row[8] = {0xFFFF0000u, 0xFF0000FFu, 0xFFAA0055u, 0xFF5500AAu,
                              0xFF0000FFu, 0xFFFF0000u, 0xFF800080u, 0x00000000u};

class GfxDxtTest : public GfxTextureTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        gfx::setDriverS3tcAllowed(GetParam());
        GfxTextureTest::SetUp();
    }
    void TearDown() override {
        GfxTextureTest::TearDown();
        gfx::setDriverS3tcAllowed(true);
    }
};

TEST_P(GfxDxtTest, Dxt1DecodesToTheExpectedColours) {
    gfx::Texture* texture = nullptr;
    ASSERT_EQ(device_->createTexture(8, 4, 1, 0, gfx::Format::Dxt1, gfx::Pool::Managed, &texture), Result::Ok);
    gfx::LockedRect locked;
    ASSERT_EQ(texture->lockRect(0, locked, nullptr, 0), Result::Ok);
    EXPECT_EQ(locked.pitch, 16); // one row of two 8-byte blocks
    std::memcpy(locked.bits, kDxt1Blocks, sizeof kDxt1Blocks);
    texture->unlockRect(0);
    // Cleared to white: the transparent texel shows as transparent black, not as white.
    const std::vector<uint32_t> pixels = sample(texture, 8, 4);
    for (uint32_t y = 0; y < 4; ++y)
        for (uint32_t x = 0; x < 8; ++x)
            EXPECT_TRUE(near(at(pixels, 8, x, y), kDxt1Row[x], 3))
                << x << "," << y << ": " << std::hex << at(pixels, 8, x, y) << " expected " << kDxt1Row[x];
    texture->release();
}

INSTANTIATE_TEST_SUITE_P(DriverOrCpu, GfxDxtTest, ::testing::Values(true, false),
                         [](const auto& info) { return std::string(info.param ? "Driver" : "Cpu"); });

TEST_F(GfxTextureTest, ASystemMemoryTextureFilledOnAWorkerUpdatesADefaultOne) {
    gfx::Texture* staging = nullptr;
    ASSERT_EQ(device_->createTexture(4, 4, 0, 0, gfx::Format::A8R8G8B8, gfx::Pool::SystemMemory, &staging), Result::Ok);
    EXPECT_EQ(staging->levelCount(), 3u);
    std::thread worker([staging] {
        for (uint32_t level = 0; level < staging->levelCount(); ++level) {
            gfx::LockedRect locked;
            staging->lockRect(level, locked, nullptr, 0);
            const uint32_t colour = level == 0 ? 0xFF00FF00u : 0xFFFF0000u;
            for (uint32_t i = 0; i < staging->levelWidth(level) * staging->levelHeight(level); ++i)
                std::memcpy(static_cast<uint8_t*>(locked.bits) + i * 4, &colour, 4);
            staging->unlockRect(level);
        }
    });
    worker.join();
    gfx::Texture* texture = nullptr;
    ASSERT_EQ(device_->createTexture(4, 4, 3, 0, gfx::Format::A8R8G8B8, gfx::Pool::Default, &texture), Result::Ok);
    ASSERT_EQ(device_->updateTexture(staging, texture), Result::Ok);
    EXPECT_EQ(at(sample(texture, 4, 4), 4, 2, 2), 0xFF00FF00u);
    gfx::Surface* level = nullptr;
    texture->getSurfaceLevel(1, &level);
    EXPECT_EQ(readTarget(level).at(3), 0xFFFF0000u);
    level->release();
    // Locking the default texture reads its current contents back.
    gfx::LockedRect locked;
    ASSERT_EQ(texture->lockRect(0, locked, nullptr, gfx::Lock::ReadOnly), Result::Ok);
    uint32_t first = 0;
    std::memcpy(&first, locked.bits, 4);
    texture->unlockRect(0);
    EXPECT_EQ(first, 0xFF00FF00u);
    // A clean source copies nothing until it is marked dirty again.
    gfx::Texture* second = nullptr;
    ASSERT_EQ(device_->createTexture(4, 4, 1, 0, gfx::Format::A8R8G8B8, gfx::Pool::Default, &second), Result::Ok);
    ASSERT_EQ(second->lockRect(0, locked, nullptr, gfx::Lock::Discard), Result::Ok);
    std::memset(locked.bits, 0x40, 4 * 4 * 4);
    second->unlockRect(0);
    ASSERT_EQ(device_->updateTexture(staging, second), Result::Ok);
    EXPECT_EQ(at(sample(second, 4, 4), 4, 2, 2), 0x40404040u);
    staging->addDirtyRect(nullptr);
    ASSERT_EQ(device_->updateTexture(staging, second), Result::Ok);
    EXPECT_EQ(at(sample(second, 4, 4), 4, 2, 2), 0xFF00FF00u);
    second->release();
    // Mismatched sizes are refused.
    gfx::Texture* other = nullptr;
    device_->createTexture(8, 8, 1, 0, gfx::Format::A8R8G8B8, gfx::Pool::Default, &other);
    EXPECT_EQ(device_->updateTexture(staging, other), Result::InvalidCall);
    other->release();
    texture->release();
    staging->release();
}

TEST_F(GfxTextureTest, ANullTextureSamplesAsTransparentBlack) {
    const std::vector<uint32_t> pixels = sample(nullptr, 4, 4);
    EXPECT_EQ(at(pixels, 4, 1, 1), 0x00000000u);
}

TEST_F(GfxTextureTest, SurfacesShareTheirTexturesCount) {
    gfx::Texture* texture = nullptr;
    ASSERT_EQ(device_->createTexture(4, 4, 1, 0, gfx::Format::A8R8G8B8, gfx::Pool::Managed, &texture), Result::Ok);
    gfx::Surface* first = nullptr;
    gfx::Surface* second = nullptr;
    texture->getSurfaceLevel(0, &first);
    texture->getSurfaceLevel(0, &second);
    EXPECT_EQ(first, second);
    // The texture's own reference goes; the surfaces keep it alive.
    EXPECT_EQ(texture->release(), 2u);
    gfx::SurfaceDesc desc;
    first->getDesc(desc);
    EXPECT_EQ(desc.width, 4u);
    EXPECT_EQ(desc.pool, gfx::Pool::Managed);
    EXPECT_EQ(first->release(), 1u);
    EXPECT_EQ(second->release(), 0u);
    // A render target's surface can't be locked; a write-only managed buffer can be read back.
    gfx::Surface* target = nullptr;
    device_->createRenderTarget(4, 4, gfx::Format::A8R8G8B8, gfx::MultisampleType::None, &target);
    gfx::LockedRect locked;
    EXPECT_EQ(target->lockRect(locked, nullptr, 0), Result::InvalidCall);
    target->release();
    gfx::IndexBuffer* indices = nullptr;
    ASSERT_EQ(device_->createIndexBuffer(8, gfx::Usage::WriteOnly, gfx::Format::Index32, gfx::Pool::Managed, &indices),
              Result::Ok);
    void* data = nullptr;
    indices->lock(4, 4, &data, 0);
    const uint32_t value = 0x12345678u;
    std::memcpy(data, &value, 4);
    indices->unlock();
    uint32_t readBack = 0;
    std::memcpy(&readBack, indices->contents().data() + 4, 4);
    EXPECT_EQ(readBack, value);
    indices->release();
}

} // namespace
