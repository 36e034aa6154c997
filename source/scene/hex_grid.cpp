#include "scene/hex_grid.h"

#include <algorithm>
#include <cstring>

#include "app/log.h"
#include "platform/gfx/buffers.h"
#include "platform/gfx/device.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx/texture.h"
#include "platform/gfx/texture_file.h"
#include "render/device_global.h"
#include "render/render_settings.h"
#include "render/renderable_instance.h"
#include "render/renderable_manager.h"

namespace {

constexpr float kRoot3 = 1.7320508f;

struct InstancedVertex {
    float position[4];
    float uv[2];
};
static_assert(sizeof(InstancedVertex) == 24);

template <class T>
bool fill(std::uint32_t bytes, bool index, const T* source, gfx::VertexBuffer** vertexOut, gfx::IndexBuffer** indexOut) {
    void* data = nullptr;
    if (index) {
        if (gfx::failed(deviceGlobal->createIndexBuffer(bytes, gfx::Usage::WriteOnly, gfx::Format::Index16,
                                                        gfx::Pool::Managed, indexOut)) ||
            gfx::failed((*indexOut)->lock(0, 0, &data, 0)))
            return false;
        std::memcpy(data, source, bytes);
        (*indexOut)->unlock();
        return true;
    }
    if (gfx::failed(deviceGlobal->createVertexBuffer(bytes, gfx::Usage::WriteOnly, gfx::Pool::Managed, vertexOut)) ||
        gfx::failed((*vertexOut)->lock(0, 0, &data, 0)))
        return false;
    std::memcpy(data, source, bytes);
    (*vertexOut)->unlock();
    return true;
}

} // namespace

const std::vector<HexVertex>& hexVertices() {
    static const std::vector<HexVertex> vertices = [] {
        const float corners[6][4] = {{1, kRoot3, 0.273f, 0.015f},   {-1, kRoot3, 0.727f, 0.015f}, {-2, 0, 0.985f, 0.5f},
                                     {-1, -kRoot3, 0.727f, 0.985f}, {1, -kRoot3, 0.273f, 0.985f}, {2, 0, 0.015f, 0.5f}};
        std::vector<HexVertex> made;
        for (const auto& c : corners) made.push_back({{c[0], 0, c[1]}, {0, 1, 0}, {0, 0, -1}, {c[2], c[3]}});
        return made;
    }();
    return vertices;
}

const std::vector<std::uint16_t>& hexIndices() {
    static const std::vector<std::uint16_t> indices{0, 5, 4, 0, 4, 3, 1, 0, 3, 1, 3, 2};
    return indices;
}

HexGridRenderableAsset::HexGridRenderableAsset(ThreadResourcePool* renderContext, BaseRenderable* owner)
    : SimpleEffectAsset(kHexCellType, renderContext, owner, false) {
    initBoundingBoxes(bounds_);
    bounds_.local = {{-1.0f, -0.70710677f, -1.0f}, {1.0f, 0.70710677f, 1.0f}};
}

HexGridRenderableAsset::~HexGridRenderableAsset() { unload(); }

void HexGridRenderableAsset::loadStage2() {
    unload();
    if (!deviceGlobal) return;
    const std::vector<HexVertex>& hex = hexVertices();
    const std::vector<std::uint16_t>& order = hexIndices();
    if (!fill(std::uint32_t(hex.size() * sizeof(HexVertex)), false, hex.data(), &vertices_, nullptr) ||
        !fill(std::uint32_t(order.size() * 2), true, order.data(), nullptr, &indices_))
        return unload();
    if (gfx::failed(gfx::createTextureFromFile(deviceGlobal, "Data/graphics/3d/global/hex.tga", &texture_)))
        LOG_MESSAGE("Hex grid: unable to load the texture %s", "Data/graphics/3d/global/hex.tga");
    if (instanced_) {
        std::vector<InstancedVertex> copies;
        std::vector<std::uint16_t> copyIndices;
        for (std::uint32_t i = 0; i < kCellsPerDraw; ++i) {
            for (const HexVertex& v : hex) copies.push_back({{v.position[0], v.position[1], v.position[2], float(i)}, {v.uv[0], v.uv[1]}});
            for (std::uint16_t index : order) copyIndices.push_back(std::uint16_t(index + 6 * i));
        }
        if (!fill(std::uint32_t(copies.size() * sizeof(InstancedVertex)), false, copies.data(), &instancedVertices_, nullptr) ||
            !fill(std::uint32_t(copyIndices.size() * 2), true, copyIndices.data(), nullptr, &instancedIndices_)) {
            gfx::safeRelease(instancedVertices_);
            gfx::safeRelease(instancedIndices_);
        }
    }
    refreshEffectHandles();
}

