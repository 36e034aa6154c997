#include "scene/basic_cube.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "app/log.h"
#include "app/parameter_description.h"
#include "platform/gfx/buffers.h"
#include "platform/gfx/device.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx/texture.h"
#include "platform/gfx/texture_file.h"
#include "platform/gfx/vertex_declaration.h"
#include "platform/message_box.h"
#include "render/device_global.h"
#include "render/render_interface.h"
#include "render/render_target.h"
#include "render/renderable_instance.h"
#include "render/renderable_light.h"
#include "render/renderable_manager.h"
#include "scene/basic_shape_parameters.h"
#include "scene/declared_description.h"
#include "scene/default_material.h"
#include "scene/dynamic_mesh_asset.h"

namespace {

const char* const kColourEffect = "Data/graphics/3d/effects/UberShader.fx";
const char* const kShadowEffect = "Data/graphics/3d/effects/ShadowUberShader.fx";
const char* const kDepthEffect = "Data/graphics/3d/effects/DepthUberShader.fx";
const char* const kEnvironment = "Data/graphics/3d/global/grassenvmap1024.dds";
const char* const kCrate = "Data/graphics/3d/global/crate.jpg";

} // namespace

const std::vector<BasicCubeVertex>& basicCubeVertices() {
    static const std::vector<BasicCubeVertex> vertices{
        {{-0.5f, -0.5f, -0.5f}, {0, 0, -1}, {1, 0, 0}, {0, 1}},  {{-0.5f, 0.5f, -0.5f}, {0, 0, -1}, {1, 0, 0}, {0, 0}},
        {{0.5f, 0.5f, -0.5f}, {0, 0, -1}, {1, 0, 0}, {1, 0}},    {{0.5f, -0.5f, -0.5f}, {0, 0, -1}, {1, 0, 0}, {1, 1}},
        {{-0.5f, -0.5f, 0.5f}, {0, 0, 1}, {-1, 0, 0}, {1, 1}},   {{0.5f, -0.5f, 0.5f}, {0, 0, 1}, {-1, 0, 0}, {0, 1}},
        {{0.5f, 0.5f, 0.5f}, {0, 0, 1}, {-1, 0, 0}, {0, 0}},     {{-0.5f, 0.5f, 0.5f}, {0, 0, 1}, {-1, 0, 0}, {1, 0}},
        {{-0.5f, 0.5f, -0.5f}, {0, 1, 0}, {0, 0, -1}, {0, 1}},   {{-0.5f, 0.5f, 0.5f}, {0, 1, 0}, {0, 0, -1}, {0, 0}},
        {{0.5f, 0.5f, 0.5f}, {0, 1, 0}, {0, 0, -1}, {1, 0}},     {{0.5f, 0.5f, -0.5f}, {0, 1, 0}, {0, 0, -1}, {1, 1}},
        {{-0.5f, -0.5f, -0.5f}, {0, -1, 0}, {0, 0, 1}, {1, 1}},  {{0.5f, -0.5f, -0.5f}, {0, -1, 0}, {0, 0, 1}, {0, 1}},
        {{0.5f, -0.5f, 0.5f}, {0, -1, 0}, {0, 0, 1}, {0, 0}},    {{-0.5f, -0.5f, 0.5f}, {0, -1, 0}, {0, 0, 1}, {1, 0}},
        {{-0.5f, -0.5f, 0.5f}, {-1, 0, 0}, {0, 1, 0}, {0, 1}},   {{-0.5f, 0.5f, 0.5f}, {-1, 0, 0}, {0, 1, 0}, {0, 0}},
        {{-0.5f, 0.5f, -0.5f}, {-1, 0, 0}, {0, 1, 0}, {1, 0}},   {{-0.5f, -0.5f, -0.5f}, {-1, 0, 0}, {0, 1, 0}, {1, 1}},
        {{0.5f, -0.5f, -0.5f}, {1, 0, 0}, {0, -1, 0}, {0, 1}},   {{0.5f, 0.5f, -0.5f}, {1, 0, 0}, {0, -1, 0}, {0, 0}},
        {{0.5f, 0.5f, 0.5f}, {1, 0, 0}, {0, -1, 0}, {1, 0}},     {{0.5f, -0.5f, 0.5f}, {1, 0, 0}, {0, -1, 0}, {1, 1}},
    };
    return vertices;
}

