#include "ui_render/ui_manager.h"

#include "app/log.h"
#include "app/simple_parameter_group.h"
#include "render/device_global.h"
#include "render/renderable_factory.h"
#include "ui_render/ui_renderable.h"

UIManager::UIManager(ThreadResourcePool* renderPool, RenderInterface* renderInterface)
    : renderPool_(renderPool), renderInterface_(renderInterface) {}

UIManager::~UIManager() {
    for (UIRenderable* renderable : renderables_) {
        renderable->destroyAssets();
        delete renderable;
    }
    renderables_.clear();
}

void UIManager::loadRenderPaths(ParameterDescriptionRegistry* registry, const std::string& path) {
    pathGroups_ = readRenderPaths(path, true);
    for (const PathGroup& group : pathGroups_) {
        UIRenderable* renderable = createUIRenderable(group.name);
        if (!renderable) {
            LOG_MESSAGE("No UI renderable is registered as %s; its path group is skipped", group.name.c_str());
            continue;
        }
        renderable->setPathGroup(group.name, group.paths);
        renderables_.push_back(renderable);
    }
    for (UIRenderable* renderable : renderables_) renderable->loadAssets();
    for (UIRenderable* renderable : renderables_) renderable->createDeviceResources();
    setUpParamDescriptions(registry);
}

void UIManager::setUpParamDescriptions(ParameterDescriptionRegistry* registry) {
    LOG_MESSAGE("setting up %d renderables' param descriptions", static_cast<int>(renderables_.size()));
    for (UIRenderable* renderable : renderables_) renderable->setUpParamDescriptions(registry);
}

UIRenderable* UIManager::createUIRenderable(std::string className) {
    IUIRenderableFactory* factory = findUIRenderableFactory(className);
    return factory ? factory->create(renderPool_, renderInterface_, this) : nullptr;
}

void UIManager::destroyRenderables() {
    for (UIRenderable* renderable : renderables_) renderable->unloadAssets();
    for (UIRenderable* renderable : renderables_) renderable->releaseDeviceResources();
    for (UIRenderable* renderable : renderables_) {
        renderable->destroyAssets();
        delete renderable;
    }
    renderables_.clear();
    batchWriter_.releaseDeviceResources();
}

void UIManager::draw() {
    gfx::Device* device = deviceGlobal;
    if (!device) return;
    gfx::beginPerfEvent(0xFF22FFFF, "UI Manager");
    // Every UI asset draws premultiplied colours.
    device->setRenderState(gfx::RenderState::AlphaBlendEnable, 1);
    device->setRenderState(gfx::RenderState::BlendOp, static_cast<std::uint32_t>(gfx::BlendOp::Add));
    device->setRenderState(gfx::RenderState::SrcBlend, static_cast<std::uint32_t>(gfx::Blend::One));
    device->setRenderState(gfx::RenderState::DestBlend, static_cast<std::uint32_t>(gfx::Blend::InvSrcAlpha));
    batchWriter_.clear();
    slots_.clear();
    std::size_t chunkStart = 0;
    for (std::uint32_t layer = 0; layer < layerCount; ++layer) {
        for (UIRenderable* renderable : renderables_) {
            slots_.push_back({layer, renderable, batchWriter_.beginSection()});
            if (!renderable->drawsThroughBatchWriter()) continue;
            renderable->draw(layer);
            if (batchWriter_.pendingQuads() >= chunkQuads) {
                drawChunk(device, chunkStart);
                chunkStart = slots_.size();
            }
        }
    }
    drawChunk(device, chunkStart);
    device->setRenderState(gfx::RenderState::AlphaBlendEnable, 0);
    gfx::endPerfEvent();
}

void UIManager::drawChunk(gfx::Device* device, std::size_t firstSlot) {
    const std::uint32_t end = batchWriter_.beginSection();
    batchWriter_.upload(device);
    for (std::size_t slot = firstSlot; slot < slots_.size(); ++slot) {
        const Slot& current = slots_[slot];
        if (current.renderable->drawsThroughBatchWriter()) {
            batchWriter_.drawRuns(device, current.section, slot + 1 < slots_.size() ? slots_[slot + 1].section : end);
        } else {
            current.renderable->draw(current.layer);
        }
    }
    device->flush();
    batchWriter_.clear();
}

void UIManager::updateInstances() {
    for (UIRenderable* renderable : renderables_) renderable->updateInstances();
}

void UIManager::onLostDevice() {
    // The device still holds the vertex buffer it last drew from: it must let go of it too, or
    // the buffer stays alive and the reset is refused (and nothing is drawn again).
    if (deviceGlobal) deviceGlobal->setStreamSource(0, nullptr, 0, 0);
    batchWriter_.releaseDeviceResources();
    for (UIRenderable* renderable : renderables_) renderable->onLostDevice();
}

void UIManager::onResetDevice() {
    for (UIRenderable* renderable : renderables_) renderable->onResetDevice();
}

void UIManager::registerAsset(UIRenderableAsset* asset) {
    if (asset) typeNameMap_.emplace(asset->name(), asset);
}

void UIManager::registerAssetAlias(UIRenderableAsset* asset, const std::string& name) {
    if (asset) typeNameMap_.emplace(name, asset);
}

UIRenderableAsset* UIManager::findAsset(const std::string& typeName) const {
    auto found = typeNameMap_.find(typeName);
    return found == typeNameMap_.end() ? nullptr : found->second;
}

void UIManager::addInstance(RenderInterface::UIObject* object) {
    // Without a pair there is no render-side group to read; such an object was never made.
    if (!object || !object->pair() || !object->pair()->renderGroup()) return;
    UIRenderableAsset* asset = assetOf(*object);
    if (!asset) return;
    std::uint32_t layer = object->renderLayer();
    BaseParameter* parameter = object->pair()->renderGroup()->getParameter("render_layer");
    if (parameter && parameter->kind() == ParameterKind::UnsignedInt) {
        layer = static_cast<UnsignedIntParameter*>(parameter)->value;
    }
    asset->addInstance(object->pair(), clampRenderLayer(layer), object->name() == asset->name());
}

bool UIManager::prepareObject(const std::string& renderableClassName, const std::string& folder,
                              const std::string& fileName, SimpleParameterGroup* group) {
    bool accepted = false;
    for (UIRenderable* renderable : renderables_) {
        if (renderable->className() == renderableClassName) accepted = renderable->prepareObject(folder, fileName, group);
    }
    return accepted;
}

UIRenderableAsset* UIManager::assetOf(const RenderInterface::UIObject& object) const {
    if (!object.renderableClassName().empty()) {
        for (UIRenderable* renderable : renderables_) {
            UIRenderableAsset* asset = nullptr;
            if (renderable->className() == object.renderableClassName() && renderable->assetForObject(object, asset)) {
                return asset;
            }
        }
    }
    return findAsset(object.name());
}

void UIManager::removeInstance(RenderInterface::UIObject* object) {
    if (!object) return;
    if (UIRenderableAsset* asset = assetOf(*object)) asset->removeInstance(object);
}

std::vector<UIImageSaveOutcome> UIManager::takeSaveOutcomes() {
    std::vector<UIImageSaveOutcome> outcomes;
    for (UIRenderable* renderable : renderables_) {
        for (const UIImageSaveOutcome& outcome : renderable->takeSaveOutcomes()) outcomes.push_back(outcome);
    }
    return outcomes;
}
