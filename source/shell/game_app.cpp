#include "shell/game_app.h"

#include <cstdlib>

#include "app/base_state.h"
#include "app/direct_input_devices.h"
#include "app/game_config.h"
#include "app/input_manager.h"
#include "app/log.h"
#include "app/os_interface_manager.h"
#include "app/parameter_description.h"
#include "app/thread_resource_pool.h"
#include "platform/gfx/device.h"
#include "render/base_render_state.h"
#include "render/device_global.h"
#include "render/game_render_task.h"
#include "render/render_interface.h"
#include "render/render_state_manager.h"
#include "shell/update_thread.h"

namespace {

constexpr std::uint32_t cycleWaitMs = 90;
// Long enough for any update cycle to finish; past it the update thread is taken to be stuck.
constexpr std::uint32_t shutdownWaitMs = 10000;

} // namespace

GameApp::GameApp(std::uint32_t width, std::uint32_t height, const char* currentDirectory, std::string title,
                 GameStateManager::StateFactory firstState, ConfigFactory makeConfig)
    : QelApp(width, height, true, std::move(title)) {
    renderPool_ = new ThreadResourcePool("renderPool");
    renderPool_->takeOwnership();
    updatePool_ = new ThreadResourcePool("updatePool");
    updatePool_->takeOwnership();
    if (!setUpSucceeded()) return;

    inputDevices_ = new DirectInputDevices(renderPool_, this);
    renderRegistry_ = new ParameterDescriptionRegistry(renderPool_);
    renderInterface_ = new RenderInterface(renderRegistry_, renderPool_, width, height, currentDirectory);
    osInterface_ = new OSInterfaceManagerLinux(updatePool_);

    {
        GameConfig config(updatePool_, "BRAV Zoderud");
        if (!config.load()) {
            int screenWidth = 0, screenHeight = 0;
            platform::screenSize(screenWidth, screenHeight);
            config.loadDefaults(static_cast<int>(renderInterface_->shaderLevel()), screenWidth, screenHeight);
            config.save();
        }
        renderInterface_->setRenderSettings(config.settings, RenderSettingsRequests{});
    }

    renderTask_ = new GameRenderTask(window_->sdlWindow(), renderPool_, width, height);
    renderTask_->registry = renderRegistry_;
    renderTask_->renderInterface = renderInterface_;
    renderTask_->renderThreadCycleEvent = &renderThreadCycleFinished_;
    renderTask_->updateThreadCycleEvent = &updateThreadCycleFinished_;

    context_ = new UpdateThreadContext(window_.get(), renderInterface_, osInterface_, updatePool_);
    context_->go = &renderThreadCycleFinished_;
    context_->done = &updateThreadCycleFinished_;
    context_->firstState = std::move(firstState);
    context_->makeConfig = std::move(makeConfig);

    // The update thread's first cycle runs at once.
    renderThreadCycleFinished_.set();

    if (!renderTask_->initialise()) {
        failSetUp("CreateDevice FAILED");
        return;
    }
    UpdateThreadContext* context = context_;
    updateThread_.start([context] { updateThreadMain(context); });
    renderTask_->onStarted();
}

GameApp::~GameApp() {
    if (!shuttingDown_) shutdown();
    if (renderTask_) {
        renderTask_->shutdown();
        delete renderTask_;
    }
    delete context_;
    delete renderInterface_;
    delete renderRegistry_;
    if (inputDevices_) {
        inputDevices_->release();
        delete inputDevices_;
    }
    delete osInterface_;
    delete renderPool_;
    delete updatePool_;
}

void GameApp::frame(float clampedDt, float rawDt) {
    gfx::beginPerfEvent(0xFF22FFFF, "runMultiThreadedTasks");
    clampedFrameTime_ = clampedDt;
    rawFrameTime_ = rawDt;
    if (restorePending_) {
        restorePending_ = false;
        restoreWindowRect(false);
    }
    if (sizeChanged_ || renderInterface_->renderSettings().displayChangeRequested) applyDisplayChange();
    const std::uint64_t presentsBefore = deviceGlobal ? deviceGlobal->presentCount() : 0;
    frameStep(clampedDt);
    framePresented_ = deviceGlobal && deviceGlobal->presentCount() != presentsBefore;
    gfx::endPerfEvent();
}

void GameApp::applyDisplayChange() {
    const RenderSettings& settings = renderInterface_->renderSettings();
    std::uint32_t width = settings.width;
    std::uint32_t height = settings.height;
    gfx::PresentParameters& parameters = renderTask_->presentParameters();
    parameters.multiSampleType = static_cast<gfx::MultisampleType>(settings.multisamplingType);
    parameters.flags = 0;
    parameters.presentationInterval = settings.verticalSync ? gfx::PresentInterval::One : gfx::PresentInterval::Immediate;
    clientWidth_ = width;
    clientHeight_ = height;
    renderTask_->backBufferWidth = width;
    renderTask_->backBufferHeight = height;
    if (RenderStateManager* manager = renderTask_->renderStateManager()) manager->setScreenSize(width, height);
    setWindowMode(fullScreenWanted_);
    restorePending_ = !fullScreenWanted_;
    resizePending_ = true;
    window_->setClientSize(static_cast<int>(width), static_cast<int>(height));
    window_->setPosition(windowX_, windowY_);
}

