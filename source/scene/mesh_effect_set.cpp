#include "scene/mesh_effect_set.h"

#include "app/log.h"
#include "platform/gfx/texture.h"
#include "platform/gfx/texture_file.h"
#include "render/base_renderable.h"
#include "render/device_global.h"
#include "render/fx_shader_loader.h"
#include "render/render_interface.h"
#include "render/render_target.h"

namespace {

std::string& folderInUse() {
    static std::string folder = MeshEffectSet::kEffectFolder;
    return folder;
}

} // namespace

void MeshEffectSet::setEffectFolder(const std::string& folder) { folderInUse() = folder; }

const std::string& MeshEffectSet::effectFolder() { return folderInUse(); }

MeshEffectSet::~MeshEffectSet() { release(); }

void MeshEffectSet::loadEffects(BaseRenderable& owner, bool instanced) {
    const char* files[3] = {kColourFile, kShadowFile, kDepthFile};
    for (int i = 0; i < 3; ++i) {
        if (!loaders_[i]) loaders_[i] = new FXShaderLoader(effectFolder() + files[i], renderInterface_);
        loaders_[i]->setInstanced(instanced);
        loaders_[i]->loadFile();
        owner.loadables.push_back(loaders_[i]);
    }
}

void MeshEffectSet::queueLoaders(BaseRenderable& owner) {
    for (FXShaderLoader* loader : loaders_)
        if (loader) owner.loadables.push_back(loader);
}

void MeshEffectSet::createEnvironment() {
    gfx::safeRelease(environment_);
    if (!deviceGlobal || gfx::failed(gfx::createCubeTextureFromFile(deviceGlobal, kEnvironmentPath, &environment_))) {
        environment_ = nullptr;
        LOG_MESSAGE("Unable to load the environment map %s", kEnvironmentPath);
    }
}

void MeshEffectSet::takeEffects() {
    gfx::Effect** slots[3] = {&colour_, &shadow_, &depth_};
    for (int i = 0; i < 3; ++i) {
        *slots[i] = nullptr;
        if (!loaders_[i]) continue;
        // An effect reload only compiles; the effect is made here, on the render thread.
        if (loaders_[i]->getState() == LoadableAsset::FileLoaded) loaders_[i]->prepare();
        *slots[i] = loaders_[i]->effect();
    }
    if (!colour_ || !renderInterface_) return;
    const RenderSettings& settings = renderInterface_->renderSettings();
    colour_->setFloat(colour_->getParameterByName("gShadowMapEpsilon"), settings.shadowEpsilon);
    const float mapSize = settings.shadowDetail == "High" ? 2048.0f : settings.shadowDetail == "Medium" ? 1024.0f : 512.0f;
    colour_->setFloat(colour_->getParameterByName("gShadowMapSize"), mapSize);
    colour_->setTexture(colour_->getParameterByName("gEnvTex"), environment_);
    if (settings.shaderLevel >= 3 && settings.width && settings.height) {
        const auto height = std::uint32_t(float(settings.height) * 0.002f * 402.0f);
        const float inverse[4] = {1.0f / float(settings.width), height ? 1.0f / float(height) : 0.0f, 0.0f, 0.0f};
        colour_->setVector(colour_->getParameterByName("gInvRenderDim"), inverse);
    }
}

void MeshEffectSet::release(bool logCounts) {
    colour_ = shadow_ = depth_ = nullptr;
    for (FXShaderLoader*& loader : loaders_) {
        if (!loader) continue;
        gfx::Effect* effect = logCounts ? loader->effect() : nullptr;
        if (effect) effect->addRef();
        loader->unload();
        if (effect) LOG_MESSAGE("Ref Count is: %d", int(effect->release()));
        delete loader;
        loader = nullptr;
    }
    gfx::safeRelease(environment_);
}

void MeshEffectSet::bindColourPassInputs(const ViewBlock& view, const PassContext& context) {
    if (!colour_) return;
    const float eye[4] = {view.eye.x, view.eye.y, view.eye.z, 0.0f};
    colour_->setVector(colour_->getParameterByName("gEyePosW"), eye);
    const RenderSettings* settings = renderInterface_ ? &renderInterface_->renderSettings() : nullptr;
    if (!settings) return;
    if (settings->shadows) {
        if (RenderTarget* map = context.targets[PassContext::BlurredShadowMap])
            colour_->setTexture(colour_->getParameterByName("gShadowMap"), map->sampledTexture());
    }
    if (settings->ssao) {
        if (RenderTarget* normals = context.targets[PassContext::Normals])
            colour_->setTexture(colour_->getParameterByName("gDepthMap"), normals->sampledTexture());
        if (RenderTarget* occlusion = context.targets[PassContext::Ssao])
            colour_->setTexture(colour_->getParameterByName("gLowDepthMap"), occlusion->sampledTexture());
    }
}
