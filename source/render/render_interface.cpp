#include "render/render_interface.h"

#include <algorithm>
#include <set>

#include "app/game_settings.h"
#include "app/log.h"
#include "render/hand_off_task.h"
#include "render/light_parameters.h"
#include "render/render_camera.h"
#include "render/ui_dump.h"

namespace {

const char* const glyphSet =
    " abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
    "?!.,;:'+-*&()<>%/_\\|[]{}#`=^"
    "\t$\xA3@~";

const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

} // namespace

RenderInterface::RenderInterface(ParameterDescriptionRegistry* registry, ThreadResourcePool* renderPool,
                                 std::uint32_t width, std::uint32_t height, const char* workingDirectory)
    : renderPool_(renderPool), workingDirectory_(workingDirectory ? workingDirectory : ""), glyphCharacterSet_(glyphSet) {
    parameterManager_ = new ParameterManager(registry, renderPool, sizeof(UIObject));
    updateSettings_.width = renderSettings_.width = width;
    updateSettings_.height = renderSettings_.height = height;
    // Identity matrices until a camera first hands over its view.
    std::copy(identity, identity + 16, cameraBlock_.view);
    std::copy(identity, identity + 16, cameraBlock_.projection);
    std::fill(cameraBlock_.eyePosition, cameraBlock_.eyePosition + 3, 0.0f);
    std::fill(cameraBlock_.target, cameraBlock_.target + 3, 0.0f);
    std::fill(cameraBlock_.lightDirection, cameraBlock_.lightDirection + 3, 0.0f);
    cameraBlock_.perspective = 0;
    loadFontList();
    loadColourIdDatabase();
}

RenderInterface::~RenderInterface() {
    // An object can sit in a queue and in the live list at once: free each one once.
    std::set<RenderableObject*> objects(objectsToAdd_.begin(), objectsToAdd_.end());
    objects.insert(meshObjectsToLoad_.begin(), meshObjectsToLoad_.end());
    objects.insert(objectsToDelete_.begin(), objectsToDelete_.end());
    for (auto& entry : liveObjects_) objects.insert(entry.second);
    objects.insert(lightsToAdd_.begin(), lightsToAdd_.end());
    objects.insert(lightsToDelete_.begin(), lightsToDelete_.end());
    objects.insert(liveLights_.begin(), liveLights_.end());
    for (RenderableObject* object : objects) delete object;

    std::set<Region*> regions(regionsToAdd_.begin(), regionsToAdd_.end());
    regions.insert(regionsToDelete_.begin(), regionsToDelete_.end());
    regions.insert(liveRegions_.begin(), liveRegions_.end());
    for (Region* region : regions) delete region;

    std::set<UIObject*> uiObjects(uiObjectsToAdd_.begin(), uiObjectsToAdd_.end());
    uiObjects.insert(texturedRectsToAdd_.begin(), texturedRectsToAdd_.end());
    uiObjects.insert(uiObjectsToDelete_.begin(), uiObjectsToDelete_.end());
    uiObjects.insert(liveUIObjects_.begin(), liveUIObjects_.end());
    uiObjects.erase(nullptr);
    for (UIObject* object : uiObjects) delete object;

    delete parameterManager_;
    releaseFonts();
}

bool RenderInterface::mayChangeObjects() {
    const platform::ThreadId self = platform::currentThreadId();
    if (self == ownerThreadId_.load()) return true;
    if (self == handOffThreadId_.load()) {
        objectsChangedInHandOff_ = true;
        return true;
    }
    if (!refusalLogged_.exchange(true)) {
        LOG_MESSAGE("Render objects are made and destroyed on the update thread or in the hand-off only; a call from "
                    "another thread was refused");
    }
    return false;
}

void RenderInterface::beginHandOff() {
    objectsChangedInHandOff_ = false;
    handOffThreadId_.store(platform::currentThreadId());
}

void RenderInterface::endHandOff() { handOffThreadId_.store(0); }

