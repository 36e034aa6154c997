// The renderable manager: renderables from the render paths file in draw order, the two loading
// passes one item per poll, the reloads, the mesh steps, objects and lights, and drawing.
#include <gtest/gtest.h>

#include "app/parameter_description.h"
#include "app/thread_resource_pool.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx_fixture.h"
#include "render/device_global.h"
#include "render/light_parameters.h"
#include "render/render_interface.h"
#include "render/renderable_instance_tree.h"
#include "render/renderable_light.h"
#include "render/renderable_manager.h"
#include "render/tree_records.h"
#include "render/view_frustum.h"
#include "recording_renderable.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

using recording::journal;
using recording::Numbered;
using Lines = std::vector<std::string>;

RenderableFactory<Numbered<0>> factory0(Numbered<0>::kName);
RenderableFactory<Numbered<1>> factory1(Numbered<1>::kName);
RenderableFactory<Numbered<2>> factory2(Numbered<2>::kName);
RenderableFactory<Numbered<3>> factory3(Numbered<3>::kName);

std::string name(int n) { return "RecordingRenderable" + std::to_string(n); }

// The journal lines that begin with prefix, in order.
Lines linesStartingWith(const std::string& prefix) {
    Lines found;
    for (const std::string& line : journal())
        if (line.rfind(prefix, 0) == 0) found.push_back(line);
    return found;
}

class RenderableManagerTest : public ::testing::Test {
protected:
    RenderableManagerTest()
        : pool_("renderPool"), renderInterface_(&registry_, &pool_, 640, 480, ""),
          manager_(-1024.0f, -1024.0f, 1024.0f, 1024.0f, &pool_) {
        renderInterface_.setOwnerThreadId(platform::currentThreadId());
        journal().clear();
        recording::setups().clear();
    }
    ~RenderableManagerTest() override { manager_.removeDescriptions(registry_); }

    void setUp(int n, recording::ClassSetup setup) { recording::setups()[name(n)] = setup; }

    // A render paths file of the given groups (class names), each with one path.
    void start(const Lines& groups) {
        std::string text = "<RenderPaths>";
        for (const std::string& group : groups) text += "<" + group + "><Path path=\"Data/graphics/3d/\"/></" + group + ">";
        text += "</RenderPaths>";
        manager_.init(&renderInterface_, folder_.write("render_paths.xml", text + "\n"));
        manager_.registerDescriptions(registry_);
    }

    Lines classOrder() const {
        Lines order;
        for (BaseRenderable* renderable : manager_.renderables()) order.push_back(renderable->className());
        return order;
    }

    void loadEverything() {
        manager_.queueRenderAssetLoading();
        int percent = 0;
        while (!manager_.loadRenderAssets(percent)) {}
        manager_.queueAssetFinishing();
        while (!manager_.finishRenderAssets(percent)) {}
    }

    // A hand-off, as the frame loop runs it: the pairs made on the update side reach the render side.
    void handOff() { renderInterface_.swapFrame(); }

    // A camera at (0, 0, -10) looking at the origin.
    void lookAtOrigin() {
        RenderInterface::CameraBlock& frame = renderInterface_.cameraBlock();
        const gfx::Matrix view = gfx::lookAtLH({0, 0, -10}, {0, 0, 0}, {0, 1, 0});
        std::copy(&view.m[0][0], &view.m[0][0] + 16, frame.view);
        frame.eyePosition[0] = 0, frame.eyePosition[1] = 0, frame.eyePosition[2] = -10;
        frame.target[0] = frame.target[1] = frame.target[2] = 0;
        frame.lightDirection[0] = 0, frame.lightDirection[1] = -1, frame.lightDirection[2] = 0;
        frame.perspective = 1;
        manager_.setAspect(640.0f / 385.0f);
        manager_.onResetDevice();
        manager_.setCameraFrame(frame);
    }

    ParameterDescriptionRegistry registry_;
    ThreadResourcePool pool_;
    RenderInterface renderInterface_;
    RenderableManager manager_;
    TempFolder folder_;
};

