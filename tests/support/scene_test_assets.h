#pragma once
// Small stand-ins for the scene's renderables, assets and static batches, and a fixture that makes
// render-side instances from parameter pairs: enough to drive the visibility tree without a device.
#include <memory>
#include <string>
#include <vector>

#include "app/parameter_description.h"
#include "app/parameter_manager.h"
#include "app/simple_parameter_group.h"
#include "app/thread_resource_pool.h"
#include "app/typed_parameters.h"
#include "platform/gfx/math_matrix.h"
#include "render/base_renderable.h"
#include "render/bounding_record.h"
#include "render/renderable_asset.h"
#include "render/renderable_batch.h"
#include "render/renderable_instance.h"
#include "render/tree_records.h"

namespace scenetest {

class TestRenderable : public BaseRenderable {
public:
    explicit TestRenderable(const std::string& className) : BaseRenderable(nullptr, className, nullptr) {}
    ~TestRenderable() override;

    void loadAssets() override {}
    void fillLoadedTextures() override {}
    void unloadInstances() override {}
    void createEffects() override {}
    void setFrameParameters() override {}
    void releaseAssets() override { deleteAssets(); }
    void setUpParamDescriptions(ParameterDescriptionRegistry&) override {}
    void removeParamDescriptions(ParameterDescriptionRegistry&) override {}
    void registerBatch(UnloadableBatchInterface* batch) override { batches.push_back(batch); }
    void unloadBatch(UnloadableBatchInterface* batch) override { unloadedBatches.push_back(batch); }

    std::vector<UnloadableBatchInterface*> batches;
    std::vector<UnloadableBatchInterface*> unloadedBatches;
};

class TestAsset : public RenderableAsset {
public:
    TestAsset(const std::string& name, BaseRenderable* owner, const gfx::Vector3& min, const gfx::Vector3& max,
              bool batchable = false)
        : RenderableAsset(name, nullptr, owner, batchable) {
        initBoundingBoxes(bounds_);
        bounds_.local = {min, max};
    }
    void onLostDevice() override {}
    void onResetDevice() override {}
    void loadStage1() override {}
    void loadStage2() override {}
    void fillLoadedTextures() override {}
    void refreshEffectHandles() override {}
    void unload() override {}
    void releaseInstanceData() override {}
    void beginRender(DrawPass, const PassContext&, const ViewBlock&) override {}
    void renderInstance(RenderableInstance*, const ViewBlock&, const PassContext&, DrawPass) override {}
    void endRender(DrawPass, const PassContext&, const ViewBlock&) override {}
    const BoundingRecord* getBoundingBox() const override { return &bounds_; }

private:
    BoundingRecord bounds_;
};

class TestGroup : public TextureSharingGroupInterface {
public:
    explicit TestGroup(std::string name) : name_(std::move(name)) {}
    const std::string& getName() const override { return name_; }

private:
    std::string name_;
};

class TestBatch final : public UnloadableBatchInterface {
public:
    TestBatch(QuadTreeNode* cell, BaseRenderable* owner, TextureSharingGroupInterface* group)
        : cell(cell), owner_(owner), group_(group) {
        owner->registerBatch(this);
    }
    TextureSharingGroupInterface* getTextureSharingGroup() const override { return group_; }
    BaseRenderable* getOwner() const override { return owner_; }
    void addInstance(RenderableInstance* instance) override { instances.push_back(instance); }
    void removeInstance(RenderableInstance* instance) override { std::erase(instances, instance); }
    void unload() override { owner_->unloadBatch(this); }

