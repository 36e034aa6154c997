#pragma once
// A UI manager on an offscreen device for drawing tests: objects made on the update side, a
// hand-off, one frame, the back buffer read back; a picture saved for a person when a test fails.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/parameter_description.h"
#include "app/simple_parameter_group.h"
#include "app/thread_resource_pool.h"
#include "platform/gfx/graphics_system.h"
#include "platform/image/image_file.h"
#include "render/device_global.h"
#include "render/render_interface.h"
#include "render/render_state_front_end.h"
#include "support/temp_folder.h"
#include "ui_render/ui_manager.h"
#include "ui_render/ui_renderable.h"

namespace uitest {

class UIDrawTest : public ::testing::Test {
protected:
    explicit UIDrawTest(std::uint32_t width = 64, std::uint32_t height = 48) : width_(width), height_(height) {}

    // The renderables of the given render paths file content (inside <RenderPaths>).
    void start(const std::string& groups) {
        startWithFile(folder_.write("render_paths.xml", "<RenderPaths>" + groups + "</RenderPaths>"));
    }

    // The renderables of a render paths file.
    void startWithFile(const std::string& renderPathsFile) {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        window_ = SDL_CreateWindow("ui test", 0, 0, int(width_), int(height_), SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        ASSERT_NE(window_, nullptr) << SDL_GetError();
        system_ = gfx::GraphicsSystem::create();
        ASSERT_NE(system_, nullptr);
        gfx::PresentParameters parameters{};
        parameters.backBufferWidth = width_;
        parameters.backBufferHeight = height_;
        parameters.deviceWindow = window_;
        ASSERT_EQ(system_->createDevice(0, gfx::DeviceType::Hal, window_, gfx::CreateFlags::HardwareVertexProcessing,
                                        parameters, &deviceGlobal),
                  gfx::Result::Ok);
        createVertexDeclarations();
        renderInterface_ = std::make_unique<RenderInterface>(&registry_, &pool_, width_, height_, "");
        renderInterface_->setOwnerThreadId(platform::currentThreadId());
        configure(*renderInterface_);
        renderInterface_->swapFrame();
        manager_ = std::make_unique<UIManager>(&pool_, renderInterface_.get());
        manager_->loadRenderPaths(&registry_, renderPathsFile);
        frontEnd_ = std::make_unique<RenderStateFrontEnd>(&pool_, "frontEnd", nullptr, &registry_,
                                                          renderInterface_.get(), manager_.get(), width_, height_);
    }

    // Before the first hand-off: a test that needs other render settings sets them here.
    virtual void configure(RenderInterface& renderInterface) { (void)renderInterface; }

    void TearDown() override {
        if (::testing::Test::HasFailure() && !lastFrame_.empty()) savePicture(lastFrame_);
        frontEnd_.reset();
        if (manager_) manager_->destroyRenderables();
        manager_.reset();
        renderInterface_.reset();
        releaseVertexDeclarations();
        gfx::safeRelease(deviceGlobal);
        gfx::safeRelease(system_);
        if (window_) SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    RenderInterface::UIObject* make(const std::string& type, std::uint32_t layer) {
        RenderInterface::UIObject* object = renderInterface_->createUIObject(type);
        EXPECT_NE(object, nullptr) << type;
        if (object) object->setRenderLayer(layer);
        return object;
    }
    static SimpleParameterGroup* params(RenderInterface::UIObject* object) { return object->pair()->updateGroup(); }

    // The UI coordinate of column x, row y (y down) at the screen's left and top edges.
    float edgeX(int x) const { return -1.0f + 2.0f * float(x) / float(width_); }
    float edgeY(int y) const { return 1.0f - 2.0f * float(y) / float(height_); }
    // Corners covering columns [left, right) and rows [top, bottom): a multiple of a pixel is
    // moved half a pixel left and up, onto the edge of the pixel whose centre it was.
    void placeRectangle(RenderInterface::UIObject* object, int left, int top, int right, int bottom) {
        params(object)->setVector2("topLeft", {edgeX(left), edgeY(top)});
        params(object)->setVector2("bottomRight", {edgeX(right), edgeY(bottom)});
    }

    // A hand-off, the frame's drawing on the clear colour, and the per-frame update after it.
    const std::vector<std::uint32_t>& frame(std::uint32_t clearColour = 0xFF000000) {
        renderInterface_->swapFrame();
        frontEnd_->processPendingObjects();
        gfx::Device* device = deviceGlobal;
        device->clear(gfx::Clear::Target, clearColour, 1.0f, 0);
        device->beginScene();
        manager_->draw();
        device->endScene();
        for (UIRenderable* renderable : manager_->renderables()) renderable->updateInstances();
        gfx::Surface* back = nullptr;
        device->getBackBuffer(&back);
        device->readSurface(back, lastFrame_);
        back->release();
        return lastFrame_;
    }
    std::uint32_t pixel(int x, int y) const { return lastFrame_.at(std::size_t(y) * width_ + std::size_t(x)); }

    // Kept after the run in the system's temporary folder, named after the test.
    void savePicture(const std::vector<std::uint32_t>& pixels) const {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "." + info->name();
        for (char& c : name) {
            if (c == '/') c = '_';
        }
        const std::string path = pictureFolder() + name + ".png";
        image::Image picture{int(width_), int(height_)};
        picture.argb = pixels;
        if (image::savePngFile(path, picture)) std::printf("read-back saved as %s\n", path.c_str());
    }
    static std::string pictureFolder() {
        const std::filesystem::path folder = std::filesystem::temp_directory_path() / "zoderud-ui-tests";
        std::filesystem::create_directories(folder);
        return folder.string() + "/";
    }

    std::uint32_t width_;
    std::uint32_t height_;
    TempFolder folder_;
    ParameterDescriptionRegistry registry_;
    ThreadResourcePool pool_{"renderPool"};
    SDL_Window* window_ = nullptr;
    gfx::GraphicsSystem* system_ = nullptr;
    std::unique_ptr<RenderInterface> renderInterface_;
    std::unique_ptr<UIManager> manager_;
    std::unique_ptr<RenderStateFrontEnd> frontEnd_;
    std::vector<std::uint32_t> lastFrame_;
};

// Colour channels may differ by rounding.
inline bool near(std::uint32_t actual, std::uint32_t expected, int tolerance = 2) {
    for (int shift = 0; shift < 32; shift += 8) {
        const int a = int((actual >> shift) & 255), e = int((expected >> shift) & 255);
        if (std::abs(a - e) > tolerance) return false;
    }
    return true;
}

} // namespace uitest