RenderInterface::RenderableObject* RenderInterface::createRenderObject(const std::string& typeName,
                                                                        const float initialMatrix[16]) {
    if (!mayChangeObjects()) return nullptr;
    ParameterManager::ParameterGroupPair* pair = parameterManager_->createGroupPair(typeName);
    if (!pair) {
        LOG_MESSAGE("Unable to create render object of type %s", typeName.c_str());
        return nullptr;
    }
    auto* object = new RenderableObject(typeName, pair, initialMatrix ? initialMatrix : identity);
    objectsToAdd_.push_back(object);
    liveObjects_.emplace(typeName, object);
    return object;
}

void RenderInterface::destroyRenderObject(RenderableObject* object) {
    if (!object || !mayChangeObjects()) return;
    if (object->destroyed) return;
    object->destroyed = 1;
    if (object->waiting) {
        auto queued = std::find(objectsToAdd_.begin(), objectsToAdd_.end(), object);
        if (queued != objectsToAdd_.end()) objectsToAdd_.erase(queued);
    }
    auto range = liveObjects_.equal_range(object->typeName());
    for (auto entry = range.first; entry != range.second; ++entry) {
        if (entry->second == object) {
            objectsToDelete_.push_back(object);
            liveObjects_.erase(entry);
            return;
        }
    }
}

RenderInterface::RenderableObject* RenderInterface::createLight(const std::string& typeName) {
    if (!mayChangeObjects()) return nullptr;
    const bool pointLight = typeName == kPointLightType;
    ParameterManager::ParameterGroupPair* pair = nullptr;
    if (isLightType(typeName)) {
        // Room for what every render object adds ("matrix", "skeleton") and a point light's three.
        pair = pointLight ? parameterManager_->createGroupPair(
                                typeName, {ParameterKind::Matrix, ParameterKind::MatrixVector, ParameterKind::Float,
                                           ParameterKind::Vector3, ParameterKind::Vector3})
                          : parameterManager_->createGroupPair(typeName,
                                                               {ParameterKind::Matrix, ParameterKind::MatrixVector});
    }
    if (!pair) {
        LOG_MESSAGE("Unable to create light of type %s", typeName.c_str());
        return nullptr;
    }
    auto* light = new RenderableObject(typeName, pair, identity);
    if (pointLight) {
        ParameterGroupInterface& group = *pair->updateGroup();
        declared::add(group, PointLightParameters::radius);
        declared::add(group, PointLightParameters::position);
        declared::add(group, PointLightParameters::colour);
    }
    lightsToAdd_.push_back(light);
    liveLights_.push_back(light);
    return light;
}

void RenderInterface::destroyLight(RenderableObject* light) {
    if (!light || !mayChangeObjects() || light->destroyed) return;
    light->destroyed = 1;
    if (light->waiting) lightsToAdd_.remove(light);
    auto live = std::find(liveLights_.begin(), liveLights_.end(), light);
    if (live == liveLights_.end()) return;
    liveLights_.erase(live);
    lightsToDelete_.push_back(light);
}

RenderInterface::Region* RenderInterface::createRegion(float ax, float az, float bx, float bz) {
    if (!mayChangeObjects()) return nullptr;
    auto* region = new Region{{ax, az}, {bx, bz}};
    regionsToAdd_.push_back(region);
    liveRegions_.push_back(region);
    return region;
}

void RenderInterface::destroyRegion(Region* region) {
    if (!region || !mayChangeObjects() || region->destroyed) return;
    region->destroyed = 1;
    if (region->waiting) regionsToAdd_.remove(region);
    auto live = std::find(liveRegions_.begin(), liveRegions_.end(), region);
    if (live == liveRegions_.end()) return;
    liveRegions_.erase(live);
    regionsToDelete_.push_back(region);
}

RenderInterface::UIObject* RenderInterface::createUIObject(const std::string& typeName) {
    if (!mayChangeObjects()) return nullptr;
    // Room for the render layer every UI object adds.
    ParameterManager::ParameterGroupPair* pair =
        parameterManager_->createGroupPair(typeName, {ParameterKind::UnsignedInt});
    if (!pair) {
        LOG_MESSAGE("Unable to create ui object of type %s", typeName.c_str());
        return nullptr;
    }
    auto* object = new (pair) UIObject(pair, typeName);
    uiObjectsToAdd_.push_back(object);
    liveUIObjects_.insert(object);
    return object;
}

