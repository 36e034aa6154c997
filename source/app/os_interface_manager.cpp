#include "app/os_interface_manager.h"

#include "app/physics_interface_maker.h"

OSInterfaceManagerLinux::OSInterfaceManagerLinux(ThreadResourcePool* updatePool)
    : updatePool_(updatePool), mainThread_(platform::currentThreadId()) {}

std::string OSInterfaceManagerLinux::getClipboardText() {
    if (onMainThread()) return platform::clipboardText();
    std::lock_guard<std::mutex> lock(mutex_);
    return copy_;
}

void OSInterfaceManagerLinux::setClipboardText(const std::string& text) {
    if (onMainThread()) platform::setClipboardText(text);
    std::lock_guard<std::mutex> lock(mutex_);
    // Read back at once, as the clipboard itself would answer.
    copy_ = text;
    if (!onMainThread()) textToSet_ = text;
}

void OSInterfaceManagerLinux::exchangeClipboard() {
    std::optional<std::string> toSet;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        toSet.swap(textToSet_);
    }
    if (toSet) platform::setClipboardText(*toSet);
    if (!watcher_.takeChanged() && !toSet) return;
    std::string text = platform::clipboardText();
    std::lock_guard<std::mutex> lock(mutex_);
    copy_ = std::move(text);
}

NewPhysicsInterface* OSInterfaceManagerLinux::createPhysicsInterface() { return makePhysicsInterface(updatePool_); }
