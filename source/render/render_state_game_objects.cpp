// The game render state's part of the frame hand-off: the scene's descriptions, the objects,
// lights, regions and mesh requests the update side queued, and the UI objects. Everything that
// the update thread also reaches (the queues, the deletion lists, the description registry) is
// touched here only, while it is parked.
#include <algorithm>
#include <unordered_set>

#include "app/parameter_manager.h"
#include "render/loader_worker.h"
#include "render/render_state_game.h"
#include "render/renderable_manager.h"
#include "render/ui_draw_interface.h"

namespace {

template <class T>
void purge(std::list<T*>& list, const std::unordered_set<T*>& doomed) {
    if (list.empty() || doomed.empty()) return;
    list.remove_if([&doomed](T* item) { return doomed.count(item) != 0; });
}

} // namespace

void RenderStateGame::processPendingObjects() {
    if (!renderInterface_) return;
    if (manager_ && loadStartPending_) {
        if (registry_) manager_->registerDescriptions(*registry_);
        loadStartPending_ = false;
        RenderableManager* manager = manager_.get();
        firstWorker_ = std::make_unique<LoaderWorker>([manager] { manager->queueRenderAssetLoading(); });
    }
    switch (status()) {
    case Running:
    case WaitingForSceneContent:
        addPendingSceneObjects();
        advanceMeshRequests();
        takeUIObjects();
        removePendingSceneObjects();
        removePendingUIObjects();
        break;
    case Unloading:
        // The unload worker empties the assets' lists: deletions wait for it.
        if (!unloadWorker_ || unloadWorker_->isDone()) removePendingSceneObjects();
        break;
    case Unloaded:
        removePendingSceneObjects();
        if (manager_ && registry_) manager_->removeDescriptions(*registry_);
        break;
    default:
        break;
    }
}

void RenderStateGame::addPendingSceneObjects() {
    if (!manager_) return;
    std::list<RenderInterface::RenderableObject*>& objects = renderInterface_->objectsToAdd();
    for (int taken = 0; taken < kObjectBudget && !objects.empty(); ++taken) {
        RenderInterface::RenderableObject* object = objects.front();
        objects.pop_front();
        if (RenderableAsset* asset = manager_->findAsset(object->typeName())) manager_->addInstance(object, asset);
    }
    std::list<RenderInterface::Region*>& regions = renderInterface_->regionsToAdd();
    for (int taken = 0; taken < kRegionBudget && !regions.empty(); ++taken) {
        manager_->addRegion(regions.front());
        regions.pop_front();
    }
    std::list<RenderInterface::RenderableObject*>& lights = renderInterface_->lightsToAdd();
    for (int taken = 0; taken < kLightBudget && !lights.empty(); ++taken) {
        manager_->addLight(lights.front());
        lights.pop_front();
    }
    if (renderInterface_->updateSideReadyForRender()) scenePopulated_ = objects.empty() && lights.empty();
}

void RenderStateGame::advanceMeshRequests() {
    if (!manager_) return;
    std::list<RenderInterface::RenderableObject*>& requests = renderInterface_->meshObjectsToLoad();
    RenderableManager* manager = manager_.get();
    for (auto it = requests.begin(); it != requests.end();) {
        RenderInterface::RenderableObject* object = *it;
        std::unique_ptr<LoaderWorker>& worker = meshWorkers_[object];
        const std::string className = object->renderableClassName, folder = object->folder, file = object->fileName;
        switch (object->meshLoadStage) {
        case 0:
            // Mesh loads fill the renderables: one worker at a time works on them.
            if (!workerRunning()) {
                worker = std::make_unique<LoaderWorker>(
                    [manager, className, folder, file] { manager->loadMeshAssetByName(className, folder, file); });
                object->meshLoadStage = 1;
            }
            ++it;
            break;
        case 1:
            if (worker && worker->isDone()) {
                manager->prepareMeshByName(className, folder, file);
                worker = std::make_unique<LoaderWorker>(
                    [manager, className, folder, file] { manager->fillMeshTexturesByName(className, folder, file); });
                object->meshLoadStage = 2;
            }
            ++it;
            break;
        case 2:
            if (worker && worker->isDone()) {
                manager->finishMeshByName(className, folder, file);
                worker.reset();
                object->meshLoadStage = 3;
            }
            ++it;
            break;
        case 3:
            manager->addInstanceByName(object);
            object->meshLoadStage = 4;
            meshWorkers_.erase(object);
            requests.erase(it);
            return;
        default:
            meshWorkers_.erase(object);
            requests.erase(it);
            return;
        }
    }
}

