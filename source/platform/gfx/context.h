#pragma once
// What device objects share with the device that made them: whether its GL context still
// exists (so objects outliving the device never touch GL), the default-pool census that
// decides whether a reset may go ahead, the drawing thread, and the GL objects released on
// other threads, which the device deletes on the drawing thread.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

namespace gfx {

class Device;

enum class GlObject { Buffer, Texture, Renderbuffer, Program };

// What the device did, counted for tests and benchmarks.
struct DeviceStatistics {
    uint64_t bufferBytesUploaded = 0;
    uint64_t textureBytesUploaded = 0;
    uint64_t textureUploads = 0;
    uint64_t textureBytesReadBack = 0;
    uint64_t renderStateApplications = 0; // depth, blend and raster groups
    uint64_t viewportApplications = 0;
    uint64_t scissorApplications = 0;
    uint64_t pixelCentreUploads = 0;
};

struct ContextState {
    std::atomic<bool> alive{true};
    std::atomic<int> defaultPoolObjects{0};
    bool hasS3tc = false;
    bool hasAnisotropy = false;
    float maxAnisotropy = 1.0f;
    int maxTextureSize = 1024;
    int maxRenderbufferSize = 1024;
    Device* device = nullptr;
    std::thread::id drawingThread = std::this_thread::get_id();
    DeviceStatistics statistics;
    // The viewport size each program's pixel-centre shift was last uploaded for.
    std::unordered_map<unsigned, std::pair<uint32_t, uint32_t>> pixelCentreSizes;

    bool onDrawingThread() const { return std::this_thread::get_id() == drawingThread; }

    // Deletes now on the drawing thread, or queues the deletion for it.
    void deleteObject(GlObject kind, unsigned name);
    // Deletes the objects other threads released (drawing thread).
    void deleteQueued();
    // Deletes a GL object right away (drawing thread).
    void deleteNow(GlObject kind, unsigned name);

private:
    std::mutex queueMutex;
    std::vector<std::pair<GlObject, unsigned>> queued;
};

using ContextLink = std::shared_ptr<ContextState>;

inline void ContextState::deleteObject(GlObject kind, unsigned name) {
    if (!name || !alive) return;
    if (onDrawingThread()) {
        deleteNow(kind, name);
        return;
    }
    std::lock_guard<std::mutex> lock(queueMutex);
    queued.emplace_back(kind, name);
}

} // namespace gfx
