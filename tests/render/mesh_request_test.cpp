// A render object that waits for a mesh file: the game state advances it one stage a frame
// through the named renderable's mesh steps, each worker on its own, and then adds its instance.
#include <gtest/gtest.h>

#include <mutex>
#include <thread>

#include "render/base_renderable.h"
#include "render/bounding_record.h"
#include "render/loadable_asset.h"
#include "render/render_state_game.h"
#include "render/renderable_asset.h"
#include "render/renderable_factory.h"
#include "render/renderable_manager.h"
#include "support/scene_harness.h"
#include "support/scene_test_assets.h"

namespace {

std::mutex journalMutex;
std::vector<std::string> meshJournal;

void note(const std::string& line) {
    std::lock_guard<std::mutex> lock(journalMutex);
    meshJournal.push_back(line);
}

std::vector<std::string> journal() {
    std::lock_guard<std::mutex> lock(journalMutex);
    return meshJournal;
}

class TreeAsset : public scenetest::TestAsset {
public:
    explicit TreeAsset(BaseRenderable* owner) : TestAsset("tree_mesh", owner, {-1, -1, -1}, {1, 1, 1}) {}
    void onInstanceAdded(RenderableInstance*) override { note("instance"); }
};

class TreeRenderable : public BaseRenderable {
public:
    TreeRenderable(ThreadResourcePool* pool, RenderInterface*, RenderableManager* manager)
        : BaseRenderable(pool, "TreeRenderable", manager) {}
    ~TreeRenderable() override { deleteAssets(); }
    void loadAssets() override {}
    void fillLoadedTextures() override {}
    void unloadInstances() override {}
    void createEffects() override {}
    void setFrameParameters() override {}
    void releaseAssets() override { deleteAssets(); }
    void setUpParamDescriptions(ParameterDescriptionRegistry& registry) override {
        registerParameterDescription(registry, new ParameterDescription("tree_mesh", renderContext(), true));
    }
    void removeParamDescriptions(ParameterDescriptionRegistry& registry) override { registry.remove("tree_mesh"); }
    void loadMeshAsset(const std::string& folder, const std::string& file) override {
        note("loadMeshAsset " + folder + file);
        // The asset exists once its file is read; the instance waits for the last stage.
        auto* asset = new TreeAsset(this);
        manager()->registerAsset(asset);
        assets.push_back(asset);
    }
    void loadMeshOnDevice(const std::string&, const std::string&) override { note("loadMeshOnDevice"); }
    void fillMeshTextures(const std::string&, const std::string&) override { note("fillMeshTextures"); }
    void setUpMeshEffect(const std::string&, const std::string&) override { note("setUpMeshEffect"); }
};

RenderableFactory<TreeRenderable> treeFactory("TreeRenderable");

using scenetest::SceneSettings;

class MeshRequests : public scenetest::SceneHarness {
protected:
    // Lets every started worker end, so the next frame's step depends on nothing but the frame.
    void settle() {
        while (gameState().workerRunning()) std::this_thread::yield();
    }
};

TEST_F(MeshRequests, AMeshRequestAdvancesOneStagePerFrameAndEndsAsAnInstance) {
    openScene({"TreeRenderable"});
    ASSERT_FALSE(HasFatalFailure());
    meshJournal.clear();
    RenderInterface::RenderableObject* tree = renderInterface().createRenderObject("tree_mesh", nullptr);
    ASSERT_NE(tree, nullptr);
    // Held back for its mesh, as the update side queues such an object.
    renderInterface().objectsToAdd().remove(tree);
    tree->renderableClassName = "TreeRenderable";
    tree->folder = "meshes/";
    tree->fileName = "oak.x";
    renderInterface().meshObjectsToLoad().push_back(tree);

    const std::vector<std::vector<std::string>> afterFrame{
        {"loadMeshAsset meshes/oak.x"},
        {"loadMeshAsset meshes/oak.x", "loadMeshOnDevice", "fillMeshTextures"},
        {"loadMeshAsset meshes/oak.x", "loadMeshOnDevice", "fillMeshTextures", "setUpMeshEffect"},
        {"loadMeshAsset meshes/oak.x", "loadMeshOnDevice", "fillMeshTextures", "setUpMeshEffect", "instance"}};
    for (std::size_t i = 0; i < afterFrame.size(); ++i) {
        frame();
        settle();
        EXPECT_EQ(tree->meshLoadStage, i + 1) << "frame " << i + 1;
        EXPECT_EQ(journal(), afterFrame[i]) << "frame " << i + 1;
    }
    EXPECT_TRUE(renderInterface().meshObjectsToLoad().empty());
    EXPECT_EQ(gameState().renderableManager()->instanceCount(), 1u);
    EXPECT_EQ(tree->waiting, 0);
    frame();
    EXPECT_EQ(journal().size(), 5u) << "nothing more happens to it";
}

TEST_F(MeshRequests, AnObjectDeletedWhileItsMeshLoadsLeavesTheRequestsAndIsNeverAdded) {
    openScene({"TreeRenderable"});
    ASSERT_FALSE(HasFatalFailure());
    meshJournal.clear();
    RenderInterface::RenderableObject* tree = renderInterface().createRenderObject("tree_mesh", nullptr);
    renderInterface().objectsToAdd().remove(tree);
    tree->renderableClassName = "TreeRenderable";
    renderInterface().meshObjectsToLoad().push_back(tree);
    frame();
    renderInterface().destroyRenderObject(tree);
    frame();
    settle();
    EXPECT_TRUE(renderInterface().meshObjectsToLoad().empty());
    frames(3);
    EXPECT_EQ(gameState().renderableManager()->instanceCount(), 0u);
}

} // namespace

