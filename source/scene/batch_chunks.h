#pragma once
// How a static batch splits its instances into buffer chunks: as many instances as fit in
// 65536 vertices per chunk, so that 16-bit indices reach every vertex of a chunk.
#include <cstdint>
#include <vector>

struct BatchChunkPlan {
    // The chunk's instances, a run in walking order.
    std::uint32_t firstInstance = 0;
    std::uint32_t instanceCount = 0;
    std::uint32_t vertexCount = 0;
    std::uint32_t indexCount = 0;
};

inline constexpr std::uint32_t kMaxChunkVertices = 65536;
// A batch that would need this many chunks or more keeps none.
inline constexpr std::size_t kMaxBatchChunks = 5000;

struct InstanceCounts {
    std::uint32_t vertices = 0;
    std::uint32_t indices = 0;
};

// Walks the instances in order; an instance whose vertices would bring its chunk past 65536
// starts the next chunk. Empty when there is nothing to draw or too many chunks.
std::vector<BatchChunkPlan> planBatchChunks(const std::vector<InstanceCounts>& instances);
