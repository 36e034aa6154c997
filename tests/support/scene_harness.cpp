#include "support/scene_harness.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/gfx/graphics_system.h"
#include "platform/gfx/math_matrix.h"
#include "platform/image/image_file.h"
#include "platform/thread.h"
#include "platform/window/app_window.h"
#include "render/base_render_state.h"
#include "render/device_global.h"
#include "render/game_render_task.h"
#include "render/light_parameters.h"
#include "render/render_camera.h"
#include "render/render_state_front_end.h"
#include "render/render_state_game.h"
#include "render/render_state_manager.h"
#include "ui/ui_object_params.h"

extern "C" void zoderud_link_flat_boxes();

namespace scenetest {

namespace {

void failOnGlError(const char* message) { ADD_FAILURE() << "GL error: " << message; }

Vector4Value rgba(std::uint32_t argb) {
    return {float((argb >> 16) & 255) / 255.0f, float((argb >> 8) & 255) / 255.0f, float(argb & 255) / 255.0f,
            float(argb >> 24) / 255.0f};
}

std::string testName() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "scene";
    for (char& c : name) {
        if (c == '/') c = '_';
    }
    return name;
}

bool channelsNear(std::uint32_t a, std::uint32_t b, int tolerance) {
    for (int shift = 0; shift < 32; shift += 8) {
        if (std::abs(int((a >> shift) & 255) - int((b >> shift) & 255)) > tolerance) return false;
    }
    return true;
}

} // namespace

// The active camera as the hand-off reads it.
class SceneHarness::Camera final : public RenderCamera {
public:
    const gfx::Matrix& getViewMatrix() const override { return view; }
    const gfx::Vector3& getPosition() const override { return eye; }
    const gfx::Vector3* getTarget() const override { return &target; }
    const gfx::Vector3& getRenderVector() const override { return lightDirection; }
    bool getRenderFlag() const override { return true; }
    void setProjectionMatrix(const gfx::Matrix& matrix) override { projection = matrix; }

    gfx::Matrix view;
    gfx::Matrix projection;
    gfx::Vector3 eye{0.0f, 0.0f, -10.0f};
    gfx::Vector3 target;
    gfx::Vector3 lightDirection{0.0f, -1.0f, 0.5f};
};

SceneHarness::SceneHarness() : renderPool_("renderPool") {}

SceneHarness::~SceneHarness() {
    close();
    gfx::setReportedShaderLevel(3);
    gfx::setGlErrorHandler(nullptr);
    RenderStateFrontEnd::setDrawEveryFrame(false);
}

void SceneHarness::open(const SceneSettings& settings) {
    zoderud_link_flat_boxes();
    settings_ = settings;
    flatBoxPasses().clear();
    gfx::setReportedShaderLevel(settings.shaderLevel);
    gfx::setGlErrorHandler(failOnGlError);
    RenderStateFrontEnd::setDrawEveryFrame(true);
    std::string error;
    window_ = platform::AppWindow::create("scene test", 0, 0, int(settings.width), int(settings.height), error);
    ASSERT_NE(window_, nullptr) << error;
    renderInterface_ = std::make_unique<RenderInterface>(&registry_, &renderPool_, settings.width, settings.height, "");
    renderInterface_->setOwnerThreadId(platform::currentThreadId());
    camera_ = std::make_unique<Camera>();
    camera_->view = gfx::lookAtLH(camera_->eye, camera_->target, {0.0f, 1.0f, 0.0f});
    renderInterface_->setActiveCamera(camera_.get());
    task_ = std::make_unique<GameRenderTask>(window_->sdlWindow(), &renderPool_, settings.width, settings.height);
    task_->registry = &registry_;
    task_->renderInterface = renderInterface_.get();
    ASSERT_TRUE(task_->initialise());
    applySettings();
    ASSERT_TRUE(framesUntil([this] {
        BaseRenderState* current = renderStates().current();
        return current && current->name() == "frontEndState" && current->status() == BaseState::Running;
    })) << "the front end never ran";
}

