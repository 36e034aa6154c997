#include "scene/basic_square.h"

#include <algorithm>
#include <cstring>

#include "app/log.h"
#include "platform/gfx/buffers.h"
#include "platform/gfx/device.h"
#include "platform/gfx/math_matrix.h"
#include "render/device_global.h"
#include "render/render_settings.h"
#include "render/renderable_instance.h"
#include "render/renderable_manager.h"

namespace {

struct SquareVertex {
    float position[4];
    float normal[3];
};
static_assert(sizeof(SquareVertex) == 28);

constexpr float kCorners[4][3] = {{0, 1, 0}, {0, 1, 1}, {1, 1, 1}, {1, 1, 0}};
constexpr std::uint16_t kIndices[6] = {0, 1, 2, 2, 3, 0};

bool makeBuffers(const void* vertices, std::uint32_t vertexBytes, const void* indices, std::uint32_t indexBytes,
                 gfx::VertexBuffer** vertexOut, gfx::IndexBuffer** indexOut) {
    void* data = nullptr;
    if (gfx::failed(deviceGlobal->createVertexBuffer(vertexBytes, gfx::Usage::WriteOnly, gfx::Pool::Managed, vertexOut)) ||
        gfx::failed((*vertexOut)->lock(0, 0, &data, 0)))
        return false;
    std::memcpy(data, vertices, vertexBytes);
    (*vertexOut)->unlock();
    if (gfx::failed(deviceGlobal->createIndexBuffer(indexBytes, gfx::Usage::WriteOnly, gfx::Format::Index16,
                                                    gfx::Pool::Managed, indexOut)) ||
        gfx::failed((*indexOut)->lock(0, 0, &data, 0)))
        return false;
    std::memcpy(data, indices, indexBytes);
    (*indexOut)->unlock();
    return true;
}

} // namespace

BasicSquareRenderableAsset::BasicSquareRenderableAsset(ThreadResourcePool* renderContext, BaseRenderable* owner)
    : SimpleEffectAsset(kBasicSquareType, renderContext, owner, false) {
    initBoundingBoxes(bounds_);
    bounds_.local = {{-1.0f, -0.70710677f, -1.0f}, {1.0f, 0.70710677f, 1.0f}};
}

BasicSquareRenderableAsset::~BasicSquareRenderableAsset() { unload(); }

void BasicSquareRenderableAsset::loadStage2() {
    unload();
    if (!deviceGlobal) return;
    std::vector<SquareVertex> square;
    for (const auto& c : kCorners) square.push_back({{c[0], c[1], c[2], 1.0f}, {0, 1, 0}});
    if (!makeBuffers(square.data(), std::uint32_t(square.size() * sizeof(SquareVertex)), kIndices, sizeof kIndices,
                     &vertices_, &indices_))
        return unload();
    if (instanced_) {
        std::vector<SquareVertex> copies;
        std::vector<std::uint16_t> copyIndices;
        for (std::uint32_t i = 0; i < kSquaresPerDraw; ++i) {
            for (const auto& c : kCorners) copies.push_back({{c[0], c[1], c[2], float(i)}, {0, 1, 0}});
            for (std::uint16_t index : kIndices) copyIndices.push_back(std::uint16_t(index + 4 * i));
        }
        if (!makeBuffers(copies.data(), std::uint32_t(copies.size() * sizeof(SquareVertex)), copyIndices.data(),
                         std::uint32_t(copyIndices.size() * 2), &instancedVertices_, &instancedIndices_)) {
            gfx::safeRelease(instancedVertices_);
            gfx::safeRelease(instancedIndices_);
        }
    }
    refreshEffectHandles();
}

void BasicSquareRenderableAsset::setEffect(gfx::Effect* effect) {
    effect_ = effect;
    refreshEffectHandles();
}

void BasicSquareRenderableAsset::refreshEffectHandles() {
    wvp_ = viewProjection_ = matrixArray_ = 0;
    if (!effect_) return;
    wvp_ = effect_->getParameterByName("gWVP");
    viewProjection_ = effect_->getParameterByName("gViewProj");
    matrixArray_ = effect_->getParameterBySemantic("INSTANCE_WORLDMATRIX_ARRAY");
}

void BasicSquareRenderableAsset::unload() {
    gfx::safeRelease(vertices_);
    gfx::safeRelease(indices_);
    gfx::safeRelease(instancedVertices_);
    gfx::safeRelease(instancedIndices_);
}

void BasicSquareRenderableAsset::beginRender(DrawPass pass, const PassContext&, const ViewBlock& view) {
    if (pass != DrawPass::Colour || !deviceGlobal) return;
    deviceGlobal->setVertexDeclaration(vdPosition4Normal);
    if (instanced_) {
        deviceGlobal->setStreamSource(0, instancedVertices_, 0, sizeof(SquareVertex));
        deviceGlobal->setIndices(instancedIndices_);
        if (effect_) effect_->setMatrix(viewProjection_, view.viewProjection);
    } else {
        deviceGlobal->setStreamSource(0, vertices_, 0, sizeof(SquareVertex));
        deviceGlobal->setIndices(indices_);
    }
}

