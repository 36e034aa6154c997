#pragma once
// Helpers shared by the device's source files (device-internal).
#include <epoxy/gl.h>

#include <atomic>

#include "platform/gfx/device.h"

namespace gfx::detail {

// The device made last: performance events act on it.
extern std::atomic<Device*> lastDevice;

// Index of a render state in the device's table; -1 for states it doesn't keep.
int stateIndex(RenderState state);

// Attaches a surface (a texture level or a renderbuffer; null detaches) to a framebuffer.
void attach(GLenum target, GLenum attachment, Surface* surface);

// Holds a reference to the new object and drops the one to the old.
template <class T>
inline void replace(T*& slot, T* object) {
    if (object) object->addRef();
    if (slot) slot->release();
    slot = object;
}

} // namespace gfx::detail
