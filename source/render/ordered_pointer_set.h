#pragma once
// Pointers kept in the order added and found by address alone: what they point to is never read.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

// The render interface's live UI objects. A closing screen destroys thousands of them, and a
// pointer handed to destroy may be stale, so it is looked up by its address: in an open-addressing
// table of addresses and positions, kept at most half full, one dense array rather than a node
// per entry. Erasing leaves a gap in the order, which iteration skips; the gaps are closed once
// they outnumber the entries.
template <class T>
class OrderedPointerSet {
public:
    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T*;
        using difference_type = std::ptrdiff_t;
        using pointer = T* const*;
        using reference = T* const&;

        Iterator() = default;
        reference operator*() const { return *at_; }
        Iterator& operator++() {
            ++at_;
            skipGaps();
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const Iterator& other) const { return at_ == other.at_; }

    private:
        friend class OrderedPointerSet;
        Iterator(T* const* at, T* const* end) : at_(at), end_(end) { skipGaps(); }
        void skipGaps() {
            while (at_ != end_ && !*at_) ++at_;
        }
        T* const* at_ = nullptr;
        T* const* end_ = nullptr;
    };

    // False, and nothing added, for null or an entry already in.
    bool insert(T* entry) {
        if (!entry || contains(entry)) return false;
        if ((count_ + 1) * 2 > table_.size()) rebuildTable(table_.empty() ? minimumTableSize : table_.size() * 2);
        order_.push_back(entry);
        place(entry, order_.size() - 1);
        ++count_;
        return true;
    }

    // False when the entry is not in.
    bool erase(const T* entry) {
        const std::size_t slot = find(entry);
        if (slot == notFound) return false;
        order_[table_[slot].position] = nullptr;
        removeSlot(slot);
        --count_;
        if (order_.size() - count_ > count_) closeGaps();
        return true;
    }

    bool contains(const T* entry) const { return find(entry) != notFound; }
    bool empty() const { return count_ == 0; }
    std::size_t size() const { return count_; }
    Iterator begin() const { return Iterator(order_.data(), order_.data() + order_.size()); }
    Iterator end() const { return Iterator(order_.data() + order_.size(), order_.data() + order_.size()); }

private:
    struct Slot {
        const T* entry = nullptr;
        std::size_t position = 0;
    };
    static constexpr std::size_t notFound = static_cast<std::size_t>(-1);
    static constexpr std::size_t minimumTableSize = 16;

    // Fibonacci hashing of the address: the top bits of the product, which mix in every bit.
    std::size_t home(const T* entry) const {
        const auto address = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(entry));
        return static_cast<std::size_t>((address * 0x9E3779B97F4A7C15ull) >> shift_);
    }

    std::size_t find(const T* entry) const {
        if (!entry || table_.empty()) return notFound;
        const std::size_t mask = table_.size() - 1;
        for (std::size_t slot = home(entry);; slot = (slot + 1) & mask) {
            if (table_[slot].entry == entry) return slot;
            if (!table_[slot].entry) return notFound;
        }
    }

    void place(const T* entry, std::size_t position) {
        const std::size_t mask = table_.size() - 1;
        std::size_t slot = home(entry);
        while (table_[slot].entry) slot = (slot + 1) & mask;
        table_[slot] = {entry, position};
    }

    // Empties the slot and moves later entries of its run back, so that every entry stays
    // reachable from its home without markers of erased ones.
    void removeSlot(std::size_t hole) {
        const std::size_t mask = table_.size() - 1;
        for (std::size_t slot = (hole + 1) & mask; table_[slot].entry; slot = (slot + 1) & mask) {
            // Distances from the home along the probe order; an entry may fill the hole only
            // when the hole lies between its home and where it sits.
            const std::size_t wanted = home(table_[slot].entry);
            if (((slot - wanted) & mask) >= ((slot - hole) & mask)) {
                table_[hole] = table_[slot];
                hole = slot;
            }
        }
        table_[hole] = Slot{};
    }

    void rebuildTable(std::size_t size) {
        table_.assign(size, Slot{});
        shift_ = 64;
        for (std::size_t bits = size; bits > 1; bits >>= 1) --shift_;
        for (std::size_t position = 0; position < order_.size(); ++position) {
            if (order_[position]) place(order_[position], position);
        }
    }

    void closeGaps() {
        std::size_t kept = 0;
        for (T* entry : order_) {
            if (entry) order_[kept++] = entry;
        }
        order_.resize(kept);
        // Room for the entries left to double before the table grows again.
        std::size_t size = minimumTableSize;
        while (size < count_ * 4) size *= 2;
        rebuildTable(size);
    }

    std::vector<T*> order_;
    std::vector<Slot> table_;
    std::size_t count_ = 0;
    unsigned shift_ = 64;
};
