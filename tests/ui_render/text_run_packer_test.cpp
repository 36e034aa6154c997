// Packing text runs into the run atlas: rectangles stay inside and apart however they come and
// go, room given back is used again, and an emptied atlas takes a rectangle of its full size.
#include <gtest/gtest.h>

#include <vector>

#include "ui_render/text_run_packer.h"

namespace {

constexpr std::uint32_t side = 256;

// Which rectangle holds each texel; every rectangle inside the square and apart from the others.
class Occupancy {
public:
    void add(const PackedRect& rect, int owner) {
        ASSERT_LE(rect.x + rect.width, side);
        ASSERT_LE(rect.y + rect.height, side);
        for (std::uint32_t y = rect.y; y < rect.y + rect.height; ++y) {
            for (std::uint32_t x = rect.x; x < rect.x + rect.width; ++x) {
                ASSERT_EQ(cells_[y * side + x], 0) << "rectangles " << owner << " and " << cells_[y * side + x]
                                                   << " overlap at " << x << "," << y;
                cells_[y * side + x] = owner;
            }
        }
    }
    void remove(const PackedRect& rect) {
        for (std::uint32_t y = rect.y; y < rect.y + rect.height; ++y) {
            for (std::uint32_t x = rect.x; x < rect.x + rect.width; ++x) cells_[y * side + x] = 0;
        }
    }

private:
    std::vector<int> cells_ = std::vector<int>(side * side, 0);
};

TEST(ShelfPacker, RectanglesThatComeAndGoStayInsideAndApart) {
    ShelfPacker packer(side);
    Occupancy occupancy;
    std::vector<PackedRect> held;
    std::uint64_t area = 0;
    // Lines of a few heights and many widths; every third one made is given back later.
    for (int i = 1; i <= 400; ++i) {
        const std::uint32_t width = 5 + static_cast<std::uint32_t>(i * 37 % 90);
        const std::uint32_t height = 9 + static_cast<std::uint32_t>(i * 7 % 13);
        PackedRect rect;
        if (!packer.allocate(width, height, rect)) continue;
        EXPECT_EQ(rect.width, width);
        EXPECT_EQ(rect.height, height);
        occupancy.add(rect, i);
        if (HasFatalFailure()) return;
        area += std::uint64_t(width) * height;
        held.push_back(rect);
        if (i % 3 == 0) {
            const PackedRect old = held[held.size() / 2];
            held.erase(held.begin() + static_cast<std::ptrdiff_t>(held.size() / 2));
            packer.release(old);
            occupancy.remove(old);
            area -= std::uint64_t(old.width) * old.height;
        }
        EXPECT_EQ(packer.usedArea(), area);
    }
    EXPECT_GT(area, std::uint64_t(side) * side / 2) << "the square fills up to more than half";
}

TEST(ShelfPacker, FullUntilRoomIsGivenBack) {
    ShelfPacker packer(side);
    std::vector<PackedRect> rows;
    PackedRect rect;
    while (packer.allocate(side, 16, rect)) rows.push_back(rect);
    ASSERT_EQ(rows.size(), side / 16);
    EXPECT_FALSE(packer.allocate(1, 1, rect)) << "full";

    // An emptied row of 16 takes lines of another height up to 16.
    packer.release(rows[3]);
    ASSERT_TRUE(packer.allocate(100, 10, rect));
    EXPECT_EQ(rect.y, rows[3].y);
    EXPECT_FALSE(packer.allocate(side, 10, rect)) << "the rest of that row is 156 wide";
    ASSERT_TRUE(packer.allocate(side - 100, 13, rect));
    EXPECT_EQ(rect.y, rows[3].y);

    // Emptied all the way, the square takes one rectangle of its full size.
    packer.release(PackedRect{0, rows[3].y, 100, 10});
    packer.release(rect);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i != 3) packer.release(rows[i]);
    }
    EXPECT_EQ(packer.usedArea(), 0u);
    EXPECT_TRUE(packer.allocate(side, side, rect));
}

TEST(ShelfPacker, RefusesWhatCannotFit) {
    ShelfPacker packer(side);
    PackedRect rect;
    EXPECT_FALSE(packer.allocate(side + 1, 4, rect));
    EXPECT_FALSE(packer.allocate(4, side + 1, rect));
    EXPECT_FALSE(packer.allocate(0, 4, rect));
    EXPECT_FALSE(ShelfPacker(0).allocate(1, 1, rect));
}

} // namespace
