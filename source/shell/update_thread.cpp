#include "shell/update_thread.h"

#include "app/base_state.h"
#include "app/game_config_ext.h"
#include "app/input_manager.h"
#include "app/log.h"
#include "app/parameter_description.h"
#include "app/sound_manager.h"
#include "app/thread_resource_pool.h"
#include "app/ui_context.h"
#include "platform/event.h"
#include "platform/window/app_window.h"
#include "render/apply_game_settings.h"
#include "render/render_interface.h"
#include "ui/mouse_pointer.h"

namespace {

constexpr std::uint32_t cycleWaitMs = 90;

} // namespace

UpdateThreadContext::UpdateThreadContext(platform::AppWindow* window, RenderInterface* renderInterface,
                                         OSInterfaceManager* osInterface, ThreadResourcePool* updatePool)
    : window(window), updatePool(updatePool), osInterface(osInterface), renderInterface(renderInterface) {
    if (renderInterface) renderInterface->setSceneName("Data\\graphics\\render_paths.xml");
}

void startUpdateSide(UpdateThreadContext* context) {
    context->updateRegistry = new ParameterDescriptionRegistry(context->updatePool);
    context->soundManager = new SoundManager(context->updatePool);
    std::string soundError;
    std::unique_ptr<sound::SoundEngine> engine = sound::createSoundEngine(soundError);
    // Without an audio device the program runs silent.
    if (!engine) LOG_MESSAGE("No sound device: %s", soundError.c_str());
    context->soundManager->setEngine(std::move(engine));
    context->inputManager = new InputManager(static_cast<int>(context->width), static_cast<int>(context->height),
                                             context->updatePool);

    context->mousePointer =
        new MousePointer(context->inputManager, context->renderInterface, context->updatePool, "mousePointer");
    context->mousePointer->loadPointerMapping(MousePointer::mappingFile);
    // The program's only pointer kind; applied here so the mapped image and hot spot hold from
    // the first frame.
    context->mousePointer->setPointerType();

    auto* ui = new UIContext;
    ui->mousePointer = context->mousePointer;
    ui->renderInterface = context->renderInterface;
    ui->inputManager = context->inputManager;
    ui->soundManager = context->soundManager;
    ui->updatePool = context->updatePool;
    ui->osInterface = context->osInterface;
    context->uiContext = ui;

    context->gameStateManager =
        new GameStateManager(context->updatePool, ui, context->firstState, context->renderInterface);
    context->gameStateManager->createStates();

    context->frameTime = 0.0f;
    context->quit = false;
    context->stateManagerAskedToQuit = false;

    std::unique_ptr<GameConfigExt> made =
        context->makeConfig ? context->makeConfig(context->updatePool) : nullptr;
    if (!made) made = std::make_unique<GameConfigExt>(context->updatePool, "BRAV Zoderud");
    GameConfigExt& config = *made;
    if (!config.load()) {
        int screenWidth = 0, screenHeight = 0;
        platform::screenSize(screenWidth, screenHeight);
        config.loadDefaults(static_cast<int>(context->renderInterface->shaderLevel()), screenWidth, screenHeight);
        config.save();
    }
    applyGameSettings(config, ui);
}

void stopUpdateSide(UpdateThreadContext* context) {
    // The camera entities end with the game states: the hand-off must no longer read one.
    if (context->renderInterface) context->renderInterface->setActiveCamera(nullptr);
    if (context->gameStateManager) {
        if (BaseState* current = context->gameStateManager->current()) current->unloadData();
        context->gameStateManager->clearStates();
        delete context->gameStateManager;
        context->gameStateManager = nullptr;
    }
    delete context->mousePointer;
    context->mousePointer = nullptr;
    delete context->soundManager;
    context->soundManager = nullptr;
    delete context->inputManager;
    context->inputManager = nullptr;
    delete context->uiContext;
    context->uiContext = nullptr;
    delete context->updateRegistry;
    context->updateRegistry = nullptr;
}

int updateThreadMain(UpdateThreadContext* context) {
    // Before anything can be created: from here on only this thread makes render objects.
    platform::ThreadId self = platform::currentThreadId();
    context->updatePool->setOwnerThreadId(self);
    context->renderInterface->setOwnerThreadId(self);
    context->renderInterface->parameterManager()->setOwnerThreadId(self);

    bool go = context->go->wait(cycleWaitMs);
    startUpdateSide(context);
    while (!context->quit) {
        if (go) {
            context->go->reset();
            if (context->closeRequested.exchange(false)) {
                if (BaseState* current = context->gameStateManager->current()) current->requestQuit();
            }
            if (!context->gameStateManager->update(context->frameTime)) context->stateManagerAskedToQuit = true;
            context->mousePointer->updatePosition();
            context->displayChangeRequest = false;
            context->done->set();
        }
        go = context->go->wait(cycleWaitMs);
    }
    context->done->set();
    stopUpdateSide(context);
    platform::releaseThreadState();
    return 0;
}
