#include "ui_render/ui_text_renderable_asset.h"

#include <algorithm>
#include <cmath>

#include "app/log.h"
#include "app/simple_parameter_group.h"
#include "render/device_global.h"
#include "render/ui_pixel_snap.h"
#include "ui_render/glyph_atlas_texture.h"
#include "ui_render/text_layout.h"
#include "ui_render/text_runs.h"
#include "ui_render/ui_batch_writer.h"
#include "ui_render/ui_effect.h"
#include "ui_render/ui_parameters.h"
#include "ui_render/ui_text_parameters.h"

namespace {

TextColour colourOf(const Vector4Value& value) { return {value[0], value[1], value[2], value[3]}; }

TextBlock* blockOfRecord(const UIRenderableInstance& record) { return static_cast<TextBlock*>(record.instanceData); }

} // namespace

UITextRenderableAsset::UITextRenderableAsset(const std::string& folder, std::vector<FontListEntry> fonts,
                                             const ColourIdTable* colourIds, RenderInterface* renderInterface)
    : UIRenderableAsset("TextBox"), folder_(folder), fonts_(std::move(fonts)), colourIds_(colourIds),
      renderInterface_(renderInterface) {}

UITextRenderableAsset::~UITextRenderableAsset() {
    unload();
    clearInstances();
}

const TextBlock* UITextRenderableAsset::blockOf(const ParameterManager::ParameterGroupPair* pair) const {
    for (const UIRenderableInstance* record : mainList()) {
        if (record->pair == pair) return blockOfRecord(*record);
    }
    return nullptr;
}

void UITextRenderableAsset::destroyInstanceData(UIRenderableInstance& record) {
    TextBlock* block = blockOfRecord(record);
    if (block) detachTextRuns(*block, runAtlas_);
    delete block;
    record.instanceData = nullptr;
}

void UITextRenderableAsset::dropBlocks() {
    for (UIRenderableInstance* record : mainList()) {
        destroyInstanceData(*record);
        record->firstUpdate = 1;
    }
}

void UITextRenderableAsset::buildAtlas() {
    const RenderSettings& settings = renderInterface_->renderSettings();
    screenWidth_ = settings.width;
    screenHeight_ = settings.height;
    atlas_.build(folder_, fonts_, renderInterface_->glyphCharacterSet(), screenWidth_, screenHeight_);
    for (const FontRecord& font : atlas_.fonts()) renderInterface_->registerFontName(font.key, font.lineHeight);
}

void UITextRenderableAsset::uploadAtlas() {
    gfx::safeRelease(atlasTexture_);
    atlasTexture_ = createGlyphAtlasTexture(deviceGlobal, atlas_);
    if (!atlasTexture_) {
        LOG_MESSAGE("Failed to create font image texture");
        // Without the texture no glyph can be drawn: no font records, so texts have no blocks.
        atlas_.clear();
    }
}

void UITextRenderableAsset::createRunAtlas() {
    const std::uint32_t size = runAtlasSize_.value_or(TextRunAtlas::sizeForScreen(screenWidth_, screenHeight_));
    // Without the glyph atlas or the effect's run technique, every text draws glyph by glyph.
    if (!atlasTexture_ || !runTechnique_ || !runAtlas_.create(deviceGlobal, size)) runAtlas_.release();
}

void UITextRenderableAsset::setRunAtlasSize(std::uint32_t size) {
    runAtlasSize_ = size;
    dropBlocks();
    createRunAtlas();
}

bool UITextRenderableAsset::load() {
    buildAtlas();
    effect_ = loadUIEffect("text.fx", true);
    if (effect_) {
        simpleTechnique_ = effect_->getTechniqueByName("SimpleTech");
        anisoTechnique_ = effect_->getTechniqueByName("AnisoTech");
        atlasViewTechnique_ = effect_->getTechniqueByName("AtlasViewTech");
        atlasViewPointTechnique_ = effect_->getTechniqueByName("AtlasViewPointTech");
        runTechnique_ = effect_->getTechniqueByName("RunTech");
        fontTexture_ = effect_->getParameterByName("gFontTexture");
        runTexture_ = effect_->getParameterByName("gRunTexture");
    }
    uploadAtlas();
    createRunAtlas();
    return effect_ != nullptr;
}

