#include "support/flat_box_renderable.h"

#include <cstring>

#include "app/parameter_description.h"
#include "platform/gfx/effect.h"
#include "platform/gfx/math_matrix.h"
#include "render/base_renderable.h"
#include "render/bounding_record.h"
#include "render/device_global.h"
#include "render/renderable_asset.h"
#include "render/renderable_factory.h"
#include "render/renderable_instance.h"
#include "render/renderable_manager.h"
#include "ui_render/ui_parameters.h"

namespace scenetest {

std::vector<PassRecord>& flatBoxPasses() {
    static std::vector<PassRecord> passes;
    return passes;
}

namespace {

// The unit cube's corners, scaled and placed by each instance's world matrix.
const char* kEffect = R"(
parameter mat4 gWorldViewProjection;
parameter vec4 gColour = {1, 1, 1, 1};

vertex BoxVS {
in vec3 inPosition;
void main() { gl_Position = gWorldViewProjection * vec4(inPosition, 1.0); }
}

fragment BoxFS {
void main() { outColour = gColour; outColour1 = vec4(0.0, 0.0, 1.0, 1.0); }
}

technique BoxTech {
    pass P0 { vertex = BoxVS; fragment = BoxFS; CullMode = None; ZEnable = true; ZWriteEnable = true; AlphaBlendEnable = false; }
}
)";

class FlatBoxAsset : public RenderableAsset {
public:
    explicit FlatBoxAsset(BaseRenderable* owner) : RenderableAsset(kFlatBoxType, owner->renderContext(), owner, false) {
        initBoundingBoxes(bounds_);
        bounds_.local = {{-1.0f, -1.0f, -1.0f}, {1.0f, 1.0f, 1.0f}};
    }
    ~FlatBoxAsset() override { unload(); }

    void onLostDevice() override {}
    void onResetDevice() override {}
    void loadStage1() override {}
    void loadStage2() override {
        const float corners[8][3] = {{-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1},
                                     {-1, -1, 1},  {1, -1, 1},  {1, 1, 1},  {-1, 1, 1}};
        const int faces[6][4] = {{0, 1, 2, 3}, {5, 4, 7, 6}, {4, 0, 3, 7}, {1, 5, 6, 2}, {3, 2, 6, 7}, {4, 5, 1, 0}};
        std::vector<float> vertices;
        for (const auto& face : faces) {
            for (int corner : {0, 1, 2, 0, 2, 3}) vertices.insert(vertices.end(), corners[face[corner]], corners[face[corner]] + 3);
        }
        const auto bytes = std::uint32_t(vertices.size() * sizeof(float));
        if (gfx::failed(deviceGlobal->createVertexBuffer(bytes, gfx::Usage::WriteOnly, gfx::Pool::Managed, &vertices_)))
            return;
        void* data = nullptr;
        vertices_->lock(0, 0, &data, 0);
        std::memcpy(data, vertices.data(), bytes);
        vertices_->unlock();
        std::string errors;
        gfx::EffectDescription* description = nullptr;
        if (gfx::succeeded(gfx::compileEffectFromText(kEffect, "flat_box.fx", {}, &description, &errors))) {
            gfx::Effect::create(deviceGlobal, description, &effect_, &errors);
            description->release();
        }
    }
    void fillLoadedTextures() override {}
    void refreshEffectHandles() override {}
    void unload() override {
        gfx::safeRelease(effect_);
        gfx::safeRelease(vertices_);
    }
    void releaseInstanceData() override {}
    void beginRender(DrawPass, const PassContext&, const ViewBlock&) override {
        if (!effect_ || !vertices_) return;
        deviceGlobal->setStreamSource(0, vertices_, 0, 12);
        deviceGlobal->setVertexDeclaration(vdPosition);
        effect_->setTechnique(effect_->getTechniqueByName("BoxTech"));
        std::uint32_t passes = 0;
        effect_->begin(&passes, 0);
        effect_->beginPass(0);
    }
    void renderInstance(RenderableInstance* instance, const ViewBlock& view, const PassContext&,
                        DrawPass pass) override {
        if (!effect_ || !vertices_) return;
        const gfx::Matrix wvp = instance->worldMatrix() * view.viewProjection;
        effect_->setMatrix(effect_->getParameterByName("gWorldViewProjection"), wvp);
        const Vector4Value colour =
            declared::read(instance->pair() ? instance->pair()->renderGroup() : nullptr, FlatBoxParameters::colour);
        const float black[4] = {0, 0, 0, 1};
        effect_->setVector(effect_->getParameterByName("gColour"), pass == DrawPass::Colour ? colour.data() : black);
        effect_->commitChanges();
        deviceGlobal->drawPrimitive(gfx::PrimitiveType::TriangleList, 0, 12);
    }
    void endRender(DrawPass, const PassContext&, const ViewBlock&) override {
        if (!effect_ || !vertices_) return;
        effect_->endPass();
        effect_->end();
    }
    const BoundingRecord* getBoundingBox() const override { return &bounds_; }

private:
    BoundingRecord bounds_;
    gfx::VertexBuffer* vertices_ = nullptr;
    gfx::Effect* effect_ = nullptr;
};

class FlatBoxRenderable : public BaseRenderable {
public:
    FlatBoxRenderable(ThreadResourcePool* pool, RenderInterface*, RenderableManager* manager)
        : BaseRenderable(pool, kFlatBoxClass, manager) {
        drawOrder = 0;
    }
    ~FlatBoxRenderable() override { deleteAssets(); }

    void loadAssets() override {
        auto* asset = new FlatBoxAsset(this);
        asset->loadStage1();
        manager()->registerAsset(asset);
        assets.push_back(asset);
    }
    void fillLoadedTextures() override {}
    void unloadInstances() override {
        for (RenderableAsset* asset : assets) asset->visibleInstances.clear();
    }
    void createEffects() override {}
    void setFrameParameters() override {}
    void releaseAssets() override { deleteAssets(); }
    void setUpParamDescriptions(ParameterDescriptionRegistry& registry) override {
        auto* description = new ParameterDescription(kFlatBoxType, renderContext(), true);
        uiparam::add<Vector4Parameter>(*description, renderContext(), FlatBoxParameters::colour.name,
                                       FlatBoxParameters::colour.defaultValue);
        registerParameterDescription(registry, description);
    }
    void removeParamDescriptions(ParameterDescriptionRegistry& registry) override { registry.remove(kFlatBoxType); }
    void drawPass(RenderableDirectionalLight* light, const ViewBlock& view, const PassContext& context, DrawPass pass,
                  float frameTime) override {
        PassRecord record{pass, context};
        gfx::Surface* surface = nullptr;
        if (gfx::succeeded(deviceGlobal->getRenderTarget(0, &surface))) {
            record.target0 = surface;
            surface->release();
        }
        if (gfx::succeeded(deviceGlobal->getRenderTarget(1, &surface))) {
            record.target1 = surface;
            surface->release();
        }
        for (RenderableAsset* asset : assets) record.visibleBoxes += asset->visibleInstances.size();
        flatBoxPasses().push_back(record);
        BaseRenderable::drawPass(light, view, context, pass, frameTime);
    }
};

RenderableFactory<FlatBoxRenderable> factory(kFlatBoxClass);

} // namespace

} // namespace scenetest

// Named by test programs that use the flat boxes, so that the factory above is linked.
extern "C" void zoderud_link_flat_boxes() {}
