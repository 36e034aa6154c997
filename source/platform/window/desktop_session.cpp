#include "platform/window/desktop_session.h"

#include <cstdlib>

namespace platform {

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

} // namespace

const char* const noDisplayMessage =
    "No display found: BRAV Zoderud needs an X11 or Wayland session (DISPLAY or WAYLAND_DISPLAY is not set).";

bool desktopSessionAvailable() {
    return isSet("SDL_VIDEODRIVER") || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY");
}

} // namespace platform