void SceneHarness::applySettings() {
    renderInterface_->setRenderSettings(settings_.width, settings_.height, 0, settings_.shadows, settings_.ssao, 0,
                                        settings_.postProcessing, settings_.instancing, 0, settings_.multisampling,
                                        settings_.multisamplingType, 0, settings_.textureDetail,
                                        settings_.shadowDetail, "", "", 0, 0);
}

std::string SceneHarness::writeRenderPaths(const std::vector<std::string>& classNames) {
    std::string text = "<RenderPaths>";
    for (const std::string& name : classNames) text += "<" + name + "><Path path=\"" + folder_.path() + "\"/></" + name + ">";
    return folder_.write("render_paths.xml", text + "</RenderPaths>\n");
}

void SceneHarness::loadScene(const std::string& renderPathsFile) {
    renderInterface_->requestSceneChange(renderPathsFile);
    ASSERT_TRUE(framesUntil([this] { return gameState().status() == BaseState::WaitingForSceneContent; }))
        << "the scene state never waited for its content; status " << gameState().status();
}

void SceneHarness::enterScene() {
    renderInterface_->setUpdateSideReady(true);
    renderInterface_->setHandOverAllowed(true);
    ASSERT_TRUE(framesUntil([this] {
        return renderStates().current() == &gameState() && gameState().status() == BaseState::Running;
    })) << "the scene state never ran; status " << gameState().status();
}

void SceneHarness::openScene(const std::vector<std::string>& classNames, const SceneSettings& settings) {
    open(settings);
    if (HasFatalFailure()) return;
    loadScene(writeRenderPaths(classNames));
    if (HasFatalFailure()) return;
    enterScene();
}

void SceneHarness::frame(float dt) {
    RenderStateManager* manager = task_ ? task_->renderStateManager() : nullptr;
    if (!manager) return;
    renderInterface_->beginHandOff();
    if (BaseRenderState* target = manager->handOffTarget()) target->beforeFrameSwap();
    renderInterface_->swapFrame();
    if (BaseRenderState* target = manager->handOffTarget()) target->processPendingObjects();
    renderInterface_->endHandOff();
    if (renderInterface_->takeSceneChangeRequest()) manager->changeScene(renderInterface_->sceneName());
    if (task_->handleLostDevice()) return;
    task_->applyPendingDisplayChange();
    manager->update(dt);
}

void SceneHarness::frames(int count, float dt) {
    for (int i = 0; i < count; ++i) frame(dt);
}

RenderInterface::RenderableObject* SceneHarness::addBox(const gfx::Vector3& centre, float halfSize,
                                                       std::uint32_t argb) {
    const gfx::Matrix placed = gfx::scalingMatrix(halfSize, halfSize, halfSize) * gfx::translationMatrix(centre);
    RenderInterface::RenderableObject* box = renderInterface_->createRenderObject(kFlatBoxType, placed.data());
    EXPECT_NE(box, nullptr) << "no " << kFlatBoxType << " description: is the scene loaded?";
    if (box) declared::set(box->pair()->updateGroup(), FlatBoxParameters::colour, rgba(argb));
    return box;
}

RenderInterface::RenderableObject* SceneHarness::addPointLight(const gfx::Vector3& position, float radius) {
    RenderInterface::RenderableObject* light = renderInterface_->createLight(kPointLightType);
    EXPECT_NE(light, nullptr);
    if (!light) return nullptr;
    ParameterGroupInterface* group = light->pair()->updateGroup();
    declared::set(group, PointLightParameters::position, {position.x, position.y, position.z});
    declared::set(group, PointLightParameters::radius, radius);
    declared::set(group, PointLightParameters::colour, {1.0f, 1.0f, 1.0f});
    return light;
}

RenderInterface::RenderableObject* SceneHarness::addDirectionalLight() {
    RenderInterface::RenderableObject* light = renderInterface_->createLight(kDirectionalLightType);
    EXPECT_NE(light, nullptr);
    return light;
}

