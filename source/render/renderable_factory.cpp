// The registries, and the static factory objects of every renderable class. They live in this
// one file on purpose: the managers look the registries up, which links this file, and with it
// every registration (a factory alone in its class's file would be dropped by the linker when
// nothing else refers to that file).
#include "render/renderable_factory.h"

UIRenderFactoryRegistry& getUIRenderableFactoryRegistry() {
    static UIRenderFactoryRegistry registry(8);
    return registry;
}

RenderableFactoryRegistry& getRenderableFactoryRegistry() {
    static RenderableFactoryRegistry registry(8);
    return registry;
}

IUIRenderableFactory* findUIRenderableFactory(const std::string& className) {
    const UIRenderFactoryRegistry& registry = getUIRenderableFactoryRegistry();
    auto found = registry.find(className);
    return found == registry.end() ? nullptr : found->second;
}

IRenderableFactory* findRenderableFactory(const std::string& className) {
    const RenderableFactoryRegistry& registry = getRenderableFactoryRegistry();
    auto found = registry.find(className);
    return found == registry.end() ? nullptr : found->second;
}
