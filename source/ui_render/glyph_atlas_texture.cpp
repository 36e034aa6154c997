#include "ui_render/glyph_atlas_texture.h"

gfx::Texture* createGlyphAtlasTexture(gfx::Device* device, const GlyphAtlas& atlas) {
    gfx::Texture* texture = nullptr;
    if (!device || atlas.size() == 0 ||
        device->createTexture(atlas.size(), atlas.size(), 1, 0, gfx::Format::A8R8G8B8, gfx::Pool::Managed, &texture) !=
            gfx::Result::Ok) {
        return nullptr;
    }
    gfx::LockedRect locked;
    if (texture->lockRect(0, locked, nullptr, 0) == gfx::Result::Ok) {
        const std::uint32_t size = atlas.size();
        for (std::uint32_t row = 0; row < size; ++row) {
            auto* texel = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(locked.bits) +
                                                           static_cast<std::size_t>(row) * locked.pitch);
            const std::uint8_t* coverage = atlas.pixels().data() + static_cast<std::size_t>(row) * size;
            for (std::uint32_t x = 0; x < size; ++x) texel[x] = coverage[x] * 0x01010101u;
        }
        texture->unlockRect(0);
    }
    return texture;
}
