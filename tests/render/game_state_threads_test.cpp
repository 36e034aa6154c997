// The game render state beside a running update thread, as the program runs them: the update
// side makes and destroys objects and lights every cycle while the render side loads, waits for
// the scene, unloads and shuts the scene down. The queues, the deletion lists and the
// description registry may change only in the hand-off, while the update thread is parked; a
// ThreadSanitizer build (`make tsan`) reports any other access.
#include <gtest/gtest.h>

#include <atomic>
#include <semaphore>
#include <thread>

#include "app/parameter_description.h"
#include "app/thread_resource_pool.h"
#include "render/light_parameters.h"
#include "render/render_interface.h"
#include "render/render_state_game.h"
#include "recording_renderable.h"
#include "support/temp_folder.h"

namespace {

RenderableFactory<recording::Numbered<5>> factory5(recording::Numbered<5>::kName);

TEST(GameStateThreads, ObjectsMadeAndDestroyedEveryCycleMeetTheSceneOnlyInTheHandOff) {
    recording::setups()[recording::Numbered<5>::kName] = {.assets = 2, .loadables = 1};
    ThreadResourcePool pool("renderPool");
    ParameterDescriptionRegistry registry;
    RenderInterface renderInterface(&registry, &pool, 160, 120, "");
    TempFolder folder;
    const std::string name = recording::Numbered<5>::kName;
    RenderStateGame game(&pool, "tacticalBattleState", nullptr, &registry, &renderInterface, nullptr, 160, 120);
    game.setSceneName(folder.write("paths.xml", "<RenderPaths><" + name + "/></RenderPaths>\n"));

    std::binary_semaphore updateTurn{0}, updateDone{0};
    std::atomic<bool> stop{false};
    std::atomic<int> made{0};
    std::thread update([&] {
        renderInterface.setOwnerThreadId(platform::currentThreadId());
        updateDone.release();
        std::vector<RenderInterface::RenderableObject*> objects;
        RenderInterface::RenderableObject* light = nullptr;
        while (true) {
            updateTurn.acquire();
            if (stop) break;
            // Looks the registry up: refused until the scene's descriptions are there.
            if (auto* object = renderInterface.createRenderObject(name + "_asset0", nullptr)) {
                objects.push_back(object);
                ++made;
            }
            if (objects.size() > 3) {
                renderInterface.destroyRenderObject(objects.front());
                objects.erase(objects.begin());
            }
            if (light) renderInterface.destroyLight(light);
            light = renderInterface.createLight(kPointLightType);
            updateDone.release();
        }
    });
    updateDone.acquire();

    // One frame as the program runs it: the hand-off while the update side is parked, then the
    // render side's work while the update side runs its next cycle.
    auto frame = [&](auto&& renderWork) {
        updateDone.acquire();
        renderInterface.beginHandOff();
        renderInterface.swapFrame();
        game.processPendingObjects();
        renderInterface.endHandOff();
        updateTurn.release();
        renderWork();
    };
    auto frameUntil = [&](auto&& renderWork, auto&& done) {
        for (int i = 0; i < 100000 && !done(); ++i) frame(renderWork);
        return done();
    };
    updateTurn.release();

    frame([&] { game.loadData(); });
    const auto load = [&] {
        if (game.status() == BaseState::Loading) game.onLoadFinished();
        else game.finishLoad();
    };
    ASSERT_TRUE(frameUntil(load, [&] { return game.status() == BaseState::WaitingForSceneContent && made > 5; }));
    frame([&] { game.unloadData(); });
    ASSERT_TRUE(frameUntil([&] { game.continueUnload(); }, [&] { return game.status() == BaseState::Unloaded; }));
    frame([] {});
    EXPECT_EQ(registry.find(name + "_asset0"), nullptr) << "the hand-off removed the scene's descriptions";
    frame([&] { game.shutdown(); });
    frame([] {});

    updateDone.acquire();
    stop = true;
    updateTurn.release();
    update.join();
}

} // namespace
