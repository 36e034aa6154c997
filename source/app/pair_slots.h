#pragma once
// Fixed-size slots, packed side by side, for the parameter pairs of one manager and the handles
// kept beside them.
#include <cstddef>
#include <memory>
#include <vector>

// The walks of a frame hand-off lead to every pair of a closing screen. Packed away from their
// much larger parameter blocks, those pairs fill few pages and cache lines, so the walks cost
// the same per pair for thousands of them as for hundreds.
//
// Slots are taken by the side that creates pairs (the update thread, or the hand-off) and given
// back by the main thread, also while the update thread runs; a slot given back becomes takeable
// at the next recycle, which runs in the hand-off, so the two threads never share a list.
class PairSlots {
public:
    // Every slot starts a cache line; slotSize is rounded up to whole lines.
    explicit PairSlots(std::size_t slotSize);
    ~PairSlots();
    PairSlots(const PairSlots&) = delete;
    PairSlots& operator=(const PairSlots&) = delete;

    // An uninitialised slot.
    void* take();
    // Whatever lived in the slot must be gone. Until the slot is taken again, touching it is an
    // error the address sanitizer reports.
    void giveBack(void* slot);
    // While the update thread is parked: the slots given back since the last call become takeable.
    void recycle();

    std::size_t slotSize() const { return slotSize_; }

private:
    struct ChunkDeleter {
        void operator()(std::byte* chunk) const;
    };

    std::size_t slotSize_;
    std::vector<std::unique_ptr<std::byte[], ChunkDeleter>> chunks_;
    // Taken from the back; kept so that consecutive takes give rising addresses, as the hand-off
    // walks pairs in creation order.
    std::vector<void*> free_;
    std::vector<void*> returned_;
};
