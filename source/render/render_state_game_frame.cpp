// The game render state's frame: the shadow pass, the ambient-occlusion chain, the scene and the
// UI into their targets and the composition into the back buffer, and the targets and post
// effect it draws with.
#include <cstring>

#include "platform/gfx/device.h"
#include "platform/gfx/effect.h"
#include "platform/message_box.h"
#include "render/dds_texture_loader.h"
#include "render/device_global.h"
#include "render/render_state_game.h"
#include "render/render_target.h"
#include "render/renderable_manager.h"
#include "render/ui_draw_interface.h"
#include "render/view_frustum.h"

namespace {

constexpr std::uint32_t kPerfColour = 0xFF22FFFF;
constexpr std::uint32_t kQuadStride = 20;

std::string& postEffectPath() {
    static std::string path = RenderStateGame::kPostEffectPath;
    return path;
}

} // namespace

void RenderStateGame::setPostEffectPath(const std::string& path) { postEffectPath() = path; }

void RenderStateGame::createPostResources() {
    releasePostResources();
    const RenderSettings& settings = renderInterface_->renderSettings();
    const float w = settings.width ? float(settings.width) : float(width_);
    const float h = settings.height ? float(settings.height) : float(height_);
    const float hx = (1.0f / w) * 2.0f * 0.5f, hy = (1.0f / h) * 2.0f * 0.5f;
    const float vertices[30] = {-1 - hx, 1 + hy,  0, 0, 0, 1 - hx,  1 + hy, 0, 1, 0, -1 - hx, -1 + hy, 0, 0, 1,
                                -1 - hx, -1 + hy, 0, 0, 1, 1 - hx, 1 + hy, 0, 1, 0, 1 - hx,  -1 + hy, 0, 1, 1};
    if (gfx::succeeded(deviceGlobal->createVertexBuffer(sizeof vertices, gfx::Usage::WriteOnly, gfx::Pool::Managed,
                                                        &quad_))) {
        void* data = nullptr;
        if (gfx::succeeded(quad_->lock(0, 0, &data, 0))) {
            std::memcpy(data, vertices, sizeof vertices);
            quad_->unlock();
        }
    }
    loadPostEffect();
}

void RenderStateGame::loadPostEffect() {
    std::string errors;
    if (gfx::failed(gfx::createEffectFromFile(deviceGlobal, postEffectPath(), {}, &postEffect_, &errors)))
        gfx::safeRelease(postEffect_);
    // Without the effect the frame takes the path that needs none.
    if (!errors.empty()) platform::showMessageBox("", errors);
}

void RenderStateGame::releasePostResources() {
    gfx::safeRelease(postEffect_);
    gfx::safeRelease(quad_);
}

void RenderStateGame::deleteRenderTargets() {
    for (std::unique_ptr<RenderTarget>* target : {&sceneTarget_, &uiTarget_, &shadowBlurTarget_, &shadowTarget_,
                                                  &normalTarget_, &positionTarget_, &ssaoTarget_, &ssaoWorkTarget_})
        target->reset();
    targets_ = PassContext{};
}

