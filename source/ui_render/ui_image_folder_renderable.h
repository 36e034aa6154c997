#pragma once
// The base of the renderables that make one asset per entry of their render-path folders (an
// image file, or a sub-folder holding a map), all loaded at start and described alike.
#include <list>
#include <string>

#include "ui_render/ui_renderable.h"

class ParameterDescription;

class UIImageFolderRenderable : public UIRenderable {
public:
    // One asset per entry of every path, in path and listing order.
    void loadAssets() override;
    // Unloads the assets and keeps them; the manager destroys them afterwards.
    void releaseDeviceResources() override;
    // One description per asset, named after it.
    void setUpParamDescriptions(ParameterDescriptionRegistry* registry) override;

protected:
    UIImageFolderRenderable(ThreadResourcePool* renderPool, RenderInterface* renderInterface, UIManager* manager,
                            std::string className);

    // The entries of a folder that become assets: by default its ".tga" files, without extension.
    virtual std::list<std::string> entriesOf(const std::string& folder) const;
    virtual UIRenderableAsset* makeAsset(const std::string& entry, const std::string& folder) = 0;
    virtual ParameterDescription* describe(const std::string& typeName) const = 0;

    RenderInterface* renderInterface_;
};