const std::vector<std::uint16_t>& basicCubeIndices() {
    static const std::vector<std::uint16_t> indices = [] {
        std::vector<std::uint16_t> made;
        for (std::uint16_t f = 0; f < 6; ++f)
            for (std::uint16_t corner : {0, 1, 2, 2, 3, 0}) made.push_back(std::uint16_t(4 * f + corner));
        return made;
    }();
    return indices;
}

BasicCubeRenderableAsset::BasicCubeRenderableAsset(ThreadResourcePool* renderContext, BaseRenderable* owner)
    : RenderableAsset(kBasicCubeType, renderContext, owner, false) {
    initBoundingBoxes(bounds_);
    bounds_.local = {{-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f}};
}

BasicCubeRenderableAsset::~BasicCubeRenderableAsset() { unload(); }

void BasicCubeRenderableAsset::onLostDevice() {
    for (gfx::Effect* effect : {colour_, shadow_, depth_})
        if (effect) effect->onLostDevice();
}

void BasicCubeRenderableAsset::onResetDevice() {
    for (gfx::Effect* effect : {colour_, shadow_, depth_})
        if (effect) effect->onResetDevice();
}

void BasicCubeRenderableAsset::loadStage2() {
    if (!deviceGlobal) return;
    unload();
    const std::vector<BasicCubeVertex>& table = basicCubeVertices();
    const std::vector<std::uint16_t>& order = basicCubeIndices();
    const auto vertexBytes = std::uint32_t(table.size() * sizeof(BasicCubeVertex));
    const auto indexBytes = std::uint32_t(order.size() * sizeof(std::uint16_t));
    void* data = nullptr;
    if (gfx::succeeded(deviceGlobal->createVertexBuffer(vertexBytes, gfx::Usage::WriteOnly, gfx::Pool::Managed, &vertices_)) &&
        gfx::succeeded(vertices_->lock(0, 0, &data, 0))) {
        std::memcpy(data, table.data(), vertexBytes);
        vertices_->unlock();
    }
    if (gfx::succeeded(deviceGlobal->createIndexBuffer(indexBytes, gfx::Usage::WriteOnly, gfx::Format::Index16,
                                                       gfx::Pool::Managed, &indices_)) &&
        gfx::succeeded(indices_->lock(0, 0, &data, 0))) {
        std::memcpy(data, order.data(), indexBytes);
        indices_->unlock();
    }
    if (gfx::failed(gfx::createTextureFromFile(deviceGlobal, kCrate, &crate_)))
        LOG_MESSAGE("Basic cube: unable to load the texture %s", kCrate);
    // The lit effect bends its normals by a normal map; the cube's faces are flat.
    gfx::LockedRect texel;
    if (gfx::succeeded(deviceGlobal->createTexture(1, 1, 1, 0, gfx::Format::A8R8G8B8, gfx::Pool::Managed, &flatNormal_)) &&
        gfx::succeeded(flatNormal_->lockRect(0, texel, nullptr, 0))) {
        *static_cast<std::uint32_t*>(texel.bits) = 0xFF8080FFu;
        flatNormal_->unlockRect(0);
    }
}

void BasicCubeRenderableAsset::setEffects(gfx::Effect* colour, gfx::Effect* shadow, gfx::Effect* depth) {
    colour_ = colour;
    shadow_ = shadow;
    depth_ = depth;
}