    QuadTreeNode* cell;
    std::vector<RenderableInstance*> instances;

private:
    BaseRenderable* owner_;
    TextureSharingGroupInterface* group_;
};

inline TestRenderable::~TestRenderable() {
    for (UnloadableBatchInterface* batch : batches) delete static_cast<TestBatch*>(batch);
    deleteAssets();
}

class TestBatchableAsset : public BatchableRenderableAsset {
public:
    TestBatchableAsset(const std::string& name, BaseRenderable* owner, TextureSharingGroupInterface* group,
                       const gfx::Vector3& min, const gfx::Vector3& max)
        : BatchableRenderableAsset(name, nullptr, owner), group_(group) {
        initBoundingBoxes(bounds_);
        bounds_.local = {min, max};
    }
    void onLostDevice() override {}
    void onResetDevice() override {}
    void loadStage1() override {}
    void loadStage2() override {}
    void fillLoadedTextures() override {}
    void refreshEffectHandles() override {}
    void unload() override {}
    void releaseInstanceData() override {}
    void beginRender(DrawPass, const PassContext&, const ViewBlock&) override {}
    void renderInstance(RenderableInstance*, const ViewBlock&, const PassContext&, DrawPass) override {}
    void endRender(DrawPass, const PassContext&, const ViewBlock&) override {}
    const BoundingRecord* getBoundingBox() const override { return &bounds_; }
    TextureSharingGroupInterface* getTextureSharingGroup() override { return group_; }
    gfx::Effect* getBatchEffect() override { return nullptr; }
    UnloadableBatchInterface* createBatch(QuadTreeNode* cell, BaseRenderable* owner, TextureSharingGroupInterface* group,
                                          gfx::Effect*) override {
        ++batchesMade;
        return new TestBatch(cell, owner, group);
    }

    int batchesMade = 0;

private:
    TextureSharingGroupInterface* group_;
    BoundingRecord bounds_;
};

// Render objects of one type with a "matrix", as the render interface makes them, and the
// hand-off that brings their changes to the render side.
class ObjectPairs {
public:
    static constexpr const char* kType = "test_object";

    ObjectPairs() : pool_("renderPool"), registry_(&pool_), manager_(&registry_, &pool_) {
        auto* description = new ParameterDescription(kType, &pool_, true);
        description->addParameter(new MatrixParameter("matrix", identity(), false, &pool_, nullptr),
                                  static_cast<std::uint32_t>(ParameterKind::Matrix));
        registerParameterDescription(registry_, description);
        auto* light = new ParameterDescription("test_light", &pool_, true);
        light->addParameter(new FloatParameter("radius", 0.0f, false, &pool_, nullptr),
                            static_cast<std::uint32_t>(ParameterKind::Float));
        light->addParameter(new Vector3Parameter("position", {0, 0, 0}, false, &pool_, nullptr),
                            static_cast<std::uint32_t>(ParameterKind::Vector3));
        light->addParameter(new Vector3Parameter("colour", {0, 0, 0}, false, &pool_, nullptr),
                            static_cast<std::uint32_t>(ParameterKind::Vector3));
        registerParameterDescription(registry_, light);
        registerParameterDescription(registry_, new ParameterDescription("bare_light", &pool_, true));
    }

    static MatrixValue identity() { return value(gfx::identityMatrix()); }
    static MatrixValue value(const gfx::Matrix& matrix) {
        MatrixValue out;
        std::copy(matrix.data(), matrix.data() + 16, out.begin());
        return out;
    }

    // An object placed at matrix; the hand-off has run, so the render side holds the value.
    ParameterManager::ParameterGroupPair* object(const gfx::Matrix& matrix) {
        ParameterManager::ParameterGroupPair* pair = manager_.createGroupPair(kType);
        pair->updateGroup()->setMatrix("matrix", value(matrix));
        manager_.sync();
        return pair;
    }
    // A point light's parameters, already handed off.
    ParameterManager::ParameterGroupPair* light(float radius, const Vector3Value& position, const Vector3Value& colour) {
        ParameterManager::ParameterGroupPair* pair = manager_.createGroupPair("test_light");
        pair->updateGroup()->setFloat("radius", radius);
        pair->updateGroup()->setVector3("position", position);
        pair->updateGroup()->setVector3("colour", colour);
        manager_.sync();
        return pair;
    }
    // A light object whose type has no parameters at all.
    ParameterManager::ParameterGroupPair* bareLight() {
        ParameterManager::ParameterGroupPair* pair = manager_.createGroupPair("bare_light");
        manager_.sync();
        return pair;
    }
    void move(ParameterManager::ParameterGroupPair* pair, const gfx::Matrix& matrix) {
        pair->updateGroup()->setMatrix("matrix", value(matrix));
    }
    void handOff() { manager_.sync(); }

    ThreadResourcePool* pool() { return &pool_; }
    ParameterManager& manager() { return manager_; }

private:
    ThreadResourcePool pool_;
    ParameterDescriptionRegistry registry_;
    ParameterManager manager_;
};

} // namespace scenetest
