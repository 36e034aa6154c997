#include "scene/basic_sphere.h"

#include <cstring>
#include <string>

#include "app/log.h"
#include "app/parameter_description.h"
#include "platform/gfx/buffers.h"
#include "platform/gfx/device.h"
#include "platform/gfx/effect_description.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx/sphere_geometry.h"
#include "platform/message_box.h"
#include "render/device_global.h"
#include "render/renderable_instance.h"
#include "render/renderable_manager.h"
#include "scene/basic_shape_parameters.h"
#include "scene/declared_description.h"

namespace {

const char* const kSphereEffect = "Data/graphics/3d/effects/BasicSphereCuboidShader.fx";

} // namespace

BasicSphereRenderableAsset::BasicSphereRenderableAsset(ThreadResourcePool* renderContext, BaseRenderable* owner)
    : RenderableAsset(kBasicSphereType, renderContext, owner, false) {
    initBoundingBoxes(bounds_);
    bounds_.local = {{-1.0f, -1.0f, -1.0f}, {1.0f, 1.0f, 1.0f}};
}

BasicSphereRenderableAsset::~BasicSphereRenderableAsset() { unload(); }

void BasicSphereRenderableAsset::onLostDevice() {
    if (effect_) effect_->onLostDevice();
}

void BasicSphereRenderableAsset::onResetDevice() {
    if (effect_) effect_->onResetDevice();
}

void BasicSphereRenderableAsset::loadStage2() {
    if (!deviceGlobal) return;
    unload();
    const gfx::SphereGeometry sphere = gfx::makeSphere(1.0f, 16, 16);
    const auto vertexBytes = std::uint32_t(sphere.vertices.size() * sizeof(gfx::SphereVertex));
    const auto indexBytes = std::uint32_t(sphere.indices.size() * sizeof(std::uint16_t));
    void* data = nullptr;
    if (gfx::failed(deviceGlobal->createVertexBuffer(vertexBytes, gfx::Usage::WriteOnly, gfx::Pool::Managed, &vertices_)) ||
        gfx::failed(vertices_->lock(0, 0, &data, 0)))
        return unload();
    std::memcpy(data, sphere.vertices.data(), vertexBytes);
    vertices_->unlock();
    if (gfx::failed(deviceGlobal->createIndexBuffer(indexBytes, gfx::Usage::WriteOnly, gfx::Format::Index16,
                                                    gfx::Pool::Managed, &indices_)) ||
        gfx::failed(indices_->lock(0, 0, &data, 0)))
        return unload();
    std::memcpy(data, sphere.indices.data(), indexBytes);
    indices_->unlock();
    vertexCount_ = std::uint32_t(sphere.vertices.size());
    triangleCount_ = std::uint32_t(sphere.indices.size() / 3);
}

void BasicSphereRenderableAsset::refreshEffectHandles() {
    wvp_ = world_ = alpha_ = 0;
    if (!effect_) return;
    wvp_ = effect_->getParameterByName("gWVP");
    world_ = effect_->getParameterByName("gWorld");
    alpha_ = effect_->getParameterByName("gAlpha");
}

void BasicSphereRenderableAsset::unload() {
    gfx::safeRelease(vertices_);
    gfx::safeRelease(indices_);
    vertexCount_ = triangleCount_ = 0;
}

void BasicSphereRenderableAsset::beginRender(DrawPass pass, const PassContext&, const ViewBlock&) {
    if (pass != DrawPass::Colour || !deviceGlobal) return;
    gfx::Device* device = deviceGlobal;
    device->setRenderState(gfx::RenderState::AlphaBlendEnable, 1);
    device->setRenderState(gfx::RenderState::BlendOp, std::uint32_t(gfx::BlendOp::Add));
    device->setRenderState(gfx::RenderState::SrcBlend, std::uint32_t(gfx::Blend::One));
    device->setRenderState(gfx::RenderState::DestBlend, std::uint32_t(gfx::Blend::InvSrcAlpha));
    device->setVertexDeclaration(vdMesh);
    device->setStreamSource(0, vertices_, 0, sizeof(gfx::SphereVertex));
    device->setIndices(indices_);
}

