#pragma once
// Places rectangles in a square and takes them back, for images that come and go at any time:
// rows ("shelves") of similar heights, each keeping its free stretches, and empty shelves given
// back to rows of other heights.
#include <cstdint>
#include <vector>

struct PackedRect {
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

class ShelfPacker {
public:
    explicit ShelfPacker(std::uint32_t size = 0) { reset(size); }

    // Empty, size texels a side.
    void reset(std::uint32_t size);
    // A free rectangle of that size; false when there is no room.
    bool allocate(std::uint32_t width, std::uint32_t height, PackedRect& rect);
    // Gives back a rectangle that allocate handed out.
    void release(const PackedRect& rect);

    std::uint32_t size() const { return size_; }
    // Texels handed out and not given back.
    std::uint64_t usedArea() const { return used_; }

private:
    struct Span {
        std::uint32_t x;
        std::uint32_t width;
    };
    struct Shelf {
        std::uint32_t y;
        std::uint32_t height;
        // Sorted by x, never touching.
        std::vector<Span> free;
    };

    bool isEmpty(const Shelf& shelf) const { return shelf.free.size() == 1 && shelf.free[0].width == size_; }
    // The shelf (index) with the lowest height in [minHeight, maxHeight] that has a stretch of
    // width, or -1.
    int findShelf(std::uint32_t width, std::uint32_t minHeight, std::uint32_t maxHeight) const;
    bool take(Shelf& shelf, std::uint32_t width, std::uint32_t height, PackedRect& rect);
    // An empty shelf of exactly height, cut from the lowest empty shelf tall enough; -1 if none.
    int carveEmptyShelf(std::uint32_t height);
    // Joins an emptied shelf with empty neighbours, and gives the rows of empty shelves at the
    // top back.
    void mergeEmpty(std::size_t index);

    std::vector<Shelf> shelves_;
    std::uint32_t size_ = 0;
    // Rows below this belong to shelves.
    std::uint32_t top_ = 0;
    std::uint64_t used_ = 0;
};
