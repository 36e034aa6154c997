#pragma once
// The drawing device: resources, states, targets and draws over OpenGL 3.3 core, shaped like the
// device the engine was designed on. Every call happens on the thread that created it.
#include <array>
#include <cstdint>
#include <vector>

#include "platform/gfx/buffers.h"
#include "platform/gfx/context.h"
#include "platform/gfx/ref_counted.h"
#include "platform/gfx/surface.h"
#include "platform/gfx/texture.h"
#include "platform/gfx/types.h"
#include "platform/gfx/vertex_declaration.h"

namespace gfx {

class Effect;
struct DeviceGl;

class Device : public RefCounted {
public:
    // Loss protocol. GL never loses its context, so this answers Ok unless a test simulated a
    // loss: then DeviceLost once, then DeviceNotReset until reset succeeds.
    Result testCooperativeLevel();
    // Re-creates the back buffer at the parameters' size and sample count, applies the swap
    // interval and the windowed state, and puts every state back to its default. Fails with
    // InvalidCall while default-pool objects are alive; any failure leaves the device not-reset
    // (testCooperativeLevel answers DeviceNotReset, present DeviceLost) until a reset succeeds.
    Result reset(PresentParameters& parameters);
    // Resolves the back buffer and shows it in the window.
    Result present();
    // The presents that showed a picture so far: the window changes at nothing else.
    uint64_t presentCount() const { return presents_; }
    void simulateDeviceLoss();
    int liveDefaultPoolObjects() const;
    // Uploads, read-backs and state applications so far, for tests and benchmarks.
    const DeviceStatistics& statistics() const { return context_->statistics; }
    void resetStatistics() { context_->statistics = DeviceStatistics{}; }

    Result getDeviceCaps(Caps& caps) const;
    const PresentParameters& presentParameters() const { return parameters_; }

    // Resources. Every out pointer comes with one reference. Only system-memory resources may be
    // made on other threads than the device's (InvalidCall otherwise); a resource released on
    // another thread has its GL object deleted on the device's thread at its next call.
    Result createTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage, Format format, Pool pool,
                         Texture** out);
    Result createCubeTexture(uint32_t edge, uint32_t levels, uint32_t usage, Format format, Pool pool,
                             CubeTexture** out);
    Result createVertexBuffer(uint32_t length, uint32_t usage, Pool pool, VertexBuffer** out);
    Result createIndexBuffer(uint32_t length, uint32_t usage, Format format, Pool pool, IndexBuffer** out);
    Result createRenderTarget(uint32_t width, uint32_t height, Format format, MultisampleType multisample,
                              Surface** out);
    Result createDepthStencilSurface(uint32_t width, uint32_t height, Format format, MultisampleType multisample,
                                     Surface** out);
    Result createVertexDeclaration(const std::vector<VertexElement>& elements, VertexDeclaration** out);

    // Copies every level of a dirty system-memory texture into a default-pool one of the same
    // size and format (as many levels as both have), and marks the source clean.
    Result updateTexture(BaseTexture* source, BaseTexture* destination);
    // Copies (and resolves, when the source is multisampled) between render targets and levels
    // of render-target textures; null rectangles mean whole surfaces.
    Result stretchRect(Surface* source, const Rect* sourceRect, Surface* destination, const Rect* destinationRect,
                       TextureFilter filter);
    // Any surface as top-down 0xAARRGGBB pixels.
    Result readSurface(Surface* surface, std::vector<uint32_t>& argb);

    // Targets. Setting target 0 resets the viewport and scissor rectangle to its size.
    Result getBackBuffer(Surface** out);
    Result getRenderTarget(uint32_t index, Surface** out);
    Result setRenderTarget(uint32_t index, Surface* surface);
    Result getDepthStencilSurface(Surface** out);
    Result setDepthStencilSurface(Surface* surface);

    // States, kept here and applied before each draw.
    Result setRenderState(RenderState state, uint32_t value);
    Result getRenderState(RenderState state, uint32_t& value) const;
    Result setSamplerState(uint32_t sampler, SamplerState state, uint32_t value);
    Result getSamplerState(uint32_t sampler, SamplerState state, uint32_t& value) const;
    // Null binds transparent black.
    Result setTexture(uint32_t sampler, BaseTexture* texture);
    Result setViewport(const Viewport& viewport);
    Result getViewport(Viewport& viewport) const;
    Result setScissorRect(const Rect& rect);
    Result getScissorRect(Rect& rect) const;

