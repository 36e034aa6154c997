#include "platform/gfx/graphics_system.h"

#include <SDL2/SDL.h>

#include <atomic>

#include "platform/gfx/device.h"
#include "platform/gfx/format_info.h"

namespace gfx {
namespace {

std::atomic<uint32_t> g_shaderLevel{3};
std::atomic<bool> g_s3tcAllowed{true};
std::atomic<GlErrorHandler> g_glErrorHandler{nullptr};

bool isDisplayFormat(Format format) { return format == Format::X8R8G8B8 || format == Format::A8R8G8B8; }

} // namespace

void setReportedShaderLevel(uint32_t level) { g_shaderLevel = level; }
uint32_t reportedShaderLevel() { return g_shaderLevel; }
void setDriverS3tcAllowed(bool allowed) { g_s3tcAllowed = allowed; }
bool driverS3tcAllowed() { return g_s3tcAllowed; }
void setGlErrorHandler(GlErrorHandler handler) { g_glErrorHandler = handler; }
GlErrorHandler glErrorHandler() { return g_glErrorHandler; }

GraphicsSystem* GraphicsSystem::create() {
    bool initialised = false;
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return nullptr;
        initialised = true;
    }
    auto* system = new GraphicsSystem();
    system->initialisedVideo_ = initialised;
    return system;
}

GraphicsSystem::~GraphicsSystem() {
    if (initialisedVideo_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

Result GraphicsSystem::getAdapterIdentifier(uint32_t adapter, AdapterIdentifier& out) const {
    if (adapter != 0) return Result::InvalidCall;
    const char* driver = SDL_GetCurrentVideoDriver();
    out.driver = driver ? driver : "";
    out.description = "OpenGL 3.3 core on SDL video driver " + out.driver;
    return Result::Ok;
}

Result GraphicsSystem::getAdapterDisplayMode(uint32_t adapter, DisplayMode& out) const {
    out = DisplayMode{};
    if (adapter != 0) return Result::InvalidCall;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return Result::NotAvailable;
    out = DisplayMode{uint32_t(mode.w), uint32_t(mode.h), uint32_t(mode.refresh_rate), Format::X8R8G8B8};
    return Result::Ok;
}

uint32_t GraphicsSystem::getAdapterModeCount(uint32_t adapter, Format format) const {
    if (adapter != 0 || format != Format::X8R8G8B8) return 0;
    const int count = SDL_GetNumDisplayModes(0);
    return count > 0 ? uint32_t(count) : 0;
}

Result GraphicsSystem::enumAdapterModes(uint32_t adapter, Format format, uint32_t index, DisplayMode& out) const {
    out = DisplayMode{};
    if (index >= getAdapterModeCount(adapter, format)) return Result::InvalidCall;
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, int(index), &mode) != 0) return Result::NotAvailable;
    out = DisplayMode{uint32_t(mode.w), uint32_t(mode.h), uint32_t(mode.refresh_rate), Format::X8R8G8B8};
    return Result::Ok;
}

Result GraphicsSystem::checkDeviceType(uint32_t adapter, DeviceType, Format displayFormat, Format backBufferFormat,
                                       bool) const {
    if (adapter != 0) return Result::InvalidCall;
    return isDisplayFormat(displayFormat) && isDisplayFormat(backBufferFormat) ? Result::Ok : Result::NotAvailable;
}

Result GraphicsSystem::checkDeviceFormat(uint32_t adapter, DeviceType, Format adapterFormat, uint32_t usage,
                                         ResourceType resourceType, Format format) const {
    if (adapter != 0 || !isDisplayFormat(adapterFormat)) return Result::InvalidCall;
    const FormatInfo* info = formatInfo(format);
    if (!info) return Result::NotAvailable;
    if (usage & Usage::DepthStencil) return info->depth ? Result::Ok : Result::NotAvailable;
    if (info->depth) return Result::NotAvailable;
    if ((usage & Usage::RenderTarget) && info->isCompressed()) return Result::NotAvailable;
    if (resourceType != ResourceType::Texture && resourceType != ResourceType::CubeTexture &&
        resourceType != ResourceType::Surface)
        return Result::NotAvailable;
    return Result::Ok;
}

Result GraphicsSystem::checkDepthStencilMatch(uint32_t adapter, DeviceType, Format adapterFormat,
                                              Format renderTargetFormat, Format depthFormat) const {
    if (adapter != 0 || !isDisplayFormat(adapterFormat)) return Result::InvalidCall;
    const FormatInfo* target = formatInfo(renderTargetFormat);
    const FormatInfo* depth = formatInfo(depthFormat);
    return target && !target->depth && !target->isCompressed() && depth && depth->depth ? Result::Ok
                                                                                       : Result::NotAvailable;
}

Result GraphicsSystem::getDeviceCaps(uint32_t adapter, DeviceType type, Caps& caps) const {
    caps = Caps{};
    if (adapter != 0) return Result::InvalidCall;
    caps.deviceType = type;
    caps.devCaps = DeviceCaps::HardwareTransformAndLight | DeviceCaps::PureDevice;
    caps.vertexShaderVersion = shaderVersion(reportedShaderLevel(), 0);
    caps.pixelShaderVersion = shaderVersion(reportedShaderLevel(), 0);
    // GL 3.3 guarantees these.
    caps.maxTextureWidth = caps.maxTextureHeight = 1024;
    caps.maxAnisotropy = 1;
    caps.maxSimultaneousRenderTargets = Device::kMaxRenderTargets;
    caps.maxStreams = Device::kMaxStreams;
    return Result::Ok;
}

Result GraphicsSystem::createDevice(uint32_t adapter, DeviceType, WindowHandle focusWindow, uint32_t,
                                    PresentParameters& parameters, Device** out) {
    if (!out) return Result::InvalidCall;
    *out = nullptr;
    if (adapter != 0) return Result::InvalidCall;
    WindowHandle window = parameters.deviceWindow ? parameters.deviceWindow : focusWindow;
    auto* device = new Device();
    Result result = device->initialise(window, parameters);
    if (failed(result)) {
        device->release();
        return result;
    }
    *out = device;
    return Result::Ok;
}

} // namespace gfx
