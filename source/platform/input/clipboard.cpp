#include "platform/input/clipboard.h"

#include <SDL.h>

#include "platform/text_encoding.h"

namespace platform {

std::string clipboardText() {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || !SDL_HasClipboardText()) return {};
    char* text = SDL_GetClipboardText();
    if (!text) return {};
    std::string result = utf8ToWindows1252(text);
    SDL_free(text);
    return result;
}

} // namespace platform