    Result setVertexDeclaration(VertexDeclaration* declaration);
    Result setStreamSource(uint32_t stream, VertexBuffer* buffer, uint32_t offset, uint32_t stride);
    Result setStreamSourceFreq(uint32_t stream, uint32_t setting);
    Result setIndices(IndexBuffer* buffer);

    Result beginScene();
    Result endScene();
    // Clears every bound target (and the depth surface), within the viewport and, when the
    // scissor test is on, the scissor rectangle.
    Result clear(uint32_t flags, uint32_t colour, float z, uint32_t stencil);
    // Draws through the program of the effect pass that is active.
    Result drawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount);
    Result drawIndexedPrimitive(PrimitiveType type, int32_t baseVertex, uint32_t minIndex, uint32_t numVertices,
                                uint32_t startIndex, uint32_t primitiveCount);
    // Hands the draws made so far to the driver without waiting for them, as issuing a query
    // with its flush flag does in Direct3D 9: a software rasteriser starts on them while the
    // caller prepares the next ones, instead of at the present.
    Result flush();

    static constexpr uint32_t kMaxStreams = 4;
    static constexpr uint32_t kMaxRenderTargets = 2;

    // Device-internal: what effects need.
    const ContextLink& context() const { return context_; }
    void useProgram(unsigned program, int clipFixupLocation);
    unsigned currentProgram() const { return program_; }

private:
    friend class GraphicsSystem;
    Device() = default;
    ~Device() override;
    Result initialise(WindowHandle window, PresentParameters& parameters);
    Result createBackBuffer();
    void resetStates();
    void applyRenderStates();
    // The device's thread deletes what other threads released.
    void collectReleased();
    void applySamplers();
    bool applyFramebuffer();
    // Copies (resolving samples) the colour of one surface of the given size into another.
    void resolveColour(Surface* from, Surface* to, int width, int height);
    void applyVertexInput();
    bool prepareDraw();
    uint32_t instanceCount() const;
    void targetSize(uint32_t& width, uint32_t& height) const;

    ContextLink context_;
    WindowHandle window_ = nullptr;
    void* glContext_ = nullptr;
    PresentParameters parameters_{};
    enum class LossState { None, Lost, NotReset } loss_ = LossState::None;
    bool inScene_ = false;

    Surface* backBuffer_ = nullptr;
    Surface* backBufferResolve_ = nullptr;
    std::array<Surface*, kMaxRenderTargets> renderTargets_{};
    Surface* depthStencil_ = nullptr;

    std::array<uint32_t, 16> renderStates_{};
    // Render states reach GL in groups, so one change re-applies only its own group.
    enum StateGroup : uint32_t {
        DepthGroup = 1, BlendGroup = 2, RasterGroup = 4, ViewportGroup = 8, ScissorGroup = 16, AllGroups = 31
    };
    uint32_t dirtyGroups_ = AllGroups;
    static uint32_t stateGroup(RenderState state);
    struct SamplerUnit {
        std::array<uint32_t, 11> states{};
        BaseTexture* texture = nullptr;
        bool dirty = true;
        unsigned glSampler = 0;
    };
    std::array<SamplerUnit, 16> samplers_{};
    Viewport viewport_{};
    Rect scissor_{};

    VertexDeclaration* declaration_ = nullptr;
    struct Stream {
        VertexBuffer* buffer = nullptr;
        uint32_t offset = 0, stride = 0, frequency = 1;
    };
    std::array<Stream, kMaxStreams> streams_{};
    IndexBuffer* indices_ = nullptr;
    bool vertexInputDirty_ = true;
    int32_t lastBaseVertex_ = 0;

    unsigned program_ = 0;
    int clipFixupLocation_ = -1;

    unsigned vertexArray_ = 0;
    unsigned drawFramebuffer_ = 0;
    unsigned readFramebuffer_ = 0;
    unsigned blackTexture2D_ = 0;
    unsigned blackTextureCube_ = 0;
    bool framebufferDirty_ = true;
    uint64_t presents_ = 0;
    bool framebufferComplete_ = false;
    bool debugGroups_ = false;
    friend void beginPerfEvent(uint32_t, const char*);
    friend void endPerfEvent();
};

// Named groups of drawing work for GPU debuggers (GL debug groups where the driver has them).
// They act on the device made last and do nothing without one.
void beginPerfEvent(uint32_t colour, const char* name);
void endPerfEvent();
// The groups begun and not yet ended (tests check that every stage closes what it opens).
int openPerfEvents();

} // namespace gfx
