// Drawing paths beyond the UI quad: depth in 0..1, packed colours, 32-bit indices, instancing.
#include <cstring>

#include "gfx_fixture.h"

namespace {

using namespace gfxtest;
using gfx::Result;

template <class T>
T* filled(gfx::Device* device, const void* data, uint32_t bytes, bool indices32 = false) {
    T* buffer = nullptr;
    if constexpr (std::is_same_v<T, gfx::IndexBuffer>)
        device->createIndexBuffer(bytes, gfx::Usage::WriteOnly, indices32 ? gfx::Format::Index32 : gfx::Format::Index16,
                                  gfx::Pool::Managed, &buffer);
    else
        device->createVertexBuffer(bytes, gfx::Usage::WriteOnly, gfx::Pool::Managed, &buffer);
    void* target = nullptr;
    buffer->lock(0, 0, &target, gfx::Lock::Discard);
    std::memcpy(target, data, bytes);
    buffer->unlock();
    return buffer;
}

const char* kPositionColourEffect = R"(
parameter float gDepth = 0.5;
vertex ColourVS {
in vec3 inPosition;
in vec4 inColour;
in vec2 inTexCoord1;
out vec4 colour;
void main() {
    gl_Position = vec4(inPosition.xy + inTexCoord1, gDepth, 1.0);
    colour = inColour;
}
}
fragment ColourFS { in vec4 colour; void main() { outColour = colour; } }
technique SimpleTech { pass P0 { vertex = ColourVS; fragment = ColourFS; CullMode = None; } }
)";

struct Vertex {
    float x, y, z;
    uint32_t colour; // packed ARGB
};

class GfxDrawTest : public GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        if (HasFatalFailure()) return;
        effect_ = makeEffect(kPositionColourEffect);
        // A square in the middle, in clip space.
        const Vertex vertices[] = {{-0.25f, 0.25f, 0, 0xFFFF8000u}, {0.25f, 0.25f, 0, 0xFFFF8000u},
                                   {0.25f, -0.25f, 0, 0xFFFF8000u}, {-0.25f, -0.25f, 0, 0xFFFF8000u}};
        vertices_ = filled<gfx::VertexBuffer>(device_, vertices, sizeof vertices);
        const uint32_t indices[] = {0, 1, 2, 2, 3, 0};
        indices_ = filled<gfx::IndexBuffer>(device_, indices, sizeof indices, true);
        device_->createVertexDeclaration({{0, 0, gfx::DeclType::Float3, 0, gfx::DeclUsage::Position, 0},
                                          {0, 12, gfx::DeclType::Color, 0, gfx::DeclUsage::Color, 0},
                                          {1, 0, gfx::DeclType::Float2, 0, gfx::DeclUsage::TexCoord, 1}},
                                         &declaration_);
        ASSERT_NE(declaration_, nullptr);
        EXPECT_EQ(declaration_->elements().size(), 3u);
        EXPECT_EQ(declaration_->elements()[1].usage, gfx::DeclUsage::Color);
        const float noOffset[2] = {0, 0};
        offsets_ = filled<gfx::VertexBuffer>(device_, noOffset, sizeof noOffset);
    }

    void TearDown() override {
        gfx::safeRelease(effect_);
        gfx::safeRelease(vertices_);
        gfx::safeRelease(indices_);
        gfx::safeRelease(offsets_);
        gfx::safeRelease(declaration_);
        GfxTest::TearDown();
    }

    void draw(float depth, gfx::VertexBuffer* offsets, uint32_t instances) {
        device_->setVertexDeclaration(declaration_);
        device_->setStreamSource(0, vertices_, 0, sizeof(Vertex));
        device_->setStreamSource(1, offsets, 0, 8);
        device_->setStreamSourceFreq(0, instances > 1 ? gfx::StreamSource::IndexedData | instances : 1);
        device_->setStreamSourceFreq(1, gfx::StreamSource::InstanceData | 1);
        device_->setIndices(indices_);
        effect_->setFloat(effect_->getParameterByName("gDepth"), depth);
        uint32_t passes = 0;
        effect_->begin(&passes, 0);
        effect_->beginPass(0);
        EXPECT_EQ(device_->drawIndexedPrimitive(gfx::PrimitiveType::TriangleList, 0, 0, 4, 0, 2), Result::Ok);
        effect_->endPass();
        effect_->end();
    }

    gfx::Effect* effect_ = nullptr;
    gfx::VertexBuffer* vertices_ = nullptr;
    gfx::VertexBuffer* offsets_ = nullptr;
    gfx::IndexBuffer* indices_ = nullptr;
    gfx::VertexDeclaration* declaration_ = nullptr;
};