void GameApp::frameStep(float dt) {
    // A slow update cycle costs this frame its hand-off and its drawing, never a double hand-off.
    if (!updateThreadCycleFinished_.wait(cycleWaitMs)) return;
    updateThreadCycleFinished_.reset();
    update(dt);
    renderThreadCycleFinished_.set();
    if (renderTask_->handleLostDevice()) return;
    renderTask_->applyPendingDisplayChange();
    RenderStateManager* manager = renderTask_->renderStateManager();
    if (!manager) return;
    if (redrawWanted_) {
        manager->requestRedraw();
        redrawWanted_ = false;
    }
    manager->update(dt);
}

void GameApp::update(float dt) {
    RenderStateManager* manager = renderTask_->renderStateManager();
    renderInterface_->beginHandOff();
    if (BaseRenderState* target = manager ? manager->handOffTarget() : nullptr) target->beforeFrameSwap();
    renderInterface_->swapFrame();
    if (BaseRenderState* target = manager ? manager->handOffTarget() : nullptr) target->processPendingObjects();
    copyFlags();
    osInterface_->exchangeClipboard();
    // Polled here, not before the wait for the update thread: a press, click or wheel turn made
    // while a cycle ran late stays latched until the input manager takes it.
    inputDevices_->poll();
    if (context_->inputManager) context_->inputManager->update(*inputDevices_, dt);
    // What the input receivers made or destroyed takes effect in this hand-off, as the update
    // side's own objects did above.
    if (renderInterface_->objectsChangedInHandOff()) {
        renderInterface_->parameterManager()->sync();
        if (BaseRenderState* target = manager ? manager->handOffTarget() : nullptr) target->processPendingObjects();
    }
    renderInterface_->endHandOff();
    if (renderInterface_->takeSceneChangeRequest() && manager) manager->changeScene(renderInterface_->sceneName());
}

void GameApp::copyFlags() {
    renderTask_->displayChangeRequested = sizeChanged_;
    sizeChanged_ = context_->displayChangeRequest;
    renderTask_->resizePending = resizePending_;
    resizePending_ = false;
    fullScreenWanted_ = renderInterface_->renderSettings().fullScreen != 0;
    renderTask_->fullScreenWanted = fullScreenNow_;
    quitRequested_ = context_->stateManagerAskedToQuit;
    context_->quit = shuttingDown_;
    context_->frameTime = clampedFrameTime_;
    context_->rawFrameTime = rawFrameTime_;
}

void GameApp::shutdown() {
    if (shuttingDown_) return;
    shuttingDown_ = true;
    if (!updateThread_.isStarted()) return;
    bool cycleDone = updateThreadCycleFinished_.wait(shutdownWaitMs);
    if (cycleDone) {
        context_->quit = true;
        renderThreadCycleFinished_.set();
    }
    if (!cycleDone || !updateThread_.join(shutdownWaitMs)) {
        // The update thread is stuck inside a cycle and may still use everything the
        // destructor would free: end the process here instead.
        LOG_MESSAGE("The update thread did not finish within %u ms; ending the program", shutdownWaitMs);
        updateThread_.abandon();
        std::_Exit(2);
    }
}

void GameApp::onMouseMove(const short position[2]) {
    if (inputDevices_ && inputDevices_->absolutePointer()) setWindowPointerPosition(position[0], position[1]);
}

void GameApp::onClose() {
    if (context_) context_->closeRequested = true;
}

bool GameApp::setWindowMode(bool fullScreen) {
    if (fullScreen) {
        if (fullScreenNow_) return false;
        fullScreenNow_ = true;
        window_->setBorderless(true);
        window_->setPosition(0, 0);
        window_->setClientSize(static_cast<int>(clientWidth_), static_cast<int>(clientHeight_));
    } else {
        if (!fullScreenNow_) return false;
        window_->setBorderless(false);
        window_->setClientSize(static_cast<int>(clientWidth_), static_cast<int>(clientHeight_));
        window_->setPosition(40, 40);
        fullScreenNow_ = false;
    }
    fullScreenWanted_ = false;
    return true;
}

void GameApp::restoreWindowRect(bool resizePending) {
    resizePending_ = resizePending;
    window_->setPosition(windowX_, windowY_);
    window_->setClientSize(static_cast<int>(clientWidth_), static_cast<int>(clientHeight_));
}
