#pragma once
// The object that answers questions about the display and the GL driver and creates the device.
#include <cstdint>

#include "platform/gfx/ref_counted.h"
#include "platform/gfx/types.h"

namespace gfx {

class Device;

class GraphicsSystem : public RefCounted {
public:
    // Needs SDL's video subsystem (initialised here when it isn't yet). Null when there is no video.
    static GraphicsSystem* create();

    uint32_t adapterCount() const { return 1; }
    Result getAdapterIdentifier(uint32_t adapter, AdapterIdentifier& out) const;
    Result getAdapterDisplayMode(uint32_t adapter, DisplayMode& out) const;
    // Modes of the display in the given format, from SDL; X8R8G8B8 is the only format offered.
    uint32_t getAdapterModeCount(uint32_t adapter, Format format) const;
    Result enumAdapterModes(uint32_t adapter, Format format, uint32_t index, DisplayMode& out) const;
    Result checkDeviceType(uint32_t adapter, DeviceType type, Format displayFormat, Format backBufferFormat,
                           bool windowed) const;
    Result checkDeviceFormat(uint32_t adapter, DeviceType type, Format adapterFormat, uint32_t usage,
                             ResourceType resourceType, Format format) const;
    Result checkDepthStencilMatch(uint32_t adapter, DeviceType type, Format adapterFormat, Format renderTargetFormat,
                                  Format depthFormat) const;
    Result getDeviceCaps(uint32_t adapter, DeviceType type, Caps& caps) const;
    // Makes an OpenGL 3.3 core context on the window, current on the calling thread, which from
    // then on is the only thread that may use the device.
    Result createDevice(uint32_t adapter, DeviceType type, WindowHandle focusWindow, uint32_t behaviourFlags,
                        PresentParameters& parameters, Device** out);

private:
    GraphicsSystem() = default;
    ~GraphicsSystem() override;
    bool initialisedVideo_ = false;
};

// Test switch: the shader level the caps report (3 normally; 2 makes the engine take its
// level-2 paths). Affects caps read afterwards.
void setReportedShaderLevel(uint32_t level);
uint32_t reportedShaderLevel();

// Test switch: false makes devices created afterwards ignore the driver's S3TC support and
// decode DXT textures on the CPU, as on drivers without it.
void setDriverS3tcAllowed(bool allowed);
bool driverS3tcAllowed();

// Test switch: devices created afterwards report every GL error, synchronously on the drawing
// thread, to this function (null: no report). Test programs turn the reports into failures.
using GlErrorHandler = void (*)(const char* message);
void setGlErrorHandler(GlErrorHandler handler);
GlErrorHandler glErrorHandler();

} // namespace gfx
