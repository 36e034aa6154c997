#include "scene/dynamic_mesh_renderable.h"

#include "app/directory_lister.h"
#include "app/parameter_description.h"
#include "platform/gfx/device.h"
#include "render/dds_texture_loader.h"
#include "render/device_global.h"
#include "render/render_interface.h"
#include "render/renderable_manager.h"
#include "scene/dynamic_mesh_asset.h"
#include "scene/dynamic_mesh_parameters.h"
#include "scene/mesh_atlas_group.h"

namespace {

constexpr std::uint32_t kPerfEventColour = 0xFF22FFFF;

std::vector<FileEntry> meshFiles(const std::string& folder) {
    std::vector<FileEntry> files;
    listFolderEntries(folder, "x", files, false, false);
    return files;
}

} // namespace

DynamicMeshRenderable::DynamicMeshRenderable(ThreadResourcePool* renderContext, RenderInterface* renderInterface,
                                             RenderableManager* manager)
    : BaseRenderable(renderContext, kClassName, manager), renderInterface_(renderInterface),
      effects_(renderInterface) {
    drawOrder = 4;
}

DynamicMeshRenderable::~DynamicMeshRenderable() { releaseAssets(); }

bool DynamicMeshRenderable::instancing() const {
    return renderInterface_ && renderInterface_->renderSettings().instancing;
}

void DynamicMeshRenderable::onLostDevice() {
    for (MeshAtlasGroup* group : groups_) {
        if (group->colourLoader()) group->colourLoader()->onLostDevice();
        if (group->normalLoader()) group->normalLoader()->onLostDevice();
    }
    BaseRenderable::onLostDevice();
}

void DynamicMeshRenderable::onResetDevice() {
    for (MeshAtlasGroup* group : groups_) {
        if (group->colourLoader()) group->colourLoader()->onResetDevice();
        if (group->normalLoader()) group->normalLoader()->onResetDevice();
    }
    BaseRenderable::onResetDevice();
}

void DynamicMeshRenderable::loadAssets() {
    for (const std::string& folder : assetFolders) {
        auto* group = new MeshAtlasGroup(renderContext(), renderInterface_, folder);
        for (const FileEntry& file : meshFiles(folder)) {
            auto* asset = new DynamicMeshRenderableAsset("Mesh_" + file.name, renderContext(), this, folder, file.name,
                                                         group);
            asset->loadStage1();
            if (manager()) manager()->registerAsset(asset);
            assets.push_back(asset);
            group->assets.push_back(asset);
        }
        group->loadAtlas(*this);
        groups_.push_back(group);
    }
    effects_.loadEffects(*this, true);
}

void DynamicMeshRenderable::fillLoadedTextures() {
    for (MeshAtlasGroup* group : groups_) {
        if (group->colourLoader()) group->colourLoader()->fillData();
        if (group->normalLoader()) group->normalLoader()->fillData();
    }
}

void DynamicMeshRenderable::unloadInstances() {
    for (RenderableAsset* asset : assets) {
        asset->releaseInstanceData();
        asset->instances.clear();
    }
}

void DynamicMeshRenderable::createEffects() { effects_.createEnvironment(); }

void DynamicMeshRenderable::setFrameParameters() {
    loadables.clear();
    effects_.handToAssets<DynamicMeshRenderableAsset>(assets);
}

void DynamicMeshRenderable::refreshFrameParameters() { setFrameParameters(); }

void DynamicMeshRenderable::releaseAssets() {
    for (RenderableAsset* asset : assets) asset->unload();
    for (MeshAtlasGroup* group : groups_) delete group;
    groups_.clear();
    effects_.release();
    deleteAssets();
}

void DynamicMeshRenderable::queueLoadables() { effects_.queueLoaders(*this); }

void DynamicMeshRenderable::loadQualityTextures() {
    for (MeshAtlasGroup* group : groups_) group->reloadAtlasTextures(*this);
}

void DynamicMeshRenderable::loadAtlasIndex() {
    for (MeshAtlasGroup* group : groups_) group->reloadAtlasIndex();
}