TEST_F(GfxDrawTest, PackedColoursAndThirtyTwoBitIndicesDraw) {
    device_->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
    draw(0.5f, offsets_, 1);
    const std::vector<uint32_t> pixels = readBackBuffer();
    EXPECT_EQ(at(pixels, kWidth, kWidth / 2, kHeight / 2), 0xFFFF8000u);
    EXPECT_EQ(at(pixels, kWidth, 2, 2), 0xFF000000u);
}

TEST_F(GfxDrawTest, DepthRunsFromZeroToOneAndNeedsADepthSurface) {
    // No depth surface: z enable changes nothing.
    device_->setRenderState(gfx::RenderState::ZEnable, 1);
    device_->clear(gfx::Clear::Target | gfx::Clear::ZBuffer, 0xFF000000u, 0.0f, 0);
    draw(0.7f, offsets_, 1);
    EXPECT_EQ(at(readBackBuffer(), kWidth, kWidth / 2, kHeight / 2), 0xFFFF8000u);

    gfx::Surface* depth = nullptr;
    ASSERT_EQ(device_->createDepthStencilSurface(kWidth, kHeight, gfx::Format::D24S8, gfx::MultisampleType::None, &depth),
              Result::Ok);
    device_->setDepthStencilSurface(depth);
    struct Case {
        float clearDepth, drawDepth;
        bool drawn;
    };
    for (const Case& c : {Case{0.6f, 0.5f, true}, Case{0.6f, 0.7f, false}, Case{0.3f, 0.25f, true},
                          Case{0.3f, 0.35f, false}, Case{1.0f, 1.0f, true}}) {
        device_->clear(gfx::Clear::Target | gfx::Clear::ZBuffer, 0xFF000000u, c.clearDepth, 0);
        draw(c.drawDepth, offsets_, 1);
        EXPECT_EQ(at(readBackBuffer(), kWidth, kWidth / 2, kHeight / 2), c.drawn ? 0xFFFF8000u : 0xFF000000u)
            << "depth " << c.drawDepth << " against " << c.clearDepth;
    }
    // Without writes the depth stays as cleared.
    device_->setRenderState(gfx::RenderState::ZWriteEnable, 0);
    device_->clear(gfx::Clear::Target | gfx::Clear::ZBuffer, 0xFF000000u, 0.6f, 0);
    draw(0.5f, offsets_, 1);
    draw(0.55f, offsets_, 1);
    EXPECT_EQ(at(readBackBuffer(), kWidth, kWidth / 2, kHeight / 2), 0xFFFF8000u);
    device_->setDepthStencilSurface(nullptr);
    depth->release();
}

TEST_F(GfxDrawTest, InstancesTakeTheirOwnStreamAtTheirFrequency) {
    const float offsets[] = {-0.5f, 0.0f, 0.0f, 0.0f, 0.5f, 0.0f};
    gfx::VertexBuffer* instances = filled<gfx::VertexBuffer>(device_, offsets, sizeof offsets);
    device_->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
    draw(0.5f, instances, 3);
    const std::vector<uint32_t> pixels = readBackBuffer();
    // Three squares side by side along the middle row: a quarter of the width apart.
    for (uint32_t x : {kWidth / 4, kWidth / 2, kWidth * 3 / 4})
        EXPECT_EQ(at(pixels, kWidth, x, kHeight / 2), 0xFFFF8000u) << "x " << x;
    EXPECT_EQ(at(pixels, kWidth, kWidth / 2, 2), 0xFF000000u);
    instances->release();
}

TEST_F(GfxDrawTest, PerformanceEventsNestAroundDraws) {
    gfx::beginPerfEvent(0xFF22FFFFu, "UI Manager");
    gfx::beginPerfEvent(0xFF22FFFFu, "UI Simple Rectangle");
    device_->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
    draw(0.5f, offsets_, 1);
    gfx::endPerfEvent();
    gfx::endPerfEvent();
    // An unmatched end is ignored.
    gfx::endPerfEvent();
    EXPECT_EQ(at(readBackBuffer(), kWidth, kWidth / 2, kHeight / 2), 0xFFFF8000u);
}

