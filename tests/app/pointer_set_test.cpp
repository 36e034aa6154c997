#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <vector>

#include "app/pointer_set.h"

namespace {

std::set<int*> members(const sigslot::PointerSet<int>& set) {
    std::set<int*> out;
    set.forEach([&](int* member) { EXPECT_TRUE(out.insert(member).second) << "a member is listed twice"; });
    return out;
}

// Random inserts and erases against a reference set, on addresses that crowd the same probe runs:
// a backward shift that drops or strands a member shows as a lost member or a failed erase.
TEST(PointerSet, KeepsTheSameMembersAsAReferenceSetThroughRandomInsertsAndErases) {
    struct Case {
        const char* what;
        std::size_t stride;
    };
    const Case cases[] = {{"neighbouring ints", 1}, {"rows apart", 150}, {"pages apart", 1024}, {"64 KiB apart", 16384}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<int> storage(600 * c.stride);
        std::mt19937 random(7);
        sigslot::PointerSet<int> set;
        std::set<int*> reference;
        for (int step = 0; step < 20000; ++step) {
            int* p = &storage[(random() % 600) * c.stride];
            if (random() % 3 == 0) {
                ASSERT_EQ(set.erase(p), reference.erase(p) == 1);
            } else {
                ASSERT_EQ(set.insert(p), reference.insert(p).second);
            }
            ASSERT_EQ(set.size(), reference.size());
        }
        EXPECT_EQ(members(set), reference);
        // Emptied in the order made, then the other way: every member is still found.
        for (int* p : reference) EXPECT_TRUE(set.erase(p));
        EXPECT_TRUE(set.empty());
        for (int* p : reference) set.insert(p);
        for (auto p = reference.rbegin(); p != reference.rend(); ++p) EXPECT_TRUE(set.erase(*p));
        EXPECT_TRUE(set.empty());
        EXPECT_FALSE(set.erase(&storage[0]));
    }
}

TEST(PointerSet, ClearedSetTakesMembersAgain) {
    int a = 0, b = 0;
    sigslot::PointerSet<int> set;
    set.insert(&a);
    set.insert(&b);
    set.clear();
    EXPECT_TRUE(set.empty());
    EXPECT_FALSE(set.erase(&a));
    EXPECT_TRUE(set.insert(&a));
    EXPECT_EQ(members(set), std::set<int*>{&a});
}

} // namespace