TEST_F(RenderableManagerTest, EqualDrawOrdersKeepFileOrderAndGroupsWithoutAFactoryAreSkipped) {
    setUp(0, {.drawOrder = 2});
    setUp(1, {.drawOrder = 0});
    setUp(2, {.drawOrder = 2});
    setUp(3, {.drawOrder = 0});
    start({name(0), name(1), "NoSuchRenderable", name(2), name(3)});
    EXPECT_EQ(classOrder(), (Lines{name(1), name(3), name(0), name(2)}));
    EXPECT_EQ(manager_.renderables()[0]->groupName, name(1));
    EXPECT_EQ(manager_.renderables()[0]->assetFolders, (Lines{"Data/graphics/3d/"}));
    EXPECT_EQ(linesStartingWith("setUpParamDescriptions").size(), 4u);
    EXPECT_NE(registry_.find(kPointLightType), nullptr) << "the light types are registered with the renderables'";
    EXPECT_NE(registry_.find(kDirectionalLightType), nullptr);
}

TEST_F(RenderableManagerTest, FirstPassDoesOneItemPerPollRenderablesThenLoadablesThenAssets) {
    setUp(0, {.assets = 2, .loadables = 3});
    setUp(1, {.loadables = 1});
    setUp(2, {});
    start({name(0), name(1), name(2)});
    manager_.queueRenderAssetLoading();
    EXPECT_EQ(linesStartingWith("loadAssets").size(), 3u);
    journal().clear();

    std::vector<int> percents;
    int percent = -1;
    bool done = false;
    while (!done && percents.size() < 20) {
        done = manager_.loadRenderAssets(percent);
        percents.push_back(percent);
    }
    EXPECT_EQ(percents.front(), 11) << "1 of 9, truncated";
    EXPECT_EQ(percents, (std::vector<int>{11, 22, 33, 44, 55, 66, 77, 88, 100}));
    EXPECT_EQ(journal(), (Lines{"createEffects " + name(0), "createEffects " + name(1), "createEffects " + name(2),
                                "prepare " + name(0) + "_loader0", "prepare " + name(0) + "_loader1",
                                "prepare " + name(0) + "_loader2", "prepare " + name(1) + "_loader0",
                                "loadStage2 " + name(0) + "_asset0", "loadStage2 " + name(0) + "_asset1"}));
}

TEST_F(RenderableManagerTest, FinishingPassDividesByTheFirstPassTotalsAndFinishesTheExtraLoadable) {
    setUp(0, {.assets = 1, .loadables = 1});
    start({name(0)});
    recording::RecordingLoadable reflection("reflection");
    manager_.queueLoadable(&reflection);
    manager_.queueRenderAssetLoading();
    int percent = 0;
    while (!manager_.loadRenderAssets(percent)) {}
    EXPECT_EQ(percent, 100);
    journal().clear();
    manager_.queueAssetFinishing();
    EXPECT_EQ(journal(), (Lines{"fillData reflection", "fillLoadedTextures " + name(0)}));
    journal().clear();
    std::vector<int> percents;
    bool done = false;
    while (!done && percents.size() < 10) {
        done = manager_.finishRenderAssets(percent);
        percents.push_back(percent);
    }
    EXPECT_EQ(percents, (std::vector<int>{25, 50, 75, 100})) << "renderable, two loadables and an asset of 4";
    EXPECT_EQ(journal(), (Lines{"setFrameParameters " + name(0), "finishLoad reflection",
                                "finishLoad " + name(0) + "_loader0", "refreshEffectHandles " + name(0) + "_asset0"}));
}

TEST_F(RenderableManagerTest, AnEmptyOrMissingFileReportsEveryPassDoneAtOnce) {
    for (const std::string& file : {folder_.write("empty.xml", "<RenderPaths></RenderPaths>\n"),
                                    folder_.path() + "/missing.xml",
                                    folder_.write("wrong.xml", "<Other><BasicCube/></Other>\n")}) {
        RenderableManager manager(-1024.0f, -1024.0f, 1024.0f, 1024.0f, &pool_);
        manager.init(&renderInterface_, file);
        EXPECT_TRUE(manager.renderables().empty()) << file;
        manager.queueRenderAssetLoading();
        int percent = -1;
        EXPECT_TRUE(manager.loadRenderAssets(percent)) << file;
        EXPECT_EQ(percent, 100);
        manager.queueAssetFinishing();
        percent = -1;
        EXPECT_TRUE(manager.finishRenderAssets(percent));
        EXPECT_EQ(percent, 100);
    }
}