TEST_F(GfxTest, ACubeTextureSamplesItsFaces) {
    gfx::CubeTexture* cube = nullptr;
    ASSERT_EQ(device_->createCubeTexture(2, 1, 0, gfx::Format::A8R8G8B8, gfx::Pool::Managed, &cube), Result::Ok);
    const uint32_t faceColours[6] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u, 0xFF00FFFFu, 0xFFFF00FFu};
    for (uint32_t face = 0; face < 6; ++face) {
        gfx::LockedRect locked;
        ASSERT_EQ(cube->lockRect(gfx::CubeFace(face), 0, locked, nullptr, 0), Result::Ok);
        for (int i = 0; i < 4; ++i) std::memcpy(static_cast<uint8_t*>(locked.bits) + i * 4, &faceColours[face], 4);
        cube->unlockRect(gfx::CubeFace(face), 0);
    }
    gfx::Effect* effect = makeEffect(R"(
parameter vec2 gVertPositions[4];
parameter vec4 gDirection = {0, 0, 1, 0};
parameter textureCube gEnvironment;
samplerCube EnvironmentSampler { texture = gEnvironment; MinFilter = Point; MagFilter = Point; }
vertex QuadVS {
in vec3 inPosition;
void main() { gl_Position = vec4(gVertPositions[int(inPosition.z)], 0.0, 1.0); }
}
fragment CubeFS { void main() { outColour = texture(EnvironmentSampler, gDirection.xyz); } }
technique SimpleTech { pass P0 { vertex = QuadVS; fragment = CubeFS; } }
)");
    ASSERT_NE(effect, nullptr);
    ASSERT_EQ(effect->setTexture(effect->getParameterByName("gEnvironment"), cube), Result::Ok);
    const float white[4] = {1, 1, 1, 1};
    drawQuad(effect, corners(-1.5f, 1.5f, 1.5f, -1.5f), white);
    EXPECT_EQ(at(readBackBuffer(), kWidth, 10, 10), faceColours[4]); // +Z
    const float minusX[4] = {-1, 0, 0, 0};
    effect->setVector(effect->getParameterByName("gDirection"), minusX);
    drawQuad(effect, corners(-1.5f, 1.5f, 1.5f, -1.5f), white);
    EXPECT_EQ(at(readBackBuffer(), kWidth, 10, 10), faceColours[1]);
    // A 2D texture does not fit a cube parameter.
    gfx::Texture* flat = nullptr;
    device_->createTexture(2, 2, 1, 0, gfx::Format::A8R8G8B8, gfx::Pool::Managed, &flat);
    EXPECT_EQ(effect->setTexture(effect->getParameterByName("gEnvironment"), flat), Result::InvalidCall);
    flat->release();
    effect->release();
    cube->release();
}

} // namespace

namespace {

// A lock with an offset and no size reaches to the end of the buffer, and what is written there
// is what the next draw uses.
TEST_F(GfxTest, ALockFromAnOffsetWithNoSizeReachesTheEndAndIsDrawn) {
    gfx::Effect* effect = makeEffect(kQuadEffect);
    ASSERT_NE(effect, nullptr);
    bindQuadGeometry();
    void* data = nullptr;
    // The second triangle (bottom-left half) collapses onto vertex 0.
    ASSERT_EQ(quadIndices_->lock(6, 0, &data, 0), Result::Ok);
    const uint16_t collapsed[] = {0, 0, 0};
    std::memcpy(data, collapsed, sizeof collapsed);
    ASSERT_EQ(quadIndices_->unlock(), Result::Ok);
    // A lock that starts past the end is refused.
    EXPECT_EQ(quadIndices_->lock(13, 0, &data, 0), Result::InvalidCall);
    device_->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
    const float white[4] = {1, 1, 1, 1};
    drawQuad(effect, corners(-1.5f, 1.5f, 1.5f, -1.5f), white);
    const std::vector<uint32_t> pixels = readBackBuffer();
    EXPECT_EQ(at(pixels, kWidth, kWidth - 4, 4), 0xFFFFFFFFu) << "the first triangle is drawn";
    EXPECT_EQ(at(pixels, kWidth, 4, kHeight - 4), 0xFF000000u) << "the rewritten triangle is empty";
    effect->release();
}

} // namespace
