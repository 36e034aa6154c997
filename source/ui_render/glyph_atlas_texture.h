#pragma once
// The GPU copy of a glyph atlas: its coverage in all four channels of a managed A8R8G8B8
// texture (software GL draws text through its fast span path only from that layout).
#include "platform/gfx/device.h"
#include "platform/gfx/texture.h"
#include "ui_render/glyph_atlas.h"

// The atlas's texture, or null when the device can't make it.
gfx::Texture* createGlyphAtlasTexture(gfx::Device* device, const GlyphAtlas& atlas);
