#pragma once
// A file-backed device resource loaded in stages: the file work on a loader worker thread while
// the render thread keeps drawing, each device step on the render thread, one item a frame.
#include <cstdint>

class LoadableAsset {
public:
    enum State : std::int32_t { Constructed = 0, FileLoaded = 1, Prepared = 2, Loaded = 4 };

    virtual ~LoadableAsset() = default;

    // Render thread: release the default-pool objects after a lost device, and make them again.
    virtual void onLostDevice() = 0;
    virtual void onResetDevice() = 0;
    // Worker: read (or compile) the file; FileLoaded.
    virtual void loadFile() = 0;
    // Render thread: the device-side staging objects; Prepared.
    virtual void prepare() = 0;
    // Worker or render thread: fill the staging objects; the state stays.
    virtual void fillData() = 0;
    // Render thread: the final object; Loaded.
    virtual void finishLoad() = 0;
    // Render thread: release everything.
    virtual void unload() = 0;

    std::int32_t getState() const { return state_; }
    void setState(std::int32_t state) { state_ = state; }

protected:
    std::int32_t state_ = Constructed;
};