void RenderStateGame::createRenderTargets() {
    gfx::safeRelease(backBuffer_);
    deviceGlobal->getRenderTarget(0, &backBuffer_);
    deleteRenderTargets();
    const RenderSettings& settings = renderInterface_->renderSettings();
    const auto multisample =
        settings.multisampling ? gfx::MultisampleType(settings.multisamplingType) : gfx::MultisampleType::None;
    const std::uint32_t w = width_, h = height_, viewHeight = sceneHeight(height_);
    sceneTarget_ = std::make_unique<RenderTarget>(w, h, gfx::Format::A8R8G8B8, true, multisample);
    uiTarget_ = std::make_unique<RenderTarget>(w, h, gfx::Format::A8R8G8B8, false, gfx::MultisampleType::None);
    targets_.targets[PassContext::Scene] = sceneTarget_.get();
    targets_.targets[PassContext::UI] = uiTarget_.get();
    if (renderInterface_->shaderLevel() < 3) return;
    if (settings.shadows) {
        const std::uint32_t size = shadowMapSize(settings.shadowDetail);
        shadowTarget_ = std::make_unique<RenderTarget>(size, size, gfx::Format::R32F, true, gfx::MultisampleType::None);
        shadowBlurTarget_ =
            std::make_unique<RenderTarget>(size, size, gfx::Format::R32F, true, gfx::MultisampleType::None);
        targets_.targets[PassContext::BlurredShadowMap] = shadowBlurTarget_.get();
    }
    if (settings.ssao) {
        normalTarget_ = std::make_unique<RenderTarget>(w, viewHeight, gfx::Format::A32B32G32R32F, true,
                                                       gfx::MultisampleType::None);
        positionTarget_ = std::make_unique<RenderTarget>(w, viewHeight, gfx::Format::A32B32G32R32F, true,
                                                         gfx::MultisampleType::None);
        ssaoTarget_ =
            std::make_unique<RenderTarget>(w, viewHeight, gfx::Format::A8R8G8B8, false, gfx::MultisampleType::None);
        ssaoWorkTarget_ =
            std::make_unique<RenderTarget>(w, viewHeight, gfx::Format::A8R8G8B8, false, gfx::MultisampleType::None);
        targets_.targets[PassContext::Normals] = normalTarget_.get();
        targets_.targets[PassContext::Ssao] = ssaoTarget_.get();
        if (postEffect_) {
            const float size[4] = {float(w), float(viewHeight), 0.0f, 0.0f};
            const float inverse[4] = {1.0f / float(w), viewHeight ? 1.0f / float(viewHeight) : 0.0f, 0.0f, 0.0f};
            postEffect_->setVector(postEffect_->getParameterByName("g_screen_size"), size);
            postEffect_->setVector(postEffect_->getParameterByName("gInvRenderDim"), inverse);
        }
    }
}

void RenderStateGame::setTexture(const char* parameter, RenderTarget* target) {
    postEffect_->setTexture(postEffect_->getParameterByName(parameter), target ? target->sampledTexture() : nullptr);
}

void RenderStateGame::drawFullScreen(const char* technique) {
    deviceGlobal->setStreamSource(0, quad_, 0, kQuadStride);
    deviceGlobal->setVertexDeclaration(vdPositionTex);
    postEffect_->setTechnique(postEffect_->getTechniqueByName(technique));
    std::uint32_t passes = 0;
    if (gfx::failed(postEffect_->begin(&passes, 0))) return;
    postEffect_->beginPass(0);
    postEffect_->commitChanges();
    deviceGlobal->drawPrimitive(gfx::PrimitiveType::TriangleList, 0, 2);
    postEffect_->endPass();
    postEffect_->end();
}

