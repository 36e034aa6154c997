#include "ui_render/ui_text_renderable_asset.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/log.h"
#include "app/simple_parameter_group.h"
#include "platform/message_box.h"
#include "render/device_global.h"
#include "ui_render/text_layout.h"
#include "ui_render/text_pixel_snap.h"

namespace {

const char* const textEffectPath = "Data/graphics/2D/effects/text.fx";

template <class P>
const typename P::ValueType* readParameter(SimpleParameterGroup* group, const char* name) {
    BaseParameter* parameter = group->getParameter(name);
    if (!parameter || parameter->kind() != P::staticKind) return nullptr;
    return &static_cast<P*>(parameter)->value;
}

template <class P>
typename P::ValueType readOr(SimpleParameterGroup* group, const char* name, const typename P::ValueType& fallback) {
    const typename P::ValueType* value = readParameter<P>(group, name);
    return value ? *value : fallback;
}

TextColour colourOf(const Vector4Value& value) { return {value[0], value[1], value[2], value[3]}; }

template <class T>
void eraseFirst(std::vector<T*>& list, T* item) {
    auto found = std::find(list.begin(), list.end(), item);
    if (found != list.end()) list.erase(found);
}

} // namespace

UITextRenderableAsset::UITextRenderableAsset(const std::string& folder, std::vector<FontListEntry> fonts,
                                             const ColourIdTable* colourIds, RenderInterface* renderInterface)
    : UIRenderableAsset("TextBox"), folder_(folder), fonts_(std::move(fonts)), colourIds_(colourIds),
      renderInterface_(renderInterface) {}

UITextRenderableAsset::~UITextRenderableAsset() {
    unload();
    for (Instance* instance : primary_) {
        destroyBlock(*instance);
        delete instance;
    }
    for (Instance* instance : secondary_) delete instance;
}

std::uint32_t UITextRenderableAsset::layerOf(const Instance& instance) {
    // Element depth reaches 32 and widgets draw a layer or two above it: such objects draw on the top layer.
    const std::uint32_t value = instance.layerParameter ? instance.layerParameter->value : instance.layer;
    return std::min(value, layerCount - 1);
}

void UITextRenderableAsset::addInstance(ParameterManager::ParameterGroupPair* pair, std::uint32_t layer,
                                        bool ownType) {
    if (!pair || !pair->renderGroup()) return;
    auto* instance = new Instance();
    instance->pair = pair;
    BaseParameter* layerParameter = pair->renderGroup()->getParameter("render_layer");
    if (layerParameter && layerParameter->kind() == ParameterKind::UnsignedInt) {
        instance->layerParameter = static_cast<UnsignedIntParameter*>(layerParameter);
    }
    instance->layer = std::min(layer, layerCount - 1);
    if (ownType) {
        primary_.push_back(instance);
        primaryLayers_[instance->layer].push_back(instance);
        updateInstanceData(*instance);
    } else {
        secondary_.push_back(instance);
        secondaryLayers_[instance->layer].push_back(instance);
    }
}

void UITextRenderableAsset::removeInstance(RenderInterface::UIObject* object) {
    if (!object) return;
    for (auto* set : {&primary_, &secondary_}) {
        LayerLists& layers = set == &primary_ ? primaryLayers_ : secondaryLayers_;
        auto found = std::find_if(set->begin(), set->end(),
                                  [object](const Instance* instance) { return instance->pair == object->pair(); });
        if (found == set->end()) continue;
        Instance* instance = *found;
        set->erase(found);
        for (auto& list : layers) eraseFirst(list, instance);
        destroyBlock(*instance);
        delete instance;
        return;
    }
}

const TextBlock* UITextRenderableAsset::blockOf(const ParameterManager::ParameterGroupPair* pair) const {
    for (const Instance* instance : primary_) {
        if (instance->pair == pair) return instance->block;
    }
    return nullptr;
}

void UITextRenderableAsset::destroyBlock(Instance& instance) {
    delete instance.block;
    instance.block = nullptr;
}

