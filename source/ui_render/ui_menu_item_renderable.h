#pragma once
// "textMenuItem": one line of plain text, white or red when "isSelected", its top-left corner
// at ("horizPos", "vertPos") pixels from the screen's top-left. Drawn with DejaVu Sans 32 pixels
// high from a glyph atlas of its own (the font folder is the render-path group's first folder).
#include <cstdint>
#include <string>

#include "app/typed_parameters.h"
#include "platform/gfx/effect.h"
#include "platform/gfx/texture.h"
#include "ui_render/glyph_atlas.h"
#include "ui_render/text_block.h"
#include "ui_render/ui_parameter_table.h"
#include "ui_render/ui_renderable.h"

struct MenuItemParameters {
    static inline const UIParameter<StringParameter> text{"text", "Menu Item"};
    // Pixels from the screen's top and left edges.
    static inline const UIParameter<UnsignedIntParameter> vertPos{"vertPos", 0u};
    static inline const UIParameter<UnsignedIntParameter> horizPos{"horizPos", 0u};
    static inline const UIParameter<BoolParameter> isSelected{"isSelected", false};
    static inline const UIParameter<BoolParameter> isVisible{"isVisible", true};

    static ParameterDescription* describe(const std::string& typeName, ThreadResourcePool* pool) {
        return uiparam::describe(typeName, pool, text, vertPos, horizPos, isSelected, isVisible);
    }
};

// Prints into the 256-character buffer, cutting what does not fit (255 characters and the
// terminator at most).
void formatMenuText(char (&buffer)[256], const char* format, ...) __attribute__((format(printf, 2, 3)));

class UIMenuItemRenderableAsset : public UIRenderableAsset {
public:
    static constexpr const char* fontName = "DejaVuSans";
    static constexpr std::uint32_t fontPixelHeight = 32;

    UIMenuItemRenderableAsset(const std::string& fontFolder, RenderInterface* renderInterface);
    ~UIMenuItemRenderableAsset() override;

    // A new screen size gives the glyphs new sizes in UI units: the atlas is built again.
    void onResetDevice() override;
    // The font's glyph atlas for the screen's size, its texture and the text effect. A font
    // that can't be opened leaves the asset drawing nothing.
    bool load() override;
    void unload() override;
    void renderInstance(UIRenderableInstance& record, UIBatchWriter& writer) override;

    // The font as loaded, or null.
    const FontRecord* font() const;
    // The text drawn last, and its glyph quads.
    const char* text() const { return text_; }
    const TextBlock& layout() const { return block_; }
    gfx::Texture* atlasTexture() const { return atlasTexture_; }

private:
    void buildAtlas();

    std::string fontFolder_;
    RenderInterface* renderInterface_;
    std::uint32_t screenWidth_ = 0;
    std::uint32_t screenHeight_ = 0;
    GlyphAtlas atlas_{GlyphAtlas::baseSize};
    gfx::Texture* atlasTexture_ = nullptr;
    gfx::Effect* effect_ = nullptr;
    gfx::EffectHandle technique_ = 0;
    gfx::EffectHandle fontTexture_ = 0;
    TextBlock block_;
    char text_[256] = {};
};

class UIMenuItemRenderable : public UIRenderable {
public:
    UIMenuItemRenderable(ThreadResourcePool* renderPool, RenderInterface* renderInterface, UIManager* manager);

    // The asset is made with the device resources.
    void loadAssets() override {}
    void unloadAssets() override {}
    void createDeviceResources() override;
    // Clears the instances, releases the font and destroys the asset.
    void releaseDeviceResources() override;
    void setUpParamDescriptions(ParameterDescriptionRegistry* registry) override;
    bool drawsThroughBatchWriter() const override { return true; }

private:
    RenderInterface* renderInterface_;
};
