#pragma once
// "tacticalBattleState": the render state that draws a 3D scene under the UI. It loads the scene
// on worker threads while the front end keeps drawing, takes over the objects, lights and regions
// the update side makes, and draws each frame through its render targets: shadows, the ambient
// occlusion chain, the scene and the UI, composed into the back buffer by "post.fx".
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "render/base_render_state.h"
#include "render/draw_pass.h"
#include "render/render_interface.h"

namespace gfx {
class Effect;
class Surface;
class VertexBuffer;
} // namespace gfx
class DDSTextureLoader;
class LoaderWorker;
class ParameterDescriptionRegistry;
class RenderableManager;
class RenderTarget;
class StateManager;
class ThreadResourcePool;
class UIDrawInterface;

class RenderStateGame : public BaseRenderState {
public:
    // Objects taken over per frame: 3D objects, then regions, then lights.
    static constexpr int kObjectBudget = 100;
    static constexpr int kRegionBudget = 10;
    static constexpr int kLightBudget = 10;
    static constexpr const char* kPostEffectPath = "Data/graphics/3d/effects/post.fx";
    // The post effect the next load reads (tests point it at a file that is missing).
    static void setPostEffectPath(const std::string& path);
    static constexpr const char* kReflectionTexturePath = "Data/graphics/2D/post/reflect.dds";

    RenderStateGame(ThreadResourcePool* renderPool, std::string name, StateManager* manager,
                    ParameterDescriptionRegistry* registry, RenderInterface* renderInterface, UIDrawInterface* ui,
                    std::uint32_t width, std::uint32_t height);
    // Joins every worker and frees the scene.
    ~RenderStateGame() override;

    void enter() override;
    void loadData() override;
    void unloadData() override;
    void onLoadFinished() override;
    void continueUnload() override;
    void linkNextState() override;
    void shutdown() override;
    void update(float dt) override;
    void updateWhileLinked(float) override {}
    std::uint32_t loadingProgress() override { return progress_; }

    void setSceneName(const std::string& sceneName) override { sceneName_ = sceneName; }
    void onLostDevice() override;
    void onResetDevice() override;
    void beforeFrameSwap() override {}
    void processPendingObjects() override;
    void finishLoad() override;
    void setScreenSize(std::uint32_t width, std::uint32_t height) override;

    // The scene-view height: 80.4 % of the back buffer's, truncated.
    static std::uint32_t sceneHeight(std::uint32_t height);
    // The shadow maps' edge for a "ShadowDetail" level.
    static std::uint32_t shadowMapSize(const std::string& shadowDetail);

    RenderableManager* renderableManager() const { return manager_.get(); }
    const PassContext& targetTable() const { return targets_; }
    RenderTarget* sceneTarget() const { return sceneTarget_.get(); }
    RenderTarget* uiTarget() const { return uiTarget_.get(); }
    RenderTarget* shadowTarget() const { return shadowTarget_.get(); }
    RenderTarget* shadowBlurTarget() const { return shadowBlurTarget_.get(); }
    RenderTarget* normalTarget() const { return normalTarget_.get(); }
    RenderTarget* positionTarget() const { return positionTarget_.get(); }
    RenderTarget* ssaoTarget() const { return ssaoTarget_.get(); }
    RenderTarget* ssaoWorkTarget() const { return ssaoWorkTarget_.get(); }
    DDSTextureLoader* reflectionTexture() const { return reflection_.get(); }
    gfx::Effect* postEffect() const { return postEffect_; }
    bool scenePopulated() const { return scenePopulated_; }
    float sceneFade() const { return fades_[0]; }
    float uiFade() const { return fades_[1]; }
    // Whether a worker of the scene still runs (loading, meshes, reloads, unloading).
    bool workerRunning() const;

private:
    struct MeshRequest;

    // The hand-off's parts.
    void addPendingSceneObjects();
    void advanceMeshRequests();
    void takeUIObjects();
    void removePendingSceneObjects();
    void removePendingUIObjects();
    // Every worker ended and joined, waiting when one still runs.
    void joinWorkers();

    void advanceQualityReload();
    void createPostResources();
    void loadPostEffect();
    void releasePostResources();
    void createRenderTargets();
    void deleteRenderTargets();
    void renderFrame(float dt);
    // One full-screen pass of the post effect into the bound target.
    void drawFullScreen(const char* technique);
    void setTexture(const char* parameter, RenderTarget* target);
    void publishProgress(std::uint32_t percent);

    ThreadResourcePool* renderPool_;
    StateManager* stateManager_;
    ParameterDescriptionRegistry* registry_;
    RenderInterface* renderInterface_;
    UIDrawInterface* ui_;
    std::uint32_t width_;
    std::uint32_t height_;

    std::unique_ptr<RenderableManager> manager_;
    std::unique_ptr<RenderTarget> sceneTarget_, uiTarget_, shadowBlurTarget_, shadowTarget_, normalTarget_,
        positionTarget_, ssaoTarget_, ssaoWorkTarget_;
    std::unique_ptr<DDSTextureLoader> reflection_;
    PassContext targets_;
    gfx::Effect* postEffect_ = nullptr;
    gfx::VertexBuffer* quad_ = nullptr;
    gfx::Surface* backBuffer_ = nullptr;
    float fades_[2] = {0.0f, 0.0f};

    std::unique_ptr<LoaderWorker> firstWorker_, secondWorker_, unloadWorker_, effectReloadWorker_, qualityLoadWorker_,
        qualityFillWorker_;
    // A job per mesh object: two requests never share a worker.
    std::map<RenderInterface::RenderableObject*, std::unique_ptr<LoaderWorker>> meshWorkers_;
    // Set in loadData: the next hand-off registers the scene's descriptions, then the load starts.
    bool loadStartPending_ = false;

    std::string sceneName_;
    std::uint32_t progress_ = 0;
    bool scenePopulated_ = false;
};
