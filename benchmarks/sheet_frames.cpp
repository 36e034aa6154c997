// The character sheet of a level-5 fighter with 60 items and 40 known spells, through the real
// UI manager: a frame of the shown Core tab (window-manager update, hand-off, draw, present) and
// a frame that switches tabs, against frames that only clear and present, in the same run.
// Median of 200 frames each, in milliseconds.
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/parameter_description.h"
#include "app/parameter_manager.h"
#include "app/thread_resource_pool.h"
#include "app/ui_context.h"
#include "platform/gfx/graphics_system.h"
#include "platform/paths.h"
#include "render/device_global.h"
#include "render/render_interface.h"
#include "render/render_state_front_end.h"
#include "rules/character_class.h"
#include "rules/character_equipment.h"
#include "rules/character_sheet.h"
#include "rules/rules_catalogues.h"
#include "tracker/brav_config.h"
#include "tracker/sheet/bravui_tabbed_full_character_sheet.h"
#include "ui/window_manager.h"
#include "ui_render/ui_manager.h"
#include "ui_render/ui_renderable.h"

namespace {

constexpr std::uint32_t width = 1024;
constexpr std::uint32_t height = 768;
constexpr int framesMeasured = 200;
constexpr float frameTime = 1.0f / 60.0f;

double medianMs(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// A level-5 fighter carrying 60 items (the catalogue's records in turn) and knowing 40 arcane
// spells (the catalogue's spells in turn, repeated when it has fewer).
std::unique_ptr<CharacterSheet> makeCharacter(const RulesCatalogues& rules) {
    auto character = std::make_unique<CharacterSheet>(nullptr, rules.classes, rules.proficiencies, rules.equipment,
                                                      rules.spells);
    character->name = "Benchmark Hero";
    for (const auto& candidate : rules.classes.classes()) {
        if (candidate->id == "fighter") character->characterClass = candidate.get();
    }
    character->level = 5;
    character->experience = 16000;
    character->currentHitPoints = character->maximumHitPoints = 38;
    std::vector<const Equipment*> records;
    for (const auto& entry : rules.equipment.records()) records.push_back(entry.second.get());
    for (std::size_t i = 0; i < 60 && !records.empty(); ++i) {
        character->inventory.items.push_back(
            std::make_unique<BRAVCharacterEquipment>(nullptr, records[i % records.size()]));
    }
    std::vector<const SpellRecord*> spells;
    for (const auto& group : rules.spells.arcaneSpells()) spells.insert(spells.end(), group.second.begin(), group.second.end());
    for (std::size_t i = 0; i < 40 && !spells.empty(); ++i) {
        const SpellRecord* spell = spells[i % spells.size()];
        character->arcaneSpells[static_cast<std::int32_t>(1 + (i % 5))].push_back(spell);
    }
    return character;
}

void BM_SheetFrames(benchmark::State& state) {
    platform::setCurrentDirectory(ZODERUD_SOURCE_DIR);
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    SDL_Window* window = SDL_CreateWindow("bench", 0, 0, int(width), int(height), SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    gfx::GraphicsSystem* system = gfx::GraphicsSystem::create();
    gfx::PresentParameters parameters;
    parameters.backBufferWidth = width;
    parameters.backBufferHeight = height;
    parameters.presentationInterval = gfx::PresentInterval::Immediate;
    if (!window || !system ||
        failed(system->createDevice(0, gfx::DeviceType::Hal, window, 0, parameters, &deviceGlobal))) {
        state.SkipWithError("no device");
        return;
    }
    createVertexDeclarations();
    {
        ParameterDescriptionRegistry registry;
        ThreadResourcePool pool("renderPool");
        RenderInterface renderInterface(&registry, &pool, width, height, ZODERUD_SOURCE_DIR);
        renderInterface.setOwnerThreadId(platform::currentThreadId());
        renderInterface.parameterManager()->setOwnerThreadId(platform::currentThreadId());
        renderInterface.setRenderSettings(width, height, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "High", "Low",
                                          "EBGaramond-Regular_48", "original-garamond-bold-bt_48", 0, 0);
        renderInterface.swapFrame();
        UIManager manager(&pool, &renderInterface);
        manager.loadRenderPaths(&registry, "Data/graphics/ui/render_paths.xml");
        RenderStateFrontEnd frontEnd(&pool, "frontEnd", nullptr, &registry, &renderInterface, &manager, width, height);

        std::unique_ptr<RulesCatalogues> rules = loadRulesCatalogues(ZODERUD_SOURCE_DIR);
        std::unique_ptr<CharacterSheet> character = makeCharacter(*rules);
        BRAVConfig config(&pool, "BRAV Zoderud");
        auto windowManager = std::make_unique<WindowManager>(0);
        UIContext context;
        context.renderInterface = &renderInterface;
        context.updatePool = &pool;
        context.windowManager = windowManager.get();
        auto* sheet = new BRAVUITabbedFullCharacterSheet(windowManager->getTheme("default_theme"), &context, 0,
                                                         character.get(), &config, rules.get(), "characterSheetUI");
        windowManager->addWindow(sheet);

        gfx::Device* device = deviceGlobal;
        auto clearAndPresent = [&] {
            device->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
            device->beginScene();
            device->endScene();
            device->present();
        };
        auto sheetFrame = [&] {
            windowManager->update(frameTime);
            renderInterface.swapFrame();
            frontEnd.processPendingObjects();
            device->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
            device->beginScene();
            manager.draw();
            device->endScene();
            device->present();
            for (UIRenderable* renderable : manager.renderables()) renderable->updateInstances();
        };
        // Every frame shows the other of Core and Spells: Core's widgets built or taken down.
        bool toCore = false;
        auto switchFrame = [&] {
            UIEvent::Data press;
            press.type = UIEvent::Click;
            press.name = toCore ? "coreStatsTab" : "spellsTab";
            toCore = !toCore;
            sheet->showTab(press);
            sheetFrame();
        };
        auto measure = [](auto&& drawFrame) {
            for (int i = 0; i < 10; ++i) drawFrame();
            std::vector<double> samples;
            for (int i = 0; i < framesMeasured; ++i) {
                const auto start = std::chrono::steady_clock::now();
                drawFrame();
                samples.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            }
            return medianMs(samples);
        };

        for (auto _ : state) {
            const double baseline = measure(clearAndPresent);
            const double frame = measure(sheetFrame);
            const double switching = measure(switchFrame);
            state.counters["clear_present_ms"] = baseline;
            state.counters["sheet_frame_ms"] = frame;
            state.counters["difference_ms"] = frame - baseline;
            state.counters["tab_switch_frame_ms"] = switching;
            std::printf("clear and present: %.3f ms, sheet frame (Core shown): %.3f ms, difference: %.3f ms; "
                        "frame with a tab switch: %.3f ms, difference: %.3f ms (median of %d frames)\n",
                        baseline, frame, frame - baseline, switching, switching - baseline, framesMeasured);
        }
        windowManager.reset();
        renderInterface.swapFrame();
        frontEnd.processPendingObjects();
        manager.destroyRenderables();
    }
    releaseVertexDeclarations();
    gfx::safeRelease(deviceGlobal);
    system->release();
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

BENCHMARK(BM_SheetFrames)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
