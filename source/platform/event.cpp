#include "platform/event.h"

#include <chrono>

namespace platform {

Event::Event(std::string name, bool initiallySet) : name_(std::move(name)), set_(initiallySet) {}

void Event::set() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        set_ = true;
    }
    signalled_.notify_all();
}

void Event::reset() {
    std::lock_guard<std::mutex> lock(mutex_);
    set_ = false;
}

bool Event::wait(std::uint32_t timeoutMs) {
    std::unique_lock<std::mutex> lock(mutex_);
    return signalled_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return set_; });
}

bool Event::isSet() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return set_;
}

} // namespace platform
