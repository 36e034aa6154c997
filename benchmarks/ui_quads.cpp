// For comparison with bench_ui_frames: 2,000 UI quads per frame drawn one by one, the corners
// and colour of each set as effect parameters and committed before its own indexed draw (the
// way the UI was drawn before its quads were batched). Reports ms per frame.
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/gfx/device.h"
#include "platform/gfx/effect.h"
#include "platform/gfx/graphics_system.h"

namespace {

const char* kSimpleUi = R"(
parameter vec2 gVertPositions[4];
parameter vec4 gColour = {0, 1, 0, 1};
vertex QuadVS {
in vec3 inPosition;
void main() { gl_Position = vec4(gVertPositions[int(inPosition.z)], 0.0, 1.0); }
}
fragment ColourFS { void main() { outColour = gColour; } }
technique SimpleTech {
    pass P0 { vertex = QuadVS; fragment = ColourFS; }
}
)";

void BM_PerQuadUniformsCommitAndDraw(benchmark::State& state) {
    const int quadCount = int(state.range(0));
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    SDL_Window* window = SDL_CreateWindow("bench", 0, 0, 1024, 768, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    gfx::GraphicsSystem* system = gfx::GraphicsSystem::create();
    gfx::PresentParameters parameters;
    parameters.backBufferWidth = 1024;
    parameters.backBufferHeight = 768;
    parameters.presentationInterval = gfx::PresentInterval::Immediate;
    gfx::Device* device = nullptr;
    if (!window || !system ||
        failed(system->createDevice(0, gfx::DeviceType::Hal, window, 0, parameters, &device))) {
        state.SkipWithError("no device");
        return;
    }
    gfx::Effect* effect = nullptr;
    std::string errors;
    gfx::EffectDescription* description = nullptr;
    gfx::compileEffectFromText(kSimpleUi, "SimpleUI.fx", {}, &description, &errors);
    gfx::Effect::create(device, description, &effect, &errors);
    description->release();

    const float vertices[] = {1, 1, 0, 1, 1, 1, 1, 1, 2, 1, 1, 3};
    const uint16_t indices[] = {0, 1, 2, 2, 3, 0};
    gfx::VertexBuffer* vertexBuffer = nullptr;
    gfx::IndexBuffer* indexBuffer = nullptr;
    gfx::VertexDeclaration* declaration = nullptr;
    device->createVertexBuffer(sizeof vertices, gfx::Usage::WriteOnly, gfx::Pool::Managed, &vertexBuffer);
    device->createIndexBuffer(sizeof indices, gfx::Usage::WriteOnly, gfx::Format::Index16, gfx::Pool::Managed,
                              &indexBuffer);
    void* data = nullptr;
    vertexBuffer->lock(0, 0, &data, 0);
    std::memcpy(data, vertices, sizeof vertices);
    vertexBuffer->unlock();
    indexBuffer->lock(0, 0, &data, 0);
    std::memcpy(data, indices, sizeof indices);
    indexBuffer->unlock();
    device->createVertexDeclaration({{0, 0, gfx::DeclType::Float3, 0, gfx::DeclUsage::Position, 0}}, &declaration);

    // Small quads spread over the screen, like buttons and labels.
    std::vector<float> corners;
    std::vector<float> colours;
    for (int i = 0; i < quadCount; ++i) {
        const float left = -1.0f + float(i % 50) * 0.04f, top = 1.0f - float(i / 50) * 0.05f;
        const float right = left + 0.03f, bottom = top - 0.04f;
        corners.insert(corners.end(), {left, top, right, top, right, bottom, left, bottom});
        colours.insert(colours.end(), {float(i % 7) / 7.0f, 0.5f, 0.25f, 0.8f});
    }
    const gfx::EffectHandle positions = effect->getParameterByName("gVertPositions");
    const gfx::EffectHandle colour = effect->getParameterByName("gColour");

    for (auto _ : state) {
        device->clear(gfx::Clear::Target, 0xFF000000u, 1.0f, 0);
        device->beginScene();
        device->setRenderState(gfx::RenderState::AlphaBlendEnable, 1);
        device->setRenderState(gfx::RenderState::SrcBlend, uint32_t(gfx::Blend::One));
        device->setRenderState(gfx::RenderState::DestBlend, uint32_t(gfx::Blend::InvSrcAlpha));
        device->setStreamSource(0, vertexBuffer, 0, 12);
        device->setIndices(indexBuffer);
        device->setVertexDeclaration(declaration);
        uint32_t passes = 0;
        effect->begin(&passes, 0);
        effect->beginPass(0);
        for (int i = 0; i < quadCount; ++i) {
            effect->setFloatArray(positions, &corners[size_t(i) * 8], 8);
            effect->setVector(colour, &colours[size_t(i) * 4]);
            effect->commitChanges();
            device->drawIndexedPrimitive(gfx::PrimitiveType::TriangleList, 0, 0, 4, 0, 2);
        }
        effect->endPass();
        effect->end();
        device->setRenderState(gfx::RenderState::AlphaBlendEnable, 0);
        device->endScene();
        device->present();
    }
    state.counters["quads"] = double(quadCount);

    declaration->release();
    indexBuffer->release();
    vertexBuffer->release();
    effect->release();
    device->release();
    system->release();
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

BENCHMARK(BM_PerQuadUniformsCommitAndDraw)->Arg(2000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
