// The parameter manager's dense slots: whole cache lines, handed out again only after a recycle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "app/pair_slots.h"

namespace {

std::uintptr_t address(const void* slot) { return reinterpret_cast<std::uintptr_t>(slot); }

TEST(PairSlots, SlotsAreWholeCacheLinesThatNeverOverlap) {
    PairSlots slots(100);
    EXPECT_EQ(slots.slotSize(), 128u);
    // More than one chunk's worth, each slot filled to its end (the sanitizer checks the bounds).
    std::vector<void*> taken;
    for (int i = 0; i < 300; ++i) {
        taken.push_back(slots.take());
        std::memset(taken.back(), i, slots.slotSize());
        EXPECT_EQ(address(taken.back()) % 64, 0u);
    }
    std::sort(taken.begin(), taken.end());
    for (std::size_t i = 1; i < taken.size(); ++i) EXPECT_GE(address(taken[i]) - address(taken[i - 1]), 128u);
}

TEST(PairSlots, AGivenBackSlotIsTakenAgainOnlyAfterARecycle) {
    PairSlots slots(64);
    void* first = slots.take();
    void* second = slots.take();
    slots.giveBack(first);
    // The main thread gives back while the update thread may be taking: not before the hand-off.
    void* third = slots.take();
    EXPECT_NE(third, first);
    EXPECT_NE(third, second);
    slots.recycle();
    EXPECT_EQ(slots.take(), first);
}

TEST(PairSlots, SlotsGivenBackInOrderAreTakenAgainInThatOrder) {
    PairSlots slots(192);
    std::vector<void*> screen;
    for (int i = 0; i < 10; ++i) screen.push_back(slots.take());
    EXPECT_TRUE(std::is_sorted(screen.begin(), screen.end())) << "fresh slots come in rising addresses";
    for (void* slot : screen) slots.giveBack(slot);
    slots.recycle();
    for (void* slot : screen) EXPECT_EQ(slots.take(), slot);
}

} // namespace
