#pragma once
// A device on an offscreen SDL window for drawing tests, with a quad effect and read-back helpers.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/gfx/device.h"
#include "platform/gfx/effect.h"
#include "platform/gfx/graphics_system.h"

namespace gfxtest {

// Corners come from gVertPositions (UI units) picked by the index in z, as the UI assets do.
inline const char* kQuadEffect = R"(
parameter vec2 gVertPositions[4];
parameter vec4 gColour = {1, 1, 1, 1};
parameter vec4 gColour1 = {0, 0, 0, 0};

vertex QuadVS {
in vec3 inPosition;
void main() { gl_Position = vec4(gVertPositions[int(inPosition.z)], 0.0, 1.0); }
}

fragment ColourFS {
void main() { outColour = gColour; outColour1 = gColour1; }
}

technique SimpleTech {
    pass P0 { vertex = QuadVS; fragment = ColourFS; }
}
)";

// Every GL error a device reports fails the test that caused it.
inline void failOnGlError(const char* message) { ADD_FAILURE() << "GL error: " << message; }

class GfxTest : public ::testing::Test {
protected:
    static constexpr uint32_t kWidth = 64;
    static constexpr uint32_t kHeight = 48;

    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        window_ = SDL_CreateWindow("gfx test", 0, 0, int(kWidth), int(kHeight), SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        ASSERT_NE(window_, nullptr) << SDL_GetError();
        system_ = gfx::GraphicsSystem::create();
        ASSERT_NE(system_, nullptr);
        gfx::setGlErrorHandler(failOnGlError);
        parameters_.backBufferWidth = kWidth;
        parameters_.backBufferHeight = kHeight;
        parameters_.deviceWindow = window_;
        ASSERT_EQ(system_->createDevice(0, gfx::DeviceType::Hal, window_, gfx::CreateFlags::HardwareVertexProcessing,
                                        parameters_, &device_),
                  gfx::Result::Ok);
    }

