#pragma once
// The named record of the thread that owns a group of objects ("appPool", "renderPool", "updatePool").
#include <atomic>
#include <string>

#include "platform/thread.h"

class ThreadResourcePool {
public:
    explicit ThreadResourcePool(const std::string& name);

    const std::string& name() const { return name_; }
    // Atomic: the update thread rewrites its pool's owner while the main thread may be reading it.
    platform::ThreadId ownerThreadId() const { return ownerThreadId_.load(); }
    void setOwnerThreadId(platform::ThreadId id) { ownerThreadId_.store(id); }
    void takeOwnership() { setOwnerThreadId(platform::currentThreadId()); }

private:
    std::string name_;
    std::atomic<platform::ThreadId> ownerThreadId_{0};
};
