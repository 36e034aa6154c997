#include "ui_render/ui_pan_zoom_image_asset.h"

#include <algorithm>

#include "render/device_global.h"
#include "ui_render/ui_effect.h"
#include "ui_render/ui_image_quads.h"
#include "ui_render/ui_pan_zoom.h"

UIPanZoomImageAsset::UIPanZoomImageAsset(const std::string& name, RenderInterface* renderInterface)
    : UIRenderableAsset(name), renderInterface_(renderInterface) {}

UIPanZoomImageAsset::~UIPanZoomImageAsset() { releaseQuadAndEffect(); }

void UIPanZoomImageAsset::onLostDevice() {
    if (effect_) effect_->onLostDevice();
}

void UIPanZoomImageAsset::onResetDevice() {
    if (effect_) effect_->onResetDevice();
}

void UIPanZoomImageAsset::loadQuadAndEffect(const char* effectFile) {
    releaseQuadAndEffect();
    gfx::Device* device = deviceGlobal;
    if (!device) return;
    const auto vertices = cornerIndexedQuadVertices();
    quad_.create(device, vertices.data(), static_cast<std::uint32_t>(vertices.size()), sizeof(UIImageVertex),
                 uiQuadIndices.data(), static_cast<std::uint32_t>(uiQuadIndices.size()));
    effect_ = loadUIEffect(effectFile, false);
    if (!effect_) return;
    technique_ = effect_->getTechniqueByName("SimpleTech");
    vertPositions_ = effect_->getParameterByName("gVertPositions");
}

void UIPanZoomImageAsset::releaseQuadAndEffect() {
    gfx::safeRelease(effect_);
    quad_.release();
}

void UIPanZoomImageAsset::measure(gfx::Texture* image) {
    rx_ = ry_ = 1.0f;
    gfx::SurfaceDesc desc{};
    // A missing image has no size to read; the asset draws nothing then.
    if (!image || image->getLevelDesc(0, desc) != gfx::Result::Ok) return;
    const RenderSettings& settings = renderInterface_->renderSettings();
    if (settings.width == 0 || settings.height == 0) return;
    rx_ = static_cast<float>(desc.width) / static_cast<float>(settings.width);
    ry_ = static_cast<float>(desc.height) / static_cast<float>(settings.height);
}

void UIPanZoomImageAsset::renderInstance(UIRenderableInstance& record, UIBatchWriter& writer) {
    (void)writer;
    if (const SimpleParameterGroup* group = record.pair ? record.pair->renderGroup() : nullptr) {
        zoom_ = uiparam::read(group, PanZoomImageParameters::zoom);
        xPan_ = uiparam::read(group, PanZoomImageParameters::xPan);
        yPan_ = uiparam::read(group, PanZoomImageParameters::yPan);
    }
    const UIPanZoomEdges edges = panZoomEdges(rx_, ry_, zoom_, xPan_, yPan_);
    const float corners[8] = {edges.left, edges.top, edges.right, edges.top,
                              edges.right, edges.bottom, edges.left, edges.bottom};
    std::copy(corners, corners + 8, corners_);

    gfx::Device* device = deviceGlobal;
    if (!device || !effect_ || !quad_.ready() || !hasImages()) return;
    effect_->setFloatArray(vertPositions_, corners_, 8);
    quad_.bind(device, vdPositionTex);
    effect_->setTechnique(technique_);
    std::uint32_t passes = 0;
    if (effect_->begin(&passes, 0) != gfx::Result::Ok) return;
    if (effect_->beginPass(0) == gfx::Result::Ok) {
        effect_->commitChanges();
        quad_.draw(device);
        effect_->endPass();
    }
    effect_->end();
}
