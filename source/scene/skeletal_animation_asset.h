#pragma once
// A skinned mesh's animation: its sets rewritten to raise "animHalf", "animApex" and "animEnd"
// once per cycle, and each update the frames posed (or bones taken from outside) and the final
// bone matrices made.
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/math_types.h"
#include "render/animation_asset.h"

namespace mesh {
class AnimationController;
class SkinInfo;
struct XFrame;
} // namespace mesh

// The data of every key event: which set raised it, and which event it is.
struct AnimationKeyEvent {
    std::string setName;
    std::string eventName;
};

// For each bone of the skin, the combined matrix of the frame of its name; null when no frame
// has it.
std::vector<const gfx::Matrix*> bindBoneMatrices(mesh::XFrame& root, const mesh::SkinInfo& skin);

class Skeletal3DAnimationAsset : public AnimationAsset {
public:
    // The frames and skin stay the caller's; the controller is shared with the mesh asset (an
    // empty one is made when there is none). boneMatrices holds one entry per bone.
    Skeletal3DAnimationAsset(std::string name, mesh::XFrame* root, std::shared_ptr<mesh::AnimationController> controller,
                             uint32_t boneCount, const mesh::SkinInfo* skin,
                             std::vector<const gfx::Matrix*> boneMatrices, void* owner);

    void update(AnimationState& state, float seconds) override;

    uint32_t boneCount() const { return boneCount_; }
    // The skin's bone names in bone order (empty for a bone past the skin's list).
    std::vector<std::string> boneNames() const;
    const std::shared_ptr<mesh::AnimationController>& controller() const { return controller_; }
    // Three per set, in set order: "animHalf", "animApex", "animEnd".
    const std::vector<std::unique_ptr<AnimationKeyEvent>>& keyEvents() const { return keyEvents_; }
    void* owner() const { return owner_; }

private:
    void rewriteAnimationSets();
    void fade(AnimationState& state, float seconds);
    void writeBones(AnimationState& state, bool fromOutside);

    mesh::XFrame* root_;
    std::shared_ptr<mesh::AnimationController> controller_;
    const mesh::SkinInfo* skin_;
    std::vector<const gfx::Matrix*> boneMatrices_;
    uint32_t boneCount_;
    void* owner_;
    std::vector<std::unique_ptr<AnimationKeyEvent>> keyEvents_;
};
