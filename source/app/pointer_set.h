#pragma once
// A set of pointers in one flat table (open addressing, linear probing): inserting and erasing
// allocate nothing per member, so a receiver connected to many thousand senders forgets each one
// in constant time without freeing a tree node.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sigslot {

template <class T>
class PointerSet {
public:
    // False when the pointer was a member already.
    bool insert(T* member) {
        if ((count_ + 1) * 4 > slots_.size() * 3) grow();
        std::size_t i = home(member);
        for (; slots_[i]; i = next(i)) {
            if (slots_[i] == member) return false;
        }
        slots_[i] = member;
        ++count_;
        return true;
    }

    // False when the pointer was not a member.
    bool erase(T* member) {
        if (count_ == 0) return false;
        std::size_t i = home(member);
        for (; slots_[i] != member; i = next(i)) {
            if (!slots_[i]) return false;
        }
        // Shift later members of the probe run back into the gap, so no search stops early.
        for (std::size_t gap = i, j = next(i);; j = next(j)) {
            if (!slots_[j]) {
                slots_[gap] = nullptr;
                break;
            }
            const std::size_t want = home(slots_[j]);
            // j's member may fill the gap only if its home is not cyclically inside (gap, j].
            const bool homeAfterGap = gap <= j ? (gap < want && want <= j) : (gap < want || want <= j);
            if (!homeAfterGap) {
                slots_[gap] = slots_[j];
                gap = j;
            }
        }
        --count_;
        return true;
    }

    void clear() {
        slots_.clear();
        count_ = 0;
    }

    bool empty() const { return count_ == 0; }
    std::size_t size() const { return count_; }

    // Calls visit on every member, in no particular order; visit must not change the set.
    template <class Visit>
    void forEach(Visit visit) const {
        for (T* member : slots_) {
            if (member) visit(member);
        }
    }

private:
    std::size_t home(const T* member) const {
        // Within each 64 KiB of address space the slots follow the addresses, so members made one
        // after the other and dropped in turn touch the table in order; the blocks themselves
        // are scattered (Fibonacci hashing), so aligned or strided addresses do not pile up.
        const auto bits = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(member));
        const std::uint64_t block = (bits >> 16) * 0x9E3779B97F4A7C15ull;
        return static_cast<std::size_t>((block >> 32) + (bits >> 4)) & (slots_.size() - 1);
    }
    std::size_t next(std::size_t i) const { return (i + 1) & (slots_.size() - 1); }

    void grow() {
        std::vector<T*> old;
        old.swap(slots_);
        const std::size_t size = old.empty() ? 4 : old.size() * 2;
        slots_.assign(size, nullptr);
        count_ = 0;
        for (T* member : old) {
            if (!member) continue;
            std::size_t i = home(member);
            while (slots_[i]) i = next(i);
            slots_[i] = member;
            ++count_;
        }
    }

    std::vector<T*> slots_;
    std::size_t count_ = 0;
};

} // namespace sigslot