void UITextRenderableAsset::buildAtlas() {
    const RenderSettings& settings = renderInterface_->renderSettings();
    screenWidth_ = settings.width;
    screenHeight_ = settings.height;
    atlas_.build(folder_, fonts_, renderInterface_->glyphCharacterSet(), screenWidth_, screenHeight_);
    for (const FontRecord& font : atlas_.fonts()) renderInterface_->registerFontName(font.key, font.lineHeight);
}

void UITextRenderableAsset::uploadAtlas() {
    gfx::Device* device = deviceGlobal;
    gfx::safeRelease(atlasTexture_);
    if (!device || device->createTexture(atlas_.size(), atlas_.size(), 1, 0, gfx::Format::L8, gfx::Pool::Managed,
                                         &atlasTexture_) != gfx::Result::Ok) {
        atlasTexture_ = nullptr;
        LOG_MESSAGE("Failed to create font image texture");
        // Without the texture no glyph can be drawn: no font records, so texts have no blocks.
        atlas_.clear();
        return;
    }
    gfx::LockedRect locked;
    if (atlasTexture_->lockRect(0, locked, nullptr, 0) == gfx::Result::Ok) {
        const std::uint32_t size = atlas_.size();
        for (std::uint32_t row = 0; row < size; ++row) {
            std::memcpy(static_cast<std::uint8_t*>(locked.bits) + static_cast<std::size_t>(row) * locked.pitch,
                        atlas_.pixels().data() + static_cast<std::size_t>(row) * size, size);
        }
        atlasTexture_->unlockRect(0);
    }
    if (effect_) effect_->setTexture(fontTexture_, atlasTexture_);
}

bool UITextRenderableAsset::load() {
    buildAtlas();
    gfx::Device* device = deviceGlobal;
    if (device) {
        std::string errors;
        if (gfx::createEffectFromFile(device, textEffectPath, {}, &effect_, &errors) != gfx::Result::Ok) {
            effect_ = nullptr;
        }
        if (!errors.empty()) platform::showMessageBox("", errors);
        if (effect_) {
            simpleTechnique_ = effect_->getTechniqueByName("SimpleTech");
            anisoTechnique_ = effect_->getTechniqueByName("AnisoTech");
            atlasViewTechnique_ = effect_->getTechniqueByName("AtlasViewTech");
            atlasViewPointTechnique_ = effect_->getTechniqueByName("AtlasViewPointTech");
            fontTexture_ = effect_->getParameterByName("gFontTexture");
        }
    }
    uploadAtlas();
    return true;
}

void UITextRenderableAsset::unload() {
    onLostDevice();
    gfx::safeRelease(effect_);
    gfx::safeRelease(atlasTexture_);
    for (Instance* instance : primary_) destroyBlock(*instance);
    atlas_.clear();
}

void UITextRenderableAsset::onLostDevice() {
    if (effect_) effect_->onLostDevice();
    quads_.release();
}

void UITextRenderableAsset::onResetDevice() {
    if (effect_) effect_->onResetDevice();
    for (Instance* instance : primary_) {
        destroyBlock(*instance);
        instance->firstUpdate = true;
    }
    // A new screen size gives every font new pixel sizes.
    buildAtlas();
    uploadAtlas();
}

void UITextRenderableAsset::updateInstances() {
    for (Instance* instance : primary_) {
        updateInstanceData(*instance);
        const std::uint32_t value = layerOf(*instance);
        if (instance->firstUpdate) {
            instance->firstUpdate = false;
            instance->layer = value;
        } else if (value != instance->layer) {
            instance->moved = true;
            instance->layer = value;
        }
        if (instance->moved) {
            for (auto& list : primaryLayers_) eraseFirst(list, instance);
            primaryLayers_[instance->layer].push_back(instance);
        }
    }
}

