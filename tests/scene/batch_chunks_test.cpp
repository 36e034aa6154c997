// Splitting a static batch into chunks of at most 65536 vertices.
#include <gtest/gtest.h>

#include "scene/batch_chunks.h"

namespace {

TEST(BatchChunks, InstancesFillAChunkUpTo65536VerticesAndTheNextOneStartsAnother) {
    struct Case {
        const char* what;
        std::vector<InstanceCounts> instances;
        std::vector<std::uint32_t> chunkVertices;
    };
    const std::vector<Case> cases = {
        {"nothing", {}, {}},
        {"exactly 65536 vertices", {{32768, 300}, {32768, 300}}, {65536}},
        {"65537 vertices", {{32768, 300}, {32769, 300}}, {32768, 32769}},
        {"three that fit after a large one", {{65000, 6}, {600, 6}, {100, 6}, {100, 6}}, {65000, 800}},
        {"one full instance after another", {{65536, 3}, {1, 3}}, {65536, 1}},
    };
    for (const Case& c : cases) {
        const std::vector<BatchChunkPlan> chunks = planBatchChunks(c.instances);
        ASSERT_EQ(chunks.size(), c.chunkVertices.size()) << c.what;
        std::uint32_t next = 0;
        for (std::size_t i = 0; i < chunks.size(); ++i) {
            EXPECT_EQ(chunks[i].vertexCount, c.chunkVertices[i]) << c.what << " #" << i;
            EXPECT_EQ(chunks[i].firstInstance, next) << c.what << " #" << i;
            std::uint32_t indices = 0;
            for (std::uint32_t k = 0; k < chunks[i].instanceCount; ++k) indices += c.instances[next + k].indices;
            EXPECT_EQ(chunks[i].indexCount, indices) << c.what << " #" << i;
            next += chunks[i].instanceCount;
        }
        EXPECT_EQ(next, c.instances.size()) << c.what;
    }
}

TEST(BatchChunks, ABatchNeeding5000ChunksKeepsNone) {
    EXPECT_EQ(planBatchChunks(std::vector<InstanceCounts>(4999, {65536, 3})).size(), 4999u);
    EXPECT_TRUE(planBatchChunks(std::vector<InstanceCounts>(5000, {65536, 3})).empty());
}

} // namespace