void DynamicMeshRenderable::setUpParamDescriptions(ParameterDescriptionRegistry& registry) {
    std::vector<std::string> names{kClassName};
    for (const std::string& folder : assetFolders)
        for (const FileEntry& file : meshFiles(folder)) names.push_back("Mesh_" + file.name);
    for (const std::string& name : names)
        if (registerDynamicMeshDescription(registry, renderContext(), name)) registeredTypes_.push_back(name);
}

void DynamicMeshRenderable::removeParamDescriptions(ParameterDescriptionRegistry& registry) {
    for (const std::string& name : registeredTypes_) registry.remove(name);
    registeredTypes_.clear();
}

void DynamicMeshRenderable::prepareInstancedArrays() {
    static const std::vector<RenderablePointLight*> none;
    const std::vector<RenderablePointLight*>& lights = manager() ? manager()->pointLights() : none;
    for (RenderableAsset* asset : assets) static_cast<DynamicMeshRenderableAsset*>(asset)->prepareInstances(lights);
}

void DynamicMeshRenderable::drawPass(RenderableDirectionalLight*, const ViewBlock& view, const PassContext& context,
                                     DrawPass pass, float) {
    if (!effects_.ready() || !deviceGlobal) return;
    const bool instanced = instancing();
    // The stream drawn now was prepared after the last culling; this asks for the next one.
    if (instanced && manager() && pass == DrawPass::Colour) manager()->queueForInstancedDrawing(this);
    gfx::Effect* effect = effects_.forPass(pass);
    if (pass == DrawPass::Colour) {
        gfx::beginPerfEvent(kPerfEventColour, "Dynamic Mesh Colour Pass");
        effects_.bindColourPassInputs(view, context);
        if (instanced && manager()) setScenePointLights(effect, manager()->pointLights());
    } else {
        effect->setTechnique(effect->getTechniqueByName(pass == DrawPass::Shadow ? "BuildShadowMapTech" : "BuildDepthMapTech"));
        std::uint32_t passes = 0;
        effect->begin(&passes, 0);
        effect->beginPass(0);
    }
    for (MeshAtlasGroup* group : groups_) {
        if (pass == DrawPass::Colour) {
            effect->setTexture(effect->getParameterByName("gTex"),
                               group->colourLoader() ? group->colourLoader()->texture() : nullptr);
            effect->setTexture(effect->getParameterByName("gNormalTex"),
                               group->normalLoader() ? group->normalLoader()->texture() : nullptr);
            // The effect writes premultiplied colour.
            deviceGlobal->setRenderState(gfx::RenderState::AlphaBlendEnable, 1);
            deviceGlobal->setRenderState(gfx::RenderState::BlendOp, std::uint32_t(gfx::BlendOp::Add));
            deviceGlobal->setRenderState(gfx::RenderState::SrcBlend, std::uint32_t(gfx::Blend::One));
            deviceGlobal->setRenderState(gfx::RenderState::DestBlend, std::uint32_t(gfx::Blend::InvSrcAlpha));
            effect->setTechnique(effect->getTechniqueByName("LightShadowTech"));
            std::uint32_t passes = 0;
            effect->begin(&passes, 0);
            effect->beginPass(0);
        }
        for (RenderableAsset* asset : group->assets) {
            auto* mesh = static_cast<DynamicMeshRenderableAsset*>(asset);
            if (mesh->visibleInstances.empty()) continue;
            mesh->beginRender(pass, context, view);
            if (instanced) {
                mesh->drawInstanced(pass, view);
            } else {
                for (RenderableInstance* instance : mesh->visibleInstances) mesh->renderInstance(instance, view, context, pass);
            }
            mesh->endRender(pass, context, view);
        }
        if (pass == DrawPass::Colour) {
            effect->endPass();
            effect->end();
            deviceGlobal->setRenderState(gfx::RenderState::AlphaBlendEnable, 0);
        }
    }
    if (pass == DrawPass::Colour) {
        gfx::endPerfEvent();
    } else {
        effect->endPass();
        effect->end();
    }
}