void BasicCubeRenderableAsset::refreshEffectHandles() {
    colourHandles_ = {};
    shadowLightWvp_ = shadowLightViewProjection_ = 0;
    depthLocalToScreen_ = depthLocalToCamera_ = depthViewProjection_ = depthView_ = 0;
    if (colour_) {
        ColourHandles& h = colourHandles_;
        h.wvp = colour_->getParameterByName("gWVP");
        h.world = colour_->getParameterByName("gWorld");
        h.material = colour_->getParameterByName("gMtrl");
        h.eye = colour_->getParameterByName("gEyePosW");
        h.texture = colour_->getParameterByName("gTex");
        h.light = colour_->getParameterByName("gLight");
        const char* names[] = {"gPointLight1", "gPointLight2", "gPointLight3", "gPointLight4"};
        for (int k = 0; k < 4; ++k) h.pointLights[k] = colour_->getParameterByName(names[k]);
        h.highlight = colour_->getParameterByName("gHighlightColour");
        h.normalTexture = colour_->getParameterByName("gNormalTex");
        h.lightWvp = colour_->getParameterByName("gLightWVP");
        h.viewProjection = colour_->getParameterByName("gViewProj");
        h.lightViewProjection = colour_->getParameterByName("gLightVP");
        h.scenePointLights = colour_->getParameterBySemantic("INSTANCE_POINTLIGHTS_ARRAY");
    }
    if (shadow_) {
        shadowLightWvp_ = shadow_->getParameterByName("gLightWVP");
        shadowLightViewProjection_ = shadow_->getParameterByName("gLightVP");
    }
    if (depth_) {
        depthLocalToScreen_ = depth_->getParameterByName("g_local_to_screen");
        depthLocalToCamera_ = depth_->getParameterByName("g_local_to_camera");
        depthViewProjection_ = depth_->getParameterByName("gDepthViewProj");
        depthView_ = depth_->getParameterByName("gDepthView");
    }
}

void BasicCubeRenderableAsset::unload() {
    gfx::safeRelease(vertices_);
    gfx::safeRelease(indices_);
    gfx::safeRelease(crate_);
    gfx::safeRelease(flatNormal_);
    gfx::safeRelease(instancedDeclaration_);
    instanceStream_.release();
}

gfx::Effect* BasicCubeRenderableAsset::effectOf(DrawPass pass) const {
    return pass == DrawPass::Shadow ? shadow_ : pass == DrawPass::Depth ? depth_ : colour_;
}

void BasicCubeRenderableAsset::beginRender(DrawPass, const PassContext&, const ViewBlock&) {
    pending_.clear();
    pendingLight_ = nullptr;
}

void BasicCubeRenderableAsset::renderInstance(RenderableInstance* instance, const ViewBlock&, const PassContext&,
                                              DrawPass pass) {
    if (!instance || !effectOf(pass) || !vertices_ || !indices_) return;
    const RenderableDirectionalLight* light = instance->directionalLight();
    if (!light) return;
    if (!pendingLight_) pendingLight_ = light;
    InstanceRecord record{};
    const gfx::Matrix& world = instance->worldMatrix();
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column) record.worldRows[row][column] = world.m[column][row];
    const SimpleParameterGroup* parameters = instance->pair() ? instance->pair()->renderGroup() : nullptr;
    const Vector4Value highlight = declared::read(parameters, BasicCubeParameters::highlightColour);
    // The lit effect scales a mesh's alpha by its highlight's; a cube's highlight only adds colour.
    record.highlight[0] = highlight[0];
    record.highlight[1] = highlight[1];
    record.highlight[2] = highlight[2];
    record.highlight[3] = 1.0f;
    const std::vector<RenderablePointLight*>* sceneLights = owner() && owner()->manager() ? &owner()->manager()->pointLights() : nullptr;
    for (std::size_t k = 0; k < 4; ++k) {
        record.lights[k] = -1.0f;
        const RenderablePointLight* pointLight = instance->getPointLight(k);
        if (!pointLight || !sceneLights) continue;
        const auto found = std::find(sceneLights->begin(), sceneLights->end(), pointLight);
        if (found != sceneLights->end() && std::size_t(found - sceneLights->begin()) < kInstancedSceneLights)
            record.lights[k] = float(found - sceneLights->begin());
    }
    pending_.push_back(record);
}

bool BasicCubeRenderableAsset::makeInstanceStream(std::uint32_t count) {
    if (!instancedDeclaration_) {
        std::vector<gfx::VertexElement> elements = vdMesh ? vdMesh->elements() : std::vector<gfx::VertexElement>{};
        if (elements.empty()) return false;
        for (std::uint8_t set = 1; set <= 3; ++set)
            elements.push_back({1, std::uint16_t((set - 1) * 16), gfx::DeclType::Float4, 0, gfx::DeclUsage::TexCoord, set});
        elements.push_back({1, 48, gfx::DeclType::Float4, 0, gfx::DeclUsage::Color, 1});
        elements.push_back({1, 64, gfx::DeclType::Float4, 0, gfx::DeclUsage::BlendIndices, 0});
        if (gfx::failed(deviceGlobal->createVertexDeclaration(elements, &instancedDeclaration_))) return false;
    }
    return instanceStream_.upload(pending_.data(), count, std::uint32_t(sizeof(InstanceRecord)));
}