void BasicSphereRenderableAsset::renderInstance(RenderableInstance* instance, const ViewBlock& view,
                                                const PassContext&, DrawPass pass) {
    if (pass != DrawPass::Colour || !instance || !effect_ || !vertices_ || !indices_) return;
    const SimpleParameterGroup* parameters = instance->pair() ? instance->pair()->renderGroup() : nullptr;
    const gfx::Matrix& world = instance->worldMatrix();
    effect_->setFloat(alpha_, declared::read(parameters, BasicSphereParameters::alpha));
    effect_->setMatrix(wvp_, world * view.viewProjection);
    effect_->setMatrix(world_, world);
    effect_->commitChanges();
    deviceGlobal->drawIndexedPrimitive(gfx::PrimitiveType::TriangleList, 0, 0, vertexCount_, 0, triangleCount_);
}

void BasicSphereRenderableAsset::endRender(DrawPass pass, const PassContext&, const ViewBlock&) {
    if (pass != DrawPass::Colour || !deviceGlobal) return;
    deviceGlobal->setRenderState(gfx::RenderState::AlphaBlendEnable, 0);
}

BasicSphereRenderable::BasicSphereRenderable(ThreadResourcePool* renderContext, RenderInterface*,
                                             RenderableManager* manager)
    : BaseRenderable(renderContext, "BasicSphereRenderable", manager) {
    drawOrder = 6;
}

BasicSphereRenderable::~BasicSphereRenderable() {
    releaseEffect();
    deleteAssets();
}

void BasicSphereRenderable::loadAssets() {
    auto* asset = new BasicSphereRenderableAsset(renderContext(), this);
    asset->loadStage1();
    if (manager()) manager()->registerAsset(asset);
    assets.push_back(asset);
    if (compiled_) compiled_->release();
    compiled_ = nullptr;
    std::string errors;
    if (gfx::failed(gfx::compileEffectFromFile(kSphereEffect, {}, &compiled_, &errors))) {
        compiled_ = nullptr;
        LOG_MESSAGE("Basic sphere: unable to compile the effect %s", kSphereEffect);
        platform::showMessageBox("", errors);
    }
}

void BasicSphereRenderable::unloadInstances() {
    for (RenderableAsset* asset : assets) asset->visibleInstances.clear();
}

void BasicSphereRenderable::createEffects() {
    if (!deviceGlobal) return;
    gfx::safeRelease(effect_);
    technique_ = 0;
    std::string errors;
    if (compiled_ && gfx::failed(gfx::Effect::create(deviceGlobal, compiled_, &effect_, &errors))) {
        effect_ = nullptr;
        LOG_MESSAGE("Basic sphere: unable to make the effect %s", kSphereEffect);
        platform::showMessageBox("", errors);
    }
    if (effect_) technique_ = effect_->getTechniqueByName("BaseTech");
    for (RenderableAsset* asset : assets) static_cast<BasicSphereRenderableAsset*>(asset)->setEffect(effect_);
}

void BasicSphereRenderable::releaseEffect() {
    for (RenderableAsset* asset : assets) static_cast<BasicSphereRenderableAsset*>(asset)->setEffect(nullptr);
    gfx::safeRelease(effect_);
    if (compiled_) compiled_->release();
    compiled_ = nullptr;
}

void BasicSphereRenderable::releaseAssets() {
    releaseEffect();
    deleteAssets();
}

void BasicSphereRenderable::setUpParamDescriptions(ParameterDescriptionRegistry& registry) {
    declared::registerDescription(registry, renderContext(), kBasicSphereType, BasicSphereParameters::alpha);
}

void BasicSphereRenderable::removeParamDescriptions(ParameterDescriptionRegistry& registry) {
    registry.remove(kBasicSphereType);
}

void BasicSphereRenderable::drawPass(RenderableDirectionalLight* light, const ViewBlock& view,
                                     const PassContext& context, DrawPass pass, float frameTime) {
    if (pass != DrawPass::Colour || !effect_ || !technique_) return;
    gfx::beginPerfEvent(0xFFFFFFFFu, "Basic Sphere Renderable");
    effect_->setTechnique(technique_);
    std::uint32_t passes = 0;
    effect_->begin(&passes, 0);
    effect_->beginPass(0);
    BaseRenderable::drawPass(light, view, context, pass, frameTime);
    effect_->endPass();
    effect_->end();
    gfx::endPerfEvent();
}
