#include "app/pair_slots.h"

#include <new>
#include <sanitizer/asan_interface.h>

#include "app/prefetch.h"

namespace {

constexpr std::size_t slotsPerChunk = 128;
constexpr std::align_val_t chunkAlignment{cacheLineSize};

} // namespace

void PairSlots::ChunkDeleter::operator()(std::byte* chunk) const { ::operator delete[](chunk, chunkAlignment); }

PairSlots::PairSlots(std::size_t slotSize)
    : slotSize_((slotSize + cacheLineSize - 1) / cacheLineSize * cacheLineSize) {}

PairSlots::~PairSlots() {
    // The sanitizer frees a chunk whatever was poisoned in it; unpoisoning keeps its report of a
    // later use of the chunk about the free, not about a given-back slot.
    for (const auto& chunk : chunks_) ASAN_UNPOISON_MEMORY_REGION(chunk.get(), slotSize_ * slotsPerChunk);
}

void* PairSlots::take() {
    if (free_.empty()) {
        std::unique_ptr<std::byte[], ChunkDeleter> owned(
            static_cast<std::byte*>(::operator new[](slotSize_ * slotsPerChunk, chunkAlignment)));
        std::byte* const chunk = owned.get();
        free_.reserve(free_.size() + slotsPerChunk);
        chunks_.push_back(std::move(owned));
        for (std::size_t i = slotsPerChunk; i-- > 0;) free_.push_back(chunk + i * slotSize_);
        ASAN_POISON_MEMORY_REGION(chunk, slotSize_ * slotsPerChunk);
    }
    void* const slot = free_.back();
    free_.pop_back();
    ASAN_UNPOISON_MEMORY_REGION(slot, slotSize_);
    return slot;
}

void PairSlots::giveBack(void* slot) {
    ASAN_POISON_MEMORY_REGION(slot, slotSize_);
    returned_.push_back(slot);
}

void PairSlots::recycle() {
    // Given back in creation order mostly; reversed, they are taken again in that order.
    free_.insert(free_.end(), returned_.rbegin(), returned_.rend());
    returned_.clear();
}
