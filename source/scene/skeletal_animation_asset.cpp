#include "scene/skeletal_animation_asset.h"

#include <algorithm>

#include "platform/gfx/math_matrix.h"
#include "platform/mesh/animation_controller.h"
#include "platform/mesh/frame_hierarchy.h"
#include "platform/mesh/skin_info.h"
#include "platform/mesh/x_file.h"
#include "render/animation_state.h"

std::vector<const gfx::Matrix*> bindBoneMatrices(mesh::XFrame& root, const mesh::SkinInfo& skin) {
    std::vector<const gfx::Matrix*> out(skin.numBones(), nullptr);
    for (uint32_t b = 0; b < skin.numBones(); ++b)
        if (const mesh::XFrame* frame = mesh::findFrame(root, skin.boneName(b))) out[b] = &frame->combined;
    return out;
}

Skeletal3DAnimationAsset::Skeletal3DAnimationAsset(std::string name, mesh::XFrame* root,
                                                   std::shared_ptr<mesh::AnimationController> controller,
                                                   uint32_t boneCount, const mesh::SkinInfo* skin,
                                                   std::vector<const gfx::Matrix*> boneMatrices, void* owner)
    : AnimationAsset(std::move(name)), root_(root),
      controller_(controller ? std::move(controller) : std::make_shared<mesh::AnimationController>()), skin_(skin),
      boneMatrices_(std::move(boneMatrices)), boneCount_(boneCount), owner_(owner) {
    boneMatrices_.resize(boneCount_, nullptr);
    rewriteAnimationSets();
}

std::vector<std::string> Skeletal3DAnimationAsset::boneNames() const {
    std::vector<std::string> names(boneCount_);
    for (uint32_t b = 0; skin_ && b < boneCount_ && b < skin_->numBones(); ++b) names[b] = skin_->boneName(b);
    return names;
}

void Skeletal3DAnimationAsset::rewriteAnimationSets() {
    static const char* const kEvents[3] = {"animHalf", "animApex", "animEnd"};
    // The apex sits at three fifths of the cycle, taken as a single-precision fraction.
    static const double kFractions[3] = {0.5, double(0.6f), 1.0};
    for (uint32_t i = 0; i < controller_->numAnimationSets(); ++i) {
        const mesh::AnimationSet& set = *controller_->animationSet(i);
        std::vector<mesh::CallbackKey> keys;
        for (int e = 0; e < 3; ++e) {
            keyEvents_.push_back(std::make_unique<AnimationKeyEvent>(AnimationKeyEvent{set.name(), kEvents[e]}));
            keys.push_back({set.period() * kFractions[e] * set.sourceTicksPerSecond(), keyEvents_.back().get()});
        }
        controller_->replaceAnimationSet(i, set.compressed(std::move(keys)));
    }
}

void Skeletal3DAnimationAsset::fade(AnimationState& state, float seconds) {
    const uint32_t tracks = controller_->numTracks();
    if (state.fadeProgress >= 1.0f) {
        if (state.fadeOutTrack < tracks) controller_->setTrackEnable(state.fadeOutTrack, false);
        return;
    }
    state.fadeProgress =
        state.fadeDuration > 0.0f ? std::min(1.0f, state.fadeProgress + seconds / state.fadeDuration) : 1.0f;
    if (state.fadeOutTrack < tracks) controller_->setTrackWeight(state.fadeOutTrack, 1.0f - state.fadeProgress);
    if (state.fadeInTrack < tracks) controller_->setTrackWeight(state.fadeInTrack, state.fadeProgress);
}

void Skeletal3DAnimationAsset::writeBones(AnimationState& state, bool fromOutside) {
    state.finalBones.resize(boneCount_);
    state.bonePoses.resize(boneCount_);
    const std::vector<gfx::Matrix>* outside = fromOutside ? state.externalBones : nullptr;
    for (uint32_t b = 0; b < boneCount_; ++b) {
        // A bone no frame carries stays still rather than being pulled into its own space.
        gfx::Matrix pose;
        if (outside && b < outside->size())
            pose = (*outside)[b];
        else if (boneMatrices_[b])
            pose = *boneMatrices_[b];
        const bool bound = (outside && b < outside->size()) || boneMatrices_[b];
        const bool hasOffset = skin_ && b < skin_->numBones();
        state.finalBones[b] = bound && hasOffset ? skin_->boneOffsetMatrix(b) * pose : pose;
        state.bonePoses[b] = pose;
    }
    state.usingPremultipliedAnims = fromOutside;
}

void Skeletal3DAnimationAsset::update(AnimationState& state, float seconds) {
    if (state.stopped) return;
    if (!state.external) {
        fade(state, seconds);
        controller_->advanceTime(double(state.speed) * double(seconds), state.callbackHandler);
        if (root_) mesh::updateCombinedMatrices(*root_, gfx::identityMatrix());
    }
    writeBones(state, state.external);
}
