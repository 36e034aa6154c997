#pragma once
// The asset of "TextBox" objects (and of "FontTexture" objects, which show the glyph atlas): the
// glyph atlas, the run atlas, each object's laid-out text block as its per-instance data, and the
// quads it writes into the UI batch of a layer.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/effect.h"
#include "platform/gfx/texture.h"
#include "render/font_list.h"
#include "render/render_interface.h"
#include "ui_render/glyph_atlas.h"
#include "ui_render/text_block.h"
#include "ui_render/text_run_atlas.h"
#include "ui_render/ui_renderable_asset.h"

class UIBatchWriter;

class UITextRenderableAsset : public UIRenderableAsset {
public:
    UITextRenderableAsset(const std::string& folder, std::vector<FontListEntry> fonts, const ColourIdTable* colourIds,
                          RenderInterface* renderInterface);
    ~UITextRenderableAsset() override;

    void onLostDevice() override;
    // Lays every text out again on its next update, from an atlas built for the new screen size.
    void onResetDevice() override;
    void unload() override;
    // Builds the atlas for the render side's screen size, registers the fonts' line heights and
    // makes the effect and texture.
    bool load() override;
    void renderInstance(UIRenderableInstance& record, UIBatchWriter& writer) override;
    void destroyInstanceData(UIRenderableInstance& record) override;
    void updateInstanceData(UIRenderableInstance& record) override;

    // The "FontTexture" objects of a layer: the whole atlas in their rectangles.
    void drawAtlasViews(std::uint32_t layer, UIBatchWriter& writer);

    const GlyphAtlas& atlas() const { return atlas_; }
    const TextRunAtlas& runAtlas() const { return runAtlas_; }
    // From now on a run atlas of that size (0: none, so every text draws glyph by glyph) instead
    // of one sized for the screen; every text is laid out again on its next update.
    void setRunAtlasSize(std::uint32_t size);
    // The block an object's text was laid out into, or null (nothing to draw).
    const TextBlock* blockOf(const ParameterManager::ParameterGroupPair* pair) const;

private:
    void buildAtlas();
    void uploadAtlas();
    void createRunAtlas();
    // Every text loses its block and is laid out again on its next update.
    void dropBlocks();

    std::string folder_;
    std::vector<FontListEntry> fonts_;
    const ColourIdTable* colourIds_;
    RenderInterface* renderInterface_;
    std::uint32_t screenWidth_ = 0;
    std::uint32_t screenHeight_ = 0;

    GlyphAtlas atlas_;
    gfx::Texture* atlasTexture_ = nullptr;
    TextRunAtlas runAtlas_;
    std::optional<std::uint32_t> runAtlasSize_;
    gfx::Effect* effect_ = nullptr;
    gfx::EffectHandle simpleTechnique_ = 0;
    gfx::EffectHandle anisoTechnique_ = 0;
    gfx::EffectHandle runTechnique_ = 0;
    gfx::EffectHandle atlasViewTechnique_ = 0;
    gfx::EffectHandle atlasViewPointTechnique_ = 0;
    gfx::EffectHandle fontTexture_ = 0;
    gfx::EffectHandle runTexture_ = 0;
};