TEST_F(RenderableManagerTest, EachPollLogsTheStepTimeAndTheBannerBeforeWhatItLoads) {
    setUp(0, {.assets = 1});
    start({name(0)});
    manager_.queueRenderAssetLoading();
    LogCapture log;
    int percent = 0;
    manager_.loadRenderAssets(percent);
    manager_.loadRenderAssets(percent);
    ASSERT_EQ(log.lines().size(), 6u);
    EXPECT_NE(log.lines()[0].find("Render Asset Load Time: "), std::string::npos);
    EXPECT_NE(log.lines()[1].find("XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX  --- STARTED NEW RENDER ASSET LOADING ----- "
                                  "XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX\nXXXX"),
              std::string::npos);
    EXPECT_NE(log.lines()[2].find("Renderable Name: " + name(0)), std::string::npos);
    EXPECT_NE(log.lines()[3].find("Render Asset Load Time: "), std::string::npos);
    EXPECT_NE(log.lines()[5].find("Asset Name: " + name(0) + "_asset0"), std::string::npos);
}

TEST_F(RenderableManagerTest, EffectReloadQueuesEveryRenderablesLoadersAndLoadsThemOnTheWorkerStep) {
    setUp(0, {});
    setUp(1, {});
    start({name(0), name(1)});
    loadEverything();
    journal().clear();
    manager_.queueEffectReload();
    EXPECT_TRUE(manager_.effectReloadQueued());
    EXPECT_FALSE(manager_.effectReloadDone());
    EXPECT_TRUE(journal().empty()) << "nothing loads before the worker step";
    manager_.loadReloadQueue();
    EXPECT_TRUE(manager_.effectReloadDone());
    EXPECT_EQ(journal(), (Lines{"loadFile " + name(0) + "_effect", "loadFile " + name(1) + "_effect"}));
}

TEST_F(RenderableManagerTest, QualityReloadRunsItsPhasesInOrderOneLoadablePerPoll) {
    setUp(0, {});
    setUp(1, {});
    start({name(0), name(1)});
    loadEverything();
    journal().clear();
    manager_.queueQualityReload();
    EXPECT_TRUE(manager_.qualityReloadQueued());
    manager_.loadQualityReloadQueue();
    EXPECT_EQ(journal(), (Lines{"loadFile " + name(0) + "_texture", "loadFile " + name(1) + "_texture",
                                "loadAtlasIndex " + name(0), "loadAtlasIndex " + name(1)}));
    journal().clear();
    manager_.prepareNextQualityLoadable();
    EXPECT_EQ(journal(), (Lines{"prepare " + name(0) + "_texture"}));
    manager_.prepareNextQualityLoadable();
    EXPECT_FALSE(manager_.qualityReloadPrepared());
    manager_.prepareNextQualityLoadable();
    EXPECT_TRUE(manager_.qualityReloadPrepared());
    EXPECT_EQ(manager_.qualityFinishingList().size(), 2u);
    journal().clear();
    manager_.fillQualityLoadables();
    EXPECT_EQ(journal(), (Lines{"fillData " + name(0) + "_texture", "fillData " + name(1) + "_texture"}));
    journal().clear();
    manager_.finishNextQualityLoadable();
    manager_.finishNextQualityLoadable();
    EXPECT_FALSE(manager_.qualityReloadDone());
    manager_.finishNextQualityLoadable();
    EXPECT_TRUE(manager_.qualityReloadDone());
    EXPECT_FALSE(manager_.qualityReloadQueued());
    EXPECT_FALSE(manager_.qualityReloadPrepared());
    EXPECT_EQ(journal(), (Lines{"finishLoad " + name(0) + "_texture", "finishLoad " + name(1) + "_texture"}));
}

