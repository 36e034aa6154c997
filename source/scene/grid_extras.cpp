#include "scene/grid_extras.h"

#include "app/log.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx/texture.h"
#include "platform/gfx/texture_file.h"
#include "render/device_global.h"
#include "render/renderable_instance.h"
#include "scene/flat_shape_parameters.h"

FlatTexturedAsset::FlatTexturedAsset(const std::string& name, ThreadResourcePool* renderContext, BaseRenderable* owner)
    : SimpleEffectAsset(name, renderContext, owner, false) {
    initBoundingBoxes(bounds_);
    bounds_.local = {{-1000.0f, -1000.0f, -1000.0f}, {1000.0f, 1000.0f, 1000.0f}};
}

void FlatTexturedAsset::setEffect(gfx::Effect* effect) {
    effect_ = effect;
    refreshEffectHandles();
}

void FlatTexturedAsset::refreshEffectHandles() {
    wvp_ = effect_ ? effect_->getParameterByName("gWVP") : 0;
    texture_ = effect_ ? effect_->getParameterByName("gTex") : 0;
}

void FlatTexturedAsset::endRender(DrawPass pass, const PassContext&, const ViewBlock&) {
    if (pass == DrawPass::Colour) endPremultipliedBlend();
}

gfx::Texture* FlatTexturedAsset::loadTexture(const char* path) {
    gfx::Texture* texture = nullptr;
    if (!deviceGlobal || gfx::failed(gfx::createTextureFromFile(deviceGlobal, path, &texture))) {
        LOG_MESSAGE("Unable to load the texture %s", path);
        return nullptr;
    }
    return texture;
}

void FlatTexturedAsset::place(RenderableInstance* instance, const ViewBlock& view) {
    if (effect_) effect_->setMatrix(wvp_, instance->worldMatrix() * view.viewProjection);
}

namespace {

// Whether an asset that builds from the named parameter must build now; the new instance's
// one-shot flag is used up by the first look.
bool wantsRebuild(RenderableInstance* instance, std::initializer_list<const char*> names) {
    SimpleParameterGroup* group = instance && instance->pair() ? instance->pair()->renderGroup() : nullptr;
    if (!group) return false;
    bool changed = instance->oneShotUpdate != 0;
    instance->oneShotUpdate = 0;
    for (const char* name : names) changed = group->hasParameterChanged(name) || changed;
    return changed;
}

} // namespace

TexturedArrowRenderableAsset::TexturedArrowRenderableAsset(ThreadResourcePool* renderContext, BaseRenderable* owner)
    : FlatTexturedAsset(kTexturedArrowType, renderContext, owner) {}

TexturedArrowRenderableAsset::~TexturedArrowRenderableAsset() { unload(); }

void TexturedArrowRenderableAsset::loadStage2() {
    gfx::safeRelease(dot_);
    gfx::safeRelease(arrowhead_);
    dot_ = loadTexture("Data/graphics/3d/global/dot.tga");
    arrowhead_ = loadTexture("Data/graphics/3d/global/arrowhead.tga");
    refreshEffectHandles();
}

void TexturedArrowRenderableAsset::unload() {
    ribbon_.release();
    head_.release();
    geometry_ = {};
    gfx::safeRelease(dot_);
    gfx::safeRelease(arrowhead_);
}

void TexturedArrowRenderableAsset::updateInstanceData(RenderableInstance* instance, float) {
    if (!wantsRebuild(instance, {PathParameters::path.name})) return;
    const PointPathAndColourParameter* path = declared::find(instance->pair()->renderGroup(), PathParameters::path);
    if (!path) return;
    geometry_ = buildPathArrow(path->value);
    ribbon_.build(geometry_.ribbon);
    head_.build(geometry_.head);
}

void TexturedArrowRenderableAsset::beginRender(DrawPass pass, const PassContext&, const ViewBlock&) {
    if (pass == DrawPass::Colour && ribbon_.built()) beginPremultipliedBlend();
}

void TexturedArrowRenderableAsset::renderInstance(RenderableInstance* instance, const ViewBlock& view,
                                                  const PassContext&, DrawPass pass) {
    if (pass != DrawPass::Colour || !effect_ || !instance) return;
    place(instance, view);
    ribbon_.draw(effect_, texture_, dot_);
    head_.draw(effect_, texture_, arrowhead_);
}

FacingDirectionArrowRenderableAsset::FacingDirectionArrowRenderableAsset(ThreadResourcePool* renderContext,
                                                                         BaseRenderable* owner)
    : FlatTexturedAsset(kFacingArrowType, renderContext, owner) {}

FacingDirectionArrowRenderableAsset::~FacingDirectionArrowRenderableAsset() { unload(); }

void FacingDirectionArrowRenderableAsset::loadStage2() {
    gfx::safeRelease(arrowTexture_);
    arrowTexture_ = loadTexture("Data/graphics/3d/global/facing_arrow.tga");
    refreshEffectHandles();
}

void FacingDirectionArrowRenderableAsset::unload() {
    arrow_.release();
    geometry_ = {};
    gfx::safeRelease(arrowTexture_);
}

void FacingDirectionArrowRenderableAsset::updateInstanceData(RenderableInstance* instance, float) {
    if (!wantsRebuild(instance, {FacingArrowParameters::basePosition.name, FacingArrowParameters::tipPosition.name}))
        return;
    const SimpleParameterGroup* group = instance->pair()->renderGroup();
    if (!declared::find(group, FacingArrowParameters::basePosition) && !declared::find(group, FacingArrowParameters::tipPosition))
        return;
    geometry_ = buildFacingArrow(declared::read(group, FacingArrowParameters::basePosition),
                                 declared::read(group, FacingArrowParameters::tipPosition));
    arrow_.build(geometry_);
}

void FacingDirectionArrowRenderableAsset::beginRender(DrawPass pass, const PassContext&, const ViewBlock&) {
    if (pass == DrawPass::Colour) beginPremultipliedBlend();
}

void FacingDirectionArrowRenderableAsset::renderInstance(RenderableInstance* instance, const ViewBlock& view,
                                                         const PassContext&, DrawPass pass) {
    if (pass != DrawPass::Colour || !effect_ || !instance) return;
    place(instance, view);
    arrow_.draw(effect_, texture_, arrowTexture_);
}

GridExtrasRenderable::GridExtrasRenderable(ThreadResourcePool* renderContext, RenderInterface* renderInterface,
                                           RenderableManager* manager)
    : SimpleEffectRenderable(renderContext, "TexturedArrowRenderable", manager, renderInterface,
                             "Data/graphics/3d/effects/TexturedArrowShader.fx", "Textured Arrow Renderable") {
    drawOrder = 3;
}

void GridExtrasRenderable::makeAssets() {
    addAsset(new TexturedArrowRenderableAsset(renderContext(), this));
    addAsset(new FacingDirectionArrowRenderableAsset(renderContext(), this));
}

void GridExtrasRenderable::setUpParamDescriptions(ParameterDescriptionRegistry& registry) {
    describe(registry, kTexturedArrowType, PathParameters::path);
    describe(registry, kFacingArrowType, FacingArrowParameters::basePosition, FacingArrowParameters::tipPosition);
}

void GridExtrasRenderable::drawInstances(RenderableAsset& asset, const ViewBlock& view, const PassContext& context) {
    if (!asset.visibleInstances.empty())
        asset.renderInstance(asset.visibleInstances.front(), view, context, DrawPass::Colour);
}
