#pragma once
// A ".dds" texture loaded in stages: the file read on a worker thread, a system-memory copy of
// every level kept for device resets, and a default-pool texture made from it on the render thread.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/dds_file.h"
#include "platform/gfx/device.h"
#include "render/loadable_asset.h"

class DDSTextureLoader : public LoadableAsset {
public:
    DDSTextureLoader(const std::string& path, void* owner);
    ~DDSTextureLoader() override;
    DDSTextureLoader(const DDSTextureLoader&) = delete;
    DDSTextureLoader& operator=(const DDSTextureLoader&) = delete;

    // Worker: reads and checks the file. The state becomes FileLoaded whatever the result; a file
    // that cannot be read or is corrupt is logged, and the later stages then make nothing.
    void loadFile() override;
    // Render thread: the system-memory texture, every level locked for fillData.
    void prepare() override;
    // Worker or render thread: copies each level's rows into the locked staging levels.
    void fillData() override;
    // Render thread: unlocks the staging texture, makes the default-pool one and updates it.
    void finishLoad() override;
    void onLostDevice() override;
    // Makes the default-pool texture again from the staging copy, without reading the file.
    void onResetDevice() override;
    void unload() override;

    // Null until finishLoad succeeded (and between a loss and the reset after it).
    gfx::Texture* texture() const { return texture_; }
    void* owner() const { return owner_; }
    const std::string& path() const { return path_; }
    // Points the loader at another file (a texture-detail change) before it is queued again; the
    // texture it holds stays until the new file is loaded.
    void setPath(const std::string& path) { path_ = path; }

    // Reads a whole file that starts with "DDS "; header points after the magic, data at byte 128.
    static bool readFile(const std::string& path, std::vector<uint8_t>& bytes, const uint8_t*& header,
                         const uint8_t*& data, std::size_t& dataSize);
    static gfx::Format formatFromPixelFormat(uint32_t size, uint32_t flags, uint32_t fourCC, uint32_t bitCount,
                                             uint32_t redMask, uint32_t greenMask, uint32_t blueMask,
                                             uint32_t alphaMask);
    // Bits per pixel of a format by its number (4 for DXT1); 0, logged, for formats it does not know.
    static uint32_t bitsPerPixel(uint32_t format);

private:
    gfx::Result createDefaultTexture();

    void* owner_;
    std::string path_;
    std::vector<uint8_t> bytes_;
    gfx::DdsImage image_;
    gfx::Texture* texture_ = nullptr;
    gfx::Texture* staging_ = nullptr;
    std::vector<gfx::LockedRect> lockedLevels_;
    uint32_t width_ = 0, height_ = 0, levels_ = 0;
    gfx::Format format_ = gfx::Format::Unknown;
};
