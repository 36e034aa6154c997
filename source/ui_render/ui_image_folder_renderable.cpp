#include "ui_render/ui_image_folder_renderable.h"

#include "app/parameter_description.h"
#include "ui_render/ui_asset_files.h"

UIImageFolderRenderable::UIImageFolderRenderable(ThreadResourcePool* renderPool, RenderInterface* renderInterface,
                                                 UIManager* manager, std::string className)
    : UIRenderable(renderPool, manager, std::move(className)), renderInterface_(renderInterface) {}

std::list<std::string> UIImageFolderRenderable::entriesOf(const std::string& folder) const {
    std::list<std::string> names;
    for (const FileEntry& file : listUIAssetFiles(renderInterface_, folder, "tga")) names.push_back(file.name);
    return names;
}

void UIImageFolderRenderable::loadAssets() {
    for (const std::string& folder : paths()) {
        for (const std::string& entry : entriesOf(folder)) {
            UIRenderableAsset* asset = makeAsset(entry, folder);
            asset->afterCreate();
            addAsset(asset);
        }
    }
}

void UIImageFolderRenderable::releaseDeviceResources() {
    for (UIRenderableAsset* asset : assets_) asset->unload();
}

void UIImageFolderRenderable::setUpParamDescriptions(ParameterDescriptionRegistry* registry) {
    for (const UIRenderableAsset* asset : assets_) registerParameterDescription(*registry, describe(asset->name()));
}
