// What UI batching relies on: dynamic vertex buffers, gathered texture rectangles, state groups.
#include <cstring>

#include "gfx_fixture.h"

namespace {

using namespace gfxtest;
using gfx::Result;

const char* kColourEffect = R"(
vertex ColourVS {
in vec3 inPosition;
in vec4 inColour;
out vec4 colour;
void main() { gl_Position = vec4(inPosition, 1.0); colour = inColour; }
}
fragment ColourFS { in vec4 colour; void main() { outColour = colour; } }
technique SimpleTech { pass P0 { vertex = ColourVS; fragment = ColourFS; CullMode = None; } }
)";

const char* kTexturedEffect = R"(
parameter texture gImage;
sampler2D ImageSampler {
    texture = gImage;
    MinFilter = Point; MagFilter = Point; MipFilter = None;
    AddressU = Clamp; AddressV = Clamp;
}
vertex TexVS {
in vec3 inPosition;
in vec2 inTexCoord0;
out vec2 uv;
void main() { gl_Position = vec4(inPosition, 1.0); uv = inTexCoord0; }
}
fragment TexFS { in vec2 uv; void main() { outColour = texture(ImageSampler, uv); } }
technique SimpleTech { pass P0 { vertex = TexVS; fragment = TexFS; CullMode = None; } }
)";

struct Vertex {
    float x, y, z;
    uint32_t colour;
};
constexpr uint32_t kQuadBytes = 4 * sizeof(Vertex);

// A quad over columns [left, right) and all rows of the 64-pixel-wide target, in clip space.
void writeQuad(void* to, float left, float right, uint32_t colour) {
    const float l = -1.0f + 2.0f * left / 64.0f, r = -1.0f + 2.0f * right / 64.0f;
    const Vertex quad[4] = {{l, 1, 0, colour}, {r, 1, 0, colour}, {r, -1, 0, colour}, {l, -1, 0, colour}};
    std::memcpy(to, quad, sizeof quad);
}

class GfxDynamicTest : public GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        if (HasFatalFailure()) return;
        effect_ = makeEffect(kColourEffect);
        ASSERT_NE(effect_, nullptr);
        ASSERT_EQ(device_->createIndexBuffer(12, gfx::Usage::WriteOnly, gfx::Format::Index16, gfx::Pool::Managed,
                                             &indices_),
                  Result::Ok);
        void* data = nullptr;
        indices_->lock(0, 0, &data, 0);
        const uint16_t quad[] = {0, 1, 2, 2, 3, 0};
        std::memcpy(data, quad, sizeof quad);
        indices_->unlock();
        ASSERT_EQ(device_->createVertexDeclaration({{0, 0, gfx::DeclType::Float3, 0, gfx::DeclUsage::Position, 0},
                                                    {0, 12, gfx::DeclType::Color, 0, gfx::DeclUsage::Color, 0}},
                                                   &declaration_),
                  Result::Ok);
    }
    void TearDown() override {
        gfx::safeRelease(effect_);
        gfx::safeRelease(indices_);
        gfx::safeRelease(declaration_);
        GfxTest::TearDown();
    }

    void drawQuadAt(gfx::VertexBuffer* vertices, int32_t baseVertex) {
        device_->setVertexDeclaration(declaration_);
        device_->setStreamSource(0, vertices, 0, sizeof(Vertex));
        device_->setIndices(indices_);
        uint32_t passes = 0;
        effect_->begin(&passes, 0);
        effect_->beginPass(0);
        EXPECT_EQ(device_->drawIndexedPrimitive(gfx::PrimitiveType::TriangleList, baseVertex, 0, 4, 0, 2), Result::Ok);
        effect_->endPass();
        effect_->end();
    }

    gfx::Effect* effect_ = nullptr;
    gfx::IndexBuffer* indices_ = nullptr;
    gfx::VertexDeclaration* declaration_ = nullptr;
};

