#pragma once
// Renderables and assets for the renderable manager's tests: each call of the contract is written
// into one shared journal, and how many assets and loaders a class makes is set per class name.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/parameter_description.h"
#include "platform/gfx/device.h"
#include "render/base_renderable.h"
#include "render/bounding_record.h"
#include "render/loadable_asset.h"
#include "render/renderable_asset.h"
#include "render/renderable_factory.h"
#include "render/renderable_manager.h"

namespace recording {

struct ClassSetup {
    int assets = 0;
    int loadables = 0;
    int drawOrder = 0;
    bool usesLightmaps = false;
};

// Everything the recording classes did, in order, and the set-up of each class name.
inline std::vector<std::string>& journal() {
    static std::vector<std::string> lines;
    return lines;
}
inline std::map<std::string, ClassSetup>& setups() {
    static std::map<std::string, ClassSetup> table;
    return table;
}
inline void note(const std::string& line) { journal().push_back(line); }

class RecordingLoadable : public LoadableAsset {
public:
    explicit RecordingLoadable(std::string name) : name_(std::move(name)) {}
    void onLostDevice() override {}
    void onResetDevice() override {}
    void loadFile() override { note("loadFile " + name_); state_ = FileLoaded; }
    void prepare() override { note("prepare " + name_); state_ = Prepared; }
    void fillData() override { note("fillData " + name_); }
    void finishLoad() override { note("finishLoad " + name_); state_ = Loaded; }
    void unload() override { note("unload " + name_); state_ = Constructed; }

private:
    std::string name_;
};

class RecordingAsset : public RenderableAsset {
public:
    RecordingAsset(const std::string& name, BaseRenderable* owner) : RenderableAsset(name, nullptr, owner, false) {
        initBoundingBoxes(bounds_);
        bounds_.local = {{-1.0f, -1.0f, -1.0f}, {1.0f, 1.0f, 1.0f}};
    }
    void onLostDevice() override {}
    void onResetDevice() override {}
    void loadStage1() override {}
    void loadStage2() override { note("loadStage2 " + name()); }
    void fillLoadedTextures() override {}
    void refreshEffectHandles() override { note("refreshEffectHandles " + name()); }
    void unload() override {}
    void releaseInstanceData() override {}
    void onInstanceAdded(RenderableInstance*) override { note("onInstanceAdded " + name()); }
    void beginRender(DrawPass pass, const PassContext&, const ViewBlock&) override {
        note("beginRender " + name() + " " + std::to_string(int(pass)));
    }
    void renderInstance(RenderableInstance*, const ViewBlock&, const PassContext&, DrawPass) override {
        note("renderInstance " + name());
    }
    void endRender(DrawPass, const PassContext&, const ViewBlock&) override { note("endRender " + name()); }
    const BoundingRecord* getBoundingBox() const override { return &bounds_; }
    void copyVertices(std::vector<std::array<float, 3>>& points, std::vector<std::uint32_t>& indices) override {
        points = {{0.0f, 1.0f, 2.0f}, {3.0f, 4.0f, 5.0f}};
        indices = {0, 1, 1};
    }

private:
    BoundingRecord bounds_;
};

class RecordingRenderable : public BaseRenderable {
public:
    RecordingRenderable(ThreadResourcePool* pool, const std::string& className, RenderableManager* manager)
        : BaseRenderable(pool, className, manager), setup_(setups()[className]) {
        drawOrder = setup_.drawOrder;
    }
    ~RecordingRenderable() override { deleteAssets(); }

    void loadAssets() override {
        note("loadAssets " + className());
        for (int i = 0; i < setup_.assets; ++i) {
            auto* asset = new RecordingAsset(assetName(i), this);
            manager()->registerAsset(asset);
            assets.push_back(asset);
        }
        for (int i = 0; i < setup_.loadables; ++i) {
            owned_.push_back(std::make_unique<RecordingLoadable>(className() + "_loader" + std::to_string(i)));
            loadables.push_back(owned_.back().get());
        }
    }
    void fillLoadedTextures() override { note("fillLoadedTextures " + className()); }
    void unloadInstances() override {}
    void createEffects() override { note("createEffects " + className()); }
    void setFrameParameters() override { note("setFrameParameters " + className()); }
    void releaseAssets() override { deleteAssets(); }
    // One object type per asset, named as the asset.
    void setUpParamDescriptions(ParameterDescriptionRegistry& registry) override {
        note("setUpParamDescriptions " + className());
        for (int i = 0; i < setup_.assets; ++i)
            registerParameterDescription(registry, new ParameterDescription(assetName(i), renderContext(), true));
    }
    void removeParamDescriptions(ParameterDescriptionRegistry& registry) override {
        note("removeParamDescriptions " + className());
        for (int i = 0; i < setup_.assets; ++i) registry.remove(assetName(i));
    }
    std::string assetName(int i) const { return className() + "_asset" + std::to_string(i); }
    void loadMeshAsset(const std::string& folder, const std::string& file) override {
        note("loadMeshAsset " + className() + " " + folder + file);
        owned_.push_back(std::make_unique<RecordingLoadable>(className() + "_mesh"));
        owned_.back()->loadFile();
        loadables.push_back(owned_.back().get());
    }
    void fillMeshTextures(const std::string& folder, const std::string& file) override {
        note("fillMeshTextures " + className() + " " + folder + file);
    }
    void loadMeshOnDevice(const std::string& folder, const std::string& file) override {
        note("loadMeshOnDevice " + className() + " " + folder + file);
    }
    void setUpMeshEffect(const std::string& folder, const std::string& file) override {
        note("setUpMeshEffect " + className() + " " + folder + file);
    }
    void queueLoadables() override {
        owned_.push_back(std::make_unique<RecordingLoadable>(className() + "_effect"));
        loadables.push_back(owned_.back().get());
    }
    void refreshFrameParameters() override { note("refreshFrameParameters " + className()); }
    void loadQualityTextures() override {
        owned_.push_back(std::make_unique<RecordingLoadable>(className() + "_texture"));
        loadables.push_back(owned_.back().get());
    }
    void loadAtlasIndex() override { note("loadAtlasIndex " + className()); }
    void drawPass(RenderableDirectionalLight* light, const ViewBlock& view, const PassContext& context, DrawPass pass,
                  float frameTime) override {
        note("drawPass " + className() + " " + std::to_string(int(pass)));
        openEventsWhileDrawing = gfx::openPerfEvents();
        BaseRenderable::drawPass(light, view, context, pass, frameTime);
    }
    bool usesLightmaps() const override { return setup_.usesLightmaps; }
    void toggleLightmapTechnique(const std::vector<RenderablePointLight*>& pointLights) override {
        note("toggleLightmapTechnique " + className() + " " + std::to_string(pointLights.size()));
    }
    void rebuildLightmaps() override { note("rebuildLightmaps " + className()); }

    static inline int openEventsWhileDrawing = -1;

private:
    ClassSetup setup_;
    std::vector<std::unique_ptr<RecordingLoadable>> owned_;
};

// One registered class name per number.
template <int N>
class Numbered : public RecordingRenderable {
public:
    static inline const std::string kName = "RecordingRenderable" + std::to_string(N);
    Numbered(ThreadResourcePool* pool, RenderInterface*, RenderableManager* manager)
        : RecordingRenderable(pool, kName, manager) {}
};

} // namespace recording