RenderInterface::UIObject* SceneHarness::addUIRectangle(int left, int top, int right, int bottom, std::uint32_t argb,
                                                        std::uint32_t layer) {
    RenderInterface::UIObject* object = uiobject::create(renderInterface_.get(), "ui_simple_rectangle", layer);
    EXPECT_NE(object, nullptr);
    const auto x = [this](int column) { return -1.0f + 2.0f * float(column) / float(settings_.width); };
    const auto y = [this](int row) { return 1.0f - 2.0f * float(row) / float(settings_.height); };
    uiobject::setCorners<SimpleRectangleParameters>(object, x(left), y(top), x(right), y(bottom));
    const Vector4Value colour = rgba(argb);
    uiobject::setColour(object, SimpleRectangleParameters::colour, colour.data());
    return object;
}

void SceneHarness::setCamera(const gfx::Vector3& eye, const gfx::Vector3& target, const gfx::Vector3& lightDirection) {
    camera_->eye = eye;
    camera_->target = target;
    camera_->lightDirection = lightDirection;
    camera_->view = gfx::lookAtLH(eye, target, {0.0f, 1.0f, 0.0f});
}

bool SceneHarness::sceneWorkerRunning() {
    RenderStateManager* manager = task_ ? task_->renderStateManager() : nullptr;
    return manager && manager->findState("tacticalBattleState") && gameState().workerRunning();
}

RenderStateManager& SceneHarness::renderStates() { return *task_->renderStateManager(); }

RenderStateGame& SceneHarness::gameState() {
    return *static_cast<RenderStateGame*>(renderStates().findState("tacticalBattleState"));
}

const std::vector<std::uint32_t>& SceneHarness::readPixels() {
    gfx::Surface* back = nullptr;
    pixels_.clear();
    if (gfx::succeeded(deviceGlobal->getBackBuffer(&back))) {
        deviceGlobal->readSurface(back, pixels_);
        back->release();
    }
    ++checkedFrames_;
    frameSaved_ = false;
    return pixels_;
}

std::string SceneHarness::pictureFolder() const {
    const char* dump = std::getenv("ZODERUD_SCENE_DUMP");
    const std::filesystem::path folder =
        dump && *dump ? std::filesystem::path(dump) : std::filesystem::temp_directory_path() / "zoderud-scene-tests" / testName();
    std::filesystem::create_directories(folder);
    return folder.string() + "/";
}

std::string SceneHarness::saveFrame(const std::string& name) {
    const std::string path = pictureFolder() + name + ".png";
    image::Image picture{int(settings_.width), int(settings_.height)};
    picture.argb = pixels_;
    if (!image::savePngFile(path, picture)) return "";
    return path;
}

::testing::AssertionResult SceneHarness::pixelNear(int x, int y, std::uint32_t expected, int tolerance) {
    const std::string frameName = testName() + "-frame" + std::to_string(checkedFrames_);
    if (std::getenv("ZODERUD_SCENE_DUMP") && !frameSaved_) {
        saveFrame(frameName);
        frameSaved_ = true;
    }
    if (pixels_.size() != std::size_t(settings_.width) * settings_.height)
        return ::testing::AssertionFailure() << "no frame was read back";
    const std::uint32_t actual = pixel(x, y);
    if (channelsNear(actual, expected, tolerance)) return ::testing::AssertionSuccess();
    std::string path;
    if (!frameSaved_) {
        path = saveFrame(frameName);
        frameSaved_ = true;
        std::printf("scene frame saved as %s\n", path.c_str());
    }
    char text[96];
    std::snprintf(text, sizeof text, "pixel (%d, %d) is %08X, expected %08X", x, y, unsigned(actual),
                  unsigned(expected));
    return ::testing::AssertionFailure() << text << (path.empty() ? "" : "; frame saved as " + path);
}

void SceneHarness::close() {
    if (task_) {
        task_->shutdown();
        task_.reset();
    }
    if (renderInterface_) renderInterface_->setActiveCamera(nullptr);
    window_.reset();
}

} // namespace scenetest