void BasicCubeRenderableAsset::endRender(DrawPass pass, const PassContext&, const ViewBlock& view) {
    gfx::Effect* effect = effectOf(pass);
    if (pending_.empty() || !effect || !deviceGlobal) return;
    const auto count = std::uint32_t(pending_.size());
    if (!makeInstanceStream(count)) return;
    const gfx::Matrix& lightViewProjection = pendingLight_->shadowViewProjection();
    switch (pass) {
    case DrawPass::Shadow:
        effect->setMatrix(shadowLightViewProjection_, lightViewProjection);
        break;
    case DrawPass::Depth:
        effect->setMatrix(depthViewProjection_, view.viewProjection);
        effect->setMatrix(depthView_, view.view);
        break;
    case DrawPass::Colour: {
        const ColourHandles& h = colourHandles_;
        effect->setMatrix(h.viewProjection, view.viewProjection);
        effect->setMatrix(h.lightViewProjection, lightViewProjection);
        effect->setValue(h.light, &pendingLight_->record(), sizeof(DirectionalLightRecord));
        const MeshMaterial material = defaultMeshMaterial();
        effect->setValue(h.material, &material, sizeof material);
        effect->setVector(h.eye, gfx::Vector4{view.eye.x, view.eye.y, view.eye.z, 1.0f});
        effect->setTexture(h.texture, crate_);
        effect->setTexture(h.normalTexture, flatNormal_);
        static const std::vector<RenderablePointLight*> none;
        setScenePointLights(effect, owner() && owner()->manager() ? owner()->manager()->pointLights() : none);
        break;
    }
    }
    effect->commitChanges();
    gfx::Device* device = deviceGlobal;
    device->setVertexDeclaration(instancedDeclaration_);
    device->setStreamSource(0, vertices_, 0, sizeof(BasicCubeVertex));
    device->setStreamSourceFreq(0, gfx::StreamSource::IndexedData | count);
    device->setStreamSource(1, instanceStream_.buffer(), 0, sizeof(InstanceRecord));
    device->setStreamSourceFreq(1, gfx::StreamSource::InstanceData | 1u);
    device->setIndices(indices_);
    device->drawIndexedPrimitive(gfx::PrimitiveType::TriangleList, 0, 0, 24, 0, 12);
    device->setStreamSourceFreq(0, 1);
    device->setStreamSourceFreq(1, 1);
    device->setStreamSource(1, nullptr, 0, 0);
    ++draws_;
    drawnInstances_ += count;
    pending_.clear();
}

BasicCubeRenderable::BasicCubeRenderable(ThreadResourcePool* renderContext, RenderInterface* renderInterface,
                                         RenderableManager* manager)
    : BaseRenderable(renderContext, "BasicCubeRenderable", manager), renderInterface_(renderInterface) {
    drawOrder = 0;
}

BasicCubeRenderable::~BasicCubeRenderable() {
    releaseEffects();
    deleteAssets();
}

void BasicCubeRenderable::loadAssets() {
    auto* asset = new BasicCubeRenderableAsset(renderContext(), this);
    asset->loadStage1();
    if (manager()) manager()->registerAsset(asset);
    assets.push_back(asset);
}

void BasicCubeRenderable::unloadInstances() {
    for (RenderableAsset* asset : assets) asset->visibleInstances.clear();
}

