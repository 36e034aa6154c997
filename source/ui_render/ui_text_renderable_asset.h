#pragma once
// The asset of "TextBox" objects (and of "FontTexture" objects, which show the glyph atlas): the
// atlas, each object's laid-out text block, and drawing a layer's texts as few draws from one
// vertex buffer.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/effect.h"
#include "render/render_interface.h"
#include "ui_render/font_list.h"
#include "ui_render/glyph_atlas.h"
#include "ui_render/text_block.h"
#include "ui_render/text_quad_buffer.h"
#include "ui_render/ui_renderable.h"

class UITextRenderableAsset : public UIRenderableAsset {
public:
    static constexpr std::uint32_t layerCount = 32;

    UITextRenderableAsset(const std::string& folder, std::vector<FontListEntry> fonts, const ColourIdTable* colourIds,
                          RenderInterface* renderInterface);
    ~UITextRenderableAsset() override;

    void addInstance(ParameterManager::ParameterGroupPair* pair, std::uint32_t layer, bool ownType) override;
    void removeInstance(RenderInterface::UIObject* object) override;
    void onLostDevice() override;
    void onResetDevice() override;

    // Builds the atlas for the render side's screen size, registers the fonts' line heights and
    // makes the effect and texture.
    bool load();
    void unload();
    // The text objects of the layer in filing order, then the atlas views of the layer.
    void drawLayer(std::uint32_t layer);
    // Per frame after drawing: re-lays out changed texts and re-files moved ones.
    void updateInstances();

    const GlyphAtlas& atlas() const { return atlas_; }
    // The block an object's text was laid out into, or null (nothing to draw).
    const TextBlock* blockOf(const ParameterManager::ParameterGroupPair* pair) const;

private:
    struct Instance {
        ParameterManager::ParameterGroupPair* pair = nullptr;
        std::uint32_t layer = 0;
        UnsignedIntParameter* layerParameter = nullptr;
        bool firstUpdate = true;
        bool moved = false;
        TextBlock* block = nullptr;
    };
    using LayerLists = std::array<std::vector<Instance*>, layerCount>;

    void buildAtlas();
    void uploadAtlas();
    void updateInstanceData(Instance& instance);
    void destroyBlock(Instance& instance);
    void drawTexts(const std::vector<Instance*>& instances, std::uint32_t layer);
    void drawAtlasViews(const std::vector<Instance*>& instances, std::uint32_t layer);
    void drawQuads(const std::vector<ColouredTexturedVertex>& vertices, gfx::EffectHandle technique, bool clip,
                   const TextScissor& scissor);
    static std::uint32_t layerOf(const Instance& instance);

    std::string folder_;
    std::vector<FontListEntry> fonts_;
    const ColourIdTable* colourIds_;
    RenderInterface* renderInterface_;
    std::uint32_t screenWidth_ = 0;
    std::uint32_t screenHeight_ = 0;

    GlyphAtlas atlas_;
    gfx::Texture* atlasTexture_ = nullptr;
    gfx::Effect* effect_ = nullptr;
    gfx::EffectHandle simpleTechnique_ = 0;
    gfx::EffectHandle anisoTechnique_ = 0;
    gfx::EffectHandle atlasViewTechnique_ = 0;
    gfx::EffectHandle atlasViewPointTechnique_ = 0;
    gfx::EffectHandle fontTexture_ = 0;
    TextQuadBuffer quads_;
    std::vector<ColouredTexturedVertex> batch_;

    std::vector<Instance*> primary_;
    LayerLists primaryLayers_;
    std::vector<Instance*> secondary_;
    LayerLists secondaryLayers_;
};
