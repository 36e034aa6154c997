#pragma once
// Factories that make renderables by class name, and the two registries they enter themselves in.
// Each factory is a static object; its constructor registers it before the program's entry runs.
#include <string>
#include <unordered_map>

class ThreadResourcePool;
class RenderInterface;
class UIManager;
class UIRenderable;
class RenderableManager;
class BaseRenderable;

class IUIRenderableFactory {
public:
    virtual ~IUIRenderableFactory() = default;
    virtual UIRenderable* create(ThreadResourcePool* renderPool, RenderInterface* renderInterface,
                                 UIManager* manager) = 0;
};

class IRenderableFactory {
public:
    virtual ~IRenderableFactory() = default;
    virtual BaseRenderable* create(ThreadResourcePool* renderPool, RenderInterface* renderInterface,
                                   RenderableManager* manager) = 0;
};

// Registries do not own the factories, which are static objects.
using UIRenderFactoryRegistry = std::unordered_map<std::string, IUIRenderableFactory*>;
using RenderableFactoryRegistry = std::unordered_map<std::string, IRenderableFactory*>;

// Built on first use, so registration works whatever order static initialisers run in.
UIRenderFactoryRegistry& getUIRenderableFactoryRegistry();
RenderableFactoryRegistry& getRenderableFactoryRegistry();

// A lookup: null (and no entry made) for a name never registered or registered as null.
IUIRenderableFactory* findUIRenderableFactory(const std::string& className);
IRenderableFactory* findRenderableFactory(const std::string& className);

template <class T>
class UIRenderableFactory : public IUIRenderableFactory {
public:
    // A later registration under the same name replaces the earlier one.
    explicit UIRenderableFactory(std::string className) : className_(std::move(className)) {
        getUIRenderableFactoryRegistry()[className_] = this;
    }
    UIRenderable* create(ThreadResourcePool* renderPool, RenderInterface* renderInterface,
                         UIManager* manager) override {
        return new T(renderPool, renderInterface, manager);
    }
    const std::string& className() const { return className_; }

private:
    std::string className_;
};

template <class T>
class RenderableFactory : public IRenderableFactory {
public:
    explicit RenderableFactory(std::string className) : className_(std::move(className)) {
        getRenderableFactoryRegistry()[className_] = this;
    }
    BaseRenderable* create(ThreadResourcePool* renderPool, RenderInterface* renderInterface,
                           RenderableManager* manager) override {
        return new T(renderPool, renderInterface, manager);
    }
    const std::string& className() const { return className_; }

private:
    std::string className_;
};