std::string RenderInterface::texturedRectName(const std::string& fileName) {
    // Up to the last dot, as the render side names the image's asset: "sir.j.png" is "sir.j".
    return "tex_rect_" + fileName.substr(0, fileName.rfind('.'));
}

RenderInterface::UIObject* RenderInterface::createTexturedRectObject(const std::string& renderableClassName,
                                                                     const std::string& folder,
                                                                     const std::string& fileName) {
    if (!mayChangeObjects()) return nullptr;
    ParameterManager::ParameterGroupPair* pair =
        parameterManager_->createGroupPair(renderableClassName, {ParameterKind::UnsignedInt});
    if (!pair) {
        LOG_MESSAGE("Unable to create ui object of type %s", renderableClassName.c_str());
        return nullptr;
    }
    auto* object = new (pair) UIObject(pair, texturedRectName(fileName));
    object->setStrings(renderableClassName, folder, fileName);
    texturedRectsToAdd_.push_back(object);
    liveUIObjects_.insert(object);
    return object;
}

void RenderInterface::destroyUIObject(UIObject* object) {
    if (!object || !mayChangeObjects()) return;
    // Looked up by address first: a destroyed object may be gone already.
    if (!liveUIObjects_.erase(object)) return;
    // Nothing draws it again, so values set on it since the last hand-off need not cross.
    if (object->pair()) object->pair()->live = false;
    uiObjectsToDelete_.push_back(object);
}

void RenderInterface::setRenderSettings(const GameSettings& s, const RenderSettingsRequests& requests) {
    setRenderSettings(static_cast<std::uint32_t>(s.width), static_cast<std::uint32_t>(s.height), requests.displayChange,
                      s.shadows, s.ssao, requests.effectReload, s.postProcessing, s.instancing, s.fullscreen,
                      s.multisampling, static_cast<std::uint32_t>(s.multisamplingType), s.vsync, s.texDetail,
                      s.shadowDetail, s.mainFont, s.boldFont, s.shadowEpsilonPercent, requests.qualityReload);
}

void RenderInterface::setRenderSettings(std::uint32_t width, std::uint32_t height, std::uint8_t displayChangeRequested,
                                        std::uint8_t shadows, std::uint8_t ssao, std::uint8_t effectReloadRequested,
                                        std::uint8_t postProcessing, std::uint8_t instancing, std::uint8_t fullScreen,
                                        std::uint8_t multisampling, std::uint32_t multisamplingType,
                                        std::uint8_t verticalSync, const std::string& textureDetail,
                                        const std::string& shadowDetail, const std::string& mainFontName,
                                        const std::string& boldFontName, int shadowEpsilonPercentage,
                                        std::uint8_t qualityReloadRequested) {
    RenderSettings& s = updateSettings_;
    s.width = width;
    s.height = height;
    s.displayChangeRequested = displayChangeRequested;
    s.shadows = shadows;
    s.ssao = ssao;
    s.effectReloadRequested = effectReloadRequested;
    s.postProcessing = postProcessing;
    s.instancing = instancing;
    s.fullScreen = fullScreen;
    s.multisampling = multisampling;
    s.multisamplingType = multisamplingType;
    s.verticalSync = verticalSync;
    s.textureDetail = textureDetail;
    s.shadowDetail = shadowDetail;
    s.qualityReloadRequested = qualityReloadRequested;
    mainFontName_ = mainFontName;
    boldFontName_ = boldFontName;
    // Single precision, in this order; 0.0040000007 is deliberate (one step above 0.004f).
    float epsilon = static_cast<float>(shadowEpsilonPercentage);
    epsilon = epsilon * 0.01f;
    epsilon = epsilon * 0.0040000007f;
    s.shadowEpsilon = epsilon + 0.012f;
}

void RenderInterface::requestSceneChange(const std::string& sceneName) {
    sceneName_ = sceneName;
    sceneChangeRequest_ = 1;
}

