#pragma once
// A lock the owning thread may take again, as the engine's critical sections allow.
#include <mutex>

namespace platform {

class RecursiveLock {
public:
    void lock() { mutex_.lock(); }
    void unlock() { mutex_.unlock(); }
    bool try_lock() { return mutex_.try_lock(); }

private:
    std::recursive_mutex mutex_;
};

using ScopedLock = std::lock_guard<RecursiveLock>;

} // namespace platform
