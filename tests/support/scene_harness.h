#pragma once
// A fixture that runs the real render task offscreen (device, declarations, UI manager, both
// render states) with the test thread as the update side: the test makes objects, lights and the
// camera through the render interface, then each frame runs the hand-off and the render-state
// manager's update in turn, as the program's frame does. Pixels are read back from the back
// buffer; a failed pixel check saves the frame as a PNG in the test's temporary folder and
// prints its path, and ZODERUD_SCENE_DUMP=<folder> saves every checked frame there.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/parameter_description.h"
#include "app/thread_resource_pool.h"
#include "platform/gfx/math_types.h"
#include "render/render_interface.h"
#include "support/flat_box_renderable.h"
#include "support/temp_folder.h"

namespace platform {
class AppWindow;
}
class GameRenderTask;
class RenderStateGame;
class RenderStateManager;

namespace scenetest {

struct SceneSettings {
    std::uint32_t width = 160;
    std::uint32_t height = 120;
    std::uint32_t shaderLevel = 3;
    bool shadows = false;
    bool ssao = false;
    bool postProcessing = true;
    bool instancing = false;
    bool multisampling = false;
    std::uint32_t multisamplingType = 0;
    std::string shadowDetail = "High";
    std::string textureDetail = "High";
};

class SceneHarness : public ::testing::Test {
protected:
    static constexpr float kStep = 1.0f / 60.0f;

    SceneHarness();
    ~SceneHarness() override;

    // The window, the device and the render task with the front end running.
    void open(const SceneSettings& settings = {});
    // A render paths file of these groups (class names), each with the test data folder as its path.
    std::string writeRenderPaths(const std::vector<std::string>& classNames);
    // A scene change to the file, driven until the game state's descriptions are registered and
    // it waits for the scene's content (status 3): objects of its types can be made now.
    void loadScene(const std::string& renderPathsFile);
    // Tells the render side the scene is complete, allows the hand-over and runs frames until the
    // game state runs (7) and the update side's game state reports 7.
    void enterScene();
    // Both, for a scene whose objects are made later.
    void openScene(const std::vector<std::string>& classNames = {kFlatBoxClass}, const SceneSettings& settings = {});

    // One frame: the hand-off, then the render-state manager's update (which draws).
    void frame(float dt = kStep);
    void frames(int count, float dt = kStep);
    // Runs frames (at most limit) until done() holds; false when it never did. While a worker of
    // the scene runs, the thread gives way before each frame, so that a loaded machine does not
    // use the frames up before the worker is scheduled at all.
    template <class Done>
    bool framesUntil(Done done, int limit = 20000) {
        for (int i = 0; i < limit; ++i) {
            if (done()) return true;
            if (sceneWorkerRunning()) std::this_thread::yield();
            frame();
        }
        return done();
    }
    bool sceneWorkerRunning();

    // Update side.
    RenderInterface::RenderableObject* addBox(const gfx::Vector3& centre, float halfSize, std::uint32_t argb);
    RenderInterface::RenderableObject* addPointLight(const gfx::Vector3& position, float radius);
    RenderInterface::RenderableObject* addDirectionalLight();
    // A UI rectangle over pixel columns [left, right) and rows [top, bottom).
    RenderInterface::UIObject* addUIRectangle(int left, int top, int right, int bottom, std::uint32_t argb,
                                              std::uint32_t layer = 5);
    void setCamera(const gfx::Vector3& eye, const gfx::Vector3& target,
                   const gfx::Vector3& lightDirection = {0.0f, -1.0f, 0.5f});
    void setGameStateStatus(std::uint32_t status) { renderInterface_->setGameStateStatus(status); }

    // The back buffer after the last frame.
    const std::vector<std::uint32_t>& readPixels();
    std::uint32_t pixel(int x, int y) const { return pixels_.at(std::size_t(y) * settings_.width + std::size_t(x)); }
    // Checks one pixel of the last read-back within a tolerance per channel.
    ::testing::AssertionResult pixelNear(int x, int y, std::uint32_t expected, int tolerance = 3);
    // Saves the last read-back as <name>.png where checked frames go; returns the path.
    std::string saveFrame(const std::string& name);

    RenderInterface& renderInterface() { return *renderInterface_; }
    RenderStateManager& renderStates();
    RenderStateGame& gameState();
    GameRenderTask& renderTask() { return *task_; }
    ParameterDescriptionRegistry& registry() { return registry_; }
    const SceneSettings& settings() const { return settings_; }
    TempFolder& folder() { return folder_; }
    // Ends the render task as the program does at exit (states unloaded and destroyed).
    void close();

private:
    class Camera;
    void applySettings();
    // Where checked frames go: ZODERUD_SCENE_DUMP, else this test's folder under the system's
    // temporary folder, kept after the run.
    std::string pictureFolder() const;

    SceneSettings settings_;
    ThreadResourcePool renderPool_;
    ParameterDescriptionRegistry registry_;
    std::unique_ptr<RenderInterface> renderInterface_;
    std::unique_ptr<platform::AppWindow> window_;
    std::unique_ptr<GameRenderTask> task_;
    std::unique_ptr<Camera> camera_;
    std::vector<std::uint32_t> pixels_;
    int checkedFrames_ = 0;
    bool frameSaved_ = false;
    TempFolder folder_;
};

} // namespace scenetest
