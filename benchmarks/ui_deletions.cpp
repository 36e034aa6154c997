// Closing a large screen: the hand-off time to take 2,000 and 10,000 destroyed UI objects off the
// render side (the front end's deletions, then the parameter pairs retired at the next swap), the
// main thread's work after those hand-offs (freeing the retired pairs while the update thread runs
// again), and the update side's destroy calls. All should grow linearly; 10,000 must fit in one
// 60 Hz frame.
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
    // What the main thread does once the update thread is released: the front end's frame.
    void afterHandOff() { frontEnd.update(0.0f); }
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

// Seconds spent in the hand-offs of one closing, and on the main thread after them.
struct ClosingTimes {
    double handOff = 0.0;
    double afterHandOff = 0.0;
};

ClosingTimes closeScreen(Screen& screen, int count) {
    std::vector<RenderInterface::UIObject*> objects = screen.open(count);
    screen.fade(objects);
    for (RenderInterface::UIObject* object : objects) screen.renderInterface.destroyUIObject(object);
    // The hand-off that takes the deletions, and the next one, which retires the pairs; each
    // followed by the main thread's frame, which frees what was retired.
    ClosingTimes times;
    for (int frame = 0; frame < 2; ++frame) {
        const auto start = std::chrono::steady_clock::now();
        screen.handOff();
        const auto handedOff = std::chrono::steady_clock::now();
        screen.afterHandOff();
        const auto end = std::chrono::steady_clock::now();
        times.handOff += std::chrono::duration<double>(handedOff - start).count();
        times.afterHandOff += std::chrono::duration<double>(end - handedOff).count();
    }
    return times;
}

void BM_HandOffAfterDestroying(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    Screen screen;
    // The rest of the program's UI stays open meanwhile.
    screen.open(1000);
    for (auto _ : state) state.SetIterationTime(closeScreen(screen, count).handOff);
    state.counters["objects"] = count;
}
BENCHMARK(BM_HandOffAfterDestroying)->Arg(2000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);

// The same closings, timing the main thread's frames after the two hand-offs instead.
void BM_FreeingAfterHandOff(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    Screen screen;
    screen.open(1000);
    for (auto _ : state) state.SetIterationTime(closeScreen(screen, count).afterHandOff);
    state.counters["objects"] = count;
}
BENCHMARK(BM_FreeingAfterHandOff)->Arg(2000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);

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
        for (int frame = 0; frame < 2; ++frame) {
            screen.handOff();
            screen.afterHandOff();
        }
    }
    state.counters["objects"] = count;
}
BENCHMARK(BM_DestroyCalls)->Arg(2000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
