#include "ui_render/ui_menu_item_renderable.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "app/log.h"
#include "render/device_global.h"
#include "render/text_markup.h"
#include "ui_render/glyph_atlas_texture.h"
#include "ui_render/text_layout.h"
#include "ui_render/ui_batch_writer.h"
#include "ui_render/ui_effect.h"

namespace {

const FontListEntry menuFont{UIMenuItemRenderableAsset::fontName, 0, UIMenuItemRenderableAsset::fontPixelHeight};

} // namespace

void formatMenuText(char (&buffer)[256], const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
}

UIMenuItemRenderableAsset::UIMenuItemRenderableAsset(const std::string& fontFolder, RenderInterface* renderInterface)
    : UIRenderableAsset("textMenuItem"), fontFolder_(fontFolder), renderInterface_(renderInterface) {}

UIMenuItemRenderableAsset::~UIMenuItemRenderableAsset() { UIMenuItemRenderableAsset::unload(); }

const FontRecord* UIMenuItemRenderableAsset::font() const { return atlas_.find(fontEntryKey(menuFont)); }

void UIMenuItemRenderableAsset::buildAtlas() {
    gfx::safeRelease(atlasTexture_);
    const RenderSettings& settings = renderInterface_->renderSettings();
    screenWidth_ = settings.width;
    screenHeight_ = settings.height;
    atlas_.build(fontFolder_, {menuFont}, renderInterface_->glyphCharacterSet(), screenWidth_, screenHeight_);
    if (!font()) return;
    atlasTexture_ = createGlyphAtlasTexture(deviceGlobal, atlas_);
}

bool UIMenuItemRenderableAsset::load() {
    unload();
    buildAtlas();
    if (!font()) LOG_MESSAGE("Menu items draw nothing: no font %s in %s", menuFont.name.c_str(), fontFolder_.c_str());
    effect_ = loadUIEffect("text.fx", false);
    if (effect_) {
        technique_ = effect_->getTechniqueByName("SimpleTech");
        fontTexture_ = effect_->getParameterByName("gFontTexture");
    }
    return true;
}

void UIMenuItemRenderableAsset::unload() {
    gfx::safeRelease(effect_);
    gfx::safeRelease(atlasTexture_);
    atlas_.clear();
}

void UIMenuItemRenderableAsset::onResetDevice() {
    const RenderSettings& settings = renderInterface_->renderSettings();
    if (settings.width != screenWidth_ || settings.height != screenHeight_) buildAtlas();
}

void UIMenuItemRenderableAsset::renderInstance(UIRenderableInstance& record, UIBatchWriter& writer) {
    char text[256] = {};
    std::uint32_t vertPos = 0, horizPos = 0;
    float greenAndBlue = 1.0f;
    if (const SimpleParameterGroup* group = record.pair ? record.pair->renderGroup() : nullptr) {
        const std::string value = uiparam::read(group, MenuItemParameters::text);
        std::memcpy(text, value.data(), std::min(value.size(), sizeof text - 1));
        vertPos = uiparam::read(group, MenuItemParameters::vertPos);
        horizPos = uiparam::read(group, MenuItemParameters::horizPos);
        if (uiparam::read(group, MenuItemParameters::isSelected)) greenAndBlue = 0.0f;
        if (!uiparam::read(group, MenuItemParameters::isVisible)) return;
    }
    // The text is the argument, never the format: a "%" in it is drawn as it is.
    formatMenuText(text_, "%s", text);

    const FontRecord* regular = font();
    if (!regular || !atlasTexture_ || !effect_ || screenWidth_ == 0 || screenHeight_ == 0) return;
    const float px = 2.0f / static_cast<float>(screenWidth_), py = 2.0f / static_cast<float>(screenHeight_);
    TextLayoutRequest request;
    // Drawn as written: "<r", "{g", "[*", a backslash before "n" are characters here, not markup.
    request.text = literalText(text_);
    request.regular = regular;
    request.colour = request.colour2 = TextColour{1.0f, greenAndBlue, greenAndBlue, 1.0f};
    request.topLeft[0] = static_cast<float>(horizPos) * px - 1.0f;
    request.topLeft[1] = 1.0f - static_cast<float>(vertPos) * py;
    // One line: a box too wide to wrap in, its height unused by top alignment.
    request.bottomRight[0] = request.topLeft[0] + 1.0e6f;
    request.bottomRight[1] = request.topLeft[1] - 2.0f;
    request.screenWidth = screenWidth_;
    request.screenHeight = screenHeight_;
    layoutTextQuads(block_, request, nullptr);
    const auto quads = static_cast<std::uint32_t>(block_.vertices.size() / 4);
    if (quads == 0) return;

    UIDrawKey key;
    key.effect = effect_;
    key.technique = technique_;
    key.textureParameter = fontTexture_;
    key.texture = atlasTexture_;
    key.eventName = "UI Menu Item";
    writer.setKey(key);
    ColouredTexturedVertex* vertices = writer.addQuads(quads);
    if (vertices) std::copy(block_.vertices.begin(), block_.vertices.end(), vertices);
}

UIMenuItemRenderable::UIMenuItemRenderable(ThreadResourcePool* renderPool, RenderInterface* renderInterface,
                                           UIManager* manager)
    : UIRenderable(renderPool, manager, "UIMenuItemRenderable"), renderInterface_(renderInterface) {}

void UIMenuItemRenderable::createDeviceResources() {
    auto* asset = new UIMenuItemRenderableAsset(paths().empty() ? "Data/fonts/" : paths().front(), renderInterface_);
    asset->load();
    addAsset(asset);
}

void UIMenuItemRenderable::releaseDeviceResources() {
    for (UIRenderableAsset* asset : assets_) {
        asset->beforeUnload();
        asset->clearInstances();
    }
    // The font goes with the asset: nothing else would release it.
    for (UIRenderableAsset* asset : assets_) asset->unload();
    destroyAssets();
}

void UIMenuItemRenderable::setUpParamDescriptions(ParameterDescriptionRegistry* registry) {
    registerParameterDescription(*registry, MenuItemParameters::describe("textMenuItem", renderPool_));
}