void UITextRenderableAsset::updateInstanceData(Instance& instance) {
    SimpleParameterGroup* group = instance.pair->renderGroup();
    const bool changed = group->takeChanged();
    if (!changed && !instance.firstUpdate) return;
    const bool clickChanged = group->hasParameterChanged("cursorMouseClickPosition");
    group->hasParameterChanged("cursorLetterPosition");

    TextLayoutRequest request;
    request.text = readOr<StringParameter>(group, "string", "");
    request.regular = atlas_.find(readOr<StringParameter>(group, "font", ""));
    if (!request.regular || !atlasTexture_) {
        destroyBlock(instance);
        return;
    }
    request.bold = atlas_.find(readOr<StringParameter>(group, "boldFont", ""));
    request.colourIds = colourIds_;
    request.colour = colourOf(readOr<Vector4Parameter>(group, "colour", {0.8f, 0.8f, 0.8f, 1.0f}));
    request.colour2 = colourOf(readOr<Vector4Parameter>(group, "colour2", {1.0f, 1.0f, 1.0f, 1.0f}));
    const Vector2Value topLeft = readOr<Vector2Parameter>(group, "topLeft", {0.0f, 0.0f});
    const Vector2Value bottomRight = readOr<Vector2Parameter>(group, "bottomRight", {0.0f, 0.0f});
    request.topLeft[0] = topLeft[0];
    request.topLeft[1] = topLeft[1];
    request.bottomRight[0] = bottomRight[0];
    request.bottomRight[1] = bottomRight[1];
    request.horizAlignment = readOr<IntParameter>(group, "horizAlignment", -1);
    request.vertAlignment = readOr<IntParameter>(group, "vertAlignment", -1);
    request.snapToVertPixels = readOr<BoolParameter>(group, "shouldSnapToVertPixels", true);
    request.clip = readOr<BoolParameter>(group, "shouldClipToRectangle", false);
    const Vector2Value clipTopLeft = readOr<Vector2Parameter>(group, "clipTopLeft", {-1.0f, 1.0f});
    const Vector2Value clipBottomRight = readOr<Vector2Parameter>(group, "clipBottomRight", {1.0f, -1.0f});
    request.clipTopLeft[0] = clipTopLeft[0];
    request.clipTopLeft[1] = clipTopLeft[1];
    request.clipBottomRight[0] = clipBottomRight[0];
    request.clipBottomRight[1] = clipBottomRight[1];
    request.cursor.hasEditCursor = readOr<BoolParameter>(group, "hasEditCursor", false);
    if (request.cursor.hasEditCursor) {
        const Vector2Value click = readOr<Vector2Parameter>(group, "cursorMouseClickPosition", {0.0f, 0.0f});
        request.cursor.clickPending = clickChanged;
        request.cursor.clickX = click[0];
        request.cursor.clickY = click[1];
        request.cursor.cursorLetterPosition = readOr<UnsignedIntParameter>(group, "cursorLetterPosition", 0);
    }
    request.screenWidth = screenWidth_;
    request.screenHeight = screenHeight_;

    if (!instance.block) instance.block = new TextBlock();
    // The quads are exactly those of this layout, however many the text and the cursor need.
    layoutTextQuads(*instance.block, request, renderInterface_);
    instance.block->text = request.text;
    instance.block->fontKey = request.regular->key;
    instance.block->bottomColour = request.colour;
    instance.block->topColour = request.colour2;
    if (instance.block->vertices.empty()) destroyBlock(instance);
}

void UITextRenderableAsset::drawLayer(std::uint32_t layer) {
    if (!effect_ || !deviceGlobal || layer >= layerCount) return;
    if (!primaryLayers_[layer].empty()) drawTexts(primaryLayers_[layer], layer);
    if (!secondaryLayers_[layer].empty()) drawAtlasViews(secondaryLayers_[layer], layer);
}

