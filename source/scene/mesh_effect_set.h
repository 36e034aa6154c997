#pragma once
// The three effects a mesh renderable draws with (lit colour, shadow map, depth) and the scene's
// environment cube, with the frame parameters both mesh renderables set on them. The effects are
// released once, on the render thread, when the renderable releases its assets.
#include <string>

#include "platform/gfx/effect.h"
#include "render/draw_pass.h"

namespace gfx {
class CubeTexture;
}
class BaseRenderable;
class FXShaderLoader;
class RenderInterface;

class MeshEffectSet {
public:
    static constexpr const char* kEffectFolder = "Data/graphics/3d/effects/";
    static constexpr const char* kColourFile = "UberShader.fx";
    static constexpr const char* kShadowFile = "ShadowUberShader.fx";
    static constexpr const char* kDepthFile = "DepthUberShader.fx";
    static constexpr const char* kEnvironmentPath = "Data/graphics/3d/global/grassenvmap1024.dds";

    // Where the loaders made from now on read the three files; tests point it at a folder
    // without them.
    static void setEffectFolder(const std::string& folder);
    static const std::string& effectFolder();

    explicit MeshEffectSet(RenderInterface* renderInterface) : renderInterface_(renderInterface) {}
    ~MeshEffectSet();
    MeshEffectSet(const MeshEffectSet&) = delete;
    MeshEffectSet& operator=(const MeshEffectSet&) = delete;

    // Worker: makes the loaders once (compiled for instanced drawing when asked and the settings
    // allow it), reads their files and hands them to the owner.
    void loadEffects(BaseRenderable& owner, bool instanced);
    // Effect reload: the same loaders again.
    void queueLoaders(BaseRenderable& owner);
    // Render thread: the cube named above; logged and left empty when it cannot be read.
    void createEnvironment();
    // Render thread: takes the effects from the loaders (making any a reload compiled) and sets
    // the shadow-map size and epsilon, the environment and the inverse render size.
    void takeEffects();
    // Render thread: takeEffects, then every mesh asset of the owner given the three effects and
    // its handles looked up again.
    template <class MeshAsset, class Assets>
    void handToAssets(const Assets& assets) {
        takeEffects();
        for (auto* asset : assets) {
            auto* mesh = static_cast<MeshAsset*>(asset);
            mesh->setEffects(colour_, shadow_, depth_);
            mesh->refreshEffectHandles();
        }
    }
    // Render thread: unloads and deletes the loaders and releases the cube; a second call does
    // nothing. With logCounts each effect's release logs the references left.
    void release(bool logCounts = false);

    // All three effects were made: a renderable whose effect failed draws nothing.
    bool ready() const { return colour_ && shadow_ && depth_; }
    gfx::Effect* colour() const { return colour_; }
    gfx::Effect* shadow() const { return shadow_; }
    gfx::Effect* depth() const { return depth_; }
    gfx::Effect* forPass(DrawPass pass) const {
        return pass == DrawPass::Shadow ? shadow_ : pass == DrawPass::Depth ? depth_ : colour_;
    }
    // The colour pass's eye position and, as the settings allow, the shadow map and the depth
    // pass's targets.
    void bindColourPassInputs(const ViewBlock& view, const PassContext& context);

private:
    RenderInterface* renderInterface_;
    FXShaderLoader* loaders_[3] = {};
    gfx::Effect* colour_ = nullptr;
    gfx::Effect* shadow_ = nullptr;
    gfx::Effect* depth_ = nullptr;
    gfx::CubeTexture* environment_ = nullptr;
};
