#pragma once
// What the update side asks of the operating system: clipboard text, and a physics interface
// from the world layer.
#include <mutex>
#include <optional>
#include <string>

#include "platform/input/clipboard.h"
#include "platform/thread.h"

class NewPhysicsInterface;
class ThreadResourcePool;

class OSInterfaceManager {
public:
    virtual ~OSInterfaceManager() = default;
    virtual std::string getClipboardText() = 0;
    virtual void setClipboardText(const std::string& text) = 0;
    // A new physics manager with no world yet (its init builds one); the caller owns it.
    virtual NewPhysicsInterface* createPhysicsInterface() = 0;
};

// The system clipboard may be touched on the main thread only. There it is used directly (key
// receivers run in the hand-off, on the main thread); other threads read the copy the main thread
// takes in each hand-off, and their new text is put on the clipboard at the next one.
class OSInterfaceManagerLinux : public OSInterfaceManager {
public:
    // Made on the main thread, which it remembers as the one that may use the clipboard.
    explicit OSInterfaceManagerLinux(ThreadResourcePool* updatePool);
    std::string getClipboardText() override;
    void setClipboardText(const std::string& text) override;
    // Made with the update pool as its owner.
    NewPhysicsInterface* createPhysicsInterface() override;
    // In the hand-off, on the main thread: puts a text set elsewhere on the clipboard, and reads
    // the clipboard again when it may have changed.
    void exchangeClipboard();
    ThreadResourcePool* updatePool() const { return updatePool_; }

private:
    bool onMainThread() const { return platform::currentThreadId() == mainThread_; }

    ThreadResourcePool* updatePool_;
    platform::ThreadId mainThread_;
    platform::ClipboardWatcher watcher_;
    std::mutex mutex_;
    std::string copy_;
    std::optional<std::string> textToSet_;
};