void RenderStateGame::takeUIObjects() {
    std::list<RenderInterface::UIObject*>& additions = renderInterface_->uiObjectsToAdd();
    for (RenderInterface::UIObject* object : additions) {
        if (ui_) ui_->addInstance(object);
    }
    additions.clear();
    std::list<RenderInterface::UIObject*>& texturedRects = renderInterface_->texturedRectsToAdd();
    for (RenderInterface::UIObject* object : texturedRects) {
        // Ready whatever the UI makes of the image: the scene's screens never wait on one.
        if (ui_) ui_->prepareObject(object->renderableClassName(), object->folder(), object->fileName(),
                               object->pair()->updateGroup());
        object->setStatus(RenderInterface::UIObject::Ready);
        if (ui_) ui_->addInstance(object);
    }
    texturedRects.clear();
}

void RenderStateGame::removePendingSceneObjects() {
    ParameterManager* parameters = renderInterface_->parameterManager();
    std::list<RenderInterface::RenderableObject*>& deletions = renderInterface_->objectsToDelete();
    if (!deletions.empty()) {
        // A deleted object still queued anywhere is never taken over later.
        const std::unordered_set<RenderInterface::RenderableObject*> doomed(deletions.begin(), deletions.end());
        purge(renderInterface_->objectsToAdd(), doomed);
        purge(renderInterface_->meshObjectsToLoad(), doomed);
        for (RenderInterface::RenderableObject* object : deletions) {
            // Waits for a mesh worker still loading for it.
            meshWorkers_.erase(object);
            if (manager_) manager_->removeInstance(object);
            parameters->addPendingDeletion(object->pair());
            delete object;
        }
        deletions.clear();
    }
    std::list<RenderInterface::Region*>& regions = renderInterface_->regionsToDelete();
    if (!regions.empty()) {
        purge(renderInterface_->regionsToAdd(), std::unordered_set<RenderInterface::Region*>(regions.begin(), regions.end()));
        for (RenderInterface::Region* region : regions) {
            if (manager_) manager_->removeRegion(region);
            delete region;
        }
        regions.clear();
    }
    std::list<RenderInterface::RenderableObject*>& lights = renderInterface_->lightsToDelete();
    if (!lights.empty()) {
        purge(renderInterface_->lightsToAdd(),
              std::unordered_set<RenderInterface::RenderableObject*>(lights.begin(), lights.end()));
        for (RenderInterface::RenderableObject* light : lights) {
            if (manager_) manager_->removeLight(light);
            parameters->addPendingDeletion(light->pair());
            delete light;
        }
        lights.clear();
    }
}

void RenderStateGame::removePendingUIObjects() {
    std::vector<RenderInterface::UIObject*>& deletions = renderInterface_->uiObjectsToDelete();
    if (deletions.empty()) return;
    const std::unordered_set<RenderInterface::UIObject*> doomed(deletions.begin(), deletions.end());
    purge(renderInterface_->uiObjectsToAdd(), doomed);
    purge(renderInterface_->texturedRectsToAdd(), doomed);
    for (RenderInterface::UIObject* object : deletions) {
        if (!object) continue;
        if (ui_) ui_->removeInstance(object);
        renderInterface_->parameterManager()->addPendingDeletion(object->pair());
        delete object;
    }
    deletions.clear();
}