TEST_F(RenderableManagerTest, MeshStepsReachOnlyTheNamedClassAndItsLoadersInTheRightState) {
    setUp(0, {});
    setUp(1, {});
    start({name(0), name(1)});
    loadEverything();
    journal().clear();
    manager_.setAssetsLoaded(false);
    manager_.loadMeshAssetByName(name(1), "meshes/", "tree.x");
    EXPECT_TRUE(manager_.assetsLoaded());
    EXPECT_TRUE(manager_.prepareMeshByName(name(1), "meshes/", "tree.x"));
    manager_.fillMeshTexturesByName(name(1), "meshes/", "tree.x");
    EXPECT_TRUE(manager_.finishMeshByName(name(1), "meshes/", "tree.x"));
    const std::string mesh = name(1) + "_mesh";
    EXPECT_EQ(journal(), (Lines{"loadMeshAsset " + name(1) + " meshes/tree.x", "loadFile " + mesh, "prepare " + mesh,
                                "loadMeshOnDevice " + name(1) + " meshes/tree.x",
                                "fillMeshTextures " + name(1) + " meshes/tree.x", "finishLoad " + mesh,
                                "setUpMeshEffect " + name(1) + " meshes/tree.x"}));
    journal().clear();
    manager_.prepareMeshByName(name(1), "meshes/", "tree.x");
    manager_.finishMeshByName(name(1), "meshes/", "tree.x");
    EXPECT_EQ(linesStartingWith("prepare").size() + linesStartingWith("finishLoad").size(), 0u)
        << "a loaded loader is neither prepared nor finished again";
}

TEST_F(RenderableManagerTest, VertexQueryAnswersFromTheNamedAssetAndUnknownNamesStayUnanswered) {
    setUp(0, {.assets = 1});
    start({name(0)});
    loadEverything();
    renderInterface_.vertexQueryRequest = 1;
    renderInterface_.vertexQueryAssetName = "nothing";
    manager_.applySettings(0.0f);
    EXPECT_EQ(renderInterface_.vertexQueryReady, 0);
    renderInterface_.vertexQueryAssetName = name(0) + "_asset0";
    renderInterface_.vertexQueryPointsRender = {{9, 9, 9}};
    manager_.applySettings(0.0f);
    EXPECT_EQ(renderInterface_.vertexQueryReady, 1);
    handOff();
    EXPECT_EQ(renderInterface_.vertexQueryPoints, (std::vector<std::array<float, 3>>{{0, 1, 2}, {3, 4, 5}}));
    EXPECT_EQ(renderInterface_.vertexQueryIndices, (std::vector<std::uint32_t>{0, 1, 1}));
    EXPECT_EQ(renderInterface_.vertexQueryRequest, 0);
}

TEST_F(RenderableManagerTest, LightmapToggleHandsTheScenesPointLightsToLightmappedClassesOnly) {
    setUp(0, {.usesLightmaps = true});
    setUp(1, {});
    start({name(0), name(1)});
    loadEverything();
    for (int i = 0; i < 2; ++i) renderInterface_.createLight(kPointLightType);
    handOff();
    for (RenderInterface::RenderableObject* light : renderInterface_.lightsToAdd()) manager_.addLight(light);
    renderInterface_.lightsToAdd().clear();
    journal().clear();
    renderInterface_.lightmapToggleRequest = 1;
    renderInterface_.lightmapRebuildRequest = 1;
    handOff();
    manager_.applySettings(0.0f);
    manager_.applySettings(0.0f);
    EXPECT_EQ(linesStartingWith("toggleLightmapTechnique"), (Lines{"toggleLightmapTechnique " + name(0) + " 2"}));
    EXPECT_EQ(linesStartingWith("rebuildLightmaps"), (Lines{"rebuildLightmaps " + name(0)}));
}

TEST_F(RenderableManagerTest, LightsByTypeNameEachGetARecordAndLeaveWithIt) {
    start({});
    RenderInterface::RenderableObject* point = renderInterface_.createLight(kPointLightType);
    RenderInterface::RenderableObject* directional = renderInterface_.createLight(kDirectionalLightType);
    ASSERT_NE(point, nullptr);
    ASSERT_NE(directional, nullptr);
    registerParameterDescription(registry_, new ParameterDescription("lamp_post", &pool_, true));
    RenderInterface::RenderableObject* other = renderInterface_.createRenderObject("lamp_post", nullptr);
    handOff();
    manager_.addLight(point);
    manager_.addLight(directional);
    manager_.addLight(other);
    EXPECT_EQ(manager_.pointLights().size(), 1u);
    EXPECT_NE(manager_.directionalLight(), nullptr);
    ASSERT_EQ(manager_.tree()->lightRecords().size(), 3u);
    EXPECT_EQ(manager_.tree()->lightRecords()[2]->light, nullptr) << "another type gets a record without a light";
    EXPECT_EQ(point->waiting, 0);
    EXPECT_TRUE(manager_.removeLight(directional));
    EXPECT_EQ(manager_.directionalLight(), nullptr);
    EXPECT_TRUE(manager_.removeLight(point));
    EXPECT_TRUE(manager_.pointLights().empty());
    EXPECT_FALSE(manager_.removeLight(point));
    EXPECT_EQ(manager_.tree()->lightRecords().size(), 1u);
    registry_.remove("lamp_post");
}

