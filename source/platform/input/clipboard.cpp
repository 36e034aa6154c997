#include "platform/input/clipboard.h"

#include <SDL.h>

#include "platform/text_encoding.h"
#include "platform/window/app_window.h"

namespace platform {

std::string clipboardText() {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || !SDL_HasClipboardText()) return {};
    char* text = SDL_GetClipboardText();
    if (!text) return {};
    std::string result = utf8ToWindows1252(text);
    SDL_free(text);
    return result;
}

void setClipboardText(const std::string& windows1252) {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
    SDL_SetClipboardText(windows1252ToUtf8(windows1252).c_str());
}

ClipboardWatcher::ClipboardWatcher() {
    observerId_ = addSdlEventObserver([this](const SDL_Event& event) {
        if (event.type == SDL_CLIPBOARDUPDATE ||
            (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED)) {
            changed_ = true;
        }
    });
}

ClipboardWatcher::~ClipboardWatcher() { removeSdlEventObserver(observerId_); }

} // namespace platform