    void TearDown() override {
        gfx::safeRelease(quadVertices_);
        gfx::safeRelease(quadIndices_);
        gfx::safeRelease(positionDeclaration_);
        gfx::safeRelease(device_);
        gfx::setGlErrorHandler(nullptr);
        gfx::safeRelease(system_);
        if (window_) SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // Draws go to the back buffer again after a test drew into a target of its own.
    void targetBackBuffer() {
        gfx::Surface* back = nullptr;
        device_->getBackBuffer(&back);
        device_->setRenderTarget(0, back);
        back->release();
    }

    gfx::Effect* makeEffect(const std::string& text, const std::vector<gfx::EffectMacro>& macros = {}) {
        gfx::EffectDescription* description = nullptr;
        std::string errors;
        EXPECT_EQ(gfx::compileEffectFromText(text, "test.fx", macros, &description, &errors), gfx::Result::Ok)
            << errors;
        if (!description) return nullptr;
        gfx::Effect* effect = nullptr;
        EXPECT_EQ(gfx::Effect::create(device_, description, &effect, &errors), gfx::Result::Ok) << errors;
        description->release();
        return effect;
    }

    // The 12-byte index vertices (1, 1, i) and the two triangles of a quad.
    void bindQuadGeometry() {
        if (!quadVertices_) {
            const float vertices[] = {1, 1, 0, 1, 1, 1, 1, 1, 2, 1, 1, 3};
            ASSERT_EQ(device_->createVertexBuffer(sizeof vertices, gfx::Usage::WriteOnly, gfx::Pool::Managed,
                                                  &quadVertices_),
                      gfx::Result::Ok);
            void* data = nullptr;
            quadVertices_->lock(0, 0, &data, 0);
            std::memcpy(data, vertices, sizeof vertices);
            quadVertices_->unlock();
            const uint16_t indices[] = {0, 1, 2, 2, 3, 0};
            ASSERT_EQ(device_->createIndexBuffer(sizeof indices, gfx::Usage::WriteOnly, gfx::Format::Index16,
                                                 gfx::Pool::Managed, &quadIndices_),
                      gfx::Result::Ok);
            quadIndices_->lock(0, 0, &data, 0);
            std::memcpy(data, indices, sizeof indices);
            quadIndices_->unlock();
            ASSERT_EQ(device_->createVertexDeclaration({{0, 0, gfx::DeclType::Float3, 0, gfx::DeclUsage::Position, 0}},
                                                       &positionDeclaration_),
                      gfx::Result::Ok);
        }
        device_->setStreamSource(0, quadVertices_, 0, 12);
        device_->setIndices(quadIndices_);
        device_->setVertexDeclaration(positionDeclaration_);
    }

    // Corners in UI units (x right, y up), in the order top-left, top-right, bottom-right, bottom-left.
    static std::vector<float> corners(float left, float top, float right, float bottom) {
        return {left, top, right, top, right, bottom, left, bottom};
    }

    // Pixel-edge corners the way the UI computes them: a pixel boundary, then half a pixel left
    // and up, on a target of the given size.
    static std::vector<float> pixelRect(int left, int top, int right, int bottom, uint32_t width, uint32_t height) {
        const float px = 2.0f / float(width), py = 2.0f / float(height);
        return corners(-1.0f + float(left) * px - px * 0.5f, 1.0f - float(top) * py + py * 0.5f,
                       -1.0f + float(right) * px - px * 0.5f, 1.0f - float(bottom) * py + py * 0.5f);
    }

    void drawQuad(gfx::Effect* effect, const std::vector<float>& cornerList, const float colour[4]) {
        bindQuadGeometry();
        effect->setFloatArray(effect->getParameterByName("gVertPositions"), cornerList.data(), 8);
        effect->setVector(effect->getParameterByName("gColour"), colour);
        uint32_t passes = 0;
        ASSERT_EQ(effect->begin(&passes, 0), gfx::Result::Ok);
        ASSERT_EQ(effect->beginPass(0), gfx::Result::Ok);
        effect->commitChanges();
        EXPECT_EQ(device_->drawIndexedPrimitive(gfx::PrimitiveType::TriangleList, 0, 0, 4, 0, 2), gfx::Result::Ok);
        effect->endPass();
        effect->end();
    }

    std::vector<uint32_t> readTarget(gfx::Surface* surface) {
        std::vector<uint32_t> pixels;
        EXPECT_EQ(device_->readSurface(surface, pixels), gfx::Result::Ok);
        return pixels;
    }

    // The pixels of one mip level of a texture.
    std::vector<uint32_t> readLevel(gfx::Texture* texture, uint32_t level) {
        gfx::Surface* surface = nullptr;
        EXPECT_EQ(texture->getSurfaceLevel(level, &surface), gfx::Result::Ok) << "level " << level;
        if (!surface) return {};
        std::vector<uint32_t> pixels = readTarget(surface);
        surface->release();
        return pixels;
    }

    std::vector<uint32_t> readBackBuffer() {
        gfx::Surface* back = nullptr;
        device_->getBackBuffer(&back);
        std::vector<uint32_t> pixels = readTarget(back);
        back->release();
        return pixels;
    }

    static uint32_t at(const std::vector<uint32_t>& pixels, uint32_t width, uint32_t x, uint32_t y) {
        return pixels.at(size_t(y) * width + x);
    }

    SDL_Window* window_ = nullptr;
    gfx::GraphicsSystem* system_ = nullptr;
    gfx::Device* device_ = nullptr;
    gfx::PresentParameters parameters_{};
    gfx::VertexBuffer* quadVertices_ = nullptr;
    gfx::IndexBuffer* quadIndices_ = nullptr;
    gfx::VertexDeclaration* positionDeclaration_ = nullptr;
};

// Colour channels may differ by rounding.
inline bool near(uint32_t actual, uint32_t expected, int tolerance = 2) {
    for (int shift = 0; shift < 32; shift += 8) {
        int a = int((actual >> shift) & 255), e = int((expected >> shift) & 255);
        if (std::abs(a - e) > tolerance) return false;
    }
    return true;
}

} // namespace gfxtest
