#include "render/renderable_instance.h"

#include <algorithm>
#include <cmath>

#include "app/simple_parameter_group.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_vector.h"
#include "render/renderable_asset.h"
#include "render/renderable_light.h"
#include "render/tree_records.h"

namespace {

void copyMatrix(const MatrixValue& value, gfx::Matrix& out) { std::copy(value.begin(), value.end(), out.data()); }

} // namespace

RenderableInstance::RenderableInstance(ParameterManager::ParameterGroupPair* pair, RenderableAsset* asset,
                                       bool skinned)
    : asset_(asset), pair_(pair), skeletonMatrices_(1), skinned_(skinned) {
    initBoundingBoxes(bounds_);
    if (SimpleParameterGroup* group = pair_ ? pair_->renderGroup() : nullptr) {
        BaseParameter* matrix = group->getParameter("matrix");
        if (matrix && matrix->kind() == ParameterKind::Matrix) matrix_ = static_cast<const MatrixParameter*>(matrix);
        BaseParameter* skeleton = skinned ? group->getParameter("skeleton") : nullptr;
        if (skeleton && skeleton->kind() == ParameterKind::MatrixVector)
            skeleton_ = static_cast<const MatrixVectorParameter*>(skeleton);
    }
    if (matrix_) copyMatrix(matrix_->value, worldMatrix_);
    placeBox();
    if (pair_) pair_->owner = this;
}

RenderableInstance::~RenderableInstance() {
    if (pair_ && pair_->owner == this) pair_->owner = nullptr;
}

void RenderableInstance::parametersChanged() {
    if (treeRecord_) treeRecord_->markDirty();
}

void RenderableInstance::placeBox() {
    if (const BoundingRecord* assetBounds = asset_ ? asset_->getBoundingBox() : nullptr) bounds_ = *assetBounds;
    gfx::Vector3 scale{1.0f, 1.0f, 1.0f}, translation;
    gfx::Quaternion rotation;
    if (!gfx::decompose(worldMatrix_, scale, rotation, translation)) {
        translation = {worldMatrix_.m[3][0], worldMatrix_.m[3][1], worldMatrix_.m[3][2]};
    }
    placeBoundingBox(bounds_, scale, translation);
    const BoundingBox& box = bounds_.world;
    radius_ = gfx::length(box.max - box.min) / 2.0f;
    centre_ = (box.min + box.max) * 0.5f;
}

void RenderableInstance::update() {
    SimpleParameterGroup* group = pair_ ? pair_->renderGroup() : nullptr;
    const bool changed = group && group->takeChanged();
    if (changed || firstUpdate_) {
        if (matrix_) copyMatrix(matrix_->value, worldMatrix_);
        placeBox();
        moved_ = true;
        firstUpdate_ = false;
    } else {
        moved_ = false;
    }
    if (skinned_ && changed) getSkeletonMatrices();
}

const gfx::Matrix* RenderableInstance::getSkeletonMatrices() {
    if (skeleton_) {
        skeletonMatrices_.resize(skeleton_->value.size());
        for (std::size_t i = 0; i < skeleton_->value.size(); ++i) copyMatrix(skeleton_->value[i], skeletonMatrices_[i]);
    }
    return skeletonMatrices_.empty() ? nullptr : skeletonMatrices_.data();
}

RenderablePointLight* RenderableInstance::getPointLight(std::size_t index) const {
    return index < pointLights_.size() ? pointLights_[index] : nullptr;
}

void RenderableInstance::sortLightsByDistance() {
    const gfx::Vector3 here{worldMatrix_.m[3][0], worldMatrix_.m[3][1], worldMatrix_.m[3][2]};
    std::stable_sort(pointLights_.begin(), pointLights_.end(),
                     [&here](const RenderablePointLight* a, const RenderablePointLight* b) {
                         return gfx::lengthSquared(a->position() - here) < gfx::lengthSquared(b->position() - here);
                     });
}
