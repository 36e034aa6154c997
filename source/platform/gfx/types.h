#pragma once
// The constants and small records of the drawing device: result codes, formats, pools, states.
#include <cstdint>
#include <string>

struct SDL_Window;

namespace gfx {

// The window a device draws into. It must have been made for OpenGL (SDL_WINDOW_OPENGL).
using WindowHandle = SDL_Window*;

// Result codes keep their historical values: the render task compares against them.
enum class Result : uint32_t {
    Ok = 0,
    Fail = 0x80004005u,
    OutOfMemory = 0x8007000Eu,
    InvalidArgument = 0x80070057u,
    DeviceLost = 0x88760868u,
    DeviceNotReset = 0x88760869u,
    NotAvailable = 0x8876086Au,
    OutOfVideoMemory = 0x8876017Cu,
    InvalidCall = 0x8876086Cu,
};
inline bool succeeded(Result r) { return r == Result::Ok; }
inline bool failed(Result r) { return r != Result::Ok; }

constexpr uint32_t fourCC(char a, char b, char c, char d) {
    return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 | uint32_t(uint8_t(d)) << 24;
}

// Pixel formats, with the numbers the DDS reader switches on. Channel names are listed from the
// most significant bits down, as in the stored little-endian pixel: A8R8G8B8 is B, G, R, A in memory.
enum class Format : uint32_t {
    Unknown = 0,
    R8G8B8 = 20,
    A8R8G8B8 = 21,
    X8R8G8B8 = 22,
    R5G6B5 = 23,
    A8 = 28,
    A8B8G8R8 = 32,
    X8B8G8R8 = 33,
    L8 = 50,
    D24S8 = 75,
    D24X8 = 77,
    Index16 = 101,
    Index32 = 102,
    R32F = 114,
    A32B32G32R32F = 116,
    Dxt1 = fourCC('D', 'X', 'T', '1'),
    Dxt2 = fourCC('D', 'X', 'T', '2'),
    Dxt3 = fourCC('D', 'X', 'T', '3'),
    Dxt4 = fourCC('D', 'X', 'T', '4'),
    Dxt5 = fourCC('D', 'X', 'T', '5'),
    // Only for creating textures from files: the file's own format (A8R8G8B8 for pictures).
    FromFile = 0xFFFFFFFDu,
};

enum class Pool : uint32_t {
    Default = 0,    // device memory; released before a reset and made again after it
    Managed = 1,    // kept in CPU memory as well and survives a reset
    SystemMemory = 2, // CPU memory only: may be filled from worker threads
};

namespace Usage {
constexpr uint32_t RenderTarget = 0x1;
constexpr uint32_t DepthStencil = 0x2;
constexpr uint32_t WriteOnly = 0x8;
constexpr uint32_t Dynamic = 0x200;
} // namespace Usage

namespace Lock {
constexpr uint32_t ReadOnly = 0x10;
constexpr uint32_t NoOverwrite = 0x1000;
constexpr uint32_t Discard = 0x2000;
} // namespace Lock

namespace Clear {
constexpr uint32_t Target = 0x1;
constexpr uint32_t ZBuffer = 0x2;
constexpr uint32_t Stencil = 0x4;
} // namespace Clear

enum class MultisampleType : uint32_t { None = 0, Samples2 = 2, Samples4 = 4, Samples8 = 8, Samples16 = 16 };

enum class DeviceType : uint32_t { Hal = 1, Reference = 2 };

namespace CreateFlags {
constexpr uint32_t PureDevice = 0x10;
constexpr uint32_t SoftwareVertexProcessing = 0x20;
constexpr uint32_t HardwareVertexProcessing = 0x40;
} // namespace CreateFlags

namespace DeviceCaps {
constexpr uint32_t HardwareTransformAndLight = 0x10000;
constexpr uint32_t PureDevice = 0x100000;
} // namespace DeviceCaps

// Shader model as major.minor, comparable with <.
constexpr uint32_t shaderVersion(uint32_t major, uint32_t minor) { return major << 8 | minor; }

struct Caps {
    DeviceType deviceType = DeviceType::Hal;
    uint32_t devCaps = 0;
    uint32_t vertexShaderVersion = 0;
    uint32_t pixelShaderVersion = 0;
    uint32_t maxTextureWidth = 0;
    uint32_t maxTextureHeight = 0;
    uint32_t maxAnisotropy = 1;
    uint32_t maxSimultaneousRenderTargets = 1;
    uint32_t maxStreams = 1;
};

struct DisplayMode {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t refreshRate = 0;
    Format format = Format::Unknown;
};

struct AdapterIdentifier {
    std::string description;
    std::string driver;
};

enum class SwapEffect : uint32_t { Discard = 1 };

namespace PresentInterval {
constexpr uint32_t Default = 0;
constexpr uint32_t One = 1;
constexpr uint32_t Immediate = 0x80000000u;
} // namespace PresentInterval

struct PresentParameters {
    uint32_t backBufferWidth = 0;  // 0: the window's client size
    uint32_t backBufferHeight = 0;
    Format backBufferFormat = Format::X8R8G8B8;
    uint32_t backBufferCount = 1;
    MultisampleType multiSampleType = MultisampleType::None;
    uint32_t multiSampleQuality = 0;
    SwapEffect swapEffect = SwapEffect::Discard;
    WindowHandle deviceWindow = nullptr;
    bool windowed = true; // false: borderless full screen on the window's display
    bool enableAutoDepthStencil = false;
    Format autoDepthStencilFormat = Format::Unknown;
    uint32_t flags = 0;
    uint32_t fullScreenRefreshRate = 0;
    uint32_t presentationInterval = PresentInterval::One;
};

struct Rect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct Viewport {
    uint32_t x = 0, y = 0, width = 0, height = 0;
    float minZ = 0.0f, maxZ = 1.0f;
};

struct LockedRect {
    int32_t pitch = 0; // bytes from one row (of blocks, for DXT) to the next
    void* bits = nullptr;
};

enum class ResourceType : uint32_t { Surface = 1, Texture = 3, CubeTexture = 5, VertexBuffer = 6, IndexBuffer = 7 };

struct SurfaceDesc {
    Format format = Format::Unknown;
    ResourceType type = ResourceType::Surface;
    uint32_t usage = 0;
    Pool pool = Pool::Default;
    MultisampleType multiSampleType = MultisampleType::None;
    uint32_t width = 0;
    uint32_t height = 0;
};

enum class CubeFace : uint32_t { PositiveX = 0, NegativeX, PositiveY, NegativeY, PositiveZ, NegativeZ };

enum class PrimitiveType : uint32_t { TriangleList = 4 };

// Render states kept by the device and applied before each draw.
enum class RenderState : uint32_t {
    ZEnable = 7,
    ZWriteEnable = 14,
    SrcBlend = 19,
    DestBlend = 20,
    CullMode = 22,
    ZFunc = 23,
    AlphaBlendEnable = 27,
    BlendOp = 171,
    ScissorTestEnable = 174,
    MultisampleAntialias = 161,
    SeparateAlphaBlendEnable = 206,
    SrcBlendAlpha = 207,
    DestBlendAlpha = 208,
    BlendOpAlpha = 209,
};

enum class Blend : uint32_t {
    Zero = 1, One = 2, SrcColor = 3, InvSrcColor = 4, SrcAlpha = 5, InvSrcAlpha = 6,
    DestAlpha = 7, InvDestAlpha = 8, DestColor = 9, InvDestColor = 10,
};
enum class BlendOp : uint32_t { Add = 1, Subtract = 2, RevSubtract = 3, Min = 4, Max = 5 };
enum class Cull : uint32_t { None = 1, CW = 2, CCW = 3 };
enum class CompareFunc : uint32_t { Never = 1, Less, Equal, LessEqual, Greater, NotEqual, GreaterEqual, Always };

enum class SamplerState : uint32_t {
    AddressU = 1, AddressV = 2, AddressW = 3, BorderColor = 4,
    MagFilter = 5, MinFilter = 6, MipFilter = 7, MaxAnisotropy = 10,
};
enum class TextureFilter : uint32_t { None = 0, Point = 1, Linear = 2, Anisotropic = 3 };
enum class TextureAddress : uint32_t { Wrap = 1, Mirror = 2, Clamp = 3, Border = 4 };

// Stream frequencies for instancing: the geometry stream carries IndexedData | instance count,
// the instance stream InstanceData | 1.
namespace StreamSource {
constexpr uint32_t IndexedData = 0x40000000u;
constexpr uint32_t InstanceData = 0x80000000u;
} // namespace StreamSource

// Vertex layouts. Each usage has a fixed attribute location, so every effect agrees with every
// layout: see attributeLocation() in vertex_declaration.h.
enum class DeclType : uint8_t {
    Float1 = 0, Float2 = 1, Float3 = 2, Float4 = 3, Color = 4, UByte4 = 5, Short2 = 6, Short4 = 7,
    UByte4N = 8, Float16x2 = 15, Float16x4 = 16, Unused = 17,
};
enum class DeclUsage : uint8_t {
    Position = 0, BlendWeight = 1, BlendIndices = 2, Normal = 3, TexCoord = 5, Tangent = 6, Color = 10,
};

struct VertexElement {
    uint16_t stream = 0;
    uint16_t offset = 0;
    DeclType type = DeclType::Float3;
    uint8_t method = 0;
    DeclUsage usage = DeclUsage::Position;
    uint8_t usageIndex = 0;
};

} // namespace gfx