void UITextRenderableAsset::unload() {
    onLostDevice();
    gfx::safeRelease(effect_);
    gfx::safeRelease(atlasTexture_);
    for (UIRenderableInstance* record : mainList()) destroyInstanceData(*record);
    runAtlas_.release();
    atlas_.clear();
}

void UITextRenderableAsset::onLostDevice() {
    if (effect_) effect_->onLostDevice();
}

void UITextRenderableAsset::onResetDevice() {
    if (effect_) effect_->onResetDevice();
    dropBlocks();
    // A new screen size gives every font new pixel sizes.
    buildAtlas();
    uploadAtlas();
    createRunAtlas();
}

void UITextRenderableAsset::updateInstanceData(UIRenderableInstance& record) {
    if (record.secondary || !record.pair) return;
    SimpleParameterGroup* group = record.pair->renderGroup();
    if (!group) return;
    const bool changed = group->takeChanged();
    if (!changed && !record.firstUpdate) return;
    const bool clickChanged = group->hasParameterChanged(TextBoxParameters::cursorMouseClickPosition.name);
    group->hasParameterChanged(TextBoxParameters::cursorLetterPosition.name);

    TextLayoutRequest request;
    request.text = uiparam::read(group, TextBoxParameters::string);
    request.regular = atlas_.find(uiparam::read(group, TextBoxParameters::font));
    if (!request.regular || !atlasTexture_) {
        destroyInstanceData(record);
        return;
    }
    request.bold = atlas_.find(uiparam::read(group, TextBoxParameters::boldFont));
    request.colourIds = colourIds_;
    request.colour = colourOf(uiparam::read(group, TextBoxParameters::colour));
    request.colour2 = colourOf(uiparam::read(group, TextBoxParameters::colour2));
    const Vector2Value topLeft = uiparam::read(group, TextBoxParameters::topLeft);
    const Vector2Value bottomRight = uiparam::read(group, TextBoxParameters::bottomRight);
    request.topLeft[0] = topLeft[0];
    request.topLeft[1] = topLeft[1];
    request.bottomRight[0] = bottomRight[0];
    request.bottomRight[1] = bottomRight[1];
    request.horizAlignment = uiparam::read(group, TextBoxParameters::horizAlignment);
    request.vertAlignment = uiparam::read(group, TextBoxParameters::vertAlignment);
    request.snapToVertPixels = uiparam::read(group, TextBoxParameters::shouldSnapToVertPixels);
    request.clip = uiparam::read(group, TextBoxParameters::shouldClipToRectangle);
    const Vector2Value clipTopLeft = uiparam::read(group, TextBoxParameters::clipTopLeft);
    const Vector2Value clipBottomRight = uiparam::read(group, TextBoxParameters::clipBottomRight);
    request.clipTopLeft[0] = clipTopLeft[0];
    request.clipTopLeft[1] = clipTopLeft[1];
    request.clipBottomRight[0] = clipBottomRight[0];
    request.clipBottomRight[1] = clipBottomRight[1];
    request.cursor.hasEditCursor = uiparam::read(group, TextBoxParameters::hasEditCursor);
    if (request.cursor.hasEditCursor) {
        const Vector2Value click = uiparam::read(group, TextBoxParameters::cursorMouseClickPosition);
        request.cursor.clickPending = clickChanged;
        request.cursor.clickX = click[0];
        request.cursor.clickY = click[1];
        request.cursor.cursorLetterPosition = uiparam::read(group, TextBoxParameters::cursorLetterPosition);
    }
    request.screenWidth = screenWidth_;
    request.screenHeight = screenHeight_;

    TextBlock* block = blockOfRecord(record);
    if (!block) {
        block = new TextBlock();
        record.instanceData = block;
    }
    // The quads are exactly those of this layout, however many the text and the cursor need.
    layoutTextQuads(*block, request, renderInterface_);
    block->text = request.text;
    block->fontKey = request.regular->key;
    block->bottomColour = request.colour;
    block->topColour = request.colour2;
    if (block->vertices.empty()) {
        destroyInstanceData(record);
        return;
    }
    attachTextRuns(*block, runAtlas_, atlas_, screenWidth_, screenHeight_);
}

