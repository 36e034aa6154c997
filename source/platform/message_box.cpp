#include "platform/message_box.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/text_encoding.h"

namespace platform {
namespace {

std::mutex recordMutex;
bool recording = false;
std::vector<std::pair<std::string, std::string>> recorded;

bool canShowWindow() {
    if (std::getenv("ZODERUD_TESTING") || std::getenv("CI")) return false;
    if ((SDL_WasInit(SDL_INIT_VIDEO) & SDL_INIT_VIDEO) == 0) {
        return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}

} // namespace

void showMessageBox(const std::string& title, const std::string& text) {
    {
        std::lock_guard<std::mutex> lock(recordMutex);
        if (recording) {
            recorded.emplace_back(title, text);
            return;
        }
    }
    const std::string utf8Title = windows1252ToUtf8(title);
    const std::string utf8Text = windows1252ToUtf8(text);
    if (canShowWindow() &&
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, utf8Title.c_str(), utf8Text.c_str(), nullptr) == 0) {
        return;
    }
    std::fprintf(stderr, "%s: %s\n", utf8Title.c_str(), utf8Text.c_str());
}

void recordMessageBoxes(bool on) {
    std::lock_guard<std::mutex> lock(recordMutex);
    recording = on;
    recorded.clear();
}

std::vector<std::pair<std::string, std::string>> takeRecordedMessageBoxes() {
    std::lock_guard<std::mutex> lock(recordMutex);
    return std::exchange(recorded, {});
}

} // namespace platform
