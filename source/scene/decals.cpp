#include "scene/decals.h"

#include "platform/gfx/texture.h"
#include "render/renderable_instance.h"
#include "scene/flat_shape_parameters.h"

TexturedGeometry decalSquare() {
    TexturedGeometry square;
    square.vertices = {{{-4.0f, 0.3f, -4.0f}, {0, 0}},
                       {{-4.0f, 0.3f, 4.0f}, {1, 0}},
                       {{4.0f, 0.3f, -4.0f}, {0, 1}},
                       {{4.0f, 0.3f, 4.0f}, {1, 1}}};
    square.indices = {0, 1, 2, 1, 3, 2};
    return square;
}

DecalsRenderableAsset::DecalsRenderableAsset(ThreadResourcePool* renderContext, BaseRenderable* owner)
    : FlatTexturedAsset(kDecalType, renderContext, owner) {}

DecalsRenderableAsset::~DecalsRenderableAsset() { unload(); }

void DecalsRenderableAsset::loadStage2() {
    unload();
    decalTexture_ = loadTexture("Data/graphics/3d/global/blood.tga");
    square_.build(decalSquare());
    refreshEffectHandles();
}

void DecalsRenderableAsset::unload() {
    square_.release();
    gfx::safeRelease(decalTexture_);
}

void DecalsRenderableAsset::beginRender(DrawPass pass, const PassContext&, const ViewBlock&) {
    if (pass == DrawPass::Colour) beginPremultipliedBlend();
}

void DecalsRenderableAsset::renderInstance(RenderableInstance* instance, const ViewBlock& view, const PassContext&,
                                           DrawPass pass) {
    if (pass != DrawPass::Colour || !effect_ || !instance) return;
    place(instance, view);
    square_.draw(effect_, texture_, decalTexture_);
}

DecalsRenderable::DecalsRenderable(ThreadResourcePool* renderContext, RenderInterface* renderInterface,
                                   RenderableManager* manager)
    : SimpleEffectRenderable(renderContext, "DecalsRenderable", manager, renderInterface,
                             "Data/graphics/3d/effects/DecalsShader.fx", "Textured Arrow Renderable") {
    drawOrder = 2;
}

void DecalsRenderable::makeAssets() { addAsset(new DecalsRenderableAsset(renderContext(), this)); }

void DecalsRenderable::setUpParamDescriptions(ParameterDescriptionRegistry& registry) {
    describe(registry, kDecalType, PathParameters::path);
}