bool RenderInterface::takeSceneChangeRequest() {
    if (!sceneChangeRequest_) return false;
    sceneChangeRequest_ = 0;
    return true;
}

void RenderInterface::swapFrame() {
    // The render settings; the one-shot requests cross exactly once.
    updateSettings_.shaderLevel = shaderLevel_;
    renderSettings_ = updateSettings_;
    updateSettings_.displayChangeRequested = 0;
    updateSettings_.effectReloadRequested = 0;
    updateSettings_.qualityReloadRequested = 0;

    // Changed parameters. Pairs retired at the last hand-off are normally freed by the render
    // state right after it; what is left (no state did) goes now, before more are retired.
    uidump::atHandOff(*this);
    parameterManager_->releaseRetiredPairs();
    parameterManager_->sync();

    // The camera exchange: the active camera's view reaches the render side, whose
    // projection goes back to the camera.
    if (activeCamera_) {
        const gfx::Matrix& view = activeCamera_->getViewMatrix();
        std::copy(view.data(), view.data() + 16, cameraBlock_.view);
        const gfx::Vector3& eye = activeCamera_->getPosition();
        cameraBlock_.eyePosition[0] = eye.x;
        cameraBlock_.eyePosition[1] = eye.y;
        cameraBlock_.eyePosition[2] = eye.z;
        if (const gfx::Vector3* target = activeCamera_->getTarget()) {
            cameraBlock_.target[0] = target->x;
            cameraBlock_.target[1] = target->y;
            cameraBlock_.target[2] = target->z;
        }
        const gfx::Vector3& light = activeCamera_->getRenderVector();
        cameraBlock_.lightDirection[0] = light.x;
        cameraBlock_.lightDirection[1] = light.y;
        cameraBlock_.lightDirection[2] = light.z;
        cameraBlock_.perspective = activeCamera_->getRenderFlag() ? 1 : 0;
        gfx::Matrix projection;
        std::copy(cameraBlock_.projection, cameraBlock_.projection + 16, projection.data());
        activeCamera_->setProjectionMatrix(projection);
    }

    // Hand-off tasks joining, leaving and running.
    for (HandOffTask* task : tasksToAdd_) activeTasks_.push_back(task);
    tasksToAdd_.clear();
    for (HandOffTask* task : tasksToRemove_) activeTasks_.remove(task);
    tasksToRemove_.clear();
    for (HandOffTask* task : activeTasks_) {
        if (task->wantsToRun()) task->run();
    }

    // The vertex query's results, once the render side has them.
    if (vertexQueryReady) {
        vertexQueryPoints = vertexQueryPointsRender;
        vertexQueryIndices = vertexQueryIndicesRender;
        vertexQueryRequest = 0;
        vertexQueryReady = 0;
    }

    // What the render side publishes: scene height, render state and loading progress.
    sceneHeightFractionUpdate_ = sceneHeightFractionRender_;
    renderStateNameUpdate_ = renderStateNameRender_;
    renderStateStatusUpdate_ = renderStateStatusRender_;
    loadingProgressUpdate_ = loadingProgressRender_;

    // While a state simply runs there is no scene change for these flags to speak about.
    if (!sceneChangeRequest_ && renderStateStatusRender_ == 7) {
        updateSideReadyUpdate_ = 0;
        handOverAllowedUpdate_ = 0;
    } else {
        updateSideReadyRender_ = updateSideReadyUpdate_;
        handOverAllowedRender_ = handOverAllowedUpdate_;
    }

    // The game state's status, for the render state to read.
    gameStateStatusRender_ = gameStateStatusUpdate_;

    // Lightmap requests: a delayed rebuild reaches rebuild one swap after a plain rebuild request.
    if (lightmapToggleRequest) {
        lightmapToggleRequest = 0;
        lightmapToggle = 1;
    }
    if (lightmapRebuildRequest) {
        lightmapRebuildRequest = 0;
        lightmapRebuild = 1;
    }
    if (lightmapDelayedRebuildRequest) {
        lightmapDelayedRebuildRequest = 0;
        lightmapRebuildRequest = 1;
    }
}