namespace {

// A loader and a renderable that write their reload steps into the journal.
class ReloadLoadable : public LoadableAsset {
public:
    explicit ReloadLoadable(std::string name) : name_(std::move(name)) {}
    void onLostDevice() override {}
    void onResetDevice() override {}
    void loadFile() override { note("loadFile " + name_); }
    void prepare() override { note("prepare " + name_); }
    void fillData() override { note("fillData " + name_); }
    void finishLoad() override { note("finishLoad " + name_); }
    void unload() override {}

private:
    std::string name_;
};

class ReloadRenderable : public BaseRenderable {
public:
    ReloadRenderable(ThreadResourcePool* pool, RenderInterface*, RenderableManager* manager)
        : BaseRenderable(pool, "ReloadRenderable", manager) {}
    void loadAssets() override {}
    void fillLoadedTextures() override {}
    void unloadInstances() override {}
    void createEffects() override {}
    void setFrameParameters() override {}
    void releaseAssets() override {}
    void setUpParamDescriptions(ParameterDescriptionRegistry&) override {}
    void removeParamDescriptions(ParameterDescriptionRegistry&) override {}
    void queueLoadables() override { loadables.push_back(&effect_); }
    void refreshFrameParameters() override { note("refreshFrameParameters"); }
    void loadQualityTextures() override {
        loadables.push_back(&first_);
        loadables.push_back(&second_);
    }
    void loadAtlasIndex() override { note("loadAtlasIndex"); }

private:
    ReloadLoadable effect_{"effect"}, first_{"first"}, second_{"second"};
};

RenderableFactory<ReloadRenderable> reloadFactory("ReloadRenderable");

class Reloads : public MeshRequests {
protected:
    void request(bool effect, bool quality) {
        const SceneSettings& s = settings();
        renderInterface().setRenderSettings(s.width, s.height, 0, s.shadows, s.ssao, effect, s.postProcessing,
                                            s.instancing, 0, s.multisampling, s.multisamplingType, 0,
                                            s.textureDetail, s.shadowDetail, "", "", 0, quality);
    }
};

TEST_F(Reloads, AnEffectReloadLoadsOnAWorkerThenRefreshesTheFrameParameters) {
    openScene({"ReloadRenderable"});
    ASSERT_FALSE(HasFatalFailure());
    meshJournal.clear();
    request(true, false);
    ASSERT_TRUE(framesUntil([] { return journal().size() >= 2; }));
    frames(2);
    EXPECT_EQ(journal(), (std::vector<std::string>{"loadFile effect", "refreshFrameParameters"}));
    EXPECT_FALSE(gameState().renderableManager()->effectReloadQueued());
}

TEST_F(Reloads, AQualityReloadRunsItsPhasesInOrder) {
    openScene({"ReloadRenderable"});
    ASSERT_FALSE(HasFatalFailure());
    meshJournal.clear();
    request(false, true);
    ASSERT_TRUE(framesUntil([] { return journal().size() >= 9; }));
    frames(3);
    EXPECT_EQ(journal(), (std::vector<std::string>{"loadFile first", "loadFile second", "loadAtlasIndex",
                                                   "prepare first", "prepare second", "fillData first",
                                                   "fillData second", "finishLoad first", "finishLoad second"}));
    EXPECT_TRUE(gameState().renderableManager()->qualityReloadDone());
    EXPECT_FALSE(gameState().renderableManager()->qualityReloadQueued());
}

} // namespace