TEST_F(GfxDynamicTest, DrawLockAndDrawAgainInOneFrameWithDiscardAndNoOverwrite) {
    gfx::VertexBuffer* vertices = nullptr;
    ASSERT_EQ(device_->createVertexBuffer(4 * kQuadBytes, gfx::Usage::Dynamic | gfx::Usage::WriteOnly,
                                          gfx::Pool::Default, &vertices),
              Result::Ok);
    EXPECT_FALSE(vertices->keepsCpuCopy());
    device_->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
    device_->resetStatistics();
    void* data = nullptr;

    ASSERT_EQ(vertices->lock(0, kQuadBytes, &data, gfx::Lock::Discard), Result::Ok);
    writeQuad(data, 0, 16, 0xFFFF0000u);
    vertices->unlock();
    drawQuadAt(vertices, 0);
    // The draw above may still be reading the old store: Discard gives a fresh one.
    ASSERT_EQ(vertices->lock(0, kQuadBytes, &data, gfx::Lock::Discard), Result::Ok);
    writeQuad(data, 24, 40, 0xFF00FF00u);
    vertices->unlock();
    drawQuadAt(vertices, 0);
    // Past what was drawn: written in place without waiting.
    ASSERT_EQ(vertices->lock(kQuadBytes, kQuadBytes, &data, gfx::Lock::NoOverwrite), Result::Ok);
    writeQuad(data, 48, 64, 0xFF0000FFu);
    vertices->unlock();
    drawQuadAt(vertices, 4);

    const std::vector<uint32_t> pixels = readBackBuffer();
    EXPECT_EQ(at(pixels, kWidth, 8, 20), 0xFFFF0000u);
    EXPECT_EQ(at(pixels, kWidth, 20, 20), 0xFF000000u);
    EXPECT_EQ(at(pixels, kWidth, 32, 20), 0xFF00FF00u);
    EXPECT_EQ(at(pixels, kWidth, 56, 20), 0xFF0000FFu);
    // Only the locked ranges travelled, never the whole buffer.
    EXPECT_EQ(device_->statistics().bufferBytesUploaded, 3u * kQuadBytes);
    // The current contents can still be read.
    Vertex third[4];
    std::memcpy(third, vertices->contents().data() + kQuadBytes, sizeof third);
    EXPECT_EQ(third[0].colour, 0xFF0000FFu);
    device_->setStreamSource(0, nullptr, 0, 0);
    vertices->release();
    EXPECT_EQ(device_->liveDefaultPoolObjects(), 0);
}

TEST_F(GfxDynamicTest, OnlyDynamicDefaultPoolBuffersGoWithoutACpuCopy) {
    struct Case {
        uint32_t usage;
        gfx::Pool pool;
        bool copy;
    } cases[] = {{gfx::Usage::Dynamic, gfx::Pool::Default, false},
                 {gfx::Usage::WriteOnly, gfx::Pool::Default, true},
                 {gfx::Usage::WriteOnly, gfx::Pool::Managed, true},
                 {gfx::Usage::Dynamic, gfx::Pool::SystemMemory, true}};
    for (const Case& c : cases) {
        gfx::VertexBuffer* buffer = nullptr;
        ASSERT_EQ(device_->createVertexBuffer(64, c.usage, c.pool, &buffer), Result::Ok);
        EXPECT_EQ(buffer->keepsCpuCopy(), c.copy) << c.usage << " " << int(c.pool);
        void* data = nullptr;
        ASSERT_EQ(buffer->lock(16, 8, &data, 0), Result::Ok);
        std::memset(data, 0x5A, 8);
        buffer->unlock();
        EXPECT_EQ(buffer->contents().at(16), 0x5A);
        EXPECT_EQ(buffer->contents().at(23), 0x5A);
        buffer->release();
    }
}

class GfxTextureRectTest : public GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        if (HasFatalFailure()) return;
        effect_ = makeEffect(kTexturedEffect);
        ASSERT_NE(effect_, nullptr);
        struct TexVertex {
            float x, y, z, u, v;
        };
        // The whole target, texel for pixel from a 64 x 64 texture.
        const TexVertex quad[] = {{-1, 1, 0, 0, 0}, {1, 1, 0, 1, 0}, {1, -1, 0, 1, 0.75f}, {-1, -1, 0, 0, 0.75f}};
        ASSERT_EQ(device_->createVertexBuffer(sizeof quad, 0, gfx::Pool::Managed, &vertices_), Result::Ok);
        void* data = nullptr;
        vertices_->lock(0, 0, &data, 0);
        std::memcpy(data, quad, sizeof quad);
        vertices_->unlock();
        bindQuadGeometry();
        ASSERT_EQ(device_->createVertexDeclaration({{0, 0, gfx::DeclType::Float3, 0, gfx::DeclUsage::Position, 0},
                                                    {0, 12, gfx::DeclType::Float2, 0, gfx::DeclUsage::TexCoord, 0}},
                                                   &declaration_),
                  Result::Ok);
    }
    void TearDown() override {
        gfx::safeRelease(effect_);
        gfx::safeRelease(vertices_);
        gfx::safeRelease(declaration_);
        GfxTest::TearDown();
    }

    std::vector<uint32_t> drawTexture(gfx::Texture* texture) {
        effect_->setTexture(effect_->getParameterByName("gImage"), texture);
        device_->setVertexDeclaration(declaration_);
        device_->setStreamSource(0, vertices_, 0, 20);
        uint32_t passes = 0;
        effect_->begin(&passes, 0);
        effect_->beginPass(0);
        EXPECT_EQ(device_->drawIndexedPrimitive(gfx::PrimitiveType::TriangleList, 0, 0, 4, 0, 2), Result::Ok);
        effect_->endPass();
        effect_->end();
        effect_->setTexture(effect_->getParameterByName("gImage"), nullptr);
        return readBackBuffer();
    }

    static void fillRect(gfx::Texture* texture, const gfx::Rect& rect, uint32_t flags, uint8_t value) {
        gfx::LockedRect locked;
        ASSERT_EQ(texture->lockRect(0, locked, &rect, flags), Result::Ok);
        for (int32_t y = 0; y < rect.bottom - rect.top; ++y)
            std::memset(static_cast<uint8_t*>(locked.bits) + y * locked.pitch, value, size_t(rect.right - rect.left));
        texture->unlockRect(0);
    }

    gfx::Effect* effect_ = nullptr;
    gfx::VertexBuffer* vertices_ = nullptr;
    gfx::VertexDeclaration* declaration_ = nullptr;
};

