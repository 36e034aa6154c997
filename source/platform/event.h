#pragma once
// A manual-reset event: stays signalled until reset, wakes every waiter.
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

namespace platform {

class Event {
public:
    explicit Event(std::string name = {}, bool initiallySet = false);
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void set();
    void reset();
    // Waits until the event is signalled or the time runs out; true when signalled.
    bool wait(std::uint32_t timeoutMs);
    bool isSet() const;
    const std::string& name() const { return name_; }

private:
    std::string name_;
    mutable std::mutex mutex_;
    std::condition_variable signalled_;
    bool set_;
};

} // namespace platform
