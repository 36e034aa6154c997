#include "ui_render/ui_manager.h"

#include "app/log.h"
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
        if (!renderable) continue;
        renderable->setPathGroup(group.name, group.paths);
        renderables_.push_back(renderable);
    }
    for (UIRenderable* renderable : renderables_) renderable->loadAssets();
    for (UIRenderable* renderable : renderables_) renderable->createDeviceResources();
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
    for (std::uint32_t layer = 0; layer < layerCount; ++layer) {
        for (UIRenderable* renderable : renderables_) renderable->draw(layer);
    }
    device->setRenderState(gfx::RenderState::AlphaBlendEnable, 0);
    gfx::endPerfEvent();
}

void UIManager::onLostDevice() {
    for (UIRenderable* renderable : renderables_) renderable->onLostDevice();
}

void UIManager::onResetDevice() {
    for (UIRenderable* renderable : renderables_) renderable->onResetDevice();
}

UIRenderableAsset* UIManager::findAsset(const std::string& typeName) const {
    auto found = typeNameMap_.find(typeName);
    return found == typeNameMap_.end() ? nullptr : found->second;
}

void UIManager::addInstance(RenderInterface::UIObject* object) {
    if (!object) return;
    UIRenderableAsset* asset = findAsset(object->name());
    if (!asset) return;
    asset->addInstance(object->pair(), object->renderLayer(), object->name() == asset->name());
}

bool UIManager::prepareObject(const std::string& renderableClassName, const std::string& folder,
                              const std::string& fileName, SimpleParameterGroup* group) {
    bool accepted = false;
    for (UIRenderable* renderable : renderables_) {
        if (renderable->className() == renderableClassName) accepted = renderable->prepareObject(folder, fileName, group);
    }
    return accepted;
}
