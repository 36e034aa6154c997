#pragma once
// The reader's animations as the engine's animation sets (used by the ".x" reader only).
struct aiScene;

namespace mesh {

class AnimationController;
struct XFrame;

// Every animation of the scene as a set of the controller, in file order, each animated frame
// of root registered as an output. Rotation keys come out in the engine's convention.
void readAnimationSets(const aiScene& scene, XFrame& root, AnimationController& controller);

} // namespace mesh
