#include "platform/thread.h"

namespace platform {

ThreadId currentThreadId() {
    static std::atomic<ThreadId> next{1};
    thread_local ThreadId id = next.fetch_add(1);
    return id;
}

Thread::~Thread() {
    if (thread_.joinable()) thread_.join();
}

bool Thread::start(std::function<void()> body) {
    if (thread_.joinable()) {
        if (!hasEnded()) return false;
        thread_.join();
    }
    ended_ = std::make_shared<Event>("threadEnded");
    std::shared_ptr<Event> ended = ended_;
    thread_ = std::thread([this, ended, body = std::move(body)] {
        id_ = currentThreadId();
        body();
        ended->set();
    });
    return true;
}

bool Thread::join(std::uint32_t timeoutMs) {
    if (!thread_.joinable()) return true;
    if (!ended_->wait(timeoutMs)) return false;
    thread_.join();
    return true;
}

bool Thread::hasEnded() const { return !ended_ || ended_->isSet(); }

void Thread::abandon() {
    if (thread_.joinable()) thread_.detach();
}

} // namespace platform