void RenderStateGame::renderFrame(float dt) {
    gfx::Device* device = deviceGlobal;
    if (!device || !renderInterface_) return;
    gfx::beginPerfEvent(kPerfColour, "Render State Game Render");
    const RenderSettings& settings = renderInterface_->renderSettings();
    const std::uint32_t viewHeight = sceneHeight(height_);
    const gfx::Viewport sceneViewport{0, 0, width_, viewHeight, 0.0f, 1.0f};
    const gfx::Viewport fullViewport{0, 0, width_, height_, 0.0f, 1.0f};
    const bool post = postEffect_ && quad_;
    RenderableManager* manager = manager_.get();
    auto drawScene = [&](DrawPass pass) {
        if (manager) manager->draw(&targets_, pass, dt);
    };

    if (renderInterface_->gameStateStatusForRender() == Running) {
        if (fades_[0] <= 1.0f) fades_[0] += dt * 0.16666667f;
        if (fades_[1] <= 1.0f) fades_[1] += dt * 0.33333334f;
    }

    if (settings.shadows && shadowTarget_ && shadowBlurTarget_) {
        shadowTarget_->bind(0, 0, true);
        shadowTarget_->clear(0);
        drawScene(DrawPass::Shadow);
        shadowTarget_->unbind(0);
        shadowBlurTarget_->bind(0, 0, true);
        if (post) {
            setTexture("gSSAOUnblurredTexture", shadowTarget_.get());
            drawFullScreen("VSMShadowBlurTech");
        }
        shadowBlurTarget_->unbind(0);
    }

    if (settings.ssao && normalTarget_ && positionTarget_ && ssaoTarget_ && ssaoWorkTarget_) {
        normalTarget_->bind(0, 1, false);
        positionTarget_->bind(0, 0, true);
        drawScene(DrawPass::Depth);
        positionTarget_->unbind(0);
        normalTarget_->unbind(1);
        if (post) {
            ssaoWorkTarget_->bind(0, 0, true);
            setTexture("gNormalTexture", normalTarget_.get());
            setTexture("gPositionTexture", positionTarget_.get());
            postEffect_->setTexture(postEffect_->getParameterByName("gSSAORandomTexture"),
                                    reflection_ ? reflection_->texture() : nullptr);
            if (manager && manager->frustum())
                postEffect_->setMatrix(postEffect_->getParameterByName("g_mat"), manager->frustum()->viewProjection());
            drawFullScreen("SSAOTech");
            ssaoWorkTarget_->unbind(0);
            ssaoTarget_->bind(0, 0, true);
            setTexture("gSSAOUnblurredTexture", ssaoWorkTarget_.get());
            drawFullScreen("SSAOBlurTech");
            ssaoTarget_->unbind(0);
            ssaoWorkTarget_->bind(0, 0, true);
            setTexture("gSSAOUnblurredTexture", ssaoTarget_.get());
            drawFullScreen("SSAOBlurTech");
            ssaoWorkTarget_->unbind(0);
            ssaoTarget_->bind(0, 0, true);
            setTexture("gSSAOUnblurredTexture", ssaoWorkTarget_.get());
            drawFullScreen("FXAATech");
            ssaoTarget_->unbind(0);
        }
    }

    if (settings.postProcessing && post && sceneTarget_ && uiTarget_ && backBuffer_) {
        if (settings.multisampling) device->setRenderState(gfx::RenderState::MultisampleAntialias, 1);
        sceneTarget_->bind(0, 0, true);
        device->setViewport(sceneViewport);
        drawScene(DrawPass::Colour);
        sceneTarget_->unbind(0);
        if (settings.multisampling) device->setRenderState(gfx::RenderState::MultisampleAntialias, 0);
        uiTarget_->bind(0, 0, true);
        uiTarget_->clear(0);
        device->setViewport(fullViewport);
        if (ui_) ui_->draw();
        uiTarget_->unbind(0);
        device->setRenderTarget(0, backBuffer_);
        device->clear(gfx::Clear::Target, 0xFF000000, 1.0f, 0);
        device->beginScene();
        setTexture("gUITex", uiTarget_.get());
        setTexture("gColourTex", sceneTarget_.get());
        const float fades[4] = {fades_[0], fades_[1], 0.0f, 0.0f};
        postEffect_->setVector(postEffect_->getParameterByName("gFadeInParams"), fades);
        if (manager && manager->frustum()) {
            const gfx::Vector3& eye = manager->frustum()->eye();
            postEffect_->setValue(postEffect_->getParameterByName("gEyePosW"), &eye.x, 12);
        }
        drawFullScreen("CopyPost");
        device->setStreamSource(0, nullptr, 0, 0);
    } else if (backBuffer_) {
        if (settings.multisampling) device->setRenderState(gfx::RenderState::MultisampleAntialias, 1);
        device->setRenderTarget(0, backBuffer_);
        // A multisampled depth surface does not fit the back buffer.
        const bool depthFits = sceneTarget_ && sceneTarget_->multisample() == gfx::MultisampleType::None;
        device->setDepthStencilSurface(depthFits ? sceneTarget_->depthStencilSurface() : nullptr);
        device->setRenderState(gfx::RenderState::ZEnable, 1);
        device->clear(gfx::Clear::Target | gfx::Clear::ZBuffer, 0xFF000000, 1.0f, 0);
        device->beginScene();
        device->setViewport(sceneViewport);
        drawScene(DrawPass::Colour);
        device->setViewport(fullViewport);
        if (settings.multisampling) device->setRenderState(gfx::RenderState::MultisampleAntialias, 0);
        if (ui_) ui_->draw();
    } else {
        device->beginScene();
    }
    device->endScene();
    // The scene's depth is not left bound for whatever draws next.
    device->setDepthStencilSurface(nullptr);
    device->setRenderState(gfx::RenderState::ZEnable, 0);
    device->present();
    gfx::endPerfEvent();
}