void BasicSquareRenderableAsset::renderInstance(RenderableInstance* instance, const ViewBlock& view, const PassContext&,
                                                DrawPass pass) {
    if (pass != DrawPass::Colour || !instance || !effect_ || !vertices_ || !indices_) return;
    effect_->setMatrix(wvp_, instance->worldMatrix() * view.viewProjection);
    effect_->commitChanges();
    deviceGlobal->drawIndexedPrimitive(gfx::PrimitiveType::TriangleList, 0, 0, 4, 0, 2);
    drawnSquares_.push_back(1);
}

void BasicSquareRenderableAsset::prepareInstancedArrays() {
    matrices_.clear();
    for (RenderableInstance* instance : visibleInstances) {
        if (matrices_.size() == kMaxSquares) {
            if (!clampLogged_) LOG_MESSAGE("Basic squares: more than %u visible; the rest are not drawn", kMaxSquares);
            clampLogged_ = true;
            break;
        }
        matrices_.push_back(instance->worldMatrix());
    }
}

void BasicSquareRenderableAsset::drawInstanced() {
    if (!effect_ || !instancedVertices_ || !instancedIndices_ || !deviceGlobal) return;
    const auto count = std::uint32_t(std::min(matrices_.size(), visibleInstances.size()));
    for (std::uint32_t done = 0; done < count;) {
        const std::uint32_t m = std::min(count - done, kSquaresPerDraw);
        effect_->setMatrixArray(matrixArray_, &matrices_[done], m);
        effect_->commitChanges();
        deviceGlobal->drawIndexedPrimitive(gfx::PrimitiveType::TriangleList, 0, 0, 4 * m, 0, 2 * m);
        drawnSquares_.push_back(m);
        done += m;
    }
}

BasicSquareRenderable::BasicSquareRenderable(ThreadResourcePool* renderContext, RenderInterface* renderInterface,
                                             RenderableManager* manager)
    : SimpleEffectRenderable(renderContext, "BasicSquareRenderable", manager, renderInterface,
                             "Data/graphics/3d/effects/BasicSquareShader.fx", "Basic Square Renderable") {
    drawOrder = 2;
}

std::vector<gfx::EffectMacro> BasicSquareRenderable::macros() const {
    const RenderSettings s = settings();
    const bool level3 = s.shaderLevel >= 3;
    const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    return {{"SHADOWS_ENABLED", flag(level3 && s.shadows)},
            {"SSAO_ENABLED", flag(level3 && s.ssao)},
            {"SM3_ENABLED", flag(level3)},
            {"SHADER_INSTANCED", flag(s.instancing)}};
}

void BasicSquareRenderable::makeAssets() {
    builtInstanced_ = settings().instancing != 0;
    auto* asset = new BasicSquareRenderableAsset(renderContext(), this);
    asset->setInstanced(builtInstanced_);
    addAsset(asset);
}

void BasicSquareRenderable::setUpParamDescriptions(ParameterDescriptionRegistry& registry) {
    describe(registry, kBasicSquareType, BasicSquareParameters::highlighted, BasicSquareParameters::select,
             BasicSquareParameters::impassable, BasicSquareParameters::occupied, BasicSquareParameters::highlightColour);
}

void BasicSquareRenderable::prepareInstancedArrays() {
    queued_ = false;
    SimpleEffectRenderable::prepareInstancedArrays();
}

void BasicSquareRenderable::drawPass(RenderableDirectionalLight* light, const ViewBlock& view,
                                     const PassContext& context, DrawPass pass, float frameTime) {
    if (!queued_ && manager()) {
        manager()->queueForInstancedDrawing(this);
        queued_ = true;
    }
    if (pass != DrawPass::Colour) return;
    queued_ = false;
    const bool instancing = settings().instancing != 0;
    if (instancing != builtInstanced_ && deviceGlobal) {
        builtInstanced_ = instancing;
        compileEffect();
        createEffects();
        for (RenderableAsset* asset : assets) {
            static_cast<BasicSquareRenderableAsset*>(asset)->setInstanced(instancing);
            asset->loadStage2();
        }
    }
    SimpleEffectRenderable::drawPass(light, view, context, pass, frameTime);
}

void BasicSquareRenderable::drawInstances(RenderableAsset& asset, const ViewBlock& view, const PassContext& context) {
    auto& squares = static_cast<BasicSquareRenderableAsset&>(asset);
    if (squares.instanced()) squares.drawInstanced();
    else SimpleEffectRenderable::drawInstances(asset, view, context);
}