void HexGridRenderableAsset::setEffect(gfx::Effect* effect) {
    effect_ = effect;
    refreshEffectHandles();
}

void HexGridRenderableAsset::refreshEffectHandles() {
    wvp_ = viewProjection_ = textureHandle_ = colour_ = translationArray_ = colourArray_ = 0;
    if (!effect_) return;
    wvp_ = effect_->getParameterByName("gWVP");
    viewProjection_ = effect_->getParameterByName("gViewProj");
    textureHandle_ = effect_->getParameterByName("gTex");
    colour_ = effect_->getParameterByName("gColour");
    translationArray_ = effect_->getParameterBySemantic("INSTANCE_WORLDMATRIX_ARRAY");
    colourArray_ = effect_->getParameterBySemantic("INSTANCE_COLOURTINT_ARRAY");
    effect_->setTexture(textureHandle_, texture_);
}

void HexGridRenderableAsset::unload() {
    gfx::safeRelease(vertices_);
    gfx::safeRelease(indices_);
    gfx::safeRelease(instancedVertices_);
    gfx::safeRelease(instancedIndices_);
    gfx::safeRelease(texture_);
}

void HexGridRenderableAsset::beginRender(DrawPass pass, const PassContext&, const ViewBlock& view) {
    if (pass != DrawPass::Colour || !deviceGlobal) return;
    gfx::Device* device = deviceGlobal;
    device->setRenderState(gfx::RenderState::AlphaBlendEnable, 1);
    device->setRenderState(gfx::RenderState::BlendOp, std::uint32_t(gfx::BlendOp::Add));
    device->setRenderState(gfx::RenderState::SrcBlend, std::uint32_t(gfx::Blend::One));
    device->setRenderState(gfx::RenderState::DestBlend, std::uint32_t(gfx::Blend::InvSrcAlpha));
    if (instanced_) {
        device->setVertexDeclaration(vdPosition4Tex);
        device->setStreamSource(0, instancedVertices_, 0, sizeof(InstancedVertex));
        device->setIndices(instancedIndices_);
        if (effect_) effect_->setMatrix(viewProjection_, view.viewProjection);
    } else {
        device->setVertexDeclaration(vdMesh);
        device->setStreamSource(0, vertices_, 0, sizeof(HexVertex));
        device->setIndices(indices_);
    }
}

void HexGridRenderableAsset::renderInstance(RenderableInstance* instance, const ViewBlock& view, const PassContext&,
                                            DrawPass pass) {
    if (pass != DrawPass::Colour || !instance || !effect_ || !vertices_ || !indices_) return;
    const Vector4Value tint = declared::read(instance->pair() ? instance->pair()->renderGroup() : nullptr,
                                             HexCellParameters::highlightColour);
    effect_->setMatrix(wvp_, instance->worldMatrix() * view.viewProjection);
    effect_->setVector(colour_, tint.data());
    effect_->commitChanges();
    deviceGlobal->drawIndexedPrimitive(gfx::PrimitiveType::TriangleList, 0, 0, 6, 0, 4);
    drawnCells_.push_back(1);
}

void HexGridRenderableAsset::endRender(DrawPass pass, const PassContext&, const ViewBlock&) {
    if (pass == DrawPass::Colour && deviceGlobal) deviceGlobal->setRenderState(gfx::RenderState::AlphaBlendEnable, 0);
}