void UITextRenderableAsset::renderInstance(UIRenderableInstance& record, UIBatchWriter& writer) {
    const TextBlock* block = blockOfRecord(record);
    if (!effect_ || !block || block->vertices.empty()) return;
    // Texts drawn the same way (technique, texture and clip rectangle) one after another share a
    // draw.
    UIDrawKey key;
    key.effect = effect_;
    if (block->byRuns) {
        key.technique = runTechnique_;
        key.textureParameter = runTexture_;
        key.texture = runAtlas_.texture();
    } else {
        key.technique = block->snapToVertPixels ? simpleTechnique_ : anisoTechnique_;
        key.textureParameter = fontTexture_;
        key.texture = atlasTexture_;
    }
    key.scissorEnabled = block->clip;
    key.scissor = gfx::Rect{block->scissor.left, block->scissor.top, block->scissor.right, block->scissor.bottom};
    key.eventName = "UI Text Renderable";
    const std::vector<ColouredTexturedVertex>& source = block->byRuns ? block->runVertices : block->vertices;
    const auto quads = static_cast<std::uint32_t>(source.size() / 4);
    if (quads == 0) return;
    writer.setKey(key);
    ColouredTexturedVertex* vertices = writer.addQuads(quads);
    if (vertices) std::copy(source.begin(), source.end(), vertices);
}

void UITextRenderableAsset::drawAtlasViews(std::uint32_t layer, UIBatchWriter& writer) {
    if (!effect_ || screenWidth_ == 0 || screenHeight_ == 0) return;
    const float px = 2.0f / static_cast<float>(screenWidth_);
    const float py = 2.0f / static_cast<float>(screenHeight_);
    const float hx = 1.0f / static_cast<float>(screenWidth_);
    const float hy = 1.0f / static_cast<float>(screenHeight_);
    for (const UIRenderableInstance* record : layerList(layer, true)) {
        const SimpleParameterGroup* group = record->pair ? record->pair->renderGroup() : nullptr;
        if (!group || record->currentLayer != layer) continue;
        const Vector2Value topLeft = uiparam::read(group, FontTextureParameters::topLeft);
        const Vector2Value bottomRight = uiparam::read(group, FontTextureParameters::bottomRight);
        const bool point = uiparam::read(group, FontTextureParameters::usePointSampler);
        const float width = std::trunc((bottomRight[0] - topLeft[0]) / px) * px;
        const float height = std::trunc((topLeft[1] - bottomRight[1]) / py) * py;
        const float left = snapCornerX(topLeft[0], px);
        const float top = snapCornerY(topLeft[1], py);
        UIDrawKey key;
        key.effect = effect_;
        key.technique = point ? atlasViewPointTechnique_ : atlasViewTechnique_;
        key.textureParameter = fontTexture_;
        key.texture = atlasTexture_;
        key.eventName = "UI Font Texture";
        writer.setKey(key);
        ColouredTexturedVertex* v = writer.addQuads(1);
        if (!v) continue;
        v[0] = ColouredTexturedVertex(left, top, -hx, -hy, 1.0f, 1.0f, 1.0f, 1.0f);
        v[1] = ColouredTexturedVertex(left + width, top, 1.0f - hx, -hy, 1.0f, 1.0f, 1.0f, 1.0f);
        v[2] = ColouredTexturedVertex(left + width, top - height, 1.0f - hx, 1.0f - hy, 1.0f, 1.0f, 1.0f, 1.0f);
        v[3] = ColouredTexturedVertex(left, top - height, -hx, 1.0f - hy, 1.0f, 1.0f, 1.0f, 1.0f);
    }
}
