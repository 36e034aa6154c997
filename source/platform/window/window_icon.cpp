#include "platform/window/window_icon.h"

#include <SDL.h>
#include <cstdint>

namespace platform {

namespace {

constexpr int iconSize = 32;
const std::uint8_t iconPixels[] = {
#include "platform/window/window_icon_pixels.inc"
};
static_assert(sizeof(iconPixels) == iconSize * iconSize * 4, "the icon is 32 by 32 RGBA");

} // namespace

void setWindowIcon(SDL_Window* window) {
    if (!window) return;
    // Bytes in memory order R, G, B, A, whatever the machine's byte order.
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint8_t*>(iconPixels), iconSize, iconSize,
                                                           32, iconSize * 4, SDL_PIXELFORMAT_RGBA32);
    if (!icon) return;
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
}

} // namespace platform
