#pragma once
// Textures with mip levels in the three pools, locked and unlocked as the engine fills them.
#include <cstdint>
#include <vector>

#include "platform/gfx/context.h"
#include "platform/gfx/ref_counted.h"
#include "platform/gfx/types.h"

namespace gfx {

class Surface;
struct FormatInfo;

class BaseTexture : public RefCounted {
public:
    ResourceType type() const { return type_; }
    uint32_t levelCount() const { return levels_; }
    Format format() const { return format_; }
    Pool pool() const { return pool_; }
    uint32_t usage() const { return usage_; }
    uint32_t levelWidth(uint32_t level) const;
    uint32_t levelHeight(uint32_t level) const;

    // Device-internal.
    unsigned glName() const { return glName_; }
    unsigned glTarget() const;
    uint32_t faceCount() const { return type_ == ResourceType::CubeTexture ? 6 : 1; }
    const FormatInfo& info() const { return *info_; }
    // The CPU copy of a level of a managed or system-memory texture; null in the default pool.
    const std::vector<uint8_t>* cpuLevel(uint32_t face, uint32_t level) const;
    // Replaces a whole level (tightly packed) and uploads it.
    Result writeLevel(uint32_t face, uint32_t level, const uint8_t* data);
    // A system-memory texture is dirty after unlocks that could write and after addDirtyRect;
    // updateTexture copies only a dirty source, then marks it clean.
    Result addDirtyRect(const Rect* rect);
    bool isDirty() const { return dirty_; }
    void markClean() { dirty_ = false; }
    // Unlocked rectangles of textures with a CPU copy wait here, gathered per level, until the
    // device draws with the texture (or it is read back): many small locks, one upload.
    bool hasPendingUploads() const { return pendingUploads_; }
    void flushUploads();
    // Level contents as top-down ARGB (GL read-back for the default pool).
    Result readLevelArgb(uint32_t face, uint32_t level, std::vector<uint32_t>& argb) const;

protected:
    BaseTexture(const ContextLink& context, ResourceType type, uint32_t width, uint32_t height, uint32_t levels,
                uint32_t usage, Format format, Pool pool);
    ~BaseTexture() override;
    Result createStorage();
    Result lockLevel(uint32_t face, uint32_t level, LockedRect& locked, const Rect* rect, uint32_t flags);
    Result unlockLevel(uint32_t face, uint32_t level);
    Surface* surfaceOf(uint32_t face, uint32_t level);
    bool validLevel(uint32_t face, uint32_t level) const { return face < faceCount() && level < levels_; }

private:
    friend class Surface;
    struct Level {
        std::vector<uint8_t> cpu; // kept for managed and system memory, only while locked otherwise
        bool locked = false;
        uint32_t lockFlags = 0;
        Rect lockRect{};
        Rect pending{}; // empty when nothing waits
    };
    Level& levelOf(uint32_t face, uint32_t level) { return levelData_[face * levels_ + level]; }
    void upload(uint32_t face, uint32_t level, const uint8_t* data);
    // Uploads one rectangle of a tightly packed level.
    void uploadRect(uint32_t face, uint32_t level, const uint8_t* levelData, const Rect& rect);
    bool keepsCpuCopy() const { return pool_ != Pool::Default; }

    ContextLink context_;
    ResourceType type_;
    uint32_t width_, height_, levels_, usage_;
    Format format_;
    Pool pool_;
    const FormatInfo* info_ = nullptr;
    unsigned glName_ = 0;
    std::vector<Level> levelData_;
    std::vector<Surface*> surfaces_;
    bool dirty_ = true;
    bool counted_ = false;
    bool pendingUploads_ = false;
};

class Texture : public BaseTexture {
public:
    // levels 0 means the full chain down to 1x1.
    static Result create(const ContextLink& context, uint32_t width, uint32_t height, uint32_t levels, uint32_t usage,
                         Format format, Pool pool, Texture** out);

    Result getLevelDesc(uint32_t level, SurfaceDesc& desc) const;
    // The surface comes with a reference the caller releases.
    Result getSurfaceLevel(uint32_t level, Surface** out);
    Result lockRect(uint32_t level, LockedRect& locked, const Rect* rect, uint32_t flags) {
        return lockLevel(0, level, locked, rect, flags);
    }
    Result unlockRect(uint32_t level) { return unlockLevel(0, level); }

private:
    using BaseTexture::BaseTexture;
};

class CubeTexture : public BaseTexture {
public:
    static Result create(const ContextLink& context, uint32_t edge, uint32_t levels, uint32_t usage, Format format,
                         Pool pool, CubeTexture** out);

    Result getLevelDesc(uint32_t level, SurfaceDesc& desc) const;
    Result getCubeMapSurface(CubeFace face, uint32_t level, Surface** out);
    Result lockRect(CubeFace face, uint32_t level, LockedRect& locked, const Rect* rect, uint32_t flags) {
        return lockLevel(uint32_t(face), level, locked, rect, flags);
    }
    Result unlockRect(CubeFace face, uint32_t level) { return unlockLevel(uint32_t(face), level); }

private:
    using BaseTexture::BaseTexture;
};

} // namespace gfx
