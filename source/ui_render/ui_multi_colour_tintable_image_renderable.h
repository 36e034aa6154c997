#pragma once
// ".tga" image names: an image over the whole screen, drawn through "TintableImageUI.fx" with a
// fixed table of tint colours (red, green, blue and white first; the default table shows the
// image as it is).
#include <array>

#include "app/typed_parameters.h"
#include "ui_render/ui_image_folder_renderable.h"
#include "ui_render/ui_parameter_table.h"
#include "ui_render/ui_screen_image_asset.h"

struct TintableImageParameters {
    // Kept for callers that set it; the draw does not read it.
    static inline const UIParameter<PointPathParameter> colourArray{"colourArray", {}};

    static ParameterDescription* describe(const std::string& typeName, ThreadResourcePool* pool) {
        return uiparam::describe(typeName, pool, colourArray);
    }
};

class UIMultiColourTintableImageRenderableAsset : public UIScreenImageAsset {
public:
    static constexpr std::uint32_t colourCount = 10;

    UIMultiColourTintableImageRenderableAsset(const std::string& name, const std::string& imageFolder,
                                              RenderInterface* renderInterface);

    // The quad, the image and the effect, with the colour table handed to it once.
    bool load() override;
    void renderInstance(UIRenderableInstance& record, UIBatchWriter& writer) override;

private:
    // Entries 4 to 9 stay zero.
    std::array<float, colourCount * 4> colours_{};
};

class UIMultiColourTintableImageRenderable : public UIImageFolderRenderable {
public:
    UIMultiColourTintableImageRenderable(ThreadResourcePool* renderPool, RenderInterface* renderInterface,
                                         UIManager* manager);

protected:
    UIRenderableAsset* makeAsset(const std::string& entry, const std::string& folder) override;
    ParameterDescription* describe(const std::string& typeName) const override {
        return TintableImageParameters::describe(typeName, renderPool_);
    }
};
