#pragma once
// The record of one UI object filed with the asset that draws it.
#include <cstdint>
#include <list>

#include "app/parameter_manager.h"
#include "app/typed_parameters.h"

class UIRenderableAsset;

struct UIRenderableInstance {
    UIRenderableAsset* asset = nullptr;
    ParameterManager::ParameterGroupPair* pair = nullptr;
    std::uint32_t currentLayer = 0;
    // The render side's "render_layer", found once when the record is made.
    UnsignedIntParameter* renderLayer = nullptr;
    std::uint8_t firstUpdate = 1;
    // Owned by the asset through createInstanceData / destroyInstanceData.
    void* instanceData = nullptr;
    // Set at the first layer change and kept: such a record is re-appended to its layer list
    // at every update.
    std::uint8_t moved = 0;

    // Where the record sits in its asset's lists, so removal needs no search.
    bool secondary = false;
    std::list<UIRenderableInstance*>::iterator mainEntry;
    std::list<UIRenderableInstance*>::iterator layerEntry;
    std::uint32_t filedLayer = 0;
};
