// Frames of 2,000 UI objects through the real UI manager: 1,500 rectangles (simple, outlined
// and shadowed) and 500 text boxes of about 20 characters on 8 layers, against frames that only
// clear and present, in the same run. Wall time (median of 200 frames) and the process's CPU
// time over all threads per frame, in milliseconds.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "app/simple_parameter_group.h"
#include "offscreen_ui_bench.h"

namespace {

// Small widgets spread over the screen, like buttons and labels, on layers 0 to 7.
void makeScene(RenderInterface& renderInterface) {
    const char* const rectangles[] = {"ui_simple_rectangle", "ui_outlined_rectangle", "ui_shadowed_outlined_rectangle"};
    for (int i = 0; i < 2000; ++i) {
        const bool text = i % 4 == 3;
        RenderInterface::UIObject* object = renderInterface.createUIObject(text ? "TextBox" : rectangles[i % 3]);
        if (!object) continue;
        object->setRenderLayer(static_cast<std::uint32_t>(i % 8));
        SimpleParameterGroup* group = object->pair()->updateGroup();
        const float left = -1.0f + float(i % 40) * 0.05f, top = 1.0f - float((i / 40) % 50) * 0.04f;
        group->setVector2("topLeft", {left, top});
        group->setVector2("bottomRight", {left + 0.045f, top - 0.035f});
        if (text) {
            group->setString("string", "Strength 14 (+1) ok");
        } else {
            group->setVector4("colour", {float(i % 7) / 7.0f, 0.5f, 0.25f, 1.0f});
        }
    }
}

void BM_UIFrames(benchmark::State& state) {
    OffscreenUIBench bench;
    if (!bench.ready()) {
        state.SkipWithError("no device");
        return;
    }
    makeScene(*bench.renderInterface);
    UIManager& manager = *bench.manager;
    for (auto _ : state) {
        const OffscreenUIBench::FrameCost baseline = OffscreenUIBench::measureFrames([&] { bench.clearAndPresent(); });
        manager.batchWriter().resetDrawCalls();
        const OffscreenUIBench::FrameCost ui = OffscreenUIBench::measureFrames([&] { bench.uiFrame(); });
        state.counters["clear_present_ms"] = baseline.wallMs;
        state.counters["clear_present_cpu_ms"] = baseline.cpuMs;
        state.counters["ui_frame_ms"] = ui.wallMs;
        state.counters["ui_frame_cpu_ms"] = ui.cpuMs;
        state.counters["difference_ms"] = ui.wallMs - baseline.wallMs;
        state.counters["batched_draws_per_frame"] =
            double(manager.batchWriter().drawCalls()) / (OffscreenUIBench::framesMeasured + 10);
        std::printf("clear and present: %.3f ms wall, %.3f ms CPU; UI frame of 2,000 objects: %.3f ms wall, %.3f ms "
                    "CPU; difference: %.3f ms wall, %.3f ms CPU (wall: median of %d frames; CPU: the process's "
                    "over all threads, per frame)\n",
                    baseline.wallMs, baseline.cpuMs, ui.wallMs, ui.cpuMs, ui.wallMs - baseline.wallMs,
                    ui.cpuMs - baseline.cpuMs, OffscreenUIBench::framesMeasured);
    }
}

BENCHMARK(BM_UIFrames)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
