#pragma once
// Whether the program has a desktop session to open its window in.
namespace platform {

// The message shown when there is none.
extern const char* const noDisplayMessage;

// False when no video driver is asked for (SDL_VIDEODRIVER) and neither DISPLAY nor
// WAYLAND_DISPLAY is set: SDL would then fall back to drawing off screen, unseen.
bool desktopSessionAvailable();

} // namespace platform
