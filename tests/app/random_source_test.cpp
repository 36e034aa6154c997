#include <gtest/gtest.h>

#include "app/random_source.h"

namespace {

TEST(RandomSource, SeedFoldOfEntropy) {
    EXPECT_EQ(RandomSource::foldEntropy({0, 0, 0, 0, 0, 0, 0, 0}), 941361153u);
    const std::uint32_t p8 = 941361153u;
    std::uint32_t p7 = 1;
    for (int i = 0; i < 7; ++i) p7 *= 257u;
    EXPECT_EQ(RandomSource::foldEntropy({1, 0, 0, 0, 0, 0, 0, 0}), p8 + p7);
}

TEST(RandomSource, DrawsStayInRange) {
    RandomSource source;
    for (int i = 0; i < 10000; ++i) EXPECT_LE(source.draw(), RandomSource::defaultMaximum);
    RandomSource dice(7, 1, 6);
    for (int i = 0; i < 1000; ++i) {
        const auto value = dice.draw();
        EXPECT_GE(value, 1u);
        EXPECT_LE(value, 6u);
    }
}

TEST(RandomSource, TwoSourcesDiffer) {
    RandomSource a, b;
    bool differ = false;
    for (int i = 0; i < 16 && !differ; ++i) differ = a.draw() != b.draw();
    EXPECT_TRUE(differ);
}

TEST(RandomSource, SeededSourceRepeatsItself) {
    RandomSource a(1234), b(1234);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(a.draw(), b.draw());
    RandomSource c(1234);
    for (int i = 0; i < 100; ++i) {
        const int roll = c.roll(8);
        EXPECT_GE(roll, 1);
        EXPECT_LE(roll, 8);
    }
}

} // namespace
