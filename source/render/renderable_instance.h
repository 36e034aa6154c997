#pragma once
// The render side of one 3D render object: drawn by one renderable asset, placed by its "matrix"
// parameter, with a box for the visibility tree and the lights that reach it, nearest first.
#include <cstdint>
#include <vector>

#include "app/parameter_manager.h"
#include "app/typed_parameters.h"
#include "platform/gfx/math_types.h"
#include "render/bounding_record.h"

class InstanceTreeRecord;
class RenderableAsset;
class RenderableDirectionalLight;
class RenderablePointLight;

class RenderableInstance : public ParameterGroupOwnerInterface {
public:
    // Reads "matrix" (and, when skinned, "skeleton") from the pair's render side, places the
    // asset's box and becomes the pair's owner, so that changed parameters mark it dirty.
    RenderableInstance(ParameterManager::ParameterGroupPair* pair, RenderableAsset* asset, bool skinned);
    ~RenderableInstance() override;
    RenderableInstance(const RenderableInstance&) = delete;
    RenderableInstance& operator=(const RenderableInstance&) = delete;

    // After a hand-off that copied changed values: queues the instance's record for updating.
    void parametersChanged() override;

    // Called by the tree for dirty instances: takes the new placement when the parameters
    // changed (or on the first update), and says whether the instance moved.
    void update();
    // The "skeleton" matrices copied afresh; the first of them, or null when there is none.
    const gfx::Matrix* getSkeletonMatrices();
    // The index-th nearest point light, or null.
    RenderablePointLight* getPointLight(std::size_t index) const;
    // Nearest first, by the squared distance from each light's position to the instance's.
    void sortLightsByDistance();

    RenderableAsset* asset() const { return asset_; }
    ParameterManager::ParameterGroupPair* pair() const { return pair_; }
    const gfx::Matrix& worldMatrix() const { return worldMatrix_; }
    bool moved() const { return moved_; }
    bool skinned() const { return skinned_; }
    const BoundingRecord& bounds() const { return bounds_; }
    const gfx::Vector3& centre() const { return centre_; }
    // Half the diagonal of the placed box.
    float radius() const { return radius_; }
    RenderableDirectionalLight* directionalLight() const { return directionalLight_; }
    const std::vector<RenderablePointLight*>& pointLights() const { return pointLights_; }

    // Set by the tree as it gathers the lights; cleared when a light goes away.
    void setDirectionalLight(RenderableDirectionalLight* light) { directionalLight_ = light; }
    std::vector<RenderablePointLight*>& pointLightList() { return pointLights_; }
    InstanceTreeRecord* treeRecord() const { return treeRecord_; }
    void setTreeRecord(InstanceTreeRecord* record) { treeRecord_ = record; }

    // Where the instance's chart lies in its batch's lightmap (written by lightmap packing).
    std::uint32_t lightmapIndex = 0;
    // Set when the instance is made: an asset that rebuilds from changed parameters rebuilds
    // once while it is set (the new instance has not reported a change yet), then clears it.
    std::uint8_t oneShotUpdate = 1;

private:
    void placeBox();

    RenderableAsset* asset_;
    ParameterManager::ParameterGroupPair* pair_;
    const MatrixParameter* matrix_ = nullptr;
    const MatrixVectorParameter* skeleton_ = nullptr;
    std::vector<gfx::Matrix> skeletonMatrices_;
    gfx::Matrix worldMatrix_;
    bool moved_ = false;
    BoundingRecord bounds_;
    gfx::Vector3 centre_;
    float radius_ = 0.0f;
    bool firstUpdate_ = true;
    RenderableDirectionalLight* directionalLight_ = nullptr;
    InstanceTreeRecord* treeRecord_ = nullptr;
    std::vector<RenderablePointLight*> pointLights_;
    bool skinned_;
};
