#include "ui_render/text_run_atlas.h"

#include "app/log.h"
#include "ui_render/glyph_atlas.h"

std::uint32_t TextRunAtlas::sizeForScreen(std::uint32_t screenWidth, std::uint32_t screenHeight) {
    // A power of two at least the screen's width and height, up to a size software GL still
    // handles cheaply; beyond it, texts that find no room draw glyph by glyph.
    std::uint32_t size = 256;
    while (size < 4096 && (size < screenWidth || size < screenHeight)) size *= 2;
    return size;
}

bool TextRunAtlas::create(gfx::Device* device, std::uint32_t size) {
    release();
    if (!device || size == 0) return false;
    if (device->createTexture(size, size, 1, 0, gfx::Format::A8R8G8B8, gfx::Pool::Managed, &texture_) !=
        gfx::Result::Ok) {
        texture_ = nullptr;
        LOG_MESSAGE("Unable to create the %u x %u text run atlas; text is drawn glyph by glyph", size, size);
        return false;
    }
    packer_.reset(size);
    return true;
}

void TextRunAtlas::release() {
    gfx::safeRelease(texture_);
    packer_.reset(0);
    entries_.clear();
    freeIds_.clear();
    byKey_.clear();
    idle_.clear();
}

bool TextRunAtlas::evictIdle() {
    if (idle_.empty()) return false;
    const std::uint32_t id = idle_.front();
    idle_.pop_front();
    Entry& entry = entries_[id];
    packer_.release(entry.rect);
    byKey_.erase(*entry.key);
    entry = Entry{};
    freeIds_.push_back(id);
    return true;
}

bool TextRunAtlas::allocate(const TextRunShape& shape, PackedRect& rect) {
    const auto width = static_cast<std::uint32_t>(shape.width), height = static_cast<std::uint32_t>(shape.height);
    if (width > packer_.size() || height > packer_.size()) return false;
    while (!packer_.allocate(width, height, rect)) {
        if (!evictIdle()) return false;
    }
    return true;
}

bool TextRunAtlas::acquire(const TextRunShape& shape, const GlyphAtlas& glyphs, std::uint32_t& id, PackedRect& rect) {
    if (!texture_) return false;
    std::string key = textRunKey(shape);
    if (auto found = byKey_.find(key); found != byKey_.end()) {
        id = found->second;
        Entry& entry = entries_[id];
        if (entry.holders++ == 0) idle_.erase(entry.idlePlace);
        rect = entry.rect;
        return true;
    }
    if (!allocate(shape, rect)) return false;
    const auto x = static_cast<std::int32_t>(rect.x), y = static_cast<std::int32_t>(rect.y);
    const gfx::Rect area{x, y, x + shape.width, y + shape.height};
    gfx::LockedRect locked;
    if (texture_->lockRect(0, locked, &area, 0) != gfx::Result::Ok) {
        packer_.release(rect);
        return false;
    }
    composeTextRun(shape, glyphs.pixels().data(), glyphs.size(), static_cast<std::uint32_t*>(locked.bits),
                   static_cast<std::size_t>(locked.pitch) / sizeof(std::uint32_t));
    texture_->unlockRect(0);

    if (freeIds_.empty()) {
        id = static_cast<std::uint32_t>(entries_.size());
        entries_.emplace_back();
    } else {
        id = freeIds_.back();
        freeIds_.pop_back();
    }
    const auto inserted = byKey_.emplace(std::move(key), id).first;
    Entry& entry = entries_[id];
    entry.key = &inserted->first;
    entry.rect = rect;
    entry.holders = 1;
    return true;
}

void TextRunAtlas::releaseRun(std::uint32_t id) {
    if (id >= entries_.size() || entries_[id].holders == 0) return;
    Entry& entry = entries_[id];
    if (--entry.holders == 0) entry.idlePlace = idle_.insert(idle_.end(), id);
}
