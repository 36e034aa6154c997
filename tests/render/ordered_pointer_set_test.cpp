// The live-object set: creation order kept through erasures, gap closing and table growth, and
// lookups that never read what a pointer points to.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "render/ordered_pointer_set.h"

namespace {

struct Item {
    int id = 0;
};

std::vector<Item*> contents(const OrderedPointerSet<Item>& set) { return std::vector<Item*>(set.begin(), set.end()); }

TEST(OrderedPointerSet, KeepsTheOrderAddedThroughErasuresGapClosingAndGrowth) {
    // Runs of insertions and erasures checked against a plain list after every step: growth of
    // the table, gaps that outnumber the entries, and erasures that move later table entries back.
    std::vector<Item> items(3000);
    OrderedPointerSet<Item> set;
    std::vector<Item*> expected;
    std::mt19937 random(7);
    std::size_t next = 0;
    for (int round = 0; round < 40; ++round) {
        const bool growing = round % 3 != 2;
        for (int step = 0; step < 120; ++step) {
            if (growing && next < items.size()) {
                Item* item = &items[next++];
                ASSERT_TRUE(set.insert(item));
                expected.push_back(item);
            } else if (!expected.empty()) {
                const std::size_t at = random() % expected.size();
                ASSERT_TRUE(set.erase(expected[at]));
                expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(at));
            }
        }
        ASSERT_EQ(contents(set), expected) << "round " << round;
        ASSERT_EQ(set.size(), expected.size());
    }
    for (Item* item : expected) EXPECT_TRUE(set.contains(item));
    for (Item& item : items) {
        if (std::find(expected.begin(), expected.end(), &item) == expected.end()) EXPECT_FALSE(set.contains(&item));
    }
}

TEST(OrderedPointerSet, RefusesNullDuplicatesAndEntriesNotIn) {
    Item a, b;
    OrderedPointerSet<Item> set;
    EXPECT_TRUE(set.empty());
    EXPECT_FALSE(set.insert(nullptr));
    EXPECT_FALSE(set.erase(&a));
    EXPECT_TRUE(set.insert(&a));
    EXPECT_FALSE(set.insert(&a));
    EXPECT_FALSE(set.erase(nullptr));
    EXPECT_FALSE(set.erase(&b));
    EXPECT_TRUE(set.erase(&a));
    EXPECT_FALSE(set.erase(&a)) << "a second erase finds nothing";
    EXPECT_TRUE(set.empty());
    EXPECT_EQ(set.begin(), set.end());

    // Taken out and put back, an entry goes to the end.
    EXPECT_TRUE(set.insert(&a));
    EXPECT_TRUE(set.insert(&b));
    EXPECT_TRUE(set.erase(&a));
    EXPECT_TRUE(set.insert(&a));
    EXPECT_EQ(contents(set), (std::vector<Item*>{&b, &a}));
}

TEST(OrderedPointerSet, LooksUpAddressesWithoutReadingThem) {
    // Addresses that point nowhere readable: a pointer handed in may be stale.
    OrderedPointerSet<Item> set;
    std::vector<Item*> fake;
    for (std::uintptr_t i = 1; i <= 100; ++i) fake.push_back(reinterpret_cast<Item*>(i * 4096));
    for (Item* item : fake) ASSERT_TRUE(set.insert(item));
    for (std::size_t i = 0; i < fake.size(); i += 2) ASSERT_TRUE(set.erase(fake[i]));
    EXPECT_FALSE(set.contains(reinterpret_cast<Item*>(8)));
    EXPECT_EQ(set.size(), 50u);
    std::vector<Item*> odd;
    for (std::size_t i = 1; i < fake.size(); i += 2) odd.push_back(fake[i]);
    EXPECT_EQ(contents(set), odd);
}

} // namespace