void HexGridRenderableAsset::prepareInstancedArrays() {
    translations_.clear();
    colours_.clear();
    for (RenderableInstance* instance : visibleInstances) {
        if (translations_.size() == kMaxCells) {
            if (!clampLogged_) LOG_MESSAGE("Hex grid: more than %u visible cells; the rest are not drawn", kMaxCells);
            clampLogged_ = true;
            break;
        }
        const gfx::Matrix& world = instance->worldMatrix();
        translations_.push_back({world.m[3][0], world.m[3][1], world.m[3][2], 0.0f});
        const Vector4Value tint = declared::read(instance->pair() ? instance->pair()->renderGroup() : nullptr,
                                                 HexCellParameters::highlightColour);
        colours_.push_back({tint[0], tint[1], tint[2], tint[3]});
    }
}

void HexGridRenderableAsset::drawInstanced() {
    if (!effect_ || !instancedVertices_ || !instancedIndices_ || !deviceGlobal) return;
    // Cells that became visible after the arrays were prepared wait for the next frame.
    const auto count = std::uint32_t(std::min(translations_.size(), visibleInstances.size()));
    for (std::uint32_t done = 0; done < count;) {
        const std::uint32_t m = std::min(count - done, kCellsPerDraw);
        effect_->setVectorArray(translationArray_, &translations_[done], m);
        effect_->setVectorArray(colourArray_, &colours_[done], m);
        effect_->commitChanges();
        ++arrayUploads_;
        deviceGlobal->drawIndexedPrimitive(gfx::PrimitiveType::TriangleList, 0, 0, 6 * m, 0, 4 * m);
        drawnCells_.push_back(m);
        done += m;
    }
}

HexGridRenderable::HexGridRenderable(ThreadResourcePool* renderContext, RenderInterface* renderInterface,
                                     RenderableManager* manager)
    : SimpleEffectRenderable(renderContext, "HexGridRenderable", manager, renderInterface,
                             "Data/graphics/3d/effects/HexGridShader.fx", "Hex Grid Renderable") {
    drawOrder = 2;
}

bool HexGridRenderable::instancingOn() const { return settings().instancing != 0; }

std::vector<gfx::EffectMacro> HexGridRenderable::macros() const {
    const RenderSettings s = settings();
    const bool level3 = s.shaderLevel >= 3;
    const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    return {{"SHADOWS_ENABLED", flag(level3 && s.shadows)},
            {"SSAO_ENABLED", flag(level3 && s.ssao)},
            {"SM3_ENABLED", flag(level3)},
            {"SHADER_INSTANCED", flag(s.instancing)}};
}

void HexGridRenderable::makeAssets() {
    builtInstanced_ = instancingOn();
    auto* asset = new HexGridRenderableAsset(renderContext(), this);
    asset->setInstanced(builtInstanced_);
    addAsset(asset);
}

void HexGridRenderable::setUpParamDescriptions(ParameterDescriptionRegistry& registry) {
    describe(registry, kHexCellType, HexCellParameters::highlighted, HexCellParameters::select,
             HexCellParameters::impassable, HexCellParameters::occupied, HexCellParameters::highlightColour);
}

void HexGridRenderable::prepareInstancedArrays() {
    queued_ = false;
    SimpleEffectRenderable::prepareInstancedArrays();
}

void HexGridRenderable::drawPass(RenderableDirectionalLight* light, const ViewBlock& view, const PassContext& context,
                                 DrawPass pass, float frameTime) {
    if (!queued_ && manager()) {
        manager()->queueForInstancedDrawing(this);
        queued_ = true;
    }
    if (pass != DrawPass::Colour) return;
    // The colour pass ends the frame's passes: the next frame queues again.
    queued_ = false;
    if (instancingOn() != builtInstanced_ && deviceGlobal) {
        builtInstanced_ = instancingOn();
        compileEffect();
        createEffects();
        for (RenderableAsset* asset : assets) {
            static_cast<HexGridRenderableAsset*>(asset)->setInstanced(builtInstanced_);
            asset->loadStage2();
        }
    }
    SimpleEffectRenderable::drawPass(light, view, context, pass, frameTime);
}

void HexGridRenderable::drawInstances(RenderableAsset& asset, const ViewBlock& view, const PassContext& context) {
    auto& hex = static_cast<HexGridRenderableAsset&>(asset);
    if (hex.instanced()) hex.drawInstanced();
    else SimpleEffectRenderable::drawInstances(asset, view, context);
}
