#include "ui_render/text_run_packer.h"

#include <algorithm>

namespace {

// Lines of one font differ by a few rows: shelves a few rows taller than asked take them all.
std::uint32_t shelfHeightFor(std::uint32_t height) { return (height + 3u) & ~3u; }

} // namespace

void ShelfPacker::reset(std::uint32_t size) {
    shelves_.clear();
    size_ = size;
    top_ = 0;
    used_ = 0;
}

int ShelfPacker::findShelf(std::uint32_t width, std::uint32_t minHeight, std::uint32_t maxHeight) const {
    int best = -1;
    for (std::size_t i = 0; i < shelves_.size(); ++i) {
        const Shelf& shelf = shelves_[i];
        if (shelf.height < minHeight || shelf.height > maxHeight) continue;
        if (best >= 0 && shelf.height >= shelves_[static_cast<std::size_t>(best)].height) continue;
        const bool fits = std::any_of(shelf.free.begin(), shelf.free.end(),
                                      [width](const Span& span) { return span.width >= width; });
        if (fits) best = static_cast<int>(i);
    }
    return best;
}

bool ShelfPacker::take(Shelf& shelf, std::uint32_t width, std::uint32_t height, PackedRect& rect) {
    for (auto span = shelf.free.begin(); span != shelf.free.end(); ++span) {
        if (span->width < width) continue;
        rect = {span->x, shelf.y, width, height};
        span->x += width;
        span->width -= width;
        if (span->width == 0) shelf.free.erase(span);
        used_ += static_cast<std::uint64_t>(width) * height;
        return true;
    }
    return false;
}

int ShelfPacker::carveEmptyShelf(std::uint32_t height) {
    int best = -1;
    for (std::size_t i = 0; i < shelves_.size(); ++i) {
        const Shelf& shelf = shelves_[i];
        if (!isEmpty(shelf) || shelf.height < height) continue;
        if (best < 0 || shelf.height < shelves_[static_cast<std::size_t>(best)].height) best = static_cast<int>(i);
    }
    if (best < 0) return -1;
    auto index = static_cast<std::size_t>(best);
    Shelf& shelf = shelves_[index];
    if (shelf.height > height) {
        Shelf rest{shelf.y + height, shelf.height - height, {{0, size_}}};
        shelf.height = height;
        shelves_.insert(shelves_.begin() + static_cast<std::ptrdiff_t>(index) + 1, rest);
    }
    return best;
}

bool ShelfPacker::allocate(std::uint32_t width, std::uint32_t height, PackedRect& rect) {
    if (width == 0 || height == 0 || width > size_ || height > size_) return false;
    const std::uint32_t shelfHeight = std::min(shelfHeightFor(height), size_);
    // A shelf of about the right height, then new rows, then a shelf of other lines left empty,
    // then, when crowded, any shelf tall enough.
    int index = findShelf(width, height, shelfHeight + shelfHeight / 2);
    if (index < 0 && top_ + shelfHeight <= size_) {
        shelves_.push_back({top_, shelfHeight, {{0, size_}}});
        top_ += shelfHeight;
        index = static_cast<int>(shelves_.size()) - 1;
    }
    if (index < 0) index = carveEmptyShelf(shelfHeight);
    if (index < 0) index = findShelf(width, height, size_);
    return index >= 0 && take(shelves_[static_cast<std::size_t>(index)], width, height, rect);
}

void ShelfPacker::release(const PackedRect& rect) {
    auto shelf = std::find_if(shelves_.begin(), shelves_.end(), [&rect](const Shelf& s) { return s.y == rect.y; });
    if (shelf == shelves_.end() || rect.width == 0) return;
    used_ -= static_cast<std::uint64_t>(rect.width) * rect.height;
    std::vector<Span>& free = shelf->free;
    auto next = std::find_if(free.begin(), free.end(), [&rect](const Span& span) { return span.x > rect.x; });
    next = free.insert(next, {rect.x, rect.width});
    if (next + 1 != free.end() && next->x + next->width == (next + 1)->x) {
        next->width += (next + 1)->width;
        free.erase(next + 1);
    }
    if (next != free.begin() && (next - 1)->x + (next - 1)->width == next->x) {
        (next - 1)->width += next->width;
        free.erase(next);
    }
    if (isEmpty(*shelf)) mergeEmpty(static_cast<std::size_t>(shelf - shelves_.begin()));
}

void ShelfPacker::mergeEmpty(std::size_t index) {
    if (index + 1 < shelves_.size() && isEmpty(shelves_[index + 1])) {
        shelves_[index].height += shelves_[index + 1].height;
        shelves_.erase(shelves_.begin() + static_cast<std::ptrdiff_t>(index) + 1);
    }
    if (index > 0 && isEmpty(shelves_[index - 1])) {
        shelves_[index - 1].height += shelves_[index].height;
        shelves_.erase(shelves_.begin() + static_cast<std::ptrdiff_t>(index));
        --index;
    }
    if (index + 1 == shelves_.size()) {
        top_ = shelves_[index].y;
        shelves_.pop_back();
    }
}
