#include <gtest/gtest.h>

#include <atomic>

#include "platform/clock.h"
#include "platform/event.h"
#include "platform/recursive_lock.h"
#include "platform/thread.h"

namespace {

TEST(Event, WaitTimesOutWhenNotSet) {
    platform::Event event("test");
    const auto start = platform::millisecondsSinceStart();
    EXPECT_FALSE(event.wait(30));
    EXPECT_GE(platform::millisecondsSinceStart() - start, 25u);
}

TEST(Event, StaysSetUntilReset) {
    platform::Event event("test");
    event.set();
    EXPECT_TRUE(event.wait(0));
    EXPECT_TRUE(event.wait(0)) << "manual reset: a wait does not clear it";
    event.reset();
    EXPECT_FALSE(event.wait(0));
}

TEST(Event, WakesAWaiterOnAnotherThread) {
    platform::Event event("test");
    platform::Thread thread;
    std::atomic<bool> woke{false};
    ASSERT_TRUE(thread.start([&] { woke = event.wait(5000); }));
    platform::sleepMilliseconds(10);
    event.set();
    ASSERT_TRUE(thread.join(5000));
    EXPECT_TRUE(woke);
}

TEST(Thread, IdsEndAndTimedJoin) {
    platform::Event release("release");
    platform::Thread thread;
    std::atomic<platform::ThreadId> seen{0};
    ASSERT_TRUE(thread.start([&] {
        seen = platform::currentThreadId();
        release.wait(5000);
    }));
    EXPECT_FALSE(thread.start([] {})) << "one body at a time";
    EXPECT_FALSE(thread.join(20));
    EXPECT_FALSE(thread.hasEnded());
    release.set();
    ASSERT_TRUE(thread.join(5000));
    EXPECT_TRUE(thread.hasEnded());
    EXPECT_NE(seen.load(), 0u);
    EXPECT_NE(seen.load(), platform::currentThreadId());
    EXPECT_EQ(thread.id(), seen.load());
}

TEST(RecursiveLock, OwnerMayLockAgain) {
    platform::RecursiveLock lock;
    platform::ScopedLock outer(lock);
    platform::ScopedLock inner(lock);
    SUCCEED();
}

TEST(Clock, CountsWallTimeNotCpuTime) {
    const auto start = platform::millisecondsSinceStart();
    platform::sleepMilliseconds(50);
    EXPECT_GE(platform::millisecondsSinceStart() - start, 45u);
}

} // namespace
