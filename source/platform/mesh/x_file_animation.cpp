#include "platform/mesh/x_file_animation.h"

#include <assimp/scene.h>

#include "platform/mesh/animation_controller.h"
#include "platform/mesh/frame_hierarchy.h"
#include <algorithm>

#include "platform/mesh/x_file.h"

namespace mesh {
namespace {

// The reader hands node matrices back transposed but rotation keys with w negated, which is the
// inverse rotation: negating w again makes rotationMatrix(key) the frame matrix of the same
// rotation.
gfx::Quaternion engineRotation(const aiQuaternion& q) { return {q.x, q.y, q.z, -q.w}; }

FrameAnimation readChannel(const aiNodeAnim& channel) {
    FrameAnimation out;
    out.frameName = channel.mNodeName.C_Str();
    for (unsigned k = 0; k < channel.mNumScalingKeys; ++k) {
        const aiVectorKey& key = channel.mScalingKeys[k];
        out.scaleKeys.push_back({key.mTime, {key.mValue.x, key.mValue.y, key.mValue.z}});
    }
    for (unsigned k = 0; k < channel.mNumRotationKeys; ++k) {
        const aiQuatKey& key = channel.mRotationKeys[k];
        out.rotationKeys.push_back({key.mTime, engineRotation(key.mValue)});
    }
    for (unsigned k = 0; k < channel.mNumPositionKeys; ++k) {
        const aiVectorKey& key = channel.mPositionKeys[k];
        out.translationKeys.push_back({key.mTime, {key.mValue.x, key.mValue.y, key.mValue.z}});
    }
    return out;
}

} // namespace

void readAnimationSets(const aiScene& scene, XFrame& root, AnimationController& controller) {
    std::vector<std::string> registered;
    for (unsigned a = 0; a < scene.mNumAnimations; ++a) {
        const aiAnimation& animation = *scene.mAnimations[a];
        std::vector<FrameAnimation> channels;
        for (unsigned c = 0; c < animation.mNumChannels; ++c) {
            FrameAnimation channel = readChannel(*animation.mChannels[c]);
            XFrame* frame = findFrame(root, channel.frameName);
            if (!frame) continue;
            if (std::find(registered.begin(), registered.end(), channel.frameName) == registered.end()) {
                controller.registerOutput(channel.frameName, &frame->transform);
                registered.push_back(channel.frameName);
            }
            channels.push_back(std::move(channel));
        }
        controller.registerAnimationSet(std::make_shared<AnimationSet>(
            animation.mName.C_Str(), animation.mTicksPerSecond, animation.mDuration, std::move(channels)));
    }
}

} // namespace mesh