TEST_F(RenderableManagerTest, InstancesAreCulledIntoTheirAssetAndRemovedFromEveryList) {
    setUp(0, {.assets = 2});
    start({name(0)});
    loadEverything();
    RenderInterface::RenderableObject* seen = renderInterface_.createRenderObject(name(0) + "_asset0", nullptr);
    const float behind[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -50, 1};
    RenderInterface::RenderableObject* hidden = renderInterface_.createRenderObject(name(0) + "_asset1", behind);
    RenderInterface::RenderableObject* unknown = renderInterface_.createRenderObject(kPointLightType, nullptr);
    handOff();
    journal().clear();
    for (RenderInterface::RenderableObject* object : {seen, hidden, unknown}) manager_.addInstanceByName(object);
    EXPECT_EQ(journal(), (Lines{"onInstanceAdded " + name(0) + "_asset0", "onInstanceAdded " + name(0) + "_asset1"}));
    EXPECT_EQ(manager_.instanceCount(), 2u);
    EXPECT_EQ(unknown->waiting, 1) << "a type with no asset is not added";
    lookAtOrigin();
    manager_.update();
    RenderableAsset* seenAsset = manager_.findAsset(name(0) + "_asset0");
    RenderableAsset* hiddenAsset = manager_.findAsset(name(0) + "_asset1");
    EXPECT_EQ(seenAsset->visibleInstances.size(), 1u);
    EXPECT_TRUE(hiddenAsset->visibleInstances.empty());

    EXPECT_TRUE(manager_.removeInstance(seen));
    EXPECT_TRUE(seenAsset->instances.empty());
    EXPECT_TRUE(seenAsset->visibleInstances.empty());
    EXPECT_EQ(manager_.tree()->records().size(), 1u);
    EXPECT_FALSE(manager_.removeInstance(seen));
    manager_.removeAllInstances();
    EXPECT_TRUE(manager_.tree()->records().empty());
    EXPECT_TRUE(hiddenAsset->instances.empty());
    EXPECT_TRUE(manager_.removeInstance(hidden)) << "still known after its instance went with the assets";
}

class RenderableManagerDrawTest : public gfxtest::GfxTest {};

TEST_F(RenderableManagerDrawTest, DrawWithoutADirectionalLightDrawsNothingButClosesItsEvent) {
    ParameterDescriptionRegistry registry;
    ThreadResourcePool pool("renderPool");
    RenderInterface renderInterface(&registry, &pool, 64, 48, "");
    renderInterface.setOwnerThreadId(platform::currentThreadId());
    recording::setups()[name(0)] = {.assets = 1};
    TempFolder folder;
    RenderableManager manager(-1024.0f, -1024.0f, 1024.0f, 1024.0f, &pool);
    manager.init(&renderInterface,
                 folder.write("paths.xml", "<RenderPaths><" + name(0) + "/></RenderPaths>\n"));
    manager.registerDescriptions(registry);
    journal().clear();
    PassContext context;
    const int before = gfx::openPerfEvents();
    manager.draw(&context, DrawPass::Colour, 0.016f);
    EXPECT_TRUE(journal().empty());
    EXPECT_EQ(gfx::openPerfEvents(), before);

    RenderInterface::RenderableObject* sun = renderInterface.createLight(kDirectionalLightType);
    renderInterface.swapFrame();
    manager.addLight(sun);
    manager.draw(nullptr, DrawPass::Colour, 0.016f);
    EXPECT_TRUE(journal().empty()) << "no pass context, no pass";
    recording::RecordingRenderable::openEventsWhileDrawing = -1;
    manager.draw(&context, DrawPass::Shadow, 0.016f);
    EXPECT_EQ(journal(), (Lines{"drawPass " + name(0) + " 0"})) << "an asset with nothing visible is not begun";
    EXPECT_EQ(gfx::openPerfEvents(), before);
    EXPECT_EQ(recording::RecordingRenderable::openEventsWhileDrawing, before + 1)
        << "the renderables draw inside the manager's event";
    manager.removeDescriptions(registry);
}

} // namespace