TEST_F(GfxTextureRectTest, AtlasRectanglesAreGatheredAndUploadedBeforeTheFirstDrawThatSamplesThem) {
    gfx::Texture* atlas = nullptr;
    ASSERT_EQ(device_->createTexture(64, 64, 1, 0, gfx::Format::L8, gfx::Pool::Managed, &atlas), Result::Ok);
    device_->resetStatistics();
    fillRect(atlas, {8, 8, 12, 12}, 0, 0xFF);
    fillRect(atlas, {20, 20, 24, 24}, 0, 0x80);
    EXPECT_EQ(device_->statistics().textureUploads, 0u);
    const std::vector<uint32_t> pixels = drawTexture(atlas);
    // One upload of the rectangle both locks cover, not of the level.
    EXPECT_EQ(device_->statistics().textureUploads, 1u);
    EXPECT_EQ(device_->statistics().textureBytesUploaded, 16u * 16u);
    EXPECT_EQ(at(pixels, kWidth, 10, 10), 0xFFFFFFFFu);
    EXPECT_TRUE(near(at(pixels, kWidth, 22, 22), 0xFF808080u));
    EXPECT_EQ(at(pixels, kWidth, 16, 16), 0xFF000000u);
    EXPECT_EQ(at(pixels, kWidth, 2, 2), 0xFF000000u);
    // Nothing new: nothing uploaded.
    drawTexture(atlas);
    EXPECT_EQ(device_->statistics().textureUploads, 1u);
    atlas->release();
}

TEST_F(GfxTextureRectTest, ADefaultPoolRectangleUploadsItselfAndAWriteOnlyLockReadsNothingBack) {
    gfx::Texture* texture = nullptr;
    ASSERT_EQ(device_->createTexture(64, 64, 1, gfx::Usage::Dynamic, gfx::Format::L8, gfx::Pool::Default, &texture),
              Result::Ok);
    fillRect(texture, {0, 0, 64, 64}, gfx::Lock::Discard, 0x40);
    device_->resetStatistics();
    fillRect(texture, {8, 8, 12, 12}, gfx::Lock::Discard, 0xFF);
    EXPECT_EQ(device_->statistics().textureBytesReadBack, 0u);
    EXPECT_EQ(device_->statistics().textureBytesUploaded, 16u);
    // A plain lock keeps what is around the rectangle.
    fillRect(texture, {20, 20, 24, 24}, 0, 0x80);
    EXPECT_GT(device_->statistics().textureBytesReadBack, 0u);
    EXPECT_EQ(device_->statistics().textureBytesUploaded, 32u);
    const std::vector<uint32_t> pixels = drawTexture(texture);
    EXPECT_EQ(at(pixels, kWidth, 10, 10), 0xFFFFFFFFu);
    EXPECT_TRUE(near(at(pixels, kWidth, 22, 22), 0xFF808080u));
    EXPECT_TRUE(near(at(pixels, kWidth, 30, 30), 0xFF404040u));
    texture->release();
}

TEST_F(GfxTest, StateChangesReapplyOnlyTheirGroupAndThePixelShiftGoesOncePerProgramAndViewport) {
    gfx::Effect* first = makeEffect(kQuadEffect);
    gfx::Effect* second = makeEffect(kQuadEffect);
    const float white[4] = {1, 1, 1, 1};
    const std::vector<float> quad = pixelRect(4, 4, 20, 20, kWidth, kHeight);
    drawQuad(first, quad, white);
    device_->resetStatistics();

    device_->setRenderState(gfx::RenderState::ScissorTestEnable, 1);
    device_->setScissorRect({0, 0, 10, 10});
    drawQuad(first, quad, white);
    device_->setScissorRect({0, 0, 12, 12});
    drawQuad(first, quad, white);
    EXPECT_EQ(device_->statistics().scissorApplications, 2u);
    EXPECT_EQ(device_->statistics().renderStateApplications, 0u);
    EXPECT_EQ(device_->statistics().viewportApplications, 0u);
    EXPECT_EQ(device_->statistics().pixelCentreUploads, 0u);

    device_->setRenderState(gfx::RenderState::AlphaBlendEnable, 1);
    drawQuad(first, quad, white);
    EXPECT_EQ(device_->statistics().renderStateApplications, 1u);
    EXPECT_EQ(device_->statistics().scissorApplications, 2u);

    drawQuad(second, quad, white);
    drawQuad(first, quad, white);
    drawQuad(second, quad, white);
    EXPECT_EQ(device_->statistics().pixelCentreUploads, 1u); // the second program's first draw
    device_->setViewport({0, 0, 32, 24, 0, 1});
    drawQuad(first, quad, white);
    drawQuad(first, quad, white);
    EXPECT_EQ(device_->statistics().pixelCentreUploads, 2u);
    EXPECT_EQ(device_->statistics().viewportApplications, 1u);
    first->release();
    second->release();
}

} // namespace
