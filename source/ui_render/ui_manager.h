#pragma once
// Draws every UI object on layers 0 to 31 through the UI renderables made from the UI render paths file.
#include <list>
#include <map>
#include <string>
#include <vector>

#include "render/render_interface.h"
#include "render/render_paths.h"

class ThreadResourcePool;
class UIRenderable;
class UIRenderableAsset;

class UIManager {
public:
    static constexpr std::uint32_t layerCount = 32;

    UIManager(ThreadResourcePool* renderPool, RenderInterface* renderInterface);
    ~UIManager();
    UIManager(const UIManager&) = delete;
    UIManager& operator=(const UIManager&) = delete;

    // Makes one renderable per path group, loads their assets and registers their object types.
    void loadRenderPaths(ParameterDescriptionRegistry* registry, const std::string& path);
    UIRenderable* createUIRenderable(std::string className);
    void destroyRenderables();
    // Between the device's begin and end of scene; begins no scene itself.
    void draw();
    void onLostDevice();
    void onResetDevice();
    // Files a queued object with the asset that draws its type; an unknown type is never drawn.
    void addInstance(RenderInterface::UIObject* object);
    // Asks every renderable of that class to take a textured rectangle; the last one asked answers.
    bool prepareObject(const std::string& renderableClassName, const std::string& folder,
                       const std::string& fileName, SimpleParameterGroup* group);

    std::list<UIRenderable*>& renderables() { return renderables_; }
    const std::vector<PathGroup>& pathGroups() const { return pathGroups_; }
    // Type name to the asset that draws objects of that type (the renderables own the assets).
    std::map<std::string, UIRenderableAsset*>& typeNameMap() { return typeNameMap_; }
    UIRenderableAsset* findAsset(const std::string& typeName) const;

private:
    std::list<UIRenderable*> renderables_;
    ThreadResourcePool* renderPool_;
    RenderInterface* renderInterface_;
    std::vector<PathGroup> pathGroups_;
    std::map<std::string, UIRenderableAsset*> typeNameMap_;
};
