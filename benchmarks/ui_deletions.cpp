// Closing a large screen: the hand-off time to take 2,000 and 10,000 destroyed UI objects off the
// render side (the front end's deletions, then the parameter pairs freed at the next swap), and the
// update side's destroy calls. Both should grow linearly; 10,000 must fit in one 60 Hz frame.
#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "app/parameter_description.h"
#include "app/simple_parameter_group.h"
#include "app/thread_resource_pool.h"
#include "app/typed_parameters.h"
#include "render/render_interface.h"
#include "render/render_state_front_end.h"
#include "ui_render/ui_manager.h"

namespace {

// The render interface, the front end and the UI manager as the hand-off drives them, with a
// rectangle type of a few parameters; the benchmark thread is the update thread and the main one.
struct Screen {
    Screen() {
        auto* description = new ParameterDescription("bench_rectangle", &pool, true);
        for (const char* name : {"x", "y", "width", "height", "alpha", "depth"}) {
            description->addParameter(new FloatParameter(name, 0.0f, false, &pool, nullptr),
                                      static_cast<std::uint32_t>(ParameterKind::Float));
        }
        registerParameterDescription(registry, description);
        renderInterface.setOwnerThreadId(platform::currentThreadId());
    }

    void handOff() {
        renderInterface.swapFrame();
        frontEnd.processPendingObjects();
    }
    // Objects made, given a value and taken over by the render side.
    std::vector<RenderInterface::UIObject*> open(int count) {
        std::vector<RenderInterface::UIObject*> objects;
        objects.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) objects.push_back(renderInterface.createUIObject("bench_rectangle"));
        handOff();
        return objects;
    }
    // A closing screen fades out: every object has a changed value when it goes.
    void fade(const std::vector<RenderInterface::UIObject*>& objects) {
        for (RenderInterface::UIObject* object : objects) {
            static_cast<FloatParameter*>(object->pair()->updateGroup()->getParameter("alpha"))->setValue(0.5f);
        }
    }

    ThreadResourcePool pool{"renderPool"};
    ParameterDescriptionRegistry registry;
    RenderInterface renderInterface{&registry, &pool, 1280, 720, ""};
    UIManager uiManager{&pool, &renderInterface};
    RenderStateFrontEnd frontEnd{&pool, "frontEndState", nullptr, &registry, &renderInterface, &uiManager, 1280, 720};
};

void BM_HandOffAfterDestroying(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    Screen screen;
    // The rest of the program's UI stays open meanwhile.
    screen.open(1000);
    for (auto _ : state) {
        std::vector<RenderInterface::UIObject*> objects = screen.open(count);
        screen.fade(objects);
        for (RenderInterface::UIObject* object : objects) screen.renderInterface.destroyUIObject(object);
        // The hand-off that takes the deletions, and the next one, which frees the pairs.
        const auto start = std::chrono::steady_clock::now();
        screen.handOff();
        screen.handOff();
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["objects"] = count;
}
BENCHMARK(BM_HandOffAfterDestroying)->Arg(2000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_DestroyCalls(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    Screen screen;
    screen.open(1000);
    for (auto _ : state) {
        std::vector<RenderInterface::UIObject*> objects = screen.open(count);
        // In creation order, as a window's elements are destroyed.
        const auto start = std::chrono::steady_clock::now();
        for (RenderInterface::UIObject* object : objects) screen.renderInterface.destroyUIObject(object);
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        screen.handOff();
        screen.handOff();
    }
    state.counters["objects"] = count;
}
BENCHMARK(BM_DestroyCalls)->Arg(2000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
