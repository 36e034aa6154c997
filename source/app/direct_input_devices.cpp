#include "app/direct_input_devices.h"

#include "app/qel_app.h"
#include "platform/window/app_window.h"

namespace {

std::atomic<std::int32_t> pointerX{0};
std::atomic<std::int32_t> pointerY{0};

} // namespace

void setWindowPointerPosition(std::int32_t x, std::int32_t y) {
    pointerX.store(x);
    pointerY.store(y);
}

std::int32_t windowPointerX() { return pointerX.load(); }
std::int32_t windowPointerY() { return pointerY.load(); }

DirectInputDevices::DirectInputDevices(ThreadResourcePool* renderPool, QelApp* application)
    : renderPool_(renderPool), application_(application) {
    // The window pump runs on the main thread, as poll does: the devices need no lock.
    observerId_ = platform::addSdlEventObserver([this](const SDL_Event& event) { handleEvent(event); });
}

void DirectInputDevices::handleEvent(const SDL_Event& event) {
    keyboard_.handleEvent(event);
    mouse_.handleEvent(event);
}

DirectInputDevices::~DirectInputDevices() { release(); }

void DirectInputDevices::poll() {
    keyboard_.poll(keyboardState_, keyStrokes_);
    mouseState_ = mouse_.poll();
}

void DirectInputDevices::release() {
    if (observerId_) platform::removeSdlEventObserver(observerId_);
    observerId_ = 0;
}

void DirectInputDevices::warpPointer(int x, int y) {
    if (application_ && application_->window()) application_->window()->warpPointer(x, y);
}
