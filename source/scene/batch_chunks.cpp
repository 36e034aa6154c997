#include "scene/batch_chunks.h"

std::vector<BatchChunkPlan> planBatchChunks(const std::vector<InstanceCounts>& instances) {
    std::vector<BatchChunkPlan> chunks;
    BatchChunkPlan current;
    for (std::uint32_t i = 0; i < instances.size(); ++i) {
        const InstanceCounts& counts = instances[i];
        if (current.instanceCount > 0 && std::uint64_t(current.vertexCount) + counts.vertices > kMaxChunkVertices) {
            chunks.push_back(current);
            if (chunks.size() >= kMaxBatchChunks) return {};
            current = BatchChunkPlan{i, 0, 0, 0};
        }
        ++current.instanceCount;
        current.vertexCount += counts.vertices;
        current.indexCount += counts.indices;
    }
    if (current.instanceCount > 0 && current.vertexCount > 0) chunks.push_back(current);
    if (chunks.size() >= kMaxBatchChunks) return {};
    return chunks;
}
