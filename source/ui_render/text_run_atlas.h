#pragma once
// The run atlas: images of text runs in one A8R8G8B8 texture, composed from the glyph atlas and
// uploaded once, shared by every text that shows the same run. A run no text holds stays until
// its room is needed, so texts that come back (a tab shown again) find their runs still there.
#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gfx/device.h"
#include "platform/gfx/texture.h"
#include "ui_render/text_run_image.h"
#include "ui_render/text_run_packer.h"

class GlyphAtlas;

class TextRunAtlas {
public:
    TextRunAtlas() = default;
    ~TextRunAtlas() { release(); }
    TextRunAtlas(const TextRunAtlas&) = delete;
    TextRunAtlas& operator=(const TextRunAtlas&) = delete;

    // The side of an atlas for a screen of that size: the lines of a screen full of text fit.
    static std::uint32_t sizeForScreen(std::uint32_t screenWidth, std::uint32_t screenHeight);

    // An empty atlas size texels a side; false for size 0 or when the device refuses it.
    bool create(gfx::Device* device, std::uint32_t size);
    // Lets go of the texture and forgets every run.
    void release();

    // Holds the run of the shape: the one already there, or a new one composed from the glyph
    // atlas, in room that no run takes or that runs no text holds gave up (the longest unheld
    // first). Gives its id and rectangle; false when there is no room.
    bool acquire(const TextRunShape& shape, const GlyphAtlas& glyphs, std::uint32_t& id, PackedRect& rect);
    // Lets go of a run acquired before.
    void releaseRun(std::uint32_t id);

    gfx::Texture* texture() const { return texture_; }
    std::uint32_t size() const { return packer_.size(); }
    // Runs that texts hold, each counted once however many texts show it.
    std::size_t heldRunCount() const { return byKey_.size() - idle_.size(); }
    // Runs in the atlas, held or not, and the texels they take.
    std::size_t runCount() const { return byKey_.size(); }
    std::uint64_t usedArea() const { return packer_.usedArea(); }

private:
    struct Entry {
        const std::string* key = nullptr;
        PackedRect rect;
        std::uint32_t holders = 0;
        // The entry's place in idle_ while no text holds it.
        std::list<std::uint32_t>::iterator idlePlace;
    };

    bool allocate(const TextRunShape& shape, PackedRect& rect);
    // Takes the longest unheld run out of the atlas; false when every run is held.
    bool evictIdle();

    gfx::Texture* texture_ = nullptr;
    ShelfPacker packer_;
    std::vector<Entry> entries_;
    std::vector<std::uint32_t> freeIds_;
    std::unordered_map<std::string, std::uint32_t> byKey_;
    // Unheld runs, the longest unheld first.
    std::list<std::uint32_t> idle_;
};
