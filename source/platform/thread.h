#pragma once
// A joinable worker thread with an id, an "has it ended" poll and a timed join.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "platform/event.h"

namespace platform {

using ThreadId = std::uint64_t;

// A small number that identifies the calling thread for the life of the process (never 0).
ThreadId currentThreadId();

class Thread {
public:
    Thread() = default;
    ~Thread(); // joins a thread still running
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Starts the body on a new thread; false when a thread is already running here.
    bool start(std::function<void()> body);
    // Waits up to timeoutMs for the body to return; true when it has and the thread is joined.
    bool join(std::uint32_t timeoutMs);
    bool hasEnded() const;
    bool isStarted() const { return thread_.joinable(); }
    // 0 until the new thread has begun running.
    ThreadId id() const { return id_.load(); }
    // Gives up on a thread that never ended, so the process can exit without waiting for it.
    void abandon();

private:
    std::thread thread_;
    std::shared_ptr<Event> ended_;
    std::atomic<ThreadId> id_{0};
};

} // namespace platform