void BasicCubeRenderable::createEffects() {
    if (!deviceGlobal) return;
    releaseEffects();
    RenderSettings settings;
    if (renderInterface_) settings = renderInterface_->renderSettings();
    const bool level3 = settings.shaderLevel >= 3;
    const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    // Instanced at every level: the cubes' values travel in the instance stream.
    const std::vector<gfx::EffectMacro> macros{{"SHADOWS_ENABLED", flag(level3 && settings.shadows)},
                                               {"SSAO_ENABLED", flag(level3 && settings.ssao)},
                                               {"SM3_ENABLED", flag(level3)},
                                               {"SHADER_INSTANCED", "1"}};
    for (auto [path, slot] : {std::pair{kColourEffect, &colour_}, std::pair{kShadowEffect, &shadow_},
                              std::pair{kDepthEffect, &depth_}}) {
        std::string errors;
        if (gfx::failed(gfx::createEffectFromFile(deviceGlobal, path, macros, slot, &errors))) {
            *slot = nullptr;
            LOG_MESSAGE("Basic cube: unable to make the effect %s", path);
            platform::showMessageBox("", errors);
        }
    }
    if (gfx::failed(gfx::createCubeTextureFromFile(deviceGlobal, kEnvironment, &environment_)))
        LOG_MESSAGE("Basic cube: unable to load the texture %s", kEnvironment);
    if (colour_) {
        colourTechnique_ = colour_->getTechniqueByName("LightShadowTech");
        shadowMap_ = colour_->getParameterByName("gShadowMap");
        depthMap_ = colour_->getParameterByName("gDepthMap");
        lowDepthMap_ = colour_->getParameterByName("gLowDepthMap");
        environmentMap_ = colour_->getParameterByName("gEnvTex");
        colour_->setTexture(environmentMap_, environment_);
    }
    if (shadow_) shadowTechnique_ = shadow_->getTechniqueByName("BuildShadowMapTech");
    if (depth_) depthTechnique_ = depth_->getTechniqueByName("BuildDepthMapTech");
    for (RenderableAsset* asset : assets) static_cast<BasicCubeRenderableAsset*>(asset)->setEffects(colour_, shadow_, depth_);
}

void BasicCubeRenderable::releaseEffects() {
    for (RenderableAsset* asset : assets) static_cast<BasicCubeRenderableAsset*>(asset)->setEffects(nullptr, nullptr, nullptr);
    gfx::safeRelease(colour_);
    gfx::safeRelease(shadow_);
    gfx::safeRelease(depth_);
    gfx::safeRelease(environment_);
}

void BasicCubeRenderable::releaseAssets() {
    releaseEffects();
    deleteAssets();
}

void BasicCubeRenderable::setUpParamDescriptions(ParameterDescriptionRegistry& registry) {
    declared::registerDescription(registry, renderContext(), kBasicCubeType, BasicCubeParameters::castShadow,
                                  BasicCubeParameters::flipColour, BasicCubeParameters::highlightColour);
}

void BasicCubeRenderable::removeParamDescriptions(ParameterDescriptionRegistry& registry) {
    registry.remove(kBasicCubeType);
}

void BasicCubeRenderable::drawPass(RenderableDirectionalLight*, const ViewBlock& view, const PassContext& context,
                                   DrawPass pass, float) {
    gfx::Effect* effect = pass == DrawPass::Shadow ? shadow_ : pass == DrawPass::Depth ? depth_ : colour_;
    if (!effect) return;
    const bool any = std::any_of(assets.begin(), assets.end(),
                                 [](const RenderableAsset* asset) { return !asset->visibleInstances.empty(); });
    if (!any) return;
    if (pass == DrawPass::Colour) {
        gfx::beginPerfEvent(0xFFFFFFFFu, "Basic Cube Colour Pass");
        RenderSettings settings;
        if (renderInterface_) settings = renderInterface_->renderSettings();
        RenderTarget* shadowMap = context.targets[PassContext::BlurredShadowMap];
        RenderTarget* normals = context.targets[PassContext::Normals];
        RenderTarget* occlusion = context.targets[PassContext::Ssao];
        if (settings.shadows && shadowMap) effect->setTexture(shadowMap_, shadowMap->sampledTexture());
        if (settings.ssao && normals && occlusion) {
            effect->setTexture(depthMap_, normals->sampledTexture());
            effect->setTexture(lowDepthMap_, occlusion->sampledTexture());
        }
    }
    effect->setTechnique(pass == DrawPass::Shadow ? shadowTechnique_ : pass == DrawPass::Depth ? depthTechnique_ : colourTechnique_);
    std::uint32_t passes = 0;
    effect->begin(&passes, 0);
    effect->beginPass(0);
    for (RenderableAsset* asset : assets) {
        if (asset->visibleInstances.empty()) continue;
        asset->beginRender(pass, context, view);
        for (RenderableInstance* instance : asset->visibleInstances) asset->renderInstance(instance, view, context, pass);
        asset->endRender(pass, context, view);
    }
    effect->endPass();
    effect->end();
    if (pass == DrawPass::Colour) gfx::endPerfEvent();
}
