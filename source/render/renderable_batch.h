#pragma once
// The static-batch side of the renderable contract: the texture sharing group a batchable asset
// belongs to, and the batches a cell of the visibility tree keeps per renderable class and group.
#include <string>

class BaseRenderable;
class RenderableInstance;

class TextureSharingGroupInterface {
public:
    virtual const std::string& getName() const = 0;

protected:
    ~TextureSharingGroupInterface() = default;
};

// A batch is made by its asset for one tree cell and is destroyed through its concrete class by
// whoever owns it (its renderable), never through this interface. Its constructor calls its
// owner's registerBatch(this).
class UnloadableBatchInterface {
public:
    virtual TextureSharingGroupInterface* getTextureSharingGroup() const = 0;
    virtual BaseRenderable* getOwner() const = 0;
    virtual void addInstance(RenderableInstance* instance) = 0;
    virtual void removeInstance(RenderableInstance* instance) = 0;
    // The cell was reached by this frame's culling: hands the batch to its owner's unloadBatch.
    virtual void unload() = 0;

protected:
    ~UnloadableBatchInterface() = default;
};