void UITextRenderableAsset::drawTexts(const std::vector<Instance*>& instances, std::uint32_t layer) {
    // Consecutive texts drawn the same way (technique and clip rectangle) share one draw.
    batch_.clear();
    gfx::EffectHandle batchTechnique = 0;
    bool batchClip = false;
    TextScissor batchScissor;
    for (const Instance* instance : instances) {
        if (instance->layer != layer || !instance->block) continue;
        const TextBlock& block = *instance->block;
        const gfx::EffectHandle technique = block.snapToVertPixels ? simpleTechnique_ : anisoTechnique_;
        const bool same = !batch_.empty() && technique == batchTechnique && block.clip == batchClip &&
                          (!block.clip || block.scissor == batchScissor);
        if (!same && !batch_.empty()) {
            drawQuads(batch_, batchTechnique, batchClip, batchScissor);
            batch_.clear();
        }
        batchTechnique = technique;
        batchClip = block.clip;
        batchScissor = block.scissor;
        batch_.insert(batch_.end(), block.vertices.begin(), block.vertices.end());
    }
    if (!batch_.empty()) drawQuads(batch_, batchTechnique, batchClip, batchScissor);
}

void UITextRenderableAsset::drawAtlasViews(const std::vector<Instance*>& instances, std::uint32_t layer) {
    if (screenWidth_ == 0 || screenHeight_ == 0) return;
    const float px = 2.0f / static_cast<float>(screenWidth_);
    const float py = 2.0f / static_cast<float>(screenHeight_);
    const float hx = 1.0f / static_cast<float>(screenWidth_);
    const float hy = 1.0f / static_cast<float>(screenHeight_);
    for (const Instance* instance : instances) {
        if (instance->layer != layer) continue;
        SimpleParameterGroup* group = instance->pair->renderGroup();
        const Vector2Value topLeft = readOr<Vector2Parameter>(group, "topLeft", {-1.0f, -1.0f});
        const Vector2Value bottomRight = readOr<Vector2Parameter>(group, "bottomRight", {1.0f, 1.0f});
        const bool point = readOr<BoolParameter>(group, "usePointSampler", false);
        const float width = std::trunc((bottomRight[0] - topLeft[0]) / px) * px;
        const float height = std::trunc((topLeft[1] - bottomRight[1]) / py) * py;
        const float left = snapTextCoordinate(topLeft[0], px) - px * 0.5f;
        const float top = snapTextCoordinate(topLeft[1], py) + py * 0.5f;
        batch_.clear();
        batch_.emplace_back(left, top, -hx, -hy, 1.0f, 1.0f, 1.0f, 1.0f);
        batch_.emplace_back(left + width, top, 1.0f - hx, -hy, 1.0f, 1.0f, 1.0f, 1.0f);
        batch_.emplace_back(left + width, top - height, 1.0f - hx, 1.0f - hy, 1.0f, 1.0f, 1.0f, 1.0f);
        batch_.emplace_back(left, top - height, -hx, 1.0f - hy, 1.0f, 1.0f, 1.0f, 1.0f);
        drawQuads(batch_, point ? atlasViewPointTechnique_ : atlasViewTechnique_, false, {});
    }
}

void UITextRenderableAsset::drawQuads(const std::vector<ColouredTexturedVertex>& vertices,
                                      gfx::EffectHandle technique, bool clip, const TextScissor& scissor) {
    gfx::Device* device = deviceGlobal;
    const auto count = static_cast<std::uint32_t>(vertices.size());
    std::uint32_t firstVertex = 0;
    if (!quads_.write(device, vertices.data(), count, firstVertex)) return;
    device->setVertexDeclaration(vdPositionColourTex);
    quads_.bind(device);
    if (clip) {
        device->setRenderState(gfx::RenderState::ScissorTestEnable, 1);
        device->setScissorRect(gfx::Rect{scissor.left, scissor.top, scissor.right, scissor.bottom});
    }
    effect_->setTechnique(technique);
    std::uint32_t passes = 0;
    effect_->begin(&passes, 0);
    effect_->beginPass(0);
    device->drawIndexedPrimitive(gfx::PrimitiveType::TriangleList, static_cast<std::int32_t>(firstVertex), 0, count,
                                 0, count / 2);
    effect_->endPass();
    effect_->end();
    if (clip) device->setRenderState(gfx::RenderState::ScissorTestEnable, 0);
}
